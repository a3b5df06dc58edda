#pragma once

#include <QString>

namespace mGestioneErrori {

// The run-time error numbers that the file routines report.
constexpr int ErroreMemoria = 7;
constexpr int ErroreNonTesto = 13;
constexpr int ErroreNomeFile = 52;
constexpr int ErroreFileMancante = 53;
constexpr int ErroreIO = 57;
constexpr int ErroreDiscoPieno = 61;
constexpr int ErrorePeriferica = 68;
constexpr int ErrorePermesso = 70;
constexpr int ErroreAccesso = 75;
constexpr int ErrorePercorso = 76;
constexpr int ErroreFileVuoto = 101;

// The message that the error dialog shows for a run-time error number.
QString TestoErrore(int numero);

} // namespace mGestioneErrori
