#pragma once
// Writing the list file: its name, its bytes, and the write itself.

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringView>

class QIODevice;
class QSaveFile;
class QStorageInfo;

namespace Salvataggio {

// The folder beneath the program folder that receives the files; the program never creates it.
QString CartellaSalvataggio(const QString &cartellaProgramma);

// "036140509-36": day of the year, time of day, quantity; without the extension.
QString NomeFile(const QDateTime &adesso, qint16 quantita, const QLocale &locale = QLocale());

// The non-empty lines of the list text, each followed by CR LF, one Windows-1252 byte per
// character. Lines end at CR LF, and also at the paragraph and line separators of the
// list box's own text, which can so be saved without first becoming the list text.
// Returns 0, or the 1-based number (counted in the list text, empty lines included) of the
// first line that the file could not give back as it is when opened: a character the code
// page cannot hold, or a control character other than tab, which would make it no text;
// or, where the bytes as a whole would read as UTF-8, the first line beyond ASCII.
int CodificaLista(QStringView testo, QByteArray &dati);

// The file operations that can fail part way; tests replace them to inject a failure.
class ScritturaFile
{
public:
    virtual ~ScritturaFile() = default;
    virtual qint64 Scrivi(QIODevice &file, const char *dati, qint64 quanti);
    virtual bool Conferma(QSaveFile &file);
    // Asked only after a write has failed, to tell a full disk from other failures.
    virtual qint64 SpazioLibero(const QStorageInfo &disco);
};

// Replaces the file at `percorso` with `dati` as a whole or not at all.
// Returns 0, or the run-time error number of the failure.
int ScriviFile(const QString &percorso, const QByteArray &dati, ScritturaFile &scrittura);

} // namespace Salvataggio
