#include "list/ListaDocumento.h"

#include "list/ListaTesto.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace ListaDocumento {

QString Testo(const QTextDocument &documento)
{
    QString testo;
    qsizetype lunghezza = 0;
    for (QTextBlock b = documento.begin(); b.isValid(); b = b.next())
        lunghezza += b.length() + 1;
    testo.reserve(lunghezza);
    for (QTextBlock b = documento.begin(); b.isValid(); b = b.next()) {
        if (b != documento.begin())
            testo += ListaTesto::FineRiga();
        const QString riga = b.text();
        // A line separator inside a paragraph shows as a line break, so it is one.
        if (riga.contains(QChar::LineSeparator))
            testo += QString(riga).replace(QChar::LineSeparator, ListaTesto::FineRiga());
        else
            testo += riga;
    }
    return testo;
}

bool Vuoto(const QTextDocument &documento)
{
    return documento.isEmpty();
}

namespace {

void CursoreAllaFine(QPlainTextEdit &lista)
{
    QTextCursor cursore = lista.textCursor();
    cursore.movePosition(QTextCursor::End);
    lista.setTextCursor(cursore);
    lista.ensureCursorVisible();
}

} // namespace

void Accoda(QPlainTextEdit &lista, const QString &testo)
{
    QTextCursor cursore(lista.document());
    cursore.movePosition(QTextCursor::End);
    cursore.beginEditBlock();
    cursore.insertText(testo);
    cursore.endEditBlock();
    CursoreAllaFine(lista);
}

void Sostituisci(QPlainTextEdit &lista, const QString &testo)
{
    QTextCursor cursore(lista.document());
    cursore.beginEditBlock();
    cursore.select(QTextCursor::Document);
    if (testo.isEmpty())
        cursore.removeSelectedText();
    else
        cursore.insertText(testo);
    cursore.endEditBlock();
    CursoreAllaFine(lista);
}

} // namespace ListaDocumento
