#pragma once
// The run-time error numbers that the program's routines report, whoever shows them.

namespace NumeriErrore {

constexpr int ErroreOverflow = 6;
constexpr int ErroreMemoria = 7;
// Type mismatch: text that reads as no number, or a file that is no text.
constexpr int ErroreIncompatibilita = 13;
constexpr int ErroreNonTesto = ErroreIncompatibilita;
constexpr int ErroreNomeFile = 52;
constexpr int ErroreFileMancante = 53;
constexpr int ErroreIO = 57;
constexpr int ErroreDiscoPieno = 61;
constexpr int ErrorePeriferica = 68;
constexpr int ErrorePermesso = 70;
constexpr int ErroreAccesso = 75;
constexpr int ErrorePercorso = 76;
constexpr int ErroreFileVuoto = 101;

} // namespace NumeriErrore
