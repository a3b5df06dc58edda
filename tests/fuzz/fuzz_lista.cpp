// The list pipeline of SORT on arbitrary text: collect, normalise each line, order the lines;
// and the list file written by SALVA, read back.

#include "Verifica.h"

#include "common/mFunzioni.h"
#include "list/Apertura.h"
#include "list/ListaTesto.h"
#include "list/Salvataggio.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

bool SoloCifre(QStringView s)
{
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// One field as a normalised line writes it: at least two digits, no surplus leading zero.
std::optional<long> CampoNormalizzato(QStringView campo)
{
    const bool negativo = campo.startsWith(u'-');
    const QStringView cifre = negativo ? campo.mid(1) : campo;
    if (!SoloCifre(cifre) || cifre.size() < 2 || cifre.size() > 5)
        return std::nullopt;
    if (cifre.size() > 2 && cifre[0] == u'0')
        return std::nullopt;
    const long valore = cifre.toString().toLong() * (negativo ? -1 : 1);
    if (negativo && valore == 0)
        return std::nullopt;
    if (valore < -32768 || valore > 32767)
        return std::nullopt;
    return valore;
}

// A plain integer token, read without the routine under test; nullopt when it is anything else.
std::optional<long long> InteroSemplice(QStringView token)
{
    const bool negativo = token.startsWith(u'-');
    const QStringView cifre = negativo ? token.mid(1) : token;
    if (!SoloCifre(cifre))
        return std::nullopt;
    QStringView significative = cifre;
    while (significative.size() > 1 && significative[0] == u'0')
        significative = significative.mid(1);
    if (significative.size() > 9)
        return negativo ? -1000000000LL : 1000000000LL;
    const long long valore = significative.toString().toLongLong();
    return negativo ? -valore : valore;
}

struct Esito
{
    QStringList righe;
    std::vector<int> errori;
};

Esito Normalizza(QStringList righe, const QLocale &locale)
{
    Esito esito;
    mFunzioni::OrdinaNumeri(
        righe, [&](int numero) { esito.errori.push_back(numero); }, locale);
    esito.righe = righe;
    return esito;
}

// A line on its own: its normalised form, or nullopt when SORT has to keep it as typed.
std::optional<QString> NormaleDa(const QString &riga, const QLocale &locale)
{
    const Esito esito = Normalizza({riga}, locale);
    VERIFICA(esito.righe.size() == 1);
    VERIFICA(esito.errori.size() <= 1);
    const QList<QStringView> token = QStringView(riga).split(u' ');
    bool semplici = true;
    for (QStringView t : token)
        semplici = semplici && InteroSemplice(t).has_value();
    if (!esito.errori.empty()) {
        VERIFICA(esito.errori[0] == 13 || esito.errori[0] == 6);
        VERIFICA(esito.righe[0] == riga);
        // Plain integers fail only by range.
        if (semplici)
            VERIFICA(esito.errori[0] == 6);
        return std::nullopt;
    }

    const QString &normale = esito.righe[0];
    const QList<QStringView> campi = QStringView(normale).split(u' ');
    VERIFICA(campi.size() == token.size());
    std::vector<long> valori;
    for (QStringView c : campi) {
        const std::optional<long> v = CampoNormalizzato(c);
        VERIFICA(v.has_value());
        valori.push_back(*v);
    }
    if (semplici) {
        std::vector<long> attesi;
        for (QStringView t : token) {
            const long long v = *InteroSemplice(t);
            VERIFICA(v >= -32768 && v <= 32767);
            attesi.push_back(long(v));
        }
        std::vector<long> a = attesi, b = valori;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        VERIFICA(a == b);
    }
    // Fields as the board writes them, 00 to 99: text order is numeric order.
    bool dueCifre = true;
    for (QStringView t : token)
        dueCifre = dueCifre && t.size() == 2 && SoloCifre(t);
    if (dueCifre)
        VERIFICA(std::is_sorted(valori.begin(), valori.end()));
    return normale;
}

void Ordina(QStringList &righe, std::vector<int> &errori)
{
    mFunzioni::OrdinaRighe(righe, [&](int numero) { errori.push_back(numero); });
}

// The non-empty lines as the list box holds them: a lone CR or LF breaks a line there, as CR
// LF does, so the text of a list never holds one.
QStringList RigheNonVuote(const QString &testo)
{
    QStringList righe;
    QString corrente;
    for (QChar c : testo) {
        if (c != u'\r' && c != u'\n') {
            corrente += c;
        } else if (!corrente.isEmpty()) {
            righe.append(corrente);
            corrente.clear();
        }
    }
    if (!corrente.isEmpty())
        righe.append(corrente);
    return righe;
}

QString TestoDi(const QStringList &righe)
{
    return righe.isEmpty() ? QString() : righe.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

// SALVA, then opening the file, gives back the lines of the list.
void Riapertura(const QString &testo)
{
    QByteArray salvati;
    if (Salvataggio::CodificaLista(testo, salvati) != 0)
        return;
    // The box's paragraph and line separators end lines in the save as well.
    const QStringList righe = RigheNonVuote(QString(testo).replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n'));
    QString letto(QStringLiteral("stale"));
    const int esito = Apertura::TestoDaDati(salvati, letto);
    // The save refuses what its file could not give back, so whatever it writes opens as it was.
    VERIFICA(esito == (righe.isEmpty() ? 101 : 0));
    VERIFICA(letto == TestoDi(righe));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dati, std::size_t quanti)
{
    const Ingresso ingresso = Decodifica(dati, quanti);

    Riapertura(ingresso.testo);

    // Collecting: every non-empty piece once, in list order.
    QStringList attese;
    for (const QString &p : Pezzi(ingresso.testo)) {
        if (!p.isEmpty())
            attese.append(p);
    }
    const QStringList raccolte = ListaTesto::RaccogliRighe(ingresso.testo);
    VERIFICA(raccolte == attese);

    std::vector<std::optional<QString>> sole;
    for (const QString &r : raccolte)
        sole.push_back(NormaleDa(r, ingresso.locale));

    // Together: normalised up to the first line that cannot be, kept as typed from it on.
    Esito esito = Normalizza(raccolte, ingresso.locale);
    VERIFICA(esito.righe.size() == raccolte.size());
    const auto primoFallito = std::find(sole.begin(), sole.end(), std::nullopt);
    const qsizetype fallito = primoFallito - sole.begin();
    VERIFICA(esito.errori.size() == (primoFallito == sole.end() ? 0u : 1u));
    for (qsizetype i = 0; i < raccolte.size(); ++i)
        VERIFICA(esito.righe[i] == (i < fallito ? *sole[std::size_t(i)] : raccolte[i]));

    // Ordering the lines moves them and nothing else.
    QStringList ordinate = esito.righe;
    std::vector<int> errori;
    Ordina(ordinate, errori);
    VERIFICA(errori.empty());
    VERIFICA(ordinate.size() == esito.righe.size());
    for (qsizetype i = 1; i < ordinate.size(); ++i)
        VERIFICA(!PrimaInOrdine(ordinate[i], ordinate[i - 1]));
    QStringList a = ordinate, b = esito.righe;
    std::sort(a.begin(), a.end(), PrimaInOrdine);
    std::sort(b.begin(), b.end(), PrimaInOrdine);
    VERIFICA(a == b);

    // The rewritten text reads back as the same lines.
    VERIFICA(ListaTesto::RaccogliRighe(ListaTesto::TestoDaRighe(ordinate)) == ordinate);

    // Once the list is normalised and sorted, SORT settles within one more pass.
    if (esito.errori.empty()) {
        Esito seconda = Normalizza(ordinate, ingresso.locale);
        VERIFICA(seconda.errori.empty());
        Ordina(seconda.righe, errori);
        Esito terza = Normalizza(seconda.righe, ingresso.locale);
        VERIFICA(terza.errori.empty());
        Ordina(terza.righe, errori);
        VERIFICA(errori.empty());
        VERIFICA(terza.righe == seconda.righe);
    }
    return 0;
}
