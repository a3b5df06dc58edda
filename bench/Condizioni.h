#pragma once
// The player's conditions: FILTRA on a long list with the list box updated (in the main
// table, against setPlainText of the result), and the conditioned development against the
// plain enumeration of every line, with goals of its own printed after the other tables.

#include <string>

class Raccoglitore;

inline const char *const CasoFiltra = "condizioni/filtra_200000";
inline const char *const CasoFloorFiltra = "floor/setPlainText_filtered_200000";

// Registers the cases. With `verifica` the developments are smaller ones whose result is
// checked line by line against the floor's, and the list is shorter.
void RegistraCondizioni(bool verifica);

// Prints the developments' rows that ran; returns how many missed a goal (none with `verifica`).
int StampaCondizioni(const Raccoglitore &risultati, bool verifica);
