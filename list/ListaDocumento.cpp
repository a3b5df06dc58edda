#include "list/ListaDocumento.h"

#include "list/ListaTesto.h"

#include <QAbstractUndoItem>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <memory>

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

// One replacement of the whole list: the box, and its document before and after.
struct Scambio
{
    QPointer<QPlainTextEdit> lista;
    QPointer<QTextDocument> prima;
    QPointer<QTextDocument> dopo;
    bool sciolto = false;
};

// The replacement as one step in the history of each of its documents: undone in the one
// after, it shows the one before; redone in the one before, the one after. Each document
// keeps its own history, so the document shown again takes the same step as well, and its
// history stands where it stood when the box left it.
class Passaggio : public QAbstractUndoItem
{
public:
    Passaggio(std::shared_ptr<Scambio> scambio, bool nelDopo)
        : m_scambio(std::move(scambio))
        , m_nelDopo(nelDopo)
    {
    }

    ~Passaggio() override
    {
        // Dropped from its document's history: the other document, and any reached only
        // through it, can no longer be shown. Its own step, going with it, leaves this one.
        if (m_scambio->sciolto)
            return;
        m_scambio->sciolto = true;
        if (QTextDocument *altro = m_nelDopo ? m_scambio->prima : m_scambio->dopo)
            altro->deleteLater();
    }

    void undo() override
    {
        if (m_nelDopo && Mostra(m_scambio->prima))
            m_scambio->prima->undo();
    }

    void redo() override
    {
        if (!m_nelDopo && Mostra(m_scambio->dopo))
            m_scambio->dopo->redo();
    }

private:
    bool Mostra(QTextDocument *documento)
    {
        QPlainTextEdit *lista = m_scambio->lista;
        if (!lista || !documento || m_scambio->sciolto)
            return false;
        lista->setDocument(documento);
        CursoreAllaFine(*lista);
        return true;
    }

    std::shared_ptr<Scambio> m_scambio;
    bool m_nelDopo;
};

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
    // Taking a long list out through the history, block by block, costs as much again as
    // writing it: the box takes a new document, and the old one waits whole for undo.
    QTextDocument *prima = lista.document();
    // The box deletes a document of its own when it takes another.
    prima->setParent(&lista);
    auto *dopo = new QTextDocument(&lista);
    dopo->setDocumentLayout(new QPlainTextDocumentLayout(dopo));
    dopo->setDefaultFont(prima->defaultFont());
    dopo->setDefaultTextOption(prima->defaultTextOption());
    dopo->setDocumentMargin(prima->documentMargin());
    // Taken while empty: the box lays out anew every block of a document it takes.
    lista.setDocument(dopo);
    dopo->setPlainText(testo);
    const auto scambio = std::make_shared<Scambio>(Scambio{&lista, prima, dopo});
    prima->appendUndoItem(new Passaggio(scambio, false));
    dopo->appendUndoItem(new Passaggio(scambio, true));
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
