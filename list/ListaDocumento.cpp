#include "list/ListaDocumento.h"

#include "list/ListaTesto.h"

#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace ListaDocumento {

QString Testo(const QTextDocument &documento)
{
    // The raw text is one copy of the document's characters, paragraphs separated by
    // U+2029. Widening each separator into CR LF in place, from the end backwards,
    // spares a string per block and a second copy of a list that can run to megabytes.
    QString testo = documento.toRawText();
    const qsizetype lunghezza = testo.size();
    qsizetype separatori = 0;
    for (QChar c : std::as_const(testo)) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            ++separatori;
    }
    if (separatori == 0)
        return testo;
    testo.resize(lunghezza + separatori);
    QChar *dati = testo.data();
    qsizetype scrivi = lunghezza + separatori;
    for (qsizetype leggi = lunghezza; leggi-- > 0;) {
        const QChar c = dati[leggi];
        // A line separator inside a paragraph shows as a line break, so it is one.
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            dati[--scrivi] = u'\n';
            dati[--scrivi] = u'\r';
        } else {
            dati[--scrivi] = c;
        }
    }
    return testo;
}

bool Vuoto(const QTextDocument &documento)
{
    return documento.isEmpty();
}

bool HaRighe(const QTextDocument &documento)
{
    // Usually answered by the first block, where collecting the lines would copy the list.
    for (QTextBlock b = documento.begin(); b.isValid(); b = b.next()) {
        const QString riga = b.text();
        // A line separator breaks the line in the list text; anything else is content.
        if (std::any_of(riga.cbegin(), riga.cend(), [](QChar c) { return c != QChar::LineSeparator; }))
            return true;
    }
    return false;
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

void AccodaRighe(QPlainTextEdit &lista, const QString &righe)
{
    // A trailing line separator already ends the line in the list text.
    const QString ultima = lista.document()->lastBlock().text();
    if (ultima.isEmpty() || ultima.endsWith(QChar::LineSeparator))
        Accoda(lista, righe);
    else
        Accoda(lista, ListaTesto::FineRiga() + righe);
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

void TastiRipeti(QPlainTextEdit &lista)
{
    // Where the platform already treats a sequence as redo the box takes the key itself
    // and the shortcut never fires, so each press redoes exactly once.
    for (const char *sequenza : {"Ctrl+Y", "Ctrl+Shift+Z"}) {
        auto *tasto = new QShortcut(QKeySequence(QString::fromLatin1(sequenza)), &lista);
        tasto->setContext(Qt::WidgetShortcut);
        QObject::connect(tasto, &QShortcut::activated, &lista, &QPlainTextEdit::redo);
    }
}

} // namespace ListaDocumento
