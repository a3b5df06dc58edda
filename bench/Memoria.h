#pragma once
// The memory a piece of work touches, read from Linux's own accounts of the process.

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>
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

// A measure of the peak (VmHWM) that one piece of work touches. It starts with the freed
// pages given back to the system, as reused they would not show, and the high-water mark
// started again; at its end the heap takes back, touched, as many free pages as it held, so
// that the cases measured after it find the process as their own work leaves it. The
// program never gives them back (common/Memoria); a heap emptied by each measure made SORT
// pay for its pages again at every copy, 1.4 times its floor at 200,000 lines, not 1.1.
class Picco
{
public:
    Picco()
#ifdef __GLIBC__
        : m_libere(mallinfo2().fordblks)
#endif
    {
        RestituisciLiberate();
        std::ofstream("/proc/self/clear_refs") << "5";
        m_prima = StatoKb("VmRSS:");
    }
    ~Picco()
    {
        // In pieces below the heap's threshold for blocks of their own, so that they stay.
        constexpr std::size_t Pezzo = std::size_t(1) << 20;
        std::vector<std::unique_ptr<char[]>> pezzi;
        for (std::size_t preso = 0; preso < std::min<std::size_t>(m_libere, std::size_t(1) << 29); preso += Pezzo) {
            pezzi.emplace_back(new char[Pezzo]);
            std::memset(pezzi.back().get(), 1, Pezzo);
        }
    }
    Picco(const Picco &) = delete;
    Picco &operator=(const Picco &) = delete;

    // What the process held at the start, for the peak to be read against.
    long Prima() const { return m_prima; }

private:
    std::size_t m_libere = 0;
    long m_prima = 0;
};
