#pragma once
// Asks how many numbers each line of the development holds, showing how many lines it gives.

#include <QDialog>

#include <vector>

class Etichetta;
class PulsanteComando;
class QFrame;
class QSpinBox;

class frmSviluppo : public QDialog
{
    Q_OBJECT

public:
    // `numeri`: the selection, ascending, at least two.
    explicit frmSviluppo(std::vector<int> numeri, QWidget *parent = nullptr);

    QFrame *fraSviluppo = nullptr;
    Etichetta *lblTitoloNumeri = nullptr;
    Etichetta *lblNumeri = nullptr;
    Etichetta *lblTitoloClasse = nullptr;
    QSpinBox *spnClasse = nullptr;
    Etichetta *lblRighe = nullptr;
    PulsanteComando *cmdSviluppa = nullptr;
    PulsanteComando *cmdAnnulla = nullptr;

    // The numbers per line chosen, once accepted.
    int Classe() const;

private:
    void spnClasse_Change();
    void cmdSviluppa_Click();

    std::vector<int> m_numeri;
};

// Shows the dialog for `numeri`; the numbers per line chosen, or 0 when it was cancelled.
int RichiestaSviluppo(const std::vector<int> &numeri, QWidget *finestra);
