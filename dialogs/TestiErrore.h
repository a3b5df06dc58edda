#pragma once

#include "common/NumeriErrore.h"

#include <QString>

namespace mGestioneErrori {

using namespace NumeriErrore;

// The message that the error dialog shows for a run-time error number.
QString TestoErrore(int numero);

} // namespace mGestioneErrori
