#pragma once
// State shared by the windows and routines; everything runs on the GUI thread.

#include "grid/Caselle.h"

#include <QString>
#include <QtGlobal>

// How many cells are selected, and whether a board was ever generated, read from the board's
// selection itself: neither can disagree with it.
struct ContaSelezionati
{
    operator qint16() const;
};
struct GrigliaGenerata
{
    operator bool() const;
};

namespace mDichiarazioni {

extern qint16 gQuantitaNumeri;
extern qint16 gNumeriPerRiga;
extern Caselle gCaselle;
extern const ContaSelezionati gSelezionati;
extern const GrigliaGenerata gGrigliaGenerata;
extern bool gSortEseguito;
extern qint16 gContaTab;

extern QString gMessaggio;
extern QString gPulsanti;
extern qint16 gRisposta;
extern QString gInformazione;

// Back to the state of a fresh start; tests use it to begin each case clean.
void Azzera();

} // namespace mDichiarazioni

using namespace mDichiarazioni;
