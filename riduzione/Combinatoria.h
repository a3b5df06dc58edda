#pragma once
// What the constructions and the searches of reduced systems share: sets of places as
// bit masks, binomials, the rank of a small set, and a generator that gives the same
// numbers on every platform.

#include "common/Bit.h"
#include "common/Combinazioni.h"

#include <QtGlobal>

#include <array>
#include <vector>

namespace Riduzione {

// A line of a system: its places, from 0 to v-1, ascending.
using Riga = std::vector<int>;

namespace Interno {

constexpr int PostiMassimi = 90;
constexpr int InsiemeMassimo = 10; // the longest line, and the largest set ranked

// A set of places 0 to 89.
struct Maschera
{
    quint64 a = 0;
    quint64 b = 0;

    void Metti(int i) { (i < 64 ? a : b) |= quint64(1) << (i & 63); }
    void Togli(int i) { (i < 64 ? a : b) &= ~(quint64(1) << (i & 63)); }
    bool Ha(int i) const { return (((i < 64 ? a : b) >> (i & 63)) & 1) != 0; }
    int Quanti() const { return Bit::Conta(a) + Bit::Conta(b); }
    Maschera operator&(Maschera altra) const { return {a & altra.a, b & altra.b}; }
    Maschera operator|(Maschera altra) const { return {a | altra.a, b | altra.b}; }
    Maschera Tranne(Maschera altra) const { return {a & ~altra.a, b & ~altra.b}; }
    bool operator==(Maschera altra) const { return a == altra.a && b == altra.b; }
    bool operator!=(Maschera altra) const { return !(*this == altra); }
    bool operator<(Maschera altra) const { return b != altra.b ? b < altra.b : a < altra.a; }

    template<typename Fai>
    void OgniPosto(Fai fai) const
    {
        for (quint64 resto = a; resto != 0; resto &= resto - 1)
            fai(Bit::Primo(resto));
        for (quint64 resto = b; resto != 0; resto &= resto - 1)
            fai(64 + Bit::Primo(resto));
    }
};

Maschera MascheraDi(const Riga &riga);
Riga RigaDi(Maschera maschera);

using Combinazioni::C;
using Combinazioni::OgniSottoinsieme;

bool Primo(int n);

// The rank of an ascending set of places among all sets of its size in co-lexicographic
// order: sum of C(c_i, i+1). Ranks of the sets of size s of v places run from 0 to C(v,s)-1.
inline quint64 Rango(const int *posti, int quanti)
{
    // Every place is below 90 and every set at most 10 long: the table needs no checks.
    quint64 rango = 0;
    for (int i = 0; i < quanti; ++i)
        rango += Combinazioni::Binomiali.c[std::size_t(posti[i])][std::size_t(i + 1)];
    return rango;
}

// The set of that rank, ascending, into `posti`.
void DaRango(quint64 rango, int quanti, int *posti);

// xoshiro256**, seeded by splitmix64: the same sequence from the same seed everywhere,
// which the standard library's distributions do not promise.
class Generatore
{
public:
    explicit Generatore(quint64 seme);
    quint64 Prossimo();
    // Uniform in 0 .. n-1, n > 0.
    int Entro(int n) { return int((Prossimo() >> 33) * quint64(n) >> 31); }

private:
    std::array<quint64, 4> s{};
};

// A shuffle that gives the same order from the same generator on every platform.
template<typename T>
void Mescola(std::vector<T> &v, Generatore &g)
{
    for (std::size_t i = v.size(); i > 1; --i)
        std::swap(v[i - 1], v[std::size_t(g.Entro(int(i)))]);
}

} // namespace Interno
} // namespace Riduzione
