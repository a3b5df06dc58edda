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

// A proven lower bound on the lines: Schönheim's for p = m; for p > m, Turán's theorem on
// the pairs that the lines must hold (m = 2) or de Caen's bound on Turán numbers (m > 2).
qint64 MinimoTeorico(const Richiesta &richiesta);

// Shared between the search and whoever waits for it, possibly on another thread; a new one
// for each search.
struct Avanzamento : ::Avanzamento
{
    std::atomic<int> righe{0}; // the best valid system found so far, 0 before the first
    // Called on the searching thread each time a smaller valid system is found.
    std::function<void(int righe)> migliorato;
};

struct Esito
{
    enum Stato {
        Trovato,
        Impossibile,  // the request does not fit together
        TroppoGrande, // no construction, and too many sets for the local search
        Annullato,    // stopped before any system was found
    };
    Stato stato = Impossibile;
    std::vector<Riga> righe; // places 0 to v-1, each line ascending, lines in order
    bool ottimo = false;     // as few lines as the lower bound
    qint64 passi = 0;        // the local search's moves
};

// The search: constructions first (Steiner systems and planes, coverings by triples, lotto
// designs by splitting the numbers into groups), then the local search from the best of
// them, one line fewer each time it reaches a valid system, until the lower bound, `passi`
// moves or `avanzamento.annulla`. The same request, seed and moves give the same system.
// Throws std::bad_alloc where memory runs out.
Esito Riduci(const Richiesta &richiesta, quint64 seme, qint64 passi, Avanzamento &avanzamento);

// Whether the lines, over the `numeri` chosen (ascending, places as indices into them),
// keep m hits whenever p of the numbers are drawn, by Verifica's exact guarantee. False
// also when `avanzamento.annulla` stopped it.
bool Garantito(const std::vector<int> &numeri, const std::vector<Riga> &righe, int m, int p,
               ::Avanzamento &avanzamento);

// The lines as list text: the chosen numbers in two digits, each line ascending, the
// lines in ascending order, each followed by CR LF.
QString Testo(const std::vector<int> &numeri, const std::vector<Riga> &righe);

} // namespace Riduzione
