#pragma once
// The memory a piece of work touches, read from Linux's own accounts of the process.

#include <fstream>
#include <string>
#ifdef __GLIBC__
#include <malloc.h>
#endif

// A line of /proc/self/status in kB ("VmRSS:", "VmHWM:"), -1 where it is missing.
inline long StatoKb(const char *voce)
{
    std::ifstream stato("/proc/self/status");
    std::string riga;
    while (std::getline(stato, riga)) {
        if (riga.rfind(voce, 0) == 0)
            return std::stol(riga.substr(std::string(voce).size()));
    }
    return -1;
}

// The pages earlier runs freed go back to the system: reused, they would not show.
inline void RestituisciLiberate()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// Starts a measure: the freed pages given back, the high-water mark started again; returns
// what the process holds now, for the peak (VmHWM) to be read against.
inline long InizioPicco()
{
    RestituisciLiberate();
    std::ofstream("/proc/self/clear_refs") << "5";
    return StatoKb("VmRSS:");
}
