#pragma once
// C(n, k) for every n up to N and k up to K, worked out when the program is compiled: the
// counts of sets that the guarantee and the reduced systems walk.

#include <QtGlobal>

#include <array>

template<int N, int K>
struct Binomiali
{
    std::array<std::array<quint64, K + 1>, N + 1> c{};

    constexpr Binomiali()
    {
        for (int n = 0; n <= N; ++n) {
            c[std::size_t(n)][0] = 1;
            for (int k = 1; k <= K && n > 0; ++k)
                c[std::size_t(n)][std::size_t(k)] = c[std::size_t(n - 1)][std::size_t(k - 1)] + c[std::size_t(n - 1)][std::size_t(k)];
        }
    }
};
