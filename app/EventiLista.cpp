// The main window's combination list: adding, clearing, sorting, saving and opening.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/CursoreOccupato.h"
#include "common/NumeriErrore.h"
#include "common/mFunzioni.h"
#include "dialogs/frmMessage.h"
#include "dialogs/mGestioneErrori.h"
#include "list/Apertura.h"
#include "list/ListaDocumento.h"
#include "list/ListaTesto.h"
#include "list/Salvataggio.h"

#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextDocument>

const QString &MessaggioListaVuota()
{
    static const QString testo = QStringLiteral("L'Area combinazioni è vuota ..!");
    return testo;
}

void frmOmbrazio::cmdInLista_Click()
{
    if (gSelezionati < 1) {
        RichiestaMessaggio(QStringLiteral("Nessuna casella selezionata ..!"), QStringLiteral("OK"));
        return;
    }
    // The selection of the board as generated: what the user sees selected, never beyond it.
    ListaDocumento::Accoda(*txtLista, ListaTesto::RigaCombinazione(gCaselle.Selezione()) + ListaTesto::FineRiga());
}

void frmOmbrazio::lblDelete_Click()
{
    if (!ListaDocumento::Vuoto(*txtLista->document()))
        ListaDocumento::Sostituisci(*txtLista, QString());
}

void frmOmbrazio::cmdSort_Click()
{
    // Line breaks alone count as an empty list: there would be nothing to sort.
    if (!ListaDocumento::HaRighe(*txtLista->document())) {
        RichiestaMessaggio(MessaggioListaVuota(), QStringLiteral("OK"));
        return;
    }
    QStringList righe = ListaTesto::RaccogliRighe(TestoLista());
    const mFunzioni::SegnalaErrore segnala = [](int numero) { mGestioneErrori::MostraErrore(numero); };
    mFunzioni::OrdinaNumeri(righe, segnala);
    mFunzioni::OrdinaRighe(righe, segnala);
    const QString testo = ListaTesto::TestoDaRighe(righe);
    // The lines are done with: their memory can serve the document's edit.
    righe = QStringList();
    ListaDocumento::Sostituisci(*txtLista, testo);
    gSortEseguito = true;
}

void frmOmbrazio::cmdSalva_Click()
{
    if (!ListaDocumento::HaRighe(*txtLista->document())) {
        RichiestaMessaggio(MessaggioListaVuota(), QStringLiteral("OK"));
        return;
    }
    if (!gSortEseguito
        && RichiestaMessaggio(QStringLiteral("Non è stato eseguito il Sort.|Continuare comunque?"),
                              QStringLiteral("NO,SI"))
            != RispostaSi)
        return;

    const QString nome = Salvataggio::NomeFile(m_ambiente.Orologio(), gQuantitaNumeri);
    QByteArray dati;
    // Straight from the box's text: a long list is not copied once more into the list text.
    if (const int riga = Salvataggio::CodificaLista(txtLista->document()->toRawText(), dati)) {
        RichiestaMessaggio(QStringLiteral("La riga %1 contiene caratteri|non salvabili: nessun file scritto ..!").arg(riga),
                           QStringLiteral("OK"));
        return;
    }
    const QString percorso =
        Salvataggio::CartellaSalvataggio(m_ambiente.CartellaProgramma) + u'/' + nome + QStringLiteral(".TXT");
    if (const int errore = Salvataggio::ScriviFile(percorso, dati, *m_ambiente.Scrittura)) {
        mGestioneErrori::MostraErrore(errore);
        return;
    }
    RichiestaMessaggio(QStringLiteral("Combinazioni salvate, col nome:|") + nome + QStringLiteral(".TXT"),
                       QStringLiteral("OK"));
}

void frmOmbrazio::ApriListe()
{
    QStringList scelti;
    {
        // Gone before the files are read: a refusal then shows over the main window alone.
        QFileDialog dialogo(this, QStringLiteral("Apri liste di combinazioni"),
                            Salvataggio::CartellaSalvataggio(m_ambiente.CartellaProgramma));
        dialogo.setAcceptMode(QFileDialog::AcceptOpen);
        dialogo.setFileMode(QFileDialog::ExistingFiles);
        dialogo.setNameFilters(
            {QStringLiteral("Liste di combinazioni (*.TXT *.txt)"), QStringLiteral("Tutti i file (*)")});
        scelti = m_ambiente.ScegliFile(dialogo);
    }
    if (!scelti.isEmpty())
        AccodaFile(scelti);
}

bool frmOmbrazio::txtLista_Rilascio(QDropEvent *evento)
{
    // Files are opened; text, or links to elsewhere, the box inserts as any text box does.
    QStringList percorsi;
    for (const QUrl &indirizzo : evento->mimeData()->urls()) {
        if (indirizzo.isLocalFile())
            percorsi.append(indirizzo.toLocalFile());
    }
    if (percorsi.isEmpty())
        return false;
    // A copy only: a move would let the program that drags them delete the files. The box
    // never sees these events, so it shows no drop caret where the lines would not go.
    if (!(evento->possibleActions() & Qt::CopyAction)) {
        evento->ignore();
        return true;
    }
    evento->setDropAction(Qt::CopyAction);
    evento->accept();
    // Once the drop is over: the program that drags waits for it, and a refusal is modal.
    if (evento->type() == QEvent::Drop)
        QMetaObject::invokeMethod(this, [this, percorsi] { AccodaFile(percorsi); }, Qt::QueuedConnection);
    return true;
}

void frmOmbrazio::AccodaFile(const QStringList &percorsi)
{
    QString rifiutato;
    int errore = 0;
    {
        const CursoreOccupato occupato;
        QString righe;
        errore = Apertura::LeggiFile(percorsi, righe, *m_ambiente.Lettura, rifiutato);
        if (!errore)
            ListaDocumento::AccodaRighe(*txtLista, righe);
    }
    if (errore)
        RichiestaMessaggio(mGestioneErrori::TestoRifiutoLettura(errore) + u'|' + RigaMessaggio(QFileInfo(rifiutato).fileName()),
                           QStringLiteral("OK"));
}
