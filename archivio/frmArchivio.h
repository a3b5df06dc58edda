#pragma once
// The archive of the real draws: read from the player's file, the list replayed over the
// chosen wheels and draws (spoglio) with what it would have paid (bilancio) and its running
// curve (andamento), the numbers' delays, and delayed numbers taken to the board.

#include "archivio/Archivio.h"
#include "common/Lavoro.h"
#include "verifica/Verifica.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace Apertura {
class LetturaFile;
}
class Etichetta;
class GraficoAndamento;
class ModelloRitardi;
class PulsanteComando;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFileDialog;
class QFrame;
class QPlainTextEdit;
class QProgressBar;
class QSortFilterProxyModel;
class QSpinBox;
class QTabWidget;
class QTableView;

class frmArchivio : public QDialog
{
    Q_OBJECT

public:
    // Selects the numbers, ascending, on the main window's board.
    using Seleziona = std::function<void(const std::vector<int> &numeri)>;
    // Runs the file window, as this window has set it up, and returns the files chosen.
    using ScegliFile = std::function<QStringList(QFileDialog &)>;
    // The replay, run off the window's thread: Archivio::Riproduci, or what stands in for it.
    using Riproduzione = std::function<bool(const Archivio::Dati &, const Verifica::Lista &, const Archivio::Scelta &,
                                            const Archivio::Giocata &, Archivio::Spogliato &, Avanzamento &)>;

    // `lista` is the list text as it stands when the window opens; `scegliFile` and `lettura` the file
    // window and the reading of files. The archive read last is read again at once; if it
    // cannot be, the message comes before the window.
    frmArchivio(const QString &lista, ScegliFile scegliFile, std::shared_ptr<Apertura::LetturaFile> lettura,
                Seleziona seleziona, QWidget *parent = nullptr, Riproduzione riproduci = Archivio::Riproduci);
    ~frmArchivio() override;

    QFrame *fraArchivio = nullptr;
    PulsanteComando *cmdApri = nullptr;
    Etichetta *lblArchivio = nullptr;
    Etichetta *lblRuote = nullptr;
    // The ten city wheels, then the Nazionale, which a bet on Tutte leaves out.
    std::array<QCheckBox *, Archivio::Ruote> chkRuota{};
    PulsanteComando *cmdTutte = nullptr;
    PulsanteComando *cmdNessuna = nullptr;
    Etichetta *lblUltime = nullptr;
    QSpinBox *spnUltime = nullptr;
    Etichetta *lblEstrazioni = nullptr;
    Etichetta *lblSorte = nullptr;
    QComboBox *cboSorte = nullptr; // estratto to cinquina
    Etichetta *lblPosta = nullptr;
    QDoubleSpinBox *spnPosta = nullptr; // euro
    Etichetta *lblPostaPer = nullptr;   // per line and wheel, or per line on Tutte
    PulsanteComando *cmdVerifica = nullptr;
    PulsanteComando *cmdRitardi = nullptr;
    PulsanteComando *cmdSeleziona = nullptr;
    QProgressBar *prgVerifica = nullptr;
    PulsanteComando *cmdAnnulla = nullptr;
    QTabWidget *tabRisultati = nullptr;
    QPlainTextEdit *txtSpoglio = nullptr;
    QTableView *tblRitardi = nullptr;
    GraficoAndamento *grfAndamento = nullptr;

    Archivio::Scelta Scelta() const;
    Archivio::Giocata Giocata() const;
    // Whether the replay is running.
    bool InCorso() const { return m_lavoro.InCorso(); }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;
    void done(int esito) override;

private:
    // What one replay works on and gives back, shared with its thread: the window changes
    // none of it while the replay runs.
    struct Corsa
    {
        std::shared_ptr<const Archivio::Dati> dati;
        std::shared_ptr<const Verifica::Lista> lista;
        Archivio::Scelta scelta;
        Archivio::Giocata giocata;
        Archivio::Spogliato esito;
        bool riuscita = false;
    };

    void cmdApri_Click();
    void cmdVerifica_Click();
    void cmdRitardi_Click();
    void cmdSeleziona_Click();
    void cmdAnnulla_Click();
    void VerificaFinita(Lavoro::Fine fine);
    void ImpostaRuote(quint16 ruote);
    void Ruote_Change();
    // Reads the archive at `percorso`; the refusal's message, empty when it was accepted.
    QString Leggi(const QString &percorso);
    void MostraArchivio();
    void Abilita();
    // Refuses a choice of no wheel; true when it did.
    bool RifiutaScelta();
    void CopiaRitardi();
    const Verifica::Lista &Righe();

    QString m_testoLista;
    std::shared_ptr<const Verifica::Lista> m_lista;
    ScegliFile m_scegliFile;
    std::shared_ptr<Apertura::LetturaFile> m_lettura;
    Seleziona m_seleziona;
    Riproduzione m_riproduci;
    // Replaced whole by an archive read anew, never changed in place: a replay keeps its own.
    std::shared_ptr<const Archivio::Dati> m_dati;
    QString m_percorso;
    ModelloRitardi *m_ritardi = nullptr;
    // The player picked a sorte: it is no longer chosen for the list.
    bool m_sorteScelta = false;
    QSortFilterProxyModel *m_ordinati = nullptr;
    std::shared_ptr<Corsa> m_corsa;
    // Declared last, so gone first: the work stops before anything it might read.
    Lavoro m_lavoro;
};

// Opens the window over `finestra`; returns when it has closed.
void RichiestaArchivio(const QString &lista, const frmArchivio::ScegliFile &scegliFile,
                       const std::shared_ptr<Apertura::LetturaFile> &lettura, const frmArchivio::Seleziona &seleziona,
                       QWidget *finestra);
