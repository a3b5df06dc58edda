#include "dialogs/mGestioneErrori.h"

#include "dialogs/frmMessage.h"

namespace mGestioneErrori {

void MostraErrore(int numero)
{
    // The program's only file belongs to the save routine and is closed when that returns,
    // so no file can still be open here.
    RichiestaMessaggio(TestoErrore(numero), QStringLiteral("OK"));
}

} // namespace mGestioneErrori
