#pragma once

#include "common/NumeriErrore.h"

#include <QString>

namespace mGestioneErrori {

using namespace NumeriErrore;

// The message that the error dialog shows for a run-time error number.
QString TestoErrore(int numero);

// The reason a file could not be read, in the words that opening uses: permission and access
// failures are named, where saving leaves them as a number.
QString TestoRifiutoLettura(int numero);

} // namespace mGestioneErrori
