#include "list/Salvataggio.h"

#include "common/Windows1252.h"
#include "common/mFunzioni.h"
#include "dialogs/TestiErrore.h"
#include "list/Apertura.h"
#include "list/ListaTesto.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QStringTokenizer>

namespace Salvataggio {

using namespace mGestioneErrori;

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

int CodificaLista(const QString &testo, QByteArray &dati)
{
    // At most one byte per character, and the final line break the text may lack.
    dati.resize(testo.size() + 2);
    char *scrivi = dati.data();
    int numero = 0;
    int primaNonAscii = 0;
    for (QStringView riga : QStringTokenizer(testo, ListaTesto::FineRiga())) {
        ++numero;
        if (riga.isEmpty())
            continue;
        int oltreAscii = 0;
        for (QChar c : riga) {
            const int byte = Windows1252::Byte(c.unicode());
            // Besides what the code page lacks, control characters other than tab: opening
            // would take the file for one of another kind.
            if (byte < 0 || (byte < 0x20 && byte != '\t') || byte == 0x7F) {
                dati.clear();
                return numero;
            }
            oltreAscii |= byte & 0x80;
            *scrivi++ = char(byte);
        }
        if (oltreAscii && !primaNonAscii)
            primaNonAscii = numero;
        *scrivi++ = '\r';
        *scrivi++ = '\n';
    }
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
