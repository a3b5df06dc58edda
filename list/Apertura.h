#pragma once
// Reading list files back: the program's own saves first, text from other programs too.

#include <QByteArrayView>
#include <QString>
#include <QStringList>

class QFile;
class QFileInfo;
class QStorageInfo;

namespace Apertura {

// What one opening may add, over all the files chosen together: beyond it the list box
// would keep the window busy for more than about two seconds, or take over a gigabyte.
// Its cost grows with the lines, and with the characters of lines too long to fit.
constexpr qint64 DimensioneMassima = 8 * 1024 * 1024;
constexpr qint64 RigheMassime = 300000;

// A byte that makes a file no text: a control character other than tab, LF and CR.
bool NonTesto(unsigned char byte);

// Whether the bytes are read as UTF-8 rather than Windows-1252: they start with UTF-8's
// byte-order mark, or hold something beyond ASCII and are valid UTF-8.
bool LettiComeUtf8(QByteArrayView dati);

// Text from a file's bytes: UTF-8 after its byte-order mark, UTF-8 where `LettiComeUtf8`
// says so, Windows-1252 otherwise.
QString Decodifica(QByteArrayView dati);

// The list text of a file's bytes: every non-empty line exactly as stored, each followed by
// CR LF. Windows-1252 as the save writes it, unless the bytes start with a UTF-8 byte-order
// mark or are valid UTF-8 holding something beyond ASCII; CR LF, a lone LF and a lone CR
// each end a line. Returns 0, 13 when a byte is a control character other than tab, CR
// and LF or when bytes after a UTF-8 byte-order mark are not UTF-8 (the file is not
// text), or 101 when no line holds anything.
int TestoDaDati(QByteArrayView dati, QString &testo);

// The file operations whose failures must be told apart; tests replace them to inject one.
class LetturaFile
{
public:
    virtual ~LetturaFile() = default;
    virtual bool Apri(QFile &file);
    // Asked only after a failure, to name its cause.
    virtual bool Leggibile(const QFileInfo &file);
    virtual bool DiscoPronto(const QStorageInfo &disco);
};

// The bytes of the file at `percorso`, if it is a file of at most `massimo` bytes. Returns 0,
// 7 when it is larger, or the run-time error number that names why it cannot be read.
int LeggiByte(const QString &percorso, qint64 massimo, QByteArray &dati, LetturaFile &lettura);

// Reads the files in the order of their names and joins their list texts. Returns 0, or
// the run-time error number of the first file refused, whose path goes to `rifiutato`;
// `testo` is then empty, so nothing of a choice of files goes into the list unless all of
// it can.
int LeggiFile(QStringList percorsi, QString &testo, LetturaFile &lettura, QString &rifiutato);

} // namespace Apertura
