// The list on paper and as PDF: Ctrl+P through the system's print dialog and Qt's preview,
// Ctrl+Shift+P into a file written as SALVA writes its files.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Lavoro.h"
#include "dialogs/frmMessage.h"
#include "dialogs/mGestioneErrori.h"
#include "list/ListaDocumento.h"
#include "stampa/Stampa.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QTimer>

#include <memory>
#include <optional>

namespace {

// The progress of a long print, with ANNULLA; shown once it has taken half a second.
std::unique_ptr<QProgressDialog> FinestraAvanzamento(QWidget *finestra)
{
    auto avanzamento = std::make_unique<QProgressDialog>(finestra);
    avanzamento->setWindowTitle(QStringLiteral("Ombrazio® - Stampa"));
    avanzamento->setCancelButtonText(QStringLiteral("ANNULLA"));
    avanzamento->setWindowModality(Qt::WindowModal);
    avanzamento->setAutoReset(false);
    avanzamento->setAutoClose(false);
    avanzamento->setMinimumDuration(500);
    avanzamento->setValue(0);
    return avanzamento;
}

Stampa::Avanza AvanzaIn(QProgressDialog &avanzamento)
{
    auto orologio = std::make_shared<QElapsedTimer>();
    return [&avanzamento, orologio](int fatte, int pagine) {
        // A few times a second is enough to see it move and to answer ANNULLA; each update
        // repaints the window.
        if (orologio->isValid() && orologio->elapsed() < 100 && fatte < pagine)
            return true;
        orologio->start();
        avanzamento.setLabelText(QStringLiteral("Pagina %1 di %2").arg(fatte).arg(pagine));
        avanzamento.setMaximum(pagine);
        // A modal progress window lets the events through here: ANNULLA, repaints.
        avanzamento.setValue(fatte);
        return !avanzamento.wasCanceled();
    };
}

} // namespace

bool ScegliStampanteDiSistema(QPrinter &stampante, QWidget *finestra)
{
    QPrintDialog dialogo(&stampante, finestra);
    return dialogo.exec() == QDialog::Accepted;
}

bool frmOmbrazio::PreparaStampa(QStringList &intestazione, std::vector<Stampa::Voce> &voci)
{
    const QString testo = TestoLista();
    const Verifica::Lista lista = Verifica::LeggiLista(testo);
    voci = Stampa::Voci(testo, lista);
    QStringList garanzia;
    if (Stampa::HaGaranzia(lista)) {
        // Off the window's thread, waited for no longer than printing should wait.
        const auto avanzamento = FinestraAvanzamento(this);
        avanzamento->setLabelText(QStringLiteral("Calcolo della garanzia..."));
        avanzamento->setMaximum(1000);
        auto esito = std::make_shared<Verifica::Garanzia>();
        auto riuscita = std::make_shared<bool>(false);
        std::optional<Lavoro::Fine> fine;
        Lavoro lavoro;
        QEventLoop attesa;
        connect(&lavoro, &Lavoro::avanzato, avanzamento.get(), &QProgressDialog::setValue);
        connect(&lavoro, &Lavoro::finito, &attesa, [&](Lavoro::Fine come) {
            fine = come;
            attesa.quit();
        });
        connect(avanzamento.get(), &QProgressDialog::canceled, &attesa, &QEventLoop::quit);
        QTimer::singleShot(m_ambiente.AttesaGaranzia, &attesa, &QEventLoop::quit);
        lavoro.Avvia([calcola = m_ambiente.Garanzia, &lista, esito, riuscita](Avanzamento &stato) {
            *riuscita = calcola(lista, *esito, stato);
        });
        attesa.exec();
        // Past the wait, or stopped: what it has not given by now is not waited for.
        lavoro.Ferma();
        if (avanzamento->wasCanceled())
            return false;
        if (fine == Lavoro::Fine::Finita && *riuscita)
            garanzia = Stampa::RigheGaranzia(*esito);
        else if (fine == Lavoro::Fine::MemoriaEsaurita)
            garanzia << QStringLiteral("Garanzia non calcolata (memoria esaurita)");
        else
            garanzia << Stampa::GaranziaNonCalcolata();
    }
    intestazione = Stampa::Intestazione(m_ambiente.Orologio(), lista, int(voci.size()), garanzia);
    return true;
}

void frmOmbrazio::StampaLista()
{
    if (!ListaDocumento::HaRighe(*txtLista->document())) {
        RichiestaMessaggio(MessaggioListaVuota(), QStringLiteral("OK"));
        return;
    }
    QPrinter stampante(QPrinter::HighResolution);
    stampante.setDocName(QStringLiteral("Ombrazio"));
    stampante.setPageMargins(Stampa::Margini(), QPageLayout::Millimeter);
    if (!m_ambiente.ScegliStampante(stampante, this))
        return;
    QStringList intestazione;
    std::vector<Stampa::Voce> voci;
    if (!PreparaStampa(intestazione, voci))
        return;
    QPrintPreviewDialog anteprima(&stampante, this);
    anteprima.setWindowTitle(QStringLiteral("Ombrazio® - Anteprima di stampa"));
    // Asked again whenever the preview's page changes, and by its own print button.
    connect(&anteprima, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter *foglio) {
        const auto avanzamento = FinestraAvanzamento(&anteprima);
        Stampa::Disegna(*foglio, intestazione, voci, AvanzaIn(*avanzamento));
    });
    anteprima.exec();
}

void frmOmbrazio::EsportaPdf()
{
    if (!ListaDocumento::HaRighe(*txtLista->document())) {
        RichiestaMessaggio(MessaggioListaVuota(), QStringLiteral("OK"));
        return;
    }
    QStringList scelti;
    {
        const QString cartella = Salvataggio::CartellaSalvataggio(m_ambiente.CartellaProgramma);
        QFileDialog dialogo(this, QStringLiteral("Esporta PDF"), cartella);
        dialogo.setAcceptMode(QFileDialog::AcceptSave);
        dialogo.setFileMode(QFileDialog::AnyFile);
        dialogo.setNameFilters({QStringLiteral("Documenti PDF (*.pdf)"), QStringLiteral("Tutti i file (*)")});
        dialogo.setDefaultSuffix(QStringLiteral("pdf"));
        dialogo.selectFile(cartella + u'/' + Salvataggio::NomeFile(m_ambiente.Orologio(), gQuantitaNumeri)
                           + QStringLiteral(".pdf"));
        scelti = m_ambiente.ScegliFile(dialogo);
    }
    if (scelti.isEmpty())
        return;
    QStringList intestazione;
    std::vector<Stampa::Voce> voci;
    if (!PreparaStampa(intestazione, voci))
        return;
    QByteArray dati;
    {
        const auto avanzamento = FinestraAvanzamento(this);
        dati = Stampa::Pdf(intestazione, voci, AvanzaIn(*avanzamento));
    }
    if (dati.isEmpty())
        return;
    if (const int errore = Salvataggio::ScriviFile(scelti.first(), dati, *m_ambiente.Scrittura)) {
        mGestioneErrori::MostraErrore(errore);
        return;
    }
    RichiestaMessaggio(QStringLiteral("Lista esportata in PDF, col nome:|") + RigaMessaggio(QFileInfo(scelti.first()).fileName()),
                       QStringLiteral("OK"));
}
