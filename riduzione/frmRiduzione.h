#pragma once
// Asks for a reduced system of the selection (numbers per line, the hits guaranteed, how
// many numbers are drawn, how long to look) and searches for it off the window's thread.

#include "riduzione/Riduzione.h"
#include "verifica/Verifica.h"

#include <QDialog>
#include <QElapsedTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class Etichetta;
class PulsanteComando;
class QComboBox;
class QFrame;
class QProgressBar;
class QSpinBox;
class QTimer;

class frmRiduzione : public QDialog
{
    Q_OBJECT

public:
    using Ricerca = std::function<Riduzione::Esito(const Riduzione::Richiesta &, quint64 seme, qint64 passi,
                                                   Riduzione::Avanzamento &)>;

    // `numeri`: the selection, ascending, at least three. `ricerca` is the core's search; a
    // test hands in another.
    explicit frmRiduzione(std::vector<int> numeri, QWidget *parent = nullptr, Ricerca ricerca = Riduzione::Riduci);
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
    Etichetta *lblSviluppo = nullptr;
    Etichetta *lblMinimo = nullptr;
    QProgressBar *prgTempo = nullptr;
    Etichetta *lblTrovate = nullptr;
    PulsanteComando *cmdRiduci = nullptr;
    PulsanteComando *cmdInLista = nullptr;
    PulsanteComando *cmdAnnulla = nullptr;

    Riduzione::Richiesta Scelta() const;
    // Whether a search, or the check of what it found, is running.
    bool InCorso() const { return m_lavoro.joinable(); }
    // The system found, as list text; empty while there is none.
    QString Testo() const;

protected:
    void done(int esito) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Scelta_Change();
    void cmdRiduci_Click();
    void cmdAnnulla_Click();
    void Avanza();
    void RicercaFinita();
    // Abandons the search, if one is running, and waits for it: nothing it found is kept.
    void Ferma();
    void Abilita(bool scelte);
    void Offri(std::vector<Riduzione::Riga> righe, bool ottimo);
    void Scarta();
    void MostraTrovate(int righe, bool ottimo);

    std::vector<int> m_numeri;
    Ricerca m_ricerca;
    std::vector<Riduzione::Riga> m_righe;
    Riduzione::Richiesta m_richiesta; // what the search was asked

    // Shared with the worker; each search has its own.
    std::thread m_lavoro;
    std::unique_ptr<Riduzione::Avanzamento> m_avanzamento;
    std::unique_ptr<Verifica::Avanzamento> m_controllo;
    std::atomic<bool> m_inControllo{false};
    std::atomic<bool> m_finita{false};
    // Written by the worker, read once it has ended.
    Riduzione::Esito m_esito;
    bool m_garantito = false;
    bool m_memoriaEsaurita = false;
    std::atomic<qint64> m_durata{0};

    QTimer *m_orologio = nullptr;
    QElapsedTimer m_tempo;
    qint64 m_tempoMassimo = 0;
};

// Shows the dialog for `numeri`; the system chosen as list text, or empty when cancelled.
QString RichiestaRiduzione(const std::vector<int> &numeri, QWidget *finestra);
