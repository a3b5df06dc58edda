#pragma once
// The one mapping between the list box's document and the list text.
//
// Each paragraph of the document is one line of the list; the list text joins them
// with CR LF. Whatever breaks a line on screen breaks it in the list: Enter, a pasted
// CR LF, a pasted lone CR or lone LF, and Shift+Enter's line separator all become a
// paragraph break, so the list text never holds a lone CR or LF.
//
// Every change is one step of the box's own undo and redo: an append goes through a
// text cursor in one edit block, a replacement gives the box a new document.

#include <QString>

class QPlainTextEdit;
class QTextDocument;

namespace ListaDocumento {

QString Testo(const QTextDocument &documento);

// The list text is empty: the document holds no character at all.
bool Vuoto(const QTextDocument &documento);

// The list text holds a line with at least one character; false for line breaks alone.
bool HaRighe(const QTextDocument &documento);

// Appends `testo` at the end of the document without touching what is there, and
// leaves the caret at the end with nothing selected.
void Accoda(QPlainTextEdit &lista, const QString &testo);

// Appends `righe`, whole lines each ending in its line break, after the list's last line:
// a last line without its line break gets one first.
void AccodaRighe(QPlainTextEdit &lista, const QString &righe);

// Replaces the whole list with `testo`, leaving the caret at the end. The box then shows
// another document, and shows each again as the replacement is undone or redone.
void Sostituisci(QPlainTextEdit &lista, const QString &testo);

// Ctrl+Y and Ctrl+Shift+Z both redo on every desktop, whichever one the platform calls standard.
void TastiRipeti(QPlainTextEdit &lista);

} // namespace ListaDocumento
