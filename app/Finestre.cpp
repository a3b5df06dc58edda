// The windows reached from the list and the board, each opened on what it works on: the
// list as it stands, or the board's selection. What they give back goes into the list or
// onto the board from here.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "archivio/frmArchivio.h"
#include "common/CursoreOccupato.h"
#include "condizioni/frmCondizioni.h"
#include "dialogs/frmMessage.h"
#include "list/ListaDocumento.h"
#include "riduzione/Riduzione.h"
#include "riduzione/frmRiduzione.h"
#include "sviluppo/Sviluppo.h"
#include "sviluppo/frmSviluppo.h"
#include "verifica/frmVerifica.h"

#include <QPlainTextEdit>
#include <QTextDocument>

std::vector<int> frmOmbrazio::SelezioneAlmeno(std::size_t minimo, const QString &perCosa)
{
    // The selection as IN LISTA reads it.
    std::vector<int> numeri = gCaselle.Selezione();
    if (numeri.empty()) {
        RichiestaMessaggio(QStringLiteral("Nessuna casella selezionata ..!"), QStringLiteral("OK"));
        return {};
    }
    if (numeri.size() < minimo) {
        RichiestaMessaggio(QStringLiteral("Per %1 servono|almeno %2 caselle selezionate ..!").arg(perCosa).arg(minimo),
                           QStringLiteral("OK"));
        return {};
    }
    return numeri;
}

void frmOmbrazio::ApriVerifica()
{
    RichiestaVerifica(TestoLista(), this);
}

void frmOmbrazio::ApriArchivio()
{
    RichiestaArchivio(TestoLista(), m_ambiente.ScegliFile, m_ambiente.Lettura,
                      [this](const std::vector<int> &numeri) { SelezionaNumeri(numeri); }, this);
}

void frmOmbrazio::SviluppaSelezionati()
{
    const std::vector<int> numeri = SelezioneAlmeno(2, QStringLiteral("lo sviluppo"));
    if (numeri.empty())
        return;
    const int classe = RichiestaSviluppo(numeri, this);
    if (classe < 1)
        return;
    const CursoreOccupato occupato;
    ListaDocumento::AccodaRighe(*txtLista, Sviluppo::Sviluppa(numeri, classe));
}

void frmOmbrazio::RiduciSelezionati()
{
    const std::vector<int> numeri = SelezioneAlmeno(std::size_t(Riduzione::NumeriMinimi), QStringLiteral("la riduzione"));
    if (numeri.empty())
        return;
    // The conditions last set in their window, for reducing only what satisfies them.
    const QString righe = RichiestaRiduzione(numeri, this, CondizioniRicordate(), gCaselle.UBound());
    if (righe.isEmpty())
        return;
    const CursoreOccupato occupato;
    ListaDocumento::AccodaRighe(*txtLista, righe);
}

void frmOmbrazio::ApriCondizioni()
{
    const frmCondizioni::File file{m_ambiente.ScegliFile, m_ambiente.Lettura, m_ambiente.Scrittura,
                                   Salvataggio::CartellaSalvataggio(m_ambiente.CartellaProgramma)};
    // The box's own text, which the count and the filter read as they read the list text:
    // one copy fewer of a list that can run to megabytes.
    const frmCondizioni::Esito esito =
        RichiestaCondizioni(txtLista->document()->toRawText(), gCaselle.Selezione(), gCaselle.UBound(), file, this);
    if (esito.azione == frmCondizioni::Esito::Nessuna)
        return;
    {
        const CursoreOccupato occupato;
        if (esito.azione == frmCondizioni::Esito::Sostituisci)
            ListaDocumento::Sostituisci(*txtLista, esito.testo);
        else
            ListaDocumento::AccodaRighe(*txtLista, esito.testo);
    }
    if (!esito.messaggio.isEmpty())
        RichiestaMessaggio(esito.messaggio, QStringLiteral("OK"));
}
