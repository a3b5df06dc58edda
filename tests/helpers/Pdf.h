#pragma once
// A PDF read back by readers that are not Qt's: poppler's pdftotext, its text laid out as on
// the page, pages separated by form feeds; and pdftoppm, its pages as pictures.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

// Runs one of poppler's programs in `cartella`, on files named relative to it.
inline bool Poppler(const QString &programma, const QStringList &argomenti, const QString &cartella)
{
    QProcess processo;
    processo.setWorkingDirectory(cartella);
#ifdef Q_OS_WIN
    // Under Wine a Linux program starts as any other, in the folder given, but its output
    // never reaches a Windows pipe: it writes files, named relative to that folder.
    processo.start(QStringLiteral("Z:/usr/bin/") + programma, argomenti);
#else
    processo.start(programma, argomenti);
#endif
    return processo.waitForFinished(60000);
}

inline QString TestoPdf(const QString &percorso)
{
    const QFileInfo pdf(percorso);
    const QString testo = pdf.fileName() + QStringLiteral(".testo");
    if (!Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf.fileName(), testo}, pdf.absolutePath()))
        return QStringLiteral("<pdftotext did not run>");
    QFile file(QDir(pdf.absolutePath()).filePath(testo));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<pdftotext wrote nothing>");
    return QString::fromUtf8(file.readAll());
}

// The first page as a PNG beside the PDF, `dpi` dots per inch; its path, empty if none.
inline QString PrimaPaginaPng(const QString &percorso, int dpi)
{
    const QFileInfo pdf(percorso);
    const QString radice = pdf.completeBaseName() + QStringLiteral("-pagina");
    Poppler(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-r"), QString::number(dpi),
             pdf.fileName(), radice},
            pdf.absolutePath());
    const QString png = QDir(pdf.absolutePath()).filePath(radice + QStringLiteral(".png"));
    return QFileInfo::exists(png) ? png : QString();
}
