#include "list/Apertura.h"

#include "common/Windows1252.h"
#include "common/NumeriErrore.h"
#include "list/ListaTesto.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace Apertura {

using namespace NumeriErrore;

namespace {

const QByteArrayView Bom("\xEF\xBB\xBF", 3);

// The non-empty lines, each followed by CR LF; CR LF, lone CR and lone LF all end a line.
QString Righe(QString testo)
{
    const auto *leggi = reinterpret_cast<const char16_t *>(testo.constData());
    const qsizetype fine = testo.size();
    qsizetype soli = 0; // lone CRs and LFs, each to become CR LF
    bool vuote = false;
    bool aCapo = true;
    for (qsizetype i = 0; i < fine; ++i) {
        if (leggi[i] != u'\r' && leggi[i] != u'\n') {
            aCapo = false;
            continue;
        }
        if (leggi[i] == u'\r' && i + 1 < fine && leggi[i + 1] == u'\n')
            ++i;
        else
            ++soli;
        vuote = vuote || aCapo;
        aCapo = true;
    }
    // The save's own form needs nothing, or the break of a last line without one.
    if (soli == 0 && !vuote) {
        if (!aCapo)
            testo += ListaTesto::FineRiga();
        return testo;
    }
    // Every line kept gains at most one character for its break, the last one at most two.
    QString righe(fine + soli + 2, Qt::Uninitialized);
    auto *scrivi = reinterpret_cast<char16_t *>(righe.data());
    const char16_t *const inizioScritti = scrivi;
    qsizetype inizio = 0;
    for (qsizetype i = 0; i <= fine; ++i) {
        if (i < fine && leggi[i] != u'\r' && leggi[i] != u'\n')
            continue;
        if (i > inizio) {
            scrivi = std::copy(leggi + inizio, leggi + i, scrivi);
            *scrivi++ = u'\r';
            *scrivi++ = u'\n';
        }
        if (i + 1 < fine && leggi[i] == u'\r' && leggi[i + 1] == u'\n')
            ++i;
        inizio = i + 1;
    }
    righe.truncate(scrivi - inizioScritti);
    return righe;
}

// The storage that holds the path, or would hold it: that of the nearest folder that exists.
QStorageInfo Disco(const QFileInfo &file)
{
    QString cartella = file.absolutePath();
    while (!QFileInfo::exists(cartella)) {
        const QString sopra = QFileInfo(cartella).absolutePath();
        if (sopra == cartella)
            break;
        cartella = sopra;
    }
    return QStorageInfo(cartella);
}

int ErroreDi(const QString &percorso, LetturaFile &lettura)
{
    // Looked at afresh: the failure may come from what has just changed there.
    const QFileInfo file(percorso);
    if (!file.exists())
        return lettura.DiscoPronto(Disco(file)) ? ErroreFileMancante : ErrorePeriferica;
    if (!file.isDir() && !lettura.Leggibile(file))
        return ErrorePermesso;
    return lettura.DiscoPronto(Disco(file)) ? ErroreAccesso : ErrorePeriferica;
}

// What is left of the limits for the files still to be read.
struct Restanti
{
    qint64 byte = DimensioneMassima;
    qint64 righe = RigheMassime;
};

int LeggiUno(const QString &percorso, QString &testo, Restanti &restanti, LetturaFile &lettura)
{
    QByteArray dati;
    if (const int errore = LeggiByte(percorso, restanti.byte, dati, lettura))
        return errore;
    restanti.byte -= dati.size();
    if (const int errore = TestoDaDati(dati, testo))
        return errore;
    restanti.righe -= testo.count(ListaTesto::FineRiga());
    return restanti.righe < 0 ? ErroreMemoria : 0;
}

} // namespace

QString Decodifica(QByteArrayView dati)
{
    if (dati.startsWith(Bom))
        return QString::fromUtf8(dati.sliced(Bom.size()));
    if (LettiComeUtf8(dati))
        return QString::fromUtf8(dati);
    return Windows1252::Decodifica(dati);
}

int LeggiByte(const QString &percorso, qint64 massimo, QByteArray &dati, LetturaFile &lettura)
{
    dati.clear();
    // Folders, devices and pipes are no files to read; a pipe could also keep the reading waiting.
    const QFileInfo info(percorso);
    if (!info.isFile())
        return ErroreDi(percorso, lettura);
    if (info.size() > massimo)
        return ErroreMemoria;
    QFile file(percorso);
    if (!lettura.Apri(file))
        return ErroreDi(percorso, lettura);
    // As much as the file holds, not the whole limit at once; then no further than the
    // limit, as the file may have grown since its size was asked.
    const qint64 attesi = qMin(info.size(), massimo) + 1;
    dati = file.read(attesi);
    if (dati.size() == attesi && attesi <= massimo)
        dati += file.read(massimo + 1 - attesi);
    if (file.error() != QFileDevice::NoError) {
        dati.clear();
        return ErroreDi(percorso, lettura);
    }
    if (dati.size() > massimo) {
        dati.clear();
        return ErroreMemoria;
    }
    return 0;
}

bool NonTesto(unsigned char byte)
{
    // Tab, LF and CR belong to text; any other control character means a file of another kind.
    return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7F;
}

bool LettiComeUtf8(QByteArrayView dati)
{
    if (dati.startsWith(Bom))
        return true;
    // ASCII reads alike either way. Beyond it, bytes that are valid UTF-8 are taken for it:
    // Windows-1252 text seldom is, unless it is UTF-8 once misread as Windows-1252.
    if (std::none_of(dati.begin(), dati.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        return false;
    return dati.isValidUtf8();
}

int TestoDaDati(QByteArrayView dati, QString &testo)
{
    testo.clear();
    if (std::any_of(dati.begin(), dati.end(), [](char c) { return NonTesto(static_cast<unsigned char>(c)); }))
        return ErroreNonTesto;
    // The mark promises UTF-8: bytes that break the promise would open as replacement
    // characters, which no save could write back.
    if (dati.startsWith(Bom) && !dati.sliced(Bom.size()).isValidUtf8())
        return ErroreNonTesto;
    testo = Righe(Decodifica(dati));
    return testo.isEmpty() ? ErroreFileVuoto : 0;
}

bool LetturaFile::Apri(QFile &file)
{
    return file.open(QIODevice::ReadOnly);
}

bool LetturaFile::Leggibile(const QFileInfo &file)
{
    return file.isReadable();
}

bool LetturaFile::DiscoPronto(const QStorageInfo &disco)
{
    return disco.isValid() && disco.isReady();
}

int LeggiFile(QStringList percorsi, QString &testo, LetturaFile &lettura, QString &rifiutato)
{
    testo.clear();
    rifiutato.clear();
    // By file name as a file window lists them, capitals or not; the whole path breaks ties.
    std::sort(percorsi.begin(), percorsi.end(), [](const QString &a, const QString &b) {
        const int nome = QFileInfo(a).fileName().compare(QFileInfo(b).fileName(), Qt::CaseInsensitive);
        return nome != 0 ? nome < 0 : a < b;
    });
    // The limits hold for the choice as a whole: it all goes into the one list.
    Restanti restanti;
    QString righe;
    for (const QString &percorso : std::as_const(percorsi)) {
        if (const int errore = LeggiUno(percorso, righe, restanti, lettura)) {
            testo.clear();
            rifiutato = percorso;
            return errore;
        }
        testo += righe;
    }
    return 0;
}

} // namespace Apertura
