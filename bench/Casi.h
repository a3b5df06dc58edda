#pragma once
// The names of the cases, shared by the cases and the table.

#include <functional>
#include <string>
#include <vector>

namespace benchmark {
class State;
}

struct Confronto
{
    std::string descrizione;
    std::string nostro;
    std::string floor;
    double obiettivo;
};

const std::vector<Confronto> &Confronti();

// Registers a case timed by hand for `iterazioni` iterations per repetition, and for
// `ripetizioni` repetitions where it is above 0 rather than the run's own. A case that
// fails a repetition fails the later ones at once, and with --verifica each case starts
// without the program's folder.
void Registra(const std::string &nome, std::function<void(benchmark::State &)> caso, int iterazioni,
              int ripetizioni = 0);
const std::vector<int> &RigheScala();
// The goal for the SORT click's ratio to its floor at `righe` lines, or 0 where none is set.
double ObiettivoSort(int righe);
std::string CasoSort(int righe);
std::string CasoFloorSort(int righe);

inline const char *const CasoAvvioNostro = "startup/ombrazio";
inline const char *const ContatorePicco = "peak_kB";
// Start-up's floor runs in pairs with the program, in the same case.
inline const char *const ContatoreAvvioFloor = "floor_s";
inline const char *const ContatoreAvvioRapporto = "ratio";
inline const char *const ContatorePiccoFloor = "floor_peak_kB";
inline const char *const ContatoreCpu = "cpu_s";
