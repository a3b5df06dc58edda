#include "dialogs/mGestioneErrori.h"

#include "dialogs/frmMessage.h"

namespace mGestioneErrori {

void MostraErrore(int numero)
{
    // The program's files belong to the save and open routines and are closed when those
    // return, so no file can still be open here.
    RichiestaMessaggio(TestoErrore(numero), QStringLiteral("OK"));
}

} // namespace mGestioneErrori
