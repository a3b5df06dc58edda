#include "app/mDichiarazioni.h"

namespace mDichiarazioni {

qint16 gQuantitaNumeri = 0;
qint16 gNumeriPerRiga = 0;
Caselle gCaselle;
qint16 gSelezionati = 0;
bool gGrigliaGenerata = false;
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
    gCaselle = Caselle();
    gSelezionati = 0;
    gGrigliaGenerata = false;
    gSortEseguito = false;
    gContaTab = 0;
    gMessaggio.clear();
    gPulsanti.clear();
    gRisposta = 0;
    gInformazione.clear();
}

} // namespace mDichiarazioni
