#pragma once
// The names of the cases, shared by the cases and the table.

#include <string>
#include <vector>

struct Confronto
{
    std::string descrizione;
    std::string nostro;
    std::string floor;
    double obiettivo;
};

const std::vector<Confronto> &Confronti();
const std::vector<int> &RigheScala();
std::string CasoSort(int righe);
std::string CasoFloorSort(int righe);

inline const char *const CasoAvvioNostro = "startup/ombrazio";
inline const char *const CasoAvvioFloor = "floor/startup_minimal_window";
inline const char *const ContatorePicco = "peak_kB";
inline const char *const ContatoreCpu = "cpu_s";
