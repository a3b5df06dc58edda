#include "common/mFunzioni.h"

#include "common/NumeriErrore.h"

#include <algorithm>
#include <array>
#include <new>
#include <vector>

namespace mFunzioni {

void ImpostaDefault(qint16 &valore, qint16 minimo, qint16 predefinito)
{
    if (valore < minimo)
        valore = predefinito;
}

QString FormattaNumero(qint64 valore, const QLocale &locale)
{
    // Grouping is on by default in QLocale, which is what the "#,###,##0" mask asks.
    QLocale conGruppi = locale;
    conGruppi.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return conGruppi.toString(valore);
}

void DisponiControlli(int primo, int ultimo, int perRiga, int spazioOrizzontale, int spazioVerticale,
                      bool impostaCaption, bool portaDavanti, ArrayControlli &array)
{
    const QRect riferimento = array.Geometria(primo);
    qint32 top = riferimento.y();
    qint32 left = riferimento.x();
    int k = primo;
    int nellaRiga = 0;
    for (int i = primo; i <= ultimo; ++i) {
        ++nellaRiga;
        if (k > array.UBound())
            array.Carica(k);
        array.Sposta(k, left, top);
        if (portaDavanti)
            array.PortaDavanti(k);
        array.Mostra(k);
        if (impostaCaption)
            array.ImpostaCaption(k, QString::number(k));
        const QRect g = array.Geometria(k);
        left = g.x() + g.width() + spazioOrizzontale;
        ++k;
        if (nellaRiga == perRiga) {
            const QRect r = array.Geometria(primo);
            top = top + r.height() + spazioVerticale;
            nellaRiga = 0;
            left = r.x();
        }
    }
}

namespace {

using namespace NumeriErrore;

bool Cifra(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int LeggiCifre(QStringView s, int da)
{
    while (da < s.size() && Cifra(s[da]))
        ++da;
    return da;
}

} // namespace

int ConvertiToken(QStringView token, qint16 &valore, const QLocale &locale)
{
    int i = 0;
    const bool negativo = token.startsWith(u'-');
    if (negativo)
        i = 1;
    const int inizioIntero = i;
    const int fineIntero = LeggiCifre(token, i);
    if (fineIntero == inizioIntero)
        return ErroreIncompatibilita;

    int inizioFrazione = fineIntero;
    int fineFrazione = fineIntero;
    if (fineIntero < token.size()) {
        const QString separatoreLocale = locale.decimalPoint();
        const QStringView resto = token.mid(fineIntero);
        int lunghezzaSeparatore = 0;
        if (resto.startsWith(u'.'))
            lunghezzaSeparatore = 1;
        else if (!separatoreLocale.isEmpty() && resto.startsWith(separatoreLocale))
            lunghezzaSeparatore = int(separatoreLocale.size());
        if (lunghezzaSeparatore == 0)
            return ErroreIncompatibilita;
        inizioFrazione = fineIntero + lunghezzaSeparatore;
        fineFrazione = LeggiCifre(token, inizioFrazione);
        if (fineFrazione == inizioFrazione || fineFrazione != token.size())
            return ErroreIncompatibilita;
    }

    int primaSignificativa = inizioIntero;
    while (primaSignificativa < fineIntero - 1 && token[primaSignificativa] == u'0')
        ++primaSignificativa;
    // Six significant digits already exceed the range; stop before int overflows.
    if (fineIntero - primaSignificativa > 6)
        return ErroreOverflow;
    qint32 assoluto = 0;
    for (int c = primaSignificativa; c < fineIntero; ++c)
        assoluto = assoluto * 10 + (token[c].unicode() - u'0');

    if (fineFrazione > inizioFrazione) {
        const int primaCifra = token[inizioFrazione].unicode() - u'0';
        bool restoNonNullo = false;
        for (int c = inizioFrazione + 1; c < fineFrazione; ++c)
            restoNonNullo = restoNonNullo || token[c] != u'0';
        if (primaCifra > 5 || (primaCifra == 5 && (restoNonNullo || assoluto % 2 == 1)))
            ++assoluto;
    }

    const qint32 risultato = negativo ? -assoluto : assoluto;
    if (risultato < -32768 || risultato > 32767)
        return ErroreOverflow;
    valore = qint16(risultato);
    return 0;
}

QString CampoNumero(int valore)
{
    QString cifre = QString::number(qAbs(qint64(valore)));
    if (cifre.size() < 2)
        cifre.prepend(u'0');
    if (valore < 0)
        cifre.prepend(u'-');
    return cifre;
}

namespace {

// A line made only of two-digit fields ("01 05 12"), as "IN LISTA" writes it. Each such
// field reads as a number that is written back as the same two characters, so the
// rebuilt line is just its fields in text order, and no field needs converting.
bool SoloCampiDueCifre(QStringView riga)
{
    if (riga.size() % 3 != 2)
        return false;
    for (qsizetype i = 0; i < riga.size(); ++i) {
        if (i % 3 == 2 ? riga[i] != u' ' : !Cifra(riga[i]))
            return false;
    }
    return true;
}

// Puts the two-digit fields of such a line in text order in place; a line already in
// order, the usual case, is not touched and keeps sharing its text.
void OrdinaCampi(QString &riga, std::vector<quint32> &chiavi)
{
    const qsizetype campi = (riga.size() + 1) / 3;
    const QChar *leggi = riga.constData();
    chiavi.resize(std::size_t(campi));
    // Two code units compared one after the other, as a single number.
    for (qsizetype k = 0; k < campi; ++k)
        chiavi[std::size_t(k)] = quint32(leggi[3 * k].unicode()) << 16 | leggi[3 * k + 1].unicode();
    if (std::is_sorted(chiavi.begin(), chiavi.end()))
        return;
    std::sort(chiavi.begin(), chiavi.end());
    QChar *scrivi = riga.data();
    for (qsizetype k = 0; k < campi; ++k) {
        scrivi[3 * k] = QChar(char16_t(chiavi[std::size_t(k)] >> 16));
        scrivi[3 * k + 1] = QChar(char16_t(chiavi[std::size_t(k)] & 0xFFFF));
    }
}

} // namespace

void OrdinaNumeri(QStringList &righe, const SegnalaErrore &segnala, const QLocale &locale)
{
    std::vector<QStringView> token;
    std::vector<quint32> chiavi;
    QString ricostruita;
    try {
        for (QString &riga : righe) {
            if (SoloCampiDueCifre(riga)) {
                OrdinaCampi(riga, chiavi);
                continue;
            }
            token.clear();
            for (QStringView t : QStringView(riga).tokenize(u' '))
                token.push_back(t);
            std::sort(token.begin(), token.end(),
                      [](QStringView a, QStringView b) { return a.compare(b) < 0; });
            ricostruita.clear();
            for (QStringView t : token) {
                qint16 valore = 0;
                if (const int errore = ConvertiToken(t, valore, locale)) {
                    // The line keeps the text it was typed with: nothing of it is lost.
                    segnala(errore);
                    return;
                }
                ricostruita += CampoNumero(valore);
                ricostruita += u' ';
            }
            ricostruita.chop(1);
            riga = ricostruita;
        }
    } catch (const std::bad_alloc &) {
        segnala(ErroreMemoria);
    }
}

void OrdinaRighe(QStringList &righe, const SegnalaErrore &segnala)
{
    try {
        // By UTF-16 code unit, with no locale, as QString's operator< compares. The first
        // sixteen code units of each line, packed four to a number (a line that ends sooner
        // padded with 0, which never orders it after a longer one), settle nearly every
        // comparison without reaching into the lines' own memory; lines alike that far are
        // compared whole.
        constexpr qsizetype Unita = 16;
        struct Chiave
        {
            std::array<quint64, Unita / 4> testa;
            qsizetype indice;
        };
        const QStringList &lette = righe;
        std::vector<Chiave> chiavi(std::size_t(lette.size()));
        for (qsizetype i = 0; i < lette.size(); ++i) {
            const QString &riga = lette[i];
            Chiave &chiave = chiavi[std::size_t(i)];
            chiave.testa.fill(0);
            for (qsizetype j = 0; j < Unita; ++j)
                chiave.testa[std::size_t(j / 4)] =
                    chiave.testa[std::size_t(j / 4)] << 16 | (j < riga.size() ? riga[j].unicode() : 0u);
            chiave.indice = i;
        }
        std::sort(chiavi.begin(), chiavi.end(), [&lette](const Chiave &a, const Chiave &b) {
            if (a.testa != b.testa)
                return a.testa < b.testa;
            return lette[a.indice] < lette[b.indice];
        });
        QStringList ordinate;
        ordinate.reserve(righe.size());
        for (const Chiave &chiave : chiavi)
            ordinate.append(std::move(righe[chiave.indice]));
        righe = std::move(ordinate);
    } catch (const std::bad_alloc &) {
        segnala(ErroreMemoria);
    }
}

namespace {

// The locale's time format with seconds, without any time-zone text.
QString FormatoOra(const QLocale &locale)
{
    const QString formato = locale.timeFormat(QLocale::LongFormat);
    QString senzaZona;
    bool traApici = false;
    for (QChar c : formato) {
        if (c == u'\'')
            traApici = !traApici;
        if (!traApici && c == u't')
            continue;
        senzaZona += c;
    }
    return senzaZona.simplified();
}

bool AmmessoNelNome(QChar c)
{
    if (c.unicode() < 0x20 || c.unicode() == 0x7F)
        return false;
    // Path separators and the characters that Windows refuses in a name.
    static const QString vietati = QStringLiteral("/\\:<>\"|?*");
    return !vietati.contains(c);
}

} // namespace

QString CodiceData(qint16 flag, const QDateTime &adesso, const QLocale &locale)
{
    QString codice = QStringLiteral("%1").arg(adesso.date().dayOfYear(), 3, 10, QLatin1Char('0'));
    if (flag == 1) {
        const QString ora = locale.toString(adesso.time(), FormatoOra(locale));
        for (QChar c : ora) {
            if (AmmessoNelNome(c))
                codice += c;
        }
    }
    return codice;
}

} // namespace mFunzioni
