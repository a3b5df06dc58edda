#pragma once
// Systems built by mathematics rather than searched for. Each gives its lines as places
// 0 to v-1, or none where it does not apply or did not come to an end.

#include "riduzione/Combinatoria.h"

#include <atomic>

namespace Riduzione::Interno {

// Work units between two looks at the request to stop.
constexpr qint64 PassoControllo = 1 << 14;

// The fewest triples that hold every pair of v places, v >= 3: Schönheim's bound, which
// Fort and Hedlund showed is always met. The pairs held twice (none, a perfect matching, a
// star of three and a matching, or one pair three times, by v mod 6) are chosen first;
// then the triples are found by hill-climbing, as Stinson finds Steiner triple systems.
std::vector<Riga> CoperturaTriangoli(int v, Generatore &generatore, const std::atomic<bool> &annulla);

// GF(q), q = p^n: elements 0 .. q-1, the base-p digits of each the coefficients of a
// polynomial of degree below n, reduced by a primitive one; 0 and 1 are the field's.
struct Campo
{
    int q = 0;
    int primitivo = 1; // a generator of the non-zero elements
    std::vector<int> somma;
    std::vector<int> prodotto;
    std::vector<int> opposto;
    std::vector<int> inverso;
    int Piu(int a, int b) const { return somma[std::size_t(a * q + b)]; }
    int Meno(int a, int b) const { return somma[std::size_t(a * q + opposto[std::size_t(b)])]; }
    int Per(int a, int b) const { return prodotto[std::size_t(a * q + b)]; }
    int Diviso(int a, int b) const { return Per(a, inverso[std::size_t(b)]); }
};
// False when q is not a prime power.
bool FaiCampo(int q, Campo &campo);

// The lines of the projective space PG(n,q), n >= 2, over GF(q): S(2, q+1, (q^(n+1)-1)/(q-1)),
// as PG(2,3) on 13 places, PG(3,3) on 40, PG(3,4) on 85. None beyond 90 places.
std::vector<Riga> RetteProiettive(int n, int q);
// The lines of the affine space AG(n,q), n >= 2: S(2, q, q^n), as AG(3,4) on 64 places.
std::vector<Riga> RetteAffini(int n, int q);
// The circles of the projective line over GF(q^n), n >= 2: the images of the sub-line over
// GF(q) under the Möbius maps, S(3, q+1, q^n+1), as SQS(10), SQS(28), SQS(82), S(3,5,17),
// S(3,6,26), S(3,8,50), S(3,5,65), S(3,9,65), S(3,10,82).
std::vector<Riga> Sottorette(int q, int n);
// Whether q is p^n, p prime, n >= 1.
bool PotenzaDiPrimo(int q);

// S(2,k,v) from a difference family: cyclic over Z_v, or 1-rotational over Z_(v-1) with one
// place fixed, each with the short orbit its residues need. None when neither fits v, or
// none was found within `lavoro` units of work.
std::vector<Riga> SistemaDifferenze(int v, int k, qint64 lavoro, const std::atomic<bool> &annulla);

// A Steiner quadruple system S(3,4,v), v = 2, 4 mod 6, for every such v up to 90: the planes
// of AG(n,2) for v = 2^n, the circles over GF(3^n) for v = 10, 28, 82, doubling for v = 2w
// with w admissible, and a prescribed group for the rest.
std::vector<Riga> SistemaQuadruple(int v, const std::atomic<bool> &annulla);

// A Steiner system S(t,k,v) whose lines are unions of orbits of a group of permutations
// of the places, chosen from cyclic and affine groups with some places fixed: the orbits of
// the t-sets are covered exactly once by orbits of lines (Kramer and Mesner), searched
// depth first, the orbit with the fewest choices first. None when no group tried gives one
// within `lavoro` units of work.
std::vector<Riga> SistemaSteiner(int v, int k, int t, qint64 lavoro, const std::atomic<bool> &annulla);

// C(v,4,2) at Schönheim's bound where it is not a Steiner system and the pairs held more than
// once are forced (v = 22, 27, 31, 33, 34, 39 and beyond, up to 61): those pairs prescribed and
// kept by a cyclic group, the rest an exact cover over the orbits (Knuth's algorithm X). None
// elsewhere, or when none was found within `lavoro` units of work.
std::vector<Riga> CoperturaQuartine(int v, qint64 lavoro, const std::atomic<bool> &annulla);

// A covering of the t-sets by lines of k whose lines are unions of orbits of a group of the
// places (a cycle on one to three copies of Z_n or GF(n), with multipliers, and places fixed),
// of at most `obiettivo` lines: the fewest orbits of lines, weighted by their length, that hold
// every orbit of t-sets, by branch and bound with the counting bound (for t = 2, each place's
// pairs left over k-1). Only where the k-sets number at most `InsiemiOrbite`. None when no group
// gives one within `lavoro` units of work.
std::vector<Riga> CoperturaSimmetrica(int v, int k, int t, qint64 obiettivo, qint64 lavoro,
                                      const std::atomic<bool> &annulla);
constexpr quint64 InsiemiOrbite = quint64(1) << 21;


// A covering of the t-sets of v places by lines of k, v <= 90, k <= 10, t <= 6, built at once
// by splitting the places in two, recursively; its size is known before it is built.
class Ricorsione
{
public:
    Ricorsione(int v, int k, int t);
    ~Ricorsione();
    Ricorsione(const Ricorsione &) = delete;
    Ricorsione &operator=(const Ricorsione &) = delete;

    qint64 Righe(); // capped at 2^50
    std::vector<Riga> Costruisci();
    // The same for any smaller v, k and t, the covering on the given places (its lines as
    // masks, up to k places each).
    qint64 Righe(int v, int k, int t);
    void Costruisci(const std::vector<int> &posti, int k, int t, std::vector<Maschera> &righe);

private:
    struct Voce;
    Voce &At(int v, int k, int t);

    int m_v;
    int m_k;
    int m_t;
    std::vector<Voce> m_voci;
};

// A lotto design for p > m at once: the places split in two parts A and B; the p drawn put i
// in A. Where i >= m, a recursive covering of A's m-sets holds m of them, where p - i >= m
// one of B's; for each split in between, a covering of A's m_A-sets by lines of k_A, each line
// joined to every line of a covering of B's (m - m_A)-sets by lines of k - k_A, with
// m_A <= i and m - m_A <= p - i. The part sizes and the products are those with the fewest
// lines; the size is known before building, as for Ricorsione.
class DueParti
{
public:
    DueParti(int v, int k, int p, int m);
    qint64 Righe() const { return m_righe; }
    std::vector<Riga> Costruisci();

private:
    struct Incrocio
    {
        int mA = 0;
        int kA = 0;
    };
    qint64 Misura(int a, std::vector<Incrocio> *prodotti);

    int m_v;
    int m_k;
    int m_p;
    int m_m;
    Ricorsione m_ricorsione;
    int m_a = 0;
    qint64 m_righe = 0;
};

// Whether S(t,k,v) passes the divisibility conditions and Fisher's inequality.
bool Ammissibile(int v, int k, int t);

// Every set of t places in some line of k, greedily: for the first set not yet held, a line
// through it grown one place at a time by the place that holds most sets not yet held.
std::vector<Riga> Goloso(int v, int k, int t, Generatore &generatore, const std::atomic<bool> &annulla);

// A system for more places than v, cut down to v: places from v on leave their lines,
// lines that keep fewer than `m` places go, short lines that fit together in k places are
// joined, and every line is filled to k with places it lacks.
std::vector<Riga> Restringi(const std::vector<Riga> &righe, int v, int k, int m, Generatore &generatore);

// Lines of k distinct places each, filled where shorter, without repeats.
std::vector<Riga> Completa(std::vector<Riga> righe, int v, int k, Generatore &generatore);

} // namespace Riduzione::Interno
