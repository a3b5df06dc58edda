#pragma once
// Answers the program's modal dialogs from a timer, the way a user would, and
// records what each one showed.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

#include <QDialog>

struct DialogoVisto
{
    QString classe;
    QString titolo;
    QString testo;        // the message label, lines joined with "\n"
    QStringList pulsanti; // visible buttons, left to right
};

class RispondiDialoghi : public QObject
{
    Q_OBJECT

public:
    // Each modal dialog that opens is answered with the next caption in `risposte`
    // ("" clicks the first button); when they run out, the first button is clicked. A
    // progress window is answered only when the next caption is "ANNULLA".
    explicit RispondiDialoghi(QStringList risposte = {}, QObject *parent = nullptr);
    ~RispondiDialoghi() override;

    // Runs before the dialog is answered, e.g. to grab it or try to close it.
    std::function<void(QDialog *)> Ispeziona;

    QList<DialogoVisto> visti;

private:
    void Controlla();

    QStringList m_risposte;
    QTimer m_timer;
    QPointer<QDialog> m_ultimo;
};

DialogoVisto Descrivi(QDialog *dialogo);

// Delivers a close request as the window manager would (close box, Alt+F4);
// returns whether the window accepted it.
bool ChiudiComeUtente(QWidget *finestra);

// The context menu that a right click at `dove` on `widget` brings up: its entries as
// "text\tshortcut" ("text" alone when it has none), "-" for a separator. The menu is
// closed with nothing chosen.
QStringList VociMenuContestuale(QWidget *widget, QPoint dove);

// Writes a picture of the widget under the build folder, for a person to look at.
void Fotografa(QWidget *widget, const QString &nome);

class frmOmbrazio;
struct Ambiente;

// The main window as a user meets it: fresh globals, shown, exposed and active
// (keys and focus belong to the active window). Null if the window system refused.
std::unique_ptr<frmOmbrazio> ApriFinestra();
std::unique_ptr<frmOmbrazio> ApriFinestra(const Ambiente &ambiente);

// A board of `quantita` numbers, `perRiga` to a row, built with GENERA GRIGLIA, and the
// `celle` clicked on it in that order, as a player sets up a selection.
void Seleziona(frmOmbrazio &finestra, int quantita, int perRiga, const QList<int> &celle);
