#include "archivio/Archivio.h"

#include "common/NumeriErrore.h"
#include "dialogs/TestiErrore.h"
#include "list/Apertura.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace Archivio {

namespace {

const char16_t *const Sigle[Ruote] = {u"BA", u"CA", u"FI", u"GE", u"MI", u"NA", u"PA", u"RM", u"TO", u"VE", u"RN"};
const char16_t *const Nomi[Ruote] = {u"Bari",   u"Cagliari", u"Firenze", u"Genova", u"Milano",   u"Napoli",
                                     u"Palermo", u"Roma",    u"Torino",  u"Venezia", u"Nazionale"};

// A row of the file as read, before the rows are put in order.
struct Riga
{
    QDate data;
    int ruota = 0;
    std::array<quint8, Estratti> numeri{};
    int linea = 0;
};

// A spreadsheet may put non-breaking spaces, plain or narrow, where it shows spaces.
bool Separatore(char16_t c)
{
    return c == u'\t' || c == u';' || c == u',' || c == u' ' || c == u'\u00A0' || c == u'\u202F';
}

bool Cifre(QStringView testo)
{
    return !testo.isEmpty() && std::all_of(testo.begin(), testo.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// What a date would look like, typos included: three parts between '/', '-' or '.', one of
// them all digits (1939/01/O7), or eight digits in a row. A line holding none is a header.
bool FormaDiData(QStringView campo)
{
    if (campo.size() == 8 && Cifre(campo))
        return true;
    for (QChar separatore : {u'/', u'-', u'.'}) {
        const QList<QStringView> parti = campo.split(separatore);
        if (parti.size() == 3 && std::none_of(parti.begin(), parti.end(), [](QStringView p) { return p.isEmpty(); })
            && std::any_of(parti.begin(), parti.end(), Cifre))
            return true;
    }
    return false;
}

// An unsigned run of ASCII digits, at most `cifre` of them; -1 for anything else.
int Intero(QStringView testo, int cifre)
{
    if (testo.isEmpty() || testo.size() > cifre)
        return -1;
    int valore = 0;
    for (QChar c : testo) {
        if (c < u'0' || c > u'9')
            return -1;
        valore = valore * 10 + (c.unicode() - u'0');
    }
    return valore;
}

enum class Forma { NonData, Data, Impossibile };

// yyyy/mm/dd, yyyy-mm-dd or dd/mm/yyyy, day and month with one digit or two.
Forma LeggiData(QStringView campo, QDate &data)
{
    QChar separatore = u'/';
    if (campo.indexOf(u'/') < 0) {
        if (campo.indexOf(u'-') < 0)
            return Forma::NonData;
        separatore = u'-';
    }
    const QList<QStringView> parti = campo.split(separatore);
    if (parti.size() != 3)
        return Forma::NonData;
    int anno;
    int mese;
    int giorno;
    if (parti[0].size() == 4) {
        anno = Intero(parti[0], 4);
        mese = Intero(parti[1], 2);
        giorno = Intero(parti[2], 2);
    } else if (separatore == u'/' && parti[2].size() == 4) {
        giorno = Intero(parti[0], 2);
        mese = Intero(parti[1], 2);
        anno = Intero(parti[2], 4);
    } else {
        return Forma::NonData;
    }
    if (anno < 0 || mese < 0 || giorno < 0)
        return Forma::NonData;
    data = QDate(anno, mese, giorno);
    return data.isValid() ? Forma::Data : Forma::Impossibile;
}

int LeggiRuota(QStringView campo)
{
    for (int r = 0; r < Ruote; ++r) {
        if (campo.compare(QStringView(Sigle[r]), Qt::CaseInsensitive) == 0
            || campo.compare(QStringView(Nomi[r]), Qt::CaseInsensitive) == 0)
            return r;
    }
    return -1;
}

QString DataTesto(const QDate &data)
{
    return data.toString(QStringLiteral("dd/MM/yyyy"));
}

// The fields of one line: runs of separators between them, none at the ends. At most
// `massimi` are kept; the count goes on.
int Campi(QStringView riga, std::array<QStringView, 8> &campi)
{
    int quanti = 0;
    qsizetype i = 0;
    const qsizetype fine = riga.size();
    while (i < fine) {
        while (i < fine && Separatore(riga[i].unicode()))
            ++i;
        if (i == fine)
            break;
        const qsizetype inizio = i;
        while (i < fine && !Separatore(riga[i].unicode()))
            ++i;
        if (quanti < int(campi.size()))
            campi[std::size_t(quanti)] = riga.sliced(inizio, i - inizio);
        ++quanti;
    }
    return quanti;
}

// One line's row, or the reason it is refused. The first line with anything in it may be a
// header, which is passed over, as long as no field of it looks like a date.
QString LeggiRiga(const std::array<QStringView, 8> &campi, int quanti, Riga &riga, bool prima, const QDate &oggi)
{
    if (prima && std::none_of(campi.begin(), campi.begin() + std::min<int>(quanti, int(campi.size())), FormaDiData)) {
        riga.data = QDate();
        return QString();
    }
    const Forma forma = LeggiData(campi[0], riga.data);
    if (forma == Forma::NonData)
        return QStringLiteral("%1 non è una data").arg(campi[0]);
    if (forma == Forma::Impossibile)
        return QStringLiteral("la data %1 non esiste").arg(campi[0]);
    if (riga.data > oggi)
        return QStringLiteral("la data %1 viene dopo oggi, %2").arg(campi[0], DataTesto(oggi));
    if (riga.data < PrimaEstrazione)
        return QStringLiteral("la data %1 è prima del %2, la prima estrazione del Lotto nazionale negli archivi storici")
            .arg(campi[0], DataTesto(PrimaEstrazione));
    if (quanti < 2)
        return QStringLiteral("manca la ruota");
    riga.ruota = LeggiRuota(campi[1]);
    if (riga.ruota < 0)
        return QStringLiteral("la ruota %1 non esiste").arg(campi[1]);
    if (quanti - 2 != Estratti)
        return QStringLiteral("servono %1 numeri, ce ne sono %2").arg(Estratti).arg(quanti - 2);
    for (int i = 0; i < Estratti; ++i) {
        const QStringView campo = campi[std::size_t(i + 2)];
        const int numero = Intero(campo, 3);
        if (numero < 0)
            return QStringLiteral("%1 non è un numero").arg(campo);
        if (numero < 1 || numero > 90)
            return QStringLiteral("il numero %1 non è tra 1 e 90").arg(campo);
        for (int j = 0; j < i; ++j) {
            if (riga.numeri[std::size_t(j)] == numero)
                return QStringLiteral("il numero %1 è ripetuto").arg(numero);
        }
        riga.numeri[std::size_t(i)] = quint8(numero);
    }
    return QString();
}

// A spreadsheet's "Testo Unicode" is UTF-16 after its byte-order mark; anything else is
// read as a list's file is, and refused where a list's file would be: a control character
// other than tab, CR and LF, or a UTF-8 mark over bytes that are not UTF-8.
bool Testo(QByteArrayView byte, QString &testo)
{
    const bool piccola = byte.startsWith("\xFF\xFE");
    if (piccola || byte.startsWith("\xFE\xFF")) {
        if (byte.size() % 2 != 0)
            return false;
        testo.resize(byte.size() / 2 - 1);
        const auto *b = reinterpret_cast<const uchar *>(byte.data()) + 2;
        for (qsizetype i = 0; i < testo.size(); ++i, b += 2)
            testo[i] = QChar(piccola ? char16_t(b[0] | b[1] << 8) : char16_t(b[0] << 8 | b[1]));
        return QStringView(testo).isValidUtf16()
            && std::none_of(testo.cbegin(), testo.cend(), [](QChar c) { return c.unicode() < 0x80 && Apertura::NonTesto(uchar(c.unicode())); });
    }
    if (std::any_of(byte.begin(), byte.end(), [](char c) { return Apertura::NonTesto(uchar(c)); }))
        return false;
    if (byte.startsWith("\xEF\xBB\xBF") && !byte.sliced(3).isValidUtf8())
        return false;
    testo = Apertura::Decodifica(byte);
    return true;
}

// What tells two rows of the same date and wheel apart: their order, or the numbers of the
// earlier one that this one has not, and this one's instead.
QString Differenza(const std::array<quint8, Estratti> &prima, const std::array<quint8, Estratti> &questa)
{
    const auto manca = [](const std::array<quint8, Estratti> &a, const std::array<quint8, Estratti> &b) {
        QStringList numeri;
        for (quint8 n : a) {
            if (std::find(b.begin(), b.end(), n) == b.end())
                numeri << QString::number(n);
        }
        return numeri.join(QStringLiteral(", "));
    };
    const QString soloPrima = manca(prima, questa);
    if (soloPrima.isEmpty())
        return QStringLiteral("gli stessi numeri in un altro ordine");
    return QStringLiteral("%1 al posto di %2").arg(soloPrima, manca(questa, prima));
}

} // namespace

QString Sigla(int ruota)
{
    return QString::fromUtf16(Sigle[ruota]);
}

QString Nome(int ruota)
{
    return QString::fromUtf16(Nomi[ruota]);
}

Lettura Leggi(QByteArrayView byte, const QString &nome, Dati &dati, QDate oggi)
{
    Lettura lettura;
    QString testo;
    if (!Testo(byte, testo)) {
        lettura.errore = NumeriErrore::ErroreNonTesto;
        return lettura;
    }
    std::vector<Riga> righe;
    righe.reserve(std::size_t(byte.size() / 24));
    bool intestazione = true;
    int linea = 0;
    const auto *caratteri = reinterpret_cast<const char16_t *>(testo.constData());
    for (qsizetype inizio = 0; inizio < testo.size();) {
        ++linea;
        // CR LF, a lone LF and a lone CR each end a line, as in a list's file.
        qsizetype fine = inizio;
        while (fine < testo.size() && caratteri[fine] != u'\n' && caratteri[fine] != u'\r')
            ++fine;
        const QStringView vista = QStringView(testo).sliced(inizio, fine - inizio);
        inizio = fine + (fine + 1 < testo.size() && caratteri[fine] == u'\r' && caratteri[fine + 1] == u'\n' ? 2 : 1);
        std::array<QStringView, 8> campi;
        const int quanti = Campi(vista, campi);
        if (quanti == 0)
            continue;
        Riga riga;
        riga.linea = linea;
        const QString motivo = LeggiRiga(campi, quanti, riga, intestazione, oggi);
        intestazione = false;
        if (!motivo.isEmpty()) {
            lettura.riga = linea;
            lettura.motivo = motivo;
            return lettura;
        }
        if (riga.data.isValid())
            righe.push_back(riga);
    }
    if (righe.empty()) {
        lettura.errore = NumeriErrore::ErroreFileVuoto;
        return lettura;
    }
    // By date and wheel, the file's order among equals: a row repeated as it stands is one row.
    std::stable_sort(righe.begin(), righe.end(), [](const Riga &a, const Riga &b) {
        return a.data != b.data ? a.data < b.data : a.ruota < b.ruota;
    });
    Dati letti;
    letti.nome = nome;
    for (std::size_t i = 0; i < righe.size(); ++i) {
        const Riga &riga = righe[i];
        if (i > 0 && righe[i - 1].data == riga.data && righe[i - 1].ruota == riga.ruota) {
            if (righe[i - 1].numeri == riga.numeri)
                continue;
            // The sort keeps the file's order among equals: the earlier line comes first.
            lettura.riga = riga.linea;
            lettura.motivo = QStringLiteral("%1 del %2 è già alla riga %3 con %4")
                                 .arg(Sigla(riga.ruota), DataTesto(riga.data))
                                 .arg(righe[i - 1].linea)
                                 .arg(Differenza(righe[i - 1].numeri, riga.numeri));
            return lettura;
        }
        if (letti.estrazioni.empty() || letti.estrazioni.back().data != riga.data) {
            letti.estrazioni.emplace_back();
            letti.estrazioni.back().data = riga.data;
        }
        Estrazione &estrazione = letti.estrazioni.back();
        estrazione.ruote |= quint16(1u << riga.ruota);
        estrazione.numeri[std::size_t(riga.ruota)] = riga.numeri;
        ++letti.righe;
    }
    dati = std::move(letti);
    return lettura;
}

Lettura LeggiFile(const QString &percorso, Dati &dati, Apertura::LetturaFile &lettura, QDate oggi)
{
    QByteArray byte;
    Lettura esito;
    esito.errore = Apertura::LeggiByte(percorso, DimensioneMassima, byte, lettura);
    if (esito.errore == NumeriErrore::ErroreMemoria)
        esito.motivo = QStringLiteral("Il file supera i %1 MiB, il massimo per un archivio").arg(DimensioneMassima >> 20);
    if (esito.errore != 0)
        return esito;
    return Leggi(byte, QFileInfo(percorso).fileName(), dati, oggi);
}

QString TestoRifiuto(const Lettura &lettura)
{
    if (lettura.riga != 0)
        return QStringLiteral("Riga %1: %2 ..!").arg(lettura.riga).arg(lettura.motivo);
    if (!lettura.motivo.isEmpty())
        return lettura.motivo + QStringLiteral(" ..!");
    return mGestioneErrori::TestoRifiutoLettura(lettura.errore);
}

QString Descrizione(const Dati &dati)
{
    if (dati.estrazioni.empty())
        return QString();
    return QStringLiteral("Archivio: %1, %2 estrazioni dal %3 al %4 (%5 ruote)")
        .arg(dati.nome)
        .arg(dati.estrazioni.size())
        .arg(DataTesto(dati.estrazioni.front().data), DataTesto(dati.estrazioni.back().data))
        .arg(dati.righe);
}

} // namespace Archivio
