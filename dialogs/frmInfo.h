#pragma once
// The usage notes, opened with F10 from the main window.

#include <QDialog>

class Etichetta;
class PulsanteComando;
class QFrame;
class QLabel;

class frmInfo : public QDialog
{
    Q_OBJECT

public:
    explicit frmInfo(QWidget *parent = nullptr);

    QFrame *fraInfo = nullptr;
    QLabel *Image1 = nullptr;
    Etichetta *lblInfo = nullptr;
    PulsanteComando *cmdInfo = nullptr;

private:
    void Form_Load();
};

// Shows gInformazione ("|" breaks lines) modally; returns when the dialog has closed.
void RichiestaInformazione();
