#include "list/Salvataggio.h"

#include "common/mFunzioni.h"
#include "list/ListaTesto.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QStringEncoder>
#include <QStringTokenizer>

namespace Salvataggio {

namespace {

constexpr int ErroreNomeFile = 52;
constexpr int ErroreIO = 57;
constexpr int ErroreDiscoPieno = 61;
constexpr int ErrorePeriferica = 68;
constexpr int ErrorePermesso = 70;
constexpr int ErroreAccesso = 75;
constexpr int ErrorePercorso = 76;

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

namespace {

// The non-empty lines of the list text, each followed by CR LF, straight into bytes.
// Lists are digits and spaces: while every character is ASCII it is its own byte in the
// code page, and neither the list of lines nor the converter is needed.
bool RigheAscii(const QString &testo, QByteArray &dati)
{
    // At most the text itself and the final line break it may lack.
    dati.resize(testo.size() + 2);
    char *scrivi = dati.data();
    for (QStringView riga : QStringTokenizer(testo, ListaTesto::FineRiga(), Qt::SkipEmptyParts)) {
        for (QChar c : riga) {
            if (c.unicode() > 0x7F) {
                dati.clear();
                return false;
            }
            *scrivi++ = char(c.unicode());
        }
        *scrivi++ = '\r';
        *scrivi++ = '\n';
    }
    dati.truncate(scrivi - dati.constData());
    return true;
}

} // namespace

int CodificaLista(const QString &testo, QByteArray &dati)
{
    if (RigheAscii(testo, dati))
        return 0;
    const QString righe = ListaTesto::TestoDaRighe(ListaTesto::RaccogliRighe(testo));
    // Stateless: a lone high surrogate at the end of a piece is an error, not something held back.
    QStringEncoder codifica("windows-1252", QStringConverter::Flag::Stateless);
    dati = codifica.encode(righe);
    if (!codifica.hasError())
        return 0;

    dati.clear();
    int numero = 0;
    for (QStringView riga : QStringTokenizer(testo, ListaTesto::FineRiga())) {
        ++numero;
        QStringEncoder prova("windows-1252", QStringConverter::Flag::Stateless);
        const QByteArray provata = prova.encode(riga);
        if (prova.hasError())
            return numero;
    }
    // The whole text failed but no line alone does: blame the last one rather than write.
    return numero;
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
