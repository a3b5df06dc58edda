#pragma once
// The one window through which the program tells the user anything or asks a question.

#include "common/ArrayWidget.h"

#include <QDialog>

class Etichetta;
class PulsanteComando;
class QFrame;
class QLabel;

class frmMessage : public QDialog
{
    Q_OBJECT

public:
    explicit frmMessage(QWidget *parent = nullptr);

    QFrame *fraMessage = nullptr;
    QLabel *Image1 = nullptr;
    Etichetta *lblMessage = nullptr;
    ArrayWidget<PulsanteComando> cmdPulsante;

    // Window heights given in the layout are outer heights; this is the title bar and borders.
    static constexpr int BordiFinestra = 420;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void cmdPulsante_Click(int index);
    PulsanteComando *CaricaPulsante(int indice);

    bool m_scarica = false;
};

// The answers to a question asked with "NO,SI": the place of the button that closed it.
enum Risposta : qint16 {
    RispostaNo = 1,
    RispostaSi = 2,
};

// Shows `testo` ("|" breaks lines) with the buttons of `pulsanti` ("NO,SI"), modally,
// through the shared slots; returns gRisposta, the 1-based button that closed it.
qint16 RichiestaMessaggio(const QString &testo, const QString &pulsanti);

// Text of the user's own (a file name) as one line of a message: whole where it fits, else
// shortened in the middle to the dialog's width; "|" and control characters, which would
// break it into lines, shown as other characters.
QString RigaMessaggio(const QString &testo);

// A sentence of the program's that may quote the user's text (a field of a file) as lines of
// a message: broken at spaces where a line would not fit the dialog's width, a word longer
// than a line shortened, "|" and control characters shown as RigaMessaggio shows them.
QString RigheMessaggio(const QString &testo);
