#pragma once
// The archive of the real draws: read from the player's file, the list replayed over the
// chosen wheels and draws (spoglio), the numbers' delays, and delayed numbers taken to the
// board.

#include "archivio/Archivio.h"
#include "verifica/Verifica.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace Apertura {
class LetturaFile;
}
class Etichetta;
class ModelloRitardi;
class PulsanteComando;
class QCheckBox;
class QFileDialog;
class QFrame;
class QPlainTextEdit;
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

    // `lista` is the list text as it stands when the window opens; `scegliFile` and `lettura` the file
    // window and the reading of files. The archive read last is read again at once; if it
    // cannot be, the message comes before the window.
    frmArchivio(const QString &lista, ScegliFile scegliFile, std::shared_ptr<Apertura::LetturaFile> lettura,
                Seleziona seleziona, QWidget *parent = nullptr);
    ~frmArchivio() override;

    QFrame *fraArchivio = nullptr;
    PulsanteComando *cmdApri = nullptr;
    Etichetta *lblArchivio = nullptr;
    Etichetta *lblRuote = nullptr;
    std::array<QCheckBox *, Archivio::Ruote> chkRuota{};
    PulsanteComando *cmdTutte = nullptr;
    PulsanteComando *cmdNessuna = nullptr;
    Etichetta *lblUltime = nullptr;
    QSpinBox *spnUltime = nullptr;
    Etichetta *lblEstrazioni = nullptr;
    PulsanteComando *cmdVerifica = nullptr;
    PulsanteComando *cmdRitardi = nullptr;
    PulsanteComando *cmdSeleziona = nullptr;
    QTabWidget *tabRisultati = nullptr;
    QPlainTextEdit *txtSpoglio = nullptr;
    QTableView *tblRitardi = nullptr;

    Archivio::Scelta Scelta() const;

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void cmdApri_Click();
    void cmdVerifica_Click();
    void cmdRitardi_Click();
    void cmdSeleziona_Click();
    void ImpostaRuote(bool scelte);
    // Reads the archive at `percorso`; the refusal's message, empty when it was accepted.
    QString Leggi(const QString &percorso);
    void MostraArchivio();
    void Abilita();
    // Refuses a choice of no wheel; true when it did.
    bool RifiutaScelta();
    void CopiaRitardi();
    const Verifica::Lista &Righe();

    QString m_testoLista;
    std::optional<Verifica::Lista> m_lista;
    ScegliFile m_scegliFile;
    std::shared_ptr<Apertura::LetturaFile> m_lettura;
    Seleziona m_seleziona;
    Archivio::Dati m_dati;
    QString m_percorso;
    ModelloRitardi *m_ritardi = nullptr;
    QSortFilterProxyModel *m_ordinati = nullptr;
};

// Opens the window over `finestra`; returns when it has closed.
void RichiestaArchivio(const QString &lista, const frmArchivio::ScegliFile &scegliFile,
                       const std::shared_ptr<Apertura::LetturaFile> &lettura, const frmArchivio::Seleziona &seleziona,
                       QWidget *finestra);
