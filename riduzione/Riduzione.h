#pragma once
// Reduced systems: the fewest lines of k of the chosen numbers such that, whichever p of
// them are drawn, some line holds m of them. Widget-free; the window only shows what these
// routines find.

#include "common/Avanzamento.h"
#include "riduzione/Combinatoria.h"

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <functional>
#include <vector>

namespace Riduzione {

constexpr int NumeriMinimi = 3;
constexpr int ClasseMassima = 10;
constexpr int EstrattiMassimi = 6;
// The local search keeps a count for each set of p numbers: beyond this many it is not
// tried, and only what constructions give is offered.
constexpr quint64 CasiMassimi = 3000000;
// A system is offered only up to this many lines, as many as a development may add.
constexpr qint64 RigheMassime = 200000;

struct Richiesta
{
    int numeri = 0;   // v
    int classe = 0;   // k, numbers per line
    int garanzia = 0; // m, the hits guaranteed
    int estratti = 0; // p, the numbers drawn
};

// Whether the four fit together: 3 <= v <= 90, 2 <= m <= k <= min(v - 1, 10), m <= p <= min(v, 6).
bool Possibile(const Richiesta &richiesta);

// The sets of p numbers that the local search would watch: C(v, p).
quint64 Casi(const Richiesta &richiesta);

// A proven lower bound on the lines. For p = m, Schönheim's bound, for lines of 4 with the
// ambo one more on 7, 9 and 10 numbers and two more on 19, where Mills proved it is not met
// (elsewhere it is the optimum, for lines of 3 and of 4 with the ambo). For p > m with the ambo, the bound of
// Füredi, Székely and Zubor over the splits into p-1 groups, which is at least Turán's; for
// lines of 3 on v >= 3(p-1) numbers, Bougard's exact value, the least sum of coverings by
// triples over those splits. For p > m >= 3, de Caen's bound on Turán numbers.
qint64 MinimoTeorico(const Richiesta &richiesta);

// The size of the first system `Riduci` offers for the request, in a fraction of a second
// (tens of milliseconds at most): a greedy covering where its work is small, otherwise a
// covering built by splitting the numbers recursively, whose size is known without building
// it; for p > m the smaller of the numbers split into groups, each so covered, and two parts
// with products of their coverings. The system built may drop a few lines that came twice.
// A request above `RigheMassime` here is refused by `Riduci` at once (`Esito::TroppoGrande`,
// with this size in `righePrime`): the window may ask this first and name the size in its
// refusal without starting a search. 0 when not `Possibile`.
qint64 RighePrime(const Richiesta &richiesta);

// Shared between the search and whoever waits for it, possibly on another thread; a new one
// for each search.
struct Avanzamento : ::Avanzamento
{
    std::atomic<int> righe{0}; // the best valid system found so far, 0 before the first
    std::atomic<qint64> minimo{0}; // a conditioned development's bound, once worked out
    // Called on the searching thread each time a smaller valid system is found.
    std::function<void(int righe)> migliorato;
};

struct Esito
{
    enum Stato {
        Trovato,
        Impossibile,  // the request does not fit together
        TroppoGrande, // the first system already has more than RigheMassime lines: nothing searched
        Annullato,    // `annulla` was set before the call: nothing searched
    };
    Stato stato = Impossibile;
    std::vector<Riga> righe; // places 0 to v-1, each line ascending, lines in order
    bool ottimo = false;     // as few lines as the lower bound
    qint64 passi = 0;        // the local search's moves
    qint64 righePrime = 0;   // the first system's size, as RighePrime gives it
    qint64 minimo = 0;       // for a conditioned development, the bound the search ends at
};

// The search, in stages, each handing every smaller valid system to `avanzamento` (`righe`,
// then `migliorato`) as soon as it has it:
// 1. at once, the first system of RighePrime (for every accepted request within a few tens of
//    milliseconds, before anything else runs), or TroppoGrande when it is above RigheMassime;
// 2. the constructions: Steiner systems (projective and affine spaces, circle geometries,
//    difference families, quadruple systems, prescribed groups), coverings by triples, lotto
//    designs split into groups whose coverings are built first and then chosen by their sizes;
// 3. for coverings, the coverings made of orbits of a prescribed group, at the lower bound and
//    just above it, and systems for a few more numbers cut down;
// 4. the local search from the best of them, one line fewer each time it reaches a valid
//    system, kept at that size with perturbations until it reaches one.
// It ends at the lower bound, after `passi` moves, or soon after `avanzamento.annulla` is set
// at any stage, with the best valid system found so far. The same request, seed and moves give
// the same system. Throws std::bad_alloc where memory runs out.
Esito Riduci(const Richiesta &richiesta, quint64 seme, qint64 passi, Avanzamento &avanzamento);

// Whether the lines, over the `numeri` chosen (ascending, places as indices into them),
// keep m hits whenever p of the numbers are drawn, by Verifica's exact guarantee. False
// also when `avanzamento.annulla` stopped it.
bool Garantito(const std::vector<int> &numeri, const std::vector<Riga> &righe, int m, int p,
               ::Avanzamento &avanzamento);

// A reduced system of a conditioned development: the fewest lines found among those of
// `sviluppo` (places 0 to v-1, each line of k, ascending) such that every p-set inside one of
// them, p <= k, meets a chosen line in m places: the draws that a player of the conditioned
// development means to cover. A set cover, solved greedily and then by the local search at
// one line fewer each time; it ends at the bound (`Esito::minimo`, also given to
// `avanzamento.minimo` as soon as known): those p-sets over the most that one line serves,
// the only bound that holds here, since the others count every p-set of the numbers.
// TroppoGrande when the p-sets number more than CasiMassimi, or what the lines serve is too
// much to keep.
Esito RiduciSviluppo(const Richiesta &richiesta, const std::vector<Riga> &sviluppo, quint64 seme, qint64 passi,
                     Avanzamento &avanzamento);

// Whether the lines keep m hits on every p-set inside a line of `sviluppo`, asked of each such
// p-set by its m-sets. False also when `avanzamento.annulla` stopped it.
bool GarantitoSviluppo(const std::vector<Riga> &sviluppo, const std::vector<Riga> &righe, int m, int p,
                       ::Avanzamento &avanzamento);

// The lines as list text: the chosen numbers in two digits, each line ascending, the
// lines in ascending order, each followed by CR LF.
QString Testo(const std::vector<int> &numeri, const std::vector<Riga> &righe);

} // namespace Riduzione
