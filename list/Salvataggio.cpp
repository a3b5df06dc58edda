#include "list/Salvataggio.h"

#include "common/Windows1252.h"
#include "common/mFunzioni.h"
#include "common/NumeriErrore.h"
#include "list/Apertura.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace Salvataggio {

using namespace NumeriErrore;

namespace {

constexpr qint64 Blocco = 64 * 1024;

int ErroreScrittura(const QString &cartella, qint64 dimensione, ScritturaFile &scrittura)
{
    const QStorageInfo disco(cartella);
    if (!disco.isValid() || !disco.isReady())
        return ErrorePeriferica;
    if (scrittura.SpazioLibero(disco) < dimensione)
        return ErroreDiscoPieno;
    return ErroreIO;
}

} // namespace

QString CartellaSalvataggio(const QString &cartellaProgramma)
{
    return QDir(cartellaProgramma).filePath(QStringLiteral("Shared/Costruzioni"));
}

QString NomeFile(const QDateTime &adesso, qint16 quantita, const QLocale &locale)
{
    return mFunzioni::CodiceData(1, adesso, locale) + u'-'
        + QStringLiteral("%1").arg(quantita, 2, 10, QLatin1Char('0'));
}

int CodificaLista(QStringView testo, QByteArray &dati)
{
    // One pass over the text, straight into bytes: lists run to megabytes and are saved
    // with the user waiting. At most two bytes per character (a separator becomes CR LF),
    // and the final line break the text may lack; the pages never written are never touched.
    dati.resize(2 * testo.size() + 2);
    char *scrivi = dati.data();
    const char16_t *leggi = testo.utf16();
    const char16_t *const fine = leggi + testo.size();
    int numero = 1;
    int primaNonAscii = 0;
    bool vuota = true;
    int oltreAscii = 0;
    const auto chiudiRiga = [&] {
        if (!vuota) {
            *scrivi++ = '\r';
            *scrivi++ = '\n';
            if (oltreAscii && !primaNonAscii)
                primaNonAscii = numero;
        }
        vuota = true;
        oltreAscii = 0;
    };
    for (; leggi < fine; ++leggi) {
        const char16_t c = *leggi;
        if (c == u'\r' && leggi + 1 < fine && leggi[1] == u'\n') {
            chiudiRiga();
            ++numero;
            ++leggi;
            continue;
        }
        // Printable ASCII, what lists are made of, is its own byte.
        int byte = c;
        if (c < 0x20 || c >= 0x7F) {
            if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
                chiudiRiga();
                ++numero;
                continue;
            }
            byte = Windows1252::Byte(c);
            // Besides what the code page lacks: what opening would take for no text, and a
            // lone CR or LF, which would split the line.
            if (byte < 0 || Apertura::NonTesto(byte) || byte == '\r' || byte == '\n') {
                dati.clear();
                return numero;
            }
            oltreAscii |= byte & 0x80;
        }
        *scrivi++ = char(byte);
        vuota = false;
    }
    chiudiRiga();
    dati.truncate(scrivi - dati.constData());
    // Nothing in the bytes tells Windows-1252 from UTF-8. The rare list whose accents and
    // symbols happen to pair into UTF-8 ("PERCHÉ…") would come back changed: not written.
    if (primaNonAscii && Apertura::LettiComeUtf8(dati)) {
        dati.clear();
        return primaNonAscii;
    }
    return 0;
}

qint64 ScritturaFile::Scrivi(QIODevice &file, const char *dati, qint64 quanti)
{
    return file.write(dati, quanti);
}

bool ScritturaFile::Conferma(QSaveFile &file)
{
    return file.commit();
}

qint64 ScritturaFile::SpazioLibero(const QStorageInfo &disco)
{
    return disco.bytesAvailable();
}

int ScriviFile(const QString &percorso, const QByteArray &dati, ScritturaFile &scrittura)
{
    const QFileInfo destinazione(percorso);
    const QString cartella = destinazione.absolutePath();
    const QFileInfo infoCartella(cartella);
    if (!infoCartella.exists() || !infoCartella.isDir())
        return ErrorePercorso;
    if (destinazione.isDir())
        return ErroreAccesso;

    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        return infoCartella.isWritable() ? ErroreNomeFile : ErrorePermesso;

    for (qint64 fatti = 0; fatti < dati.size();) {
        const qint64 quanti = qMin(Blocco, dati.size() - fatti);
        const qint64 scritti = scrittura.Scrivi(file, dati.constData() + fatti, quanti);
        if (scritti <= 0) {
            // The temporary file still holds what was written: that is what filled the disk.
            const int errore = ErroreScrittura(cartella, dati.size() - fatti, scrittura);
            file.cancelWriting();
            return errore;
        }
        fatti += scritti;
    }
    // Flushing while the temporary file still exists lets a full disk be told apart.
    if (!file.flush()) {
        const int errore = ErroreScrittura(cartella, dati.size(), scrittura);
        file.cancelWriting();
        return errore;
    }
    if (!scrittura.Conferma(file))
        return ErroreScrittura(cartella, dati.size(), scrittura);
    return 0;
}

} // namespace Salvataggio
