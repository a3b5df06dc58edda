#include "app/mDichiarazioni.h"

namespace mDichiarazioni {

qint16 gQuantitaNumeri = 0;
qint16 gNumeriPerRiga = 0;
Caselle gCaselle;
const ContaSelezionati gSelezionati;
// The first generation gives the board its cells, and nothing but a fresh start takes them away.
const GrigliaGenerata gGrigliaGenerata;
bool gSortEseguito = false;
qint16 gContaTab = 0;

QString gMessaggio;
QString gPulsanti;
qint16 gRisposta = 0;
QString gInformazione;

void Azzera()
{
    gQuantitaNumeri = 0;
    gNumeriPerRiga = 0;
    // A board still on screen hears of it and shows its cells unselected.
    gCaselle.Ridimensiona(0);
    gSortEseguito = false;
    gContaTab = 0;
    gMessaggio.clear();
    gPulsanti.clear();
    gRisposta = 0;
    gInformazione.clear();
}

} // namespace mDichiarazioni

ContaSelezionati::operator qint16() const
{
    return mDichiarazioni::gCaselle.Selezionati();
}

GrigliaGenerata::operator bool() const
{
    return mDichiarazioni::gCaselle.UBound() > 0;
}
