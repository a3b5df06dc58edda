// F10 in the main window opens the usage notes.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "dialogs/frmInfo.h"

#include <QApplication>
#include <QKeyEvent>

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

bool frmOmbrazio::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() == QEvent::KeyPress && oggetto->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(oggetto);
        // A key press travels up from the focused control; the window looks at it once, first.
        QWidget *fuoco = QApplication::focusWidget();
        const bool primaConsegna = fuoco ? widget == fuoco : widget == this;
        if (primaConsegna && widget->window() == this) {
            const auto *tasto = static_cast<QKeyEvent *>(evento);
            Form_KeyDown(CodiceTasto(tasto->key()), tasto->modifiers());
        }
    }
    return QWidget::eventFilter(oggetto, evento);
}

void frmOmbrazio::Form_KeyDown(int keyCode, Qt::KeyboardModifiers)
{
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
