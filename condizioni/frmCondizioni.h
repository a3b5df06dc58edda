#pragma once
// The player's conditions: set in the window, counted live on the list, applied to the list
// (FILTRA) or to a development of the board's selection, kept in a file and remembered.

#include "common/Lavoro.h"
#include "condizioni/Condizioni.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace Apertura {
class LetturaFile;
}
namespace Salvataggio {
class ScritturaFile;
}
class Etichetta;
class PulsanteComando;
class QCheckBox;
class QFileDialog;
class QFrame;
class QLineEdit;
class QProgressBar;
class QRadioButton;
class QSpinBox;

class frmCondizioni : public QDialog
{
    Q_OBJECT

public:
    // Runs the file window, as this window has set it up, and returns the files chosen.
    using ScegliFile = std::function<QStringList(QFileDialog &)>;
    // The conditioned development, Condizioni::Sviluppa unless a test hands in another.
    using FunzioneSviluppo = std::function<Condizioni::Sviluppato(
        const Condizioni::Impostazioni &, const std::vector<int> &, int k, Avanzamento &)>;

    // The files of conditions: the file window, their reading and writing, and the folder the
    // window opens on.
    struct File
    {
        ScegliFile scegli;
        std::shared_ptr<Apertura::LetturaFile> lettura;
        std::shared_ptr<Salvataggio::ScritturaFile> scrittura;
        QString cartella;
    };

    // What the list is to become once the window has closed.
    struct Esito
    {
        enum Azione { Nessuna, Sostituisci, Accoda };
        Azione azione = Nessuna;
        QString testo;     // the whole new list, or the lines to append
        QString messaggio; // to be said once the list has changed, or empty
    };

    // `lista`: the list text, or the list box's raw text. `selezione`: the board's selection,
    // ascending; `numeriGriglia` the board's size. The last conditions remembered are set.
    frmCondizioni(QString lista, std::vector<int> selezione, int numeriGriglia, File file, QWidget *parent = nullptr,
                  FunzioneSviluppo sviluppo = {});
    ~frmCondizioni() override;

    QFrame *fraCondizioni = nullptr;
    Etichetta *lblCondizione = nullptr;
    Etichetta *lblNumeriGruppo = nullptr;
    Etichetta *lblMinimo = nullptr;
    Etichetta *lblMassimo = nullptr;
    // One row for each condition, in the order of Condizioni::Condizione.
    std::array<QCheckBox *, Condizioni::Quante> chkCondizione{};
    std::array<QLineEdit *, Condizioni::GruppiMassimi> txtGruppo{};
    std::array<PulsanteComando *, Condizioni::GruppiMassimi> cmdGriglia{};
    std::array<Etichetta *, Condizioni::Quante - Condizioni::GruppiMassimi> lblMisura{};
    std::array<QSpinBox *, Condizioni::Quante> spnMinimo{};
    std::array<QSpinBox *, Condizioni::Quante> spnMassimo{};
    Etichetta *lblCombinazione = nullptr;
    QRadioButton *optTutte = nullptr;
    QRadioButton *optAlmeno = nullptr;
    QSpinBox *spnAlmeno = nullptr;
    Etichetta *lblAlmeno = nullptr;

    QFrame *fraLista = nullptr;
    Etichetta *lblConteggio = nullptr;
    QCheckBox *chkScarta = nullptr;
    PulsanteComando *cmdFiltra = nullptr;

    QFrame *fraSviluppo = nullptr;
    Etichetta *lblSelezione = nullptr;
    Etichetta *lblTitoloClasse = nullptr;
    QSpinBox *spnClasse = nullptr;
    QProgressBar *prgSviluppo = nullptr;
    PulsanteComando *cmdSviluppa = nullptr;

    PulsanteComando *cmdSalva = nullptr;
    PulsanteComando *cmdApri = nullptr;
    PulsanteComando *cmdAnnulla = nullptr;

    // The conditions as the controls set them. False, with the first group whose numbers do
    // not read named in `errore` as the message says it, when they cannot be read.
    bool Impostazioni(Condizioni::Impostazioni &impostazioni, QString *errore = nullptr) const;
    // Sets the controls to `impostazioni`; conditions not set show their whole range.
    void Mostra(const Condizioni::Impostazioni &impostazioni);

    // Whether the development is running; the live count runs on its own.
    bool InCorso() const { return m_sviluppo.InCorso(); }
    bool ConteggioInCorso() const { return m_conteggio.InCorso(); }
    const Esito &Risultato() const { return m_esito; }

protected:
    void done(int esito) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void CostruisciRighe(const QFont &didascalie);
    void CostruisciAzioni(const QFont &didascalie);
    void Condizione_Change();
    void Conta();
    void ConteggioFinito(Lavoro::Fine fine);
    void cmdGriglia_Click(int gruppo);
    void cmdFiltra_Click();
    void cmdSviluppa_Click();
    void SviluppoFinito(Lavoro::Fine fine);
    void cmdAnnulla_Click();
    void cmdSalva_Click();
    void cmdApri_Click();
    void Abilita(bool scelte);
    // The conditions, read from the controls and checked for a board of `numeriGriglia`;
    // false, with the refusal said, when they do not pass.
    bool Pronte(Condizioni::Impostazioni &impostazioni, int numeriGriglia);
    void Ricorda();

    QString m_lista;
    std::vector<int> m_selezione;
    int m_numeriGriglia = 0;
    File m_file;
    FunzioneSviluppo m_funzioneSviluppo;
    Esito m_esito;

    // The live count: a change while one runs stops it, and the next starts once it has stopped.
    Lavoro m_conteggio;
    std::shared_ptr<Condizioni::Conteggio> m_risultatoConteggio;
    bool m_daRicontare = false;
    bool m_caricando = false;

    Lavoro m_sviluppo;
    // Written by the work, read once it has ended.
    std::shared_ptr<Condizioni::Sviluppato> m_sviluppato;
};

// Opens the window over `finestra`; what the list is to become once it has closed.
// The conditions the window remembers from its last use, none when nothing is kept.
std::optional<Condizioni::Impostazioni> CondizioniRicordate();

frmCondizioni::Esito RichiestaCondizioni(const QString &lista, const std::vector<int> &selezione, int numeriGriglia,
                                         const frmCondizioni::File &file, QWidget *finestra);
