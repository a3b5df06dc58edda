// The main window's own actions and keys, whatever has the focus: F10 opens the usage
// notes, and each action (opening lists, saving, Verifica, the development and the reduction
// of the selection, the archive of the draws, the conditions, printing) has its shortcut and
// its entry at the top of the list's context menu.
// The list box's drops pass here too, on their way to the box.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "dialogs/frmInfo.h"

#include <QAction>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScopedValueRollback>

#include <memory>

namespace {

constexpr int TastoF10 = 121;

// The key codes of the original keyboard interface: F1 is 112, letters and digits are ASCII.
int CodiceTasto(int tastoQt)
{
    if (tastoQt >= Qt::Key_F1 && tastoQt <= Qt::Key_F24)
        return 112 + (tastoQt - Qt::Key_F1);
    if ((tastoQt >= Qt::Key_0 && tastoQt <= Qt::Key_9) || (tastoQt >= Qt::Key_A && tastoQt <= Qt::Key_Z))
        return tastoQt;
    return 0;
}

} // namespace

QAction *frmOmbrazio::NuovaAzione(const QString &testo, const QKeySequence &tasto, void (frmOmbrazio::*gestore)())
{
    auto *azione = new QAction(testo, this);
    azione->setShortcut(tasto);
    // Anywhere in the window, as the keys were before there were menus.
    azione->setShortcutContext(Qt::WindowShortcut);
    connect(azione, &QAction::triggered, this, gestore);
    addAction(azione);
    return azione;
}

void frmOmbrazio::CreaAzioni()
{
    mnuApri = NuovaAzione(QStringLiteral("Apri liste..."), QKeySequence(Qt::CTRL | Qt::Key_O), &frmOmbrazio::ApriListe);
    // Every desktop's save key does what the button does, question included.
    mnuSalva = NuovaAzione(QStringLiteral("Salva"), QKeySequence(Qt::CTRL | Qt::Key_S), &frmOmbrazio::cmdSalva_Click);
    mnuVerifica = NuovaAzione(QStringLiteral("Verifica..."), QKeySequence(Qt::CTRL | Qt::Key_E), &frmOmbrazio::ApriVerifica);
    // L for sviLuppa: a key that no platform gives the list for editing.
    mnuSviluppa = NuovaAzione(QStringLiteral("Sviluppa i selezionati..."), QKeySequence(Qt::CTRL | Qt::Key_L),
                              &frmOmbrazio::SviluppaSelezionati);
    // R for Riduci: GNOME and macOS call it Refresh and KDE Replace, which the list box does
    // not do; no platform makes it an edit.
    mnuRiduci = NuovaAzione(QStringLiteral("Riduci i selezionati..."), QKeySequence(Qt::CTRL | Qt::Key_R),
                            &frmOmbrazio::RiduciSelezionati);
    // K, free on Windows; X11 and macOS delete to the end of the line with it, which the
    // filter below keeps from the list box, as it does Ctrl+E.
    mnuArchivio =
        NuovaAzione(QStringLiteral("Archivio..."), QKeySequence(Qt::CTRL | Qt::Key_K), &frmOmbrazio::ApriArchivio);
    // C for Condizioni, with Shift since Ctrl+C copies: no platform binds Ctrl+Shift+C, and the
    // list box has no use for it.
    mnuCondizioni = NuovaAzione(QStringLiteral("Condizioni..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                                &frmOmbrazio::ApriCondizioni);
    // Every desktop prints with Ctrl+P; the list box has no use for it, nor for the PDF's key.
    mnuStampa = NuovaAzione(QStringLiteral("Stampa..."), QKeySequence(Qt::CTRL | Qt::Key_P), &frmOmbrazio::StampaLista);
    mnuEsportaPdf = NuovaAzione(QStringLiteral("Esporta PDF..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
                                &frmOmbrazio::EsportaPdf);

    txtLista->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(txtLista, &QWidget::customContextMenuRequested, this, &frmOmbrazio::txtLista_Menu);
    // A right click on a cell reaches the board, as cells have no menu of their own.
    Frame2->setContextMenuPolicy(Qt::ActionsContextMenu);
    Frame2->addAction(mnuSviluppa);
    Frame2->addAction(mnuRiduci);
    Frame2->addAction(mnuCondizioni);
}

void frmOmbrazio::txtLista_Menu(const QPoint &dove)
{
    // The program's own actions first, then the box's editing entries, in Qt's own words.
    const std::unique_ptr<QMenu> menu(txtLista->createStandardContextMenu(dove));
    QAction *primaModifica = menu->actions().value(0);
    menu->insertActions(primaModifica, {mnuApri, mnuSalva, mnuVerifica, mnuSviluppa, mnuRiduci, mnuArchivio,
                                          mnuCondizioni, mnuStampa, mnuEsportaPdf});
    menu->insertSeparator(primaModifica);
    menu->exec(txtLista->viewport()->mapToGlobal(dove));
}

bool frmOmbrazio::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() == QEvent::KeyRelease) {
        // Whatever comes after a release is a new press, even at the same address and time.
        // A release while the press is still being answered (the key let go while the notes
        // are open) belongs to that press, which still has its way up to make.
        if (!m_rispondendo)
            m_tastoVisto = {};
    } else if (evento->type() == QEvent::ShortcutOverride && oggetto->isWidgetType()
               && static_cast<QWidget *>(oggetto)->window() == this) {
        // The window's shortcuts come before the focused control's own use of the key: on
        // X11 the list box would take Ctrl+E to the end of the line.
        auto *tasto = static_cast<QKeyEvent *>(evento);
        const QKeySequence premuto(tasto->keyCombination());
        for (const QAction *azione : actions()) {
            if (azione->isEnabled() && azione->shortcut().matches(premuto) == QKeySequence::ExactMatch) {
                // Not overridden: the shortcut goes to the action.
                tasto->ignore();
                return true;
            }
        }
    } else if (evento->type() == QEvent::KeyPress && oggetto->isWidgetType()) {
        // A key press travels up from the focused control to the window; the window looks
        // at it once, at its first stop. The focus may move while the notes are open, so
        // the press itself is remembered rather than where it started.
        auto *widget = static_cast<QWidget *>(oggetto);
        const auto *tasto = static_cast<QKeyEvent *>(evento);
        const TastoVisto questo{evento, tasto->key(), tasto->timestamp()};
        if (widget->window() == this && !(questo == m_tastoVisto)) {
            m_tastoVisto = questo;
            const QScopedValueRollback<bool> rispondendo(m_rispondendo, true);
            Form_KeyDown(CodiceTasto(tasto->key()), tasto->modifiers());
        }
    } else if ((evento->type() == QEvent::DragEnter || evento->type() == QEvent::DragMove
                || evento->type() == QEvent::Drop)
               && txtLista && oggetto == txtLista->viewport()) {
        // Each of the three is a QDropEvent.
        if (txtLista_Rilascio(static_cast<QDropEvent *>(evento)))
            return true;
    }
    return QWidget::eventFilter(oggetto, evento);
}

void frmOmbrazio::keyPressEvent(QKeyEvent *event)
{
    // F10 has done its work by the time it arrives here, the focused control having
    // passed it on. Windows treats an F10 that nobody takes as its menu key, which
    // would swallow the next key, so the window takes it.
    if (event->key() == Qt::Key_F10) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmOmbrazio::Form_KeyDown(int keyCode, Qt::KeyboardModifiers shift)
{
    Q_UNUSED(shift);
    if (keyCode != TastoF10)
        return;
    gInformazione = QStringLiteral("OMBRAZIO COSTRUZIONE MATRICI:||")
        + QStringLiteral("1) - Generare la Griglia, dopo aver selezionato|")
        + QStringLiteral("sia quantità numerica, sia numeri per riga.||")
        + QStringLiteral("Modalità di costruzione:||")
        + QStringLiteral("Selezionare/deselezionare le caselle desiderate|")
        + QStringLiteral("con un semplice click del mouse.|")
        + QStringLiteral("La combinazione così formata, verrà elencata|")
        + QStringLiteral("nella Lista a destra, cliccando 'IN LISTA'||")
        + QStringLiteral("2) - Sortare e/o Salvare il lavoro finale.");
    RichiestaInformazione();
}
