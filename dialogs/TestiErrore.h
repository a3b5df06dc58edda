#pragma once

#include <QString>

namespace mGestioneErrori {

// The message that the error dialog shows for a run-time error number.
QString TestoErrore(int numero);

} // namespace mGestioneErrori
