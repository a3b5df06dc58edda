#pragma once
// Counting and walking the sets of k of n things, for every routine that counts or lists
// combinations: one binomial table, worked out when the program is compiled, and one walk
// over the k-subsets.

#include <QtGlobal>

#include <array>

namespace Combinazioni {

constexpr int NMassimo = 90; // the numbers of the game
constexpr int KMassimo = 10; // the longest line of a reduced system, beyond any draw counted

struct Tavola
{
    std::array<std::array<quint64, KMassimo + 1>, NMassimo + 1> c{};

    constexpr Tavola()
    {
        for (int n = 0; n <= NMassimo; ++n) {
            c[std::size_t(n)][0] = 1;
            for (int k = 1; k <= KMassimo && n > 0; ++k)
                c[std::size_t(n)][std::size_t(k)] =
                    c[std::size_t(n - 1)][std::size_t(k - 1)] + c[std::size_t(n - 1)][std::size_t(k)];
        }
    }
};

inline constexpr Tavola Binomiali;

// C(n, k) for n up to 90 and k up to 10; 0 outside 0 <= k <= n.
inline quint64 C(int n, int k)
{
    if (n < 0 || k < 0 || k > n || n > NMassimo || k > KMassimo)
        return 0;
    return Binomiali.c[std::size_t(n)][std::size_t(k)];
}

// Walks every subset of `quanti` of the `n` values (ascending) in lexicographic order of
// their places, handing each to `fai` as an ascending array; stops when `fai` returns false.
// Whether it walked them all. Up to 90 values, and subsets of any size.
template<typename Fai>
bool OgniSottoinsieme(const int *valori, int n, int quanti, Fai fai)
{
    if (quanti > n || quanti < 0 || n > NMassimo)
        return true;
    // Only the first `quanti` of each are ever read: left unset, as the walk runs in hot loops.
    std::array<int, NMassimo + 1> indice;
    std::array<int, NMassimo + 1> scelti;
    for (int i = 0; i < quanti; ++i) {
        indice[std::size_t(i)] = i;
        scelti[std::size_t(i)] = valori[i];
    }
    for (;;) {
        if (!fai(static_cast<const int *>(scelti.data())))
            return false;
        int i = quanti - 1;
        while (i >= 0 && indice[std::size_t(i)] == n - quanti + i)
            --i;
        if (i < 0)
            return true;
        // Only the places from i on change.
        ++indice[std::size_t(i)];
        scelti[std::size_t(i)] = valori[indice[std::size_t(i)]];
        for (int j = i + 1; j < quanti; ++j) {
            indice[std::size_t(j)] = indice[std::size_t(j - 1)] + 1;
            scelti[std::size_t(j)] = valori[indice[std::size_t(j)]];
        }
    }
}

} // namespace Combinazioni
