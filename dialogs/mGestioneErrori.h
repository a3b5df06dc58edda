#pragma once

#include "dialogs/TestiErrore.h"

namespace mGestioneErrori {

// Shows the message for a run-time error number with "OK"; returns when it is closed.
void MostraErrore(int numero);

} // namespace mGestioneErrori
