#pragma once
// The archive of real draws: a synthetic one of 80,000 wheel rows in the download's format,
// read (against a floor in the main table), lists of several sizes replayed over it with
// their balance, the delay table, and the memory a loaded archive and a replay take.
// Absolute goals printed after the guarantee's table, then how the replay's time grows.

#include <string>

class Raccoglitore;

inline const char *const CasoArchivioLettura = "archivio/read_80000";
inline const char *const CasoArchivioFloor = "floor/readAll_split_toInt/80000";

// Registers the archive's cases, the floor of the reading among them.
void RegistraArchivio();

// Prints the rows with absolute goals; returns how many were missed (a row that did not run
// counts as missed, as in the other tables).
int StampaArchivio(const Raccoglitore &risultati);
