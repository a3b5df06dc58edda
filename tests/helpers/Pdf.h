#pragma once
// A PDF read back by readers that are not Qt's: poppler's pdftotext, its text laid out as on
// the page, pages separated by form feeds; and pdftoppm, its pages as pictures.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

// The path by which a Linux program finds the file.
inline QString PercorsoPerLinux(const QString &percorso)
{
#ifdef Q_OS_WIN
    // Wine's own call, which its kernel32 exports for this.
    using Converti = char *(__cdecl *)(const wchar_t *);
    const auto converti =
        reinterpret_cast<Converti>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name"));
    if (!converti)
        return QString();
    char *unix = converti(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(percorso).utf16()));
    if (!unix)
        return QString();
    const QString risultato = QString::fromLocal8Bit(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return risultato;
#else
    return percorso;
#endif
}

// Runs a shell line of poppler's programs that reads the PDF `$1` and writes `$2.parziale`
// (Linux paths); true once that output is complete as `uscita`. Under Wine a Linux program
// starts as any other but is not waited for, nor its output read: its result is moved into
// place only once whole, and waited for as a file.
inline bool Poppler(const QString &comando, const QString &pdf, const QString &uscita)
{
    const QString riga = comando + QStringLiteral(" && mv $2.parziale $2");
    QFile::remove(uscita);
#ifdef Q_OS_WIN
    const QString sh = QStringLiteral("Z:/bin/sh");
#else
    const QString sh = QStringLiteral("/bin/sh");
#endif
    if (!QProcess::startDetached(sh, {QStringLiteral("-c"), riga, QStringLiteral("sh"), PercorsoPerLinux(pdf),
                                      PercorsoPerLinux(uscita)}))
        return false;
    return QTest::qWaitFor([&] { return QFileInfo::exists(uscita); }, 60000);
}

inline QString TestoPdf(const QString &percorso)
{
    const QString testo = percorso + QStringLiteral(".txt");
    if (!Poppler(QStringLiteral("pdftotext -layout $1 $2.parziale"), percorso, testo))
        return QStringLiteral("<pdftotext did not run>");
    QFile file(testo);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<pdftotext wrote nothing>");
    return QString::fromUtf8(file.readAll());
}

// The first page as a PNG beside the PDF, `dpi` dots per inch; its path, empty if none.
inline QString PrimaPaginaPng(const QString &percorso, int dpi)
{
    const QString png = percorso + QStringLiteral(".png");
    // pdftoppm adds the extension itself.
    const QString comando =
        QStringLiteral("pdftoppm -png -singlefile -r %1 $1 $2.parziale && mv $2.parziale.png $2.parziale").arg(dpi);
    return Poppler(comando, percorso, png) ? png : QString();
}
