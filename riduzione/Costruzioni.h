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

// q a prime power up to 9: the lines of the projective plane PG(2,q) (q²+q+1 places, lines
// of q+1) and of the affine plane AG(2,q) (q² places, lines of q).
std::vector<Riga> PianoProiettivo(int q);
std::vector<Riga> PianoAffine(int q);
// Whether q is p^n, p prime, n >= 1.
bool PotenzaDiPrimo(int q);

// A Steiner quadruple system S(3,4,v), v = 2, 4 mod 6: the planes of AG(n,2) for v = 2^n,
// doubling for v = 2w, and a prescribed group for the rest.
std::vector<Riga> SistemaQuadruple(int v, const std::atomic<bool> &annulla);

// A Steiner system S(t,k,v) whose lines are unions of orbits of a group of permutations
// of the places, chosen from cyclic and affine groups with some places fixed: the orbits of
// the t-sets are covered exactly once by orbits of lines (Kramer and Mesner), searched
// depth first, the orbit with the fewest choices first. None when no group tried gives one
// within `lavoro` units of work.
std::vector<Riga> SistemaSteiner(int v, int k, int t, qint64 lavoro, const std::atomic<bool> &annulla);

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
