#pragma once
// Counting and finding bits in 64-bit words, the same on every compiler the program is built with.

#include <QtGlobal>

namespace Bit {

// Without a POPCNT instruction assumed: the plain x86-64 target has none, and a library
// call per word would cost more than these few operations.
inline int Conta(quint64 x)
{
    x = x - ((x >> 1) & 0x5555555555555555ULL);
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return int((x * 0x0101010101010101ULL) >> 56);
}

// The lowest set bit of a word that is not zero.
inline int Primo(quint64 x)
{
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_ctzll(x);
#else
    constexpr int debruijn[64] = {0,  1,  48, 2,  57, 49, 28, 3,  61, 58, 50, 42, 38, 29, 17, 4,
                                  62, 55, 59, 36, 53, 51, 43, 22, 45, 39, 33, 30, 24, 18, 12, 5,
                                  63, 47, 56, 27, 60, 41, 37, 16, 54, 35, 52, 21, 44, 32, 23, 11,
                                  46, 26, 40, 15, 34, 20, 31, 10, 25, 14, 19, 9,  13, 8,  7,  6};
    return debruijn[((x & (0 - x)) * 0x03F79D71B4CB0A89ULL) >> 58];
#endif
}

} // namespace Bit
