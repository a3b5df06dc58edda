// The conditions as a few lines of text that a person can read and edit, in a file of their
// own and among the settings.

#include "condizioni/Condizioni.h"

#include "common/NumeriErrore.h"
#include "list/Apertura.h"
#include "list/Salvataggio.h"

#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace Condizioni {

namespace {

constexpr int Giro = 90;
const char16_t *const NomeCombinazione = u"Combinazione";

QString Intervallo(const Limiti &l)
{
    return QStringLiteral("da %1 a %2").arg(l.minimo).arg(l.massimo);
}

} // namespace

QString ScriviGruppo(const std::vector<int> &gruppo)
{
    QStringList parti;
    for (std::size_t i = 0; i < gruppo.size();) {
        std::size_t j = i;
        while (j + 1 < gruppo.size() && gruppo[j + 1] == gruppo[j] + 1)
            ++j;
        if (j >= i + 2) {
            parti.append(QStringLiteral("%1-%2").arg(gruppo[i]).arg(gruppo[j]));
            i = j + 1;
        } else {
            parti.append(QString::number(gruppo[i]));
            ++i;
        }
    }
    return parti.join(u' ');
}

namespace {

// The lines that say the conditions, without the comment.
QStringList Righe(const Impostazioni &impostazioni)
{
    QStringList righe;
    for (int g = 0; g < GruppiMassimi; ++g) {
        const Limiti &l = impostazioni.limiti[std::size_t(Gruppo1 + g)];
        const std::vector<int> &gruppo = impostazioni.gruppi[std::size_t(g)];
        if (!l.attiva && gruppo.empty())
            continue;
        QString riga = Nome(Gruppo1 + g) + QStringLiteral(": ") + ScriviGruppo(gruppo);
        if (l.attiva)
            riga += QStringLiteral("; ") + Intervallo(l);
        righe.append(riga);
    }
    for (int c = Somma; c < Quante; ++c) {
        const Limiti &l = impostazioni.limiti[std::size_t(c)];
        if (l.attiva)
            righe.append(Nome(c) + QStringLiteral(": ") + Intervallo(l));
    }
    righe.append(QString::fromUtf16(NomeCombinazione) + QStringLiteral(": ")
                 + (impostazioni.almeno > 0 ? QStringLiteral("almeno %1").arg(impostazioni.almeno) : QStringLiteral("tutte")));
    return righe;
}

// A name as the file may write it: in capitals or not, with spaces or without.
QString Chiave(QStringView nome)
{
    QString chiave;
    for (QChar c : nome) {
        if (!c.isSpace())
            chiave += c.toLower();
    }
    return chiave;
}

// A word or number as the message names it: a long one cut short.
QString Citato(QStringView testo)
{
    constexpr qsizetype Mostrati = 24;
    return testo.size() <= Mostrati ? testo.toString() : testo.first(Mostrati - 1).toString() + QChar(0x2026);
}

// A whole number in ASCII digits, at most nine of them that count.
std::optional<int> Intero(QStringView testo)
{
    if (testo.isEmpty())
        return std::nullopt;
    qint64 valore = 0;
    for (QChar c : testo) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        valore = std::min<qint64>(valore * 10 + (c.unicode() - u'0'), 1000000000);
    }
    return int(valore);
}

QString NonNumero(QStringView parola)
{
    return QStringLiteral("%1 non è un numero").arg(Citato(parola));
}

// "da 2 a 4", or one number for both; the reason it does not read, or an empty string.
QString LeggiIntervallo(int condizione, QStringView testo, Limiti &limiti)
{
    const QList<QStringView> parole = testo.split(u' ', Qt::SkipEmptyParts);
    const QString forma = QStringLiteral("scrivere da minimo a massimo, come: da 2 a 4");
    QStringView minimo;
    QStringView massimo;
    if (parole.size() == 1) {
        minimo = massimo = parole[0];
    } else if (parole.size() == 4 && parole[0].compare(u"da", Qt::CaseInsensitive) == 0
               && parole[2].compare(u"a", Qt::CaseInsensitive) == 0) {
        minimo = parole[1];
        massimo = parole[3];
    } else {
        return forma;
    }
    limiti.attiva = true;
    for (const auto &[parola, valore, quale] :
         {std::tuple{minimo, &limiti.minimo, "minimo"}, std::tuple{massimo, &limiti.massimo, "massimo"}}) {
        const std::optional<int> numero = Intero(parola);
        if (!numero)
            return NonNumero(parola);
        if (*numero < ValoreMinimo(condizione) || *numero > ValoreMassimo(condizione))
            return QStringLiteral("il %1 di %2 va da %3 a %4")
                .arg(QLatin1String(quale), Nome(condizione))
                .arg(ValoreMinimo(condizione))
                .arg(ValoreMassimo(condizione));
        *valore = *numero;
    }
    if (limiti.minimo > limiti.massimo)
        return QStringLiteral("il minimo (%1) supera il massimo (%2)").arg(limiti.minimo).arg(limiti.massimo);
    return QString();
}

} // namespace

QString LeggiGruppo(QStringView testo, std::vector<int> &numeri)
{
    // Typed in a field or pasted, the numbers may come with tabs and line breaks as well.
    const QString separati = testo.toString().replace(u',', u' ').simplified();
    Verifica::Numeri visti;
    for (QStringView parola : QStringView(separati).split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype trattino = parola.indexOf(u'-');
        const QStringView primo = trattino < 0 ? parola : parola.first(trattino);
        const QStringView ultimo = trattino < 0 ? parola : parola.sliced(trattino + 1);
        const std::optional<int> da = Intero(primo);
        const std::optional<int> a = Intero(ultimo);
        if (!da || !a)
            return NonNumero(parola);
        for (int n : {*da, *a}) {
            if (n < 1 || n > Giro)
                return QStringLiteral("il numero %1 non è tra 1 e %2").arg(n).arg(Giro);
        }
        if (*da > *a)
            return QStringLiteral("in %1 il primo numero supera l'ultimo").arg(Citato(parola));
        for (int n = *da; n <= *a; ++n)
            visti.Aggiungi(n);
    }
    numeri = visti.Elenco();
    return QString();
}

QString Testo(const Impostazioni &impostazioni)
{
    QString testo = QStringLiteral(
        "# Condizioni di Ombrazio: una riga per condizione, Nome: da minimo a massimo.\r\n"
        "# I gruppi coi loro numeri prima: Gruppo 1: 1-15 20 22; da 2 a 3\r\n");
    for (const QString &riga : Righe(impostazioni))
        testo += riga + QStringLiteral("\r\n");
    return testo;
}

Lettura Leggi(QStringView testo, Impostazioni &impostazioni)
{
    Lettura lettura;
    Impostazioni lette;
    std::array<int, Quante + 1> dove{}; // the line of each name read, the combination last
    int linea = 0;
    const auto rifiuta = [&](const QString &motivo) {
        lettura.riga = linea;
        lettura.motivo = motivo;
        return lettura;
    };
    for (QStringView riga : testo.split(u'\n')) {
        ++linea;
        riga = riga.trimmed();
        if (riga.isEmpty() || riga.startsWith(u'#'))
            continue;
        const qsizetype duePunti = riga.indexOf(u':');
        if (duePunti < 0)
            return rifiuta(QStringLiteral("manca il segno : dopo il nome"));
        const QStringView nome = riga.first(duePunti).trimmed();
        const QStringView valore = riga.sliced(duePunti + 1).trimmed();
        const QString chiave = Chiave(nome);
        int quale = -1;
        for (int c = 0; c <= Quante && quale < 0; ++c) {
            if (chiave == Chiave(c < Quante ? Nome(c) : QString::fromUtf16(NomeCombinazione)))
                quale = c;
        }
        if (quale < 0)
            return rifiuta(QStringLiteral("%1 non è una condizione").arg(Citato(nome)));
        if (dove[std::size_t(quale)] != 0)
            return rifiuta(QStringLiteral("%1 è già alla riga %2").arg(Citato(nome)).arg(dove[std::size_t(quale)]));
        dove[std::size_t(quale)] = linea;

        if (quale == Quante) {
            const QList<QStringView> parole = valore.split(u' ', Qt::SkipEmptyParts);
            std::optional<int> almeno;
            if (parole.size() == 1 && parole[0].compare(u"tutte", Qt::CaseInsensitive) == 0)
                almeno = 0;
            else if (parole.size() == 2 && parole[0].compare(u"almeno", Qt::CaseInsensitive) == 0)
                almeno = Intero(parole[1]);
            if (!almeno || (parole.size() == 2 && *almeno < 1))
                return rifiuta(QStringLiteral("scrivere tutte, oppure almeno e un numero"));
            lette.almeno = *almeno;
            continue;
        }
        Limiti &limiti = lette.limiti[std::size_t(quale)];
        QString motivo;
        if (quale < Gruppo1 + GruppiMassimi) {
            std::vector<int> &gruppo = lette.gruppi[std::size_t(quale - Gruppo1)];
            const qsizetype puntoEVirgola = valore.indexOf(u';');
            motivo = LeggiGruppo(puntoEVirgola < 0 ? valore : valore.first(puntoEVirgola), gruppo);
            if (motivo.isEmpty() && puntoEVirgola >= 0)
                motivo = LeggiIntervallo(quale, valore.sliced(puntoEVirgola + 1), limiti);
            if (motivo.isEmpty() && limiti.attiva && limiti.minimo > int(gruppo.size()))
                motivo = QStringLiteral("il gruppo ha %1, il minimo è %2")
                             .arg(gruppo.size() == 1 ? QStringLiteral("1 numero")
                                                     : QStringLiteral("%1 numeri").arg(gruppo.size()))
                             .arg(limiti.minimo);
        } else {
            motivo = LeggiIntervallo(quale, valore, limiti);
        }
        if (!motivo.isEmpty())
            return rifiuta(motivo);
    }
    if (lette.almeno > Impostate(lette)) {
        linea = dove[Quante];
        return rifiuta(QStringLiteral("almeno %1, ma le condizioni sono %2").arg(lette.almeno).arg(Impostate(lette)));
    }
    impostazioni = std::move(lette);
    return lettura;
}

QString MessaggioRiga(const Lettura &lettura)
{
    return QStringLiteral("Riga %1: %2 ..!").arg(lettura.riga).arg(lettura.motivo);
}

int Salva(const QString &percorso, const Impostazioni &impostazioni, Salvataggio::ScritturaFile &scrittura)
{
    return Salvataggio::ScriviFile(percorso, Testo(impostazioni).toLatin1(), scrittura);
}

Lettura Apri(const QString &percorso, Impostazioni &impostazioni, Apertura::LetturaFile &lettura)
{
    Lettura esito;
    QByteArray dati;
    esito.errore = Apertura::LeggiByte(percorso, DimensioneFile, dati, lettura);
    if (esito.errore != 0)
        return esito;
    if (std::any_of(dati.cbegin(), dati.cend(), [](char c) { return Apertura::NonTesto(static_cast<unsigned char>(c)); })) {
        esito.errore = NumeriErrore::ErroreNonTesto;
        return esito;
    }
    return Leggi(Apertura::Decodifica(dati), impostazioni);
}

void Ricorda(QSettings &impostazioni, const QString &chiave, const Impostazioni &condizioni)
{
    impostazioni.setValue(chiave, Righe(condizioni));
}

bool Richiama(const QSettings &impostazioni, const QString &chiave, Impostazioni &condizioni)
{
    if (!impostazioni.contains(chiave))
        return false;
    return Leggi(impostazioni.value(chiave).toStringList().join(u'\n'), condizioni).Accettata();
}

} // namespace Condizioni
