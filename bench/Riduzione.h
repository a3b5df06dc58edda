#pragma once
// Reduced systems: the search for the fewest lines, on requests whose optimum mathematics
// knows, each within a limit of wall time. Printed after the other tables.

#include <cstddef>
#include <set>
#include <string>

// Registers the searches as cases of one repetition each. With `verifica` each search gets a
// short limit and only the validity of what it finds is judged, not its size.
void RegistraRiduzione(bool verifica);

// Prints the rows of the searches that ran (nothing when the filter left them all out);
// returns how many missed their optimum. With `verifica`, sizes are shown and not judged.
int StampaRiduzione(bool verifica);

// How many of the searches ran, and the names of those whose result was wrong: no valid
// system, or one below a proven optimum.
std::size_t RiduzioneEseguite();
const std::set<std::string> &RiduzioneFallite();
