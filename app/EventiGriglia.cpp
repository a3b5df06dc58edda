// The main window's board: parameter steppers, generation, cell selection.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Etichetta.h"
#include "common/mFunzioni.h"
#include "dialogs/frmMessage.h"

namespace {

constexpr int MassimoRighe = 9;

} // namespace

void frmOmbrazio::lblNumeriMenoMeno_Click()
{
    mFunzioni::VariaParametro(*lblNumeri, gQuantitaNumeri, 9, 90, -10, true);
}

void frmOmbrazio::lblNumeriMeno_Click()
{
    mFunzioni::VariaParametro(*lblNumeri, gQuantitaNumeri, 9, 90, -1, true);
}

void frmOmbrazio::lblNumeriPiu_Click()
{
    mFunzioni::VariaParametro(*lblNumeri, gQuantitaNumeri, 9, 90, 1, true);
}

void frmOmbrazio::lblNumeriPiuPiu_Click()
{
    mFunzioni::VariaParametro(*lblNumeri, gQuantitaNumeri, 9, 90, 10, true);
}

void frmOmbrazio::lblSaltoMeno_Click()
{
    mFunzioni::VariaParametro(*lblSalto, gNumeriPerRiga, 3, 10, -1, true);
}

void frmOmbrazio::lblSaltoPiu_Click()
{
    mFunzioni::VariaParametro(*lblSalto, gNumeriPerRiga, 3, 10, 1, true);
}

void frmOmbrazio::cmdCostruisci_Click()
{
    const qint16 quantita = gQuantitaNumeri;
    const qint16 perRiga = gNumeriPerRiga;
    if (quantita > MassimoRighe * perRiga) {
        RichiestaMessaggio(QStringLiteral("La Griglia non può superare 9 righe ..!|Adeguare il parametro Numeri per Riga."),
                           QStringLiteral("OK"));
        return;
    }
    m_griglia.Genera(quantita, perRiga);
}

void frmOmbrazio::lblNumero_Click(int index)
{
    if (!gGrigliaGenerata) {
        RichiestaMessaggio(QStringLiteral("Generare la Griglia ..!"), QStringLiteral("OK"));
        return;
    }
    m_griglia.Commuta(index);
}

void frmOmbrazio::SelezionaNumeri(const std::vector<int> &numeri)
{
    if (!gGrigliaGenerata) {
        RichiestaMessaggio(QStringLiteral("Generare la Griglia ..!"), QStringLiteral("OK"));
        return;
    }
    const std::vector<int> fuori = m_griglia.Seleziona(numeri);
    if (fuori.empty())
        return;
    QStringList numeriFuori;
    for (int numero : fuori)
        numeriFuori << QString::number(numero);
    // Up to 81 of them, on as many lines as they take.
    const QString testo = fuori.size() == 1
        ? QStringLiteral("Il numero %1 non è nella griglia ..!").arg(numeriFuori.first())
        : QStringLiteral("I numeri %1 non sono nella griglia ..!").arg(numeriFuori.join(QStringLiteral(", ")));
    RichiestaMessaggio(RigheMessaggio(testo), QStringLiteral("OK"));
}

void frmOmbrazio::cmdCancella_Click()
{
    if (gSelezionati <= 0) {
        RichiestaMessaggio(QStringLiteral("Nessuna casella selezionata ..!"), QStringLiteral("OK"));
        return;
    }
    // The board as generated, whatever the steppers say now: the count 0 then matches what is on screen.
    m_griglia.Deseleziona();
}
