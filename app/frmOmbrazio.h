#pragma once
// The main window: the board, the two steppers, the counter, the list and its buttons.

#include "app/mDichiarazioni.h"
#include "common/ArrayWidget.h"
#include "grid/Griglia.h"
#include "list/Apertura.h"
#include "list/Salvataggio.h"
#include "verifica/Verifica.h"

#include <QDateTime>
#include <QFrame>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace Stampa {
struct Voce;
}

class QAction;
class QKeySequence;
class Etichetta;
class PulsanteComando;
class QDropEvent;
class QFileDialog;
class QPlainTextEdit;
class QPrinter;

// Shows the dialog and returns the files chosen in it; none when it is cancelled.
QStringList ScegliFileDiSistema(QFileDialog &dialogo);
// What SALVA, printing and the export say of a list without a line.
const QString &MessaggioListaVuota();

// Shows the system's print dialog over `finestra`; whether a printer was chosen.
bool ScegliStampanteDiSistema(QPrinter &stampante, QWidget *finestra);

// What the window takes from the system; tests hand in their own.
struct Ambiente
{
    std::function<QDateTime()> Orologio;
    QString CartellaProgramma;
    std::shared_ptr<Salvataggio::ScritturaFile> Scrittura;
    // Runs the open dialog, as the window has set it up, and returns the files chosen.
    std::function<QStringList(QFileDialog &)> ScegliFile = ScegliFileDiSistema;
    std::shared_ptr<Apertura::LetturaFile> Lettura = std::make_shared<Apertura::LetturaFile>();
    std::function<bool(QPrinter &, QWidget *)> ScegliStampante = ScegliStampanteDiSistema;
    // The guarantee that a printed page's header gives, and how long printing waits for it.
    std::function<bool(const Verifica::Lista &, Verifica::Garanzia &, Verifica::Avanzamento &)> Garanzia =
        Verifica::CalcolaGaranzia;
    int AttesaGaranzia = 2000;

    static Ambiente DiSistema();
};

class frmOmbrazio : public QWidget
{
    Q_OBJECT

    // First, since its cells are among the controls below.
    Griglia m_griglia{gCaselle};

public:
    explicit frmOmbrazio(Ambiente ambiente = Ambiente::DiSistema(), QWidget *parent = nullptr);
    ~frmOmbrazio() override;

    // Controls, under the names and indices of the layout.
    QFrame *Frame2 = nullptr;
    ArrayWidget<CellaNumero> &lblNumero = m_griglia.Celle();
    QFrame *Frame9 = nullptr;
    ArrayWidget<Etichetta> Label11;
    Etichetta *lblSelezionati = nullptr;
    PulsanteComando *cmdCancella = nullptr;
    ArrayWidget<QFrame> Frame3;
    Etichetta *lblNumeriMenoMeno = nullptr;
    Etichetta *lblNumeriMeno = nullptr;
    Etichetta *lblNumeri = nullptr;
    Etichetta *lblNumeriPiu = nullptr;
    Etichetta *lblNumeriPiuPiu = nullptr;
    Etichetta *lblSaltoMeno = nullptr;
    Etichetta *lblSalto = nullptr;
    Etichetta *lblSaltoPiu = nullptr;
    ArrayWidget<QFrame> Frame7;
    PulsanteComando *cmdCostruisci = nullptr;
    Etichetta *lblDelete = nullptr;
    QPlainTextEdit *txtLista = nullptr;
    QFrame *Frame1 = nullptr;
    PulsanteComando *cmdSort = nullptr;
    PulsanteComando *cmdSalva = nullptr;
    PulsanteComando *cmdInLista = nullptr;

    // The window's own actions: a shortcut anywhere in the window, and an entry of the
    // list's context menu.
    QAction *mnuApri = nullptr;
    QAction *mnuSalva = nullptr;
    QAction *mnuVerifica = nullptr;
    QAction *mnuSviluppa = nullptr;
    QAction *mnuRiduci = nullptr;
    QAction *mnuArchivio = nullptr;
    QAction *mnuCondizioni = nullptr;
    QAction *mnuStampa = nullptr;
    QAction *mnuEsportaPdf = nullptr;

    // The list as the program sees it: lines separated by CR LF.
    QString TestoLista() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void CostruisciControlli();
    void ImpostaOrdineTab();
    void Collega();
    void CreaAzioni();
    QAction *NuovaAzione(const QString &testo, const QKeySequence &tasto, void (frmOmbrazio::*gestore)());
    void txtLista_Menu(const QPoint &dove);

    void Form_Load();
    void Form_QueryUnload(bool &cancel);
    void Form_Unload();
    void Form_KeyDown(int keyCode, Qt::KeyboardModifiers shift);

    // Parameter steppers and board.
    void lblNumeriMenoMeno_Click();
    void lblNumeriMeno_Click();
    void lblNumeriPiu_Click();
    void lblNumeriPiuPiu_Click();
    void lblSaltoMeno_Click();
    void lblSaltoPiu_Click();
    void cmdCostruisci_Click();
    void lblNumero_Click(int index);
    void cmdCancella_Click();
    // Selects the numbers the board holds, as clicks would; names those it does not hold.
    void SelezionaNumeri(const std::vector<int> &numeri);

    // Combination list.
    void cmdInLista_Click();
    void lblDelete_Click();
    void cmdSort_Click();
    void cmdSalva_Click();
    void ApriListe();
    // The windows reached from the list and the board.
    void ApriVerifica();
    void SviluppaSelezionati();
    void RiduciSelezionati();
    void ApriArchivio();
    void ApriCondizioni();
    // The board's selection, ascending; empty, with the message said, when it is smaller than `minimo`.
    std::vector<int> SelezioneAlmeno(std::size_t minimo, const QString &perCosa);

    void StampaLista();
    void EsportaPdf();
    // The header and the lines to print; false when the user stopped it.
    bool PreparaStampa(QStringList &intestazione, std::vector<Stampa::Voce> &voci);
    bool txtLista_Rilascio(QDropEvent *evento);
    void AccodaFile(const QStringList &percorsi);

    Ambiente m_ambiente;
    bool m_centrata = false;
    struct TastoVisto
    {
        const QEvent *evento = nullptr;
        int tasto = 0;
        quint64 istante = 0;
        bool operator==(const TastoVisto &altro) const
        {
            return evento == altro.evento && tasto == altro.tasto && istante == altro.istante;
        }
    };
    TastoVisto m_tastoVisto;
    bool m_rispondendo = false;
};
