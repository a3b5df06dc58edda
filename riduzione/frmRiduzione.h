#pragma once
// Asks for a reduced system of the selection (numbers per line, the hits guaranteed, how
// many numbers are drawn, how long to look) and searches for it off the window's thread.

#include "common/Lavoro.h"
#include "condizioni/Condizioni.h"
#include "riduzione/Riduzione.h"

#include <QDialog>
#include <QElapsedTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Etichetta;
class PulsanteComando;
class QCheckBox;
class QComboBox;
class QFrame;
class QProgressBar;
class QSpinBox;

class frmRiduzione : public QDialog
{
    Q_OBJECT

public:
    using Ricerca = std::function<Riduzione::Esito(const Riduzione::Richiesta &, quint64 seme, qint64 passi,
                                                   Riduzione::Avanzamento &)>;
    using Controllo = std::function<bool(const std::vector<int> &numeri, const std::vector<Riduzione::Riga> &righe,
                                         int m, int p, Avanzamento &)>;

    // `numeri`: the selection, ascending, at least three. `ricerca` is the core's search and
    // `controllo` its check of the guarantee; a test hands in others.
    explicit frmRiduzione(std::vector<int> numeri, QWidget *parent = nullptr, Ricerca ricerca = Riduzione::Riduci,
                          Controllo controllo = Riduzione::Garantito);
    ~frmRiduzione() override;

    QFrame *fraRiduzione = nullptr;
    Etichetta *lblTitoloNumeri = nullptr;
    Etichetta *lblNumeri = nullptr;
    Etichetta *lblTitoloClasse = nullptr;
    QSpinBox *spnClasse = nullptr;
    Etichetta *lblTitoloGaranzia = nullptr;
    QComboBox *cboGaranzia = nullptr;
    Etichetta *lblTitoloEstratti = nullptr;
    QSpinBox *spnEstratti = nullptr;
    Etichetta *lblTitoloTempo = nullptr;
    QSpinBox *spnTempo = nullptr;
    QCheckBox *chkCondizionato = nullptr;
    Etichetta *lblSviluppo = nullptr;
    Etichetta *lblMinimo = nullptr;
    QProgressBar *prgTempo = nullptr;
    Etichetta *lblTrovate = nullptr;
    PulsanteComando *cmdRiduci = nullptr;
    PulsanteComando *cmdInLista = nullptr;
    PulsanteComando *cmdAnnulla = nullptr;

    Riduzione::Richiesta Scelta() const;
    // The player's conditions, for a board of `numeriGriglia` numbers: with them the window
    // offers to reduce only the conditioned development.
    void ImpostaCondizioni(const Condizioni::Impostazioni &condizioni, int numeriGriglia);
    bool Condizionato() const;
    // Whether a search, or the check of what it found, is running.
    bool InCorso() const { return m_lavoro.InCorso(); }
    // The system found, as list text; empty while there is none.
    QString Testo() const;

protected:
    void done(int esito) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Scelta_Change();
    void cmdRiduci_Click();
    void cmdAnnulla_Click();
    void Avanza(int millesimi);
    void RicercaFinita(Lavoro::Fine fine);
    void ControlloFinito(Lavoro::Fine fine);
    // The search or the check has ended, whatever it gave.
    void Concludi();
    // Refuses a request whose first system has `righe` lines, above what a list takes.
    void RifiutaPrimo(qint64 righe);
    // Starts the search of the conditioned development: the development first, then its
    // reduction, both off the window's thread.
    void RiduciCondizionato(const Riduzione::Richiesta &richiesta);
    // What every search starts with: nothing offered, the clock, the controls closed.
    void Prepara(const Riduzione::Richiesta &richiesta);
    // Abandons the search or the check, if one is running, and waits for it: nothing it
    // found is kept.
    void Ferma();
    void Abilita(bool scelte);
    void Offri(std::vector<Riduzione::Riga> righe, bool ottimo);
    void Scarta();
    void MostraTrovate(int righe, bool ottimo);

    std::vector<int> m_numeri;
    Ricerca m_ricerca;
    Controllo m_controllo;
    std::optional<Condizioni::Impostazioni> m_condizioni;
    int m_numeriGriglia = 90;
    // The conditioned development's lines, as places, while its system is searched and checked;
    // its size, or -1 while it is not known.
    std::shared_ptr<std::vector<Riduzione::Riga>> m_sviluppo;
    std::shared_ptr<std::atomic<qint64>> m_righeSviluppo;
    std::vector<Riduzione::Riga> m_righe;
    Riduzione::Richiesta m_richiesta; // what the search was asked

    // The search, then the check of what it found, each run in turn.
    Lavoro m_lavoro;
    std::shared_ptr<Riduzione::Avanzamento> m_avanzamento;
    bool m_inControllo = false;
    // Written by the work, read once it has ended.
    std::shared_ptr<Riduzione::Esito> m_esito;
    std::shared_ptr<bool> m_garantito;

    QElapsedTimer m_tempo;
    qint64 m_durata = 0;
    qint64 m_tempoMassimo = 0;
};

// Shows the dialog for `numeri`; the system chosen as list text, or empty when cancelled.
// With `condizioni`, those of a board of `numeriGriglia` numbers, the window also offers to
// reduce only the conditioned development.
QString RichiestaRiduzione(const std::vector<int> &numeri, QWidget *finestra,
                           const std::optional<Condizioni::Impostazioni> &condizioni = std::nullopt,
                           int numeriGriglia = 90);
