#pragma once
// The local search over the lines of a system: a fixed number of lines, each move trading one
// place of one line for another so that a set of p places not yet served is served, chosen
// by the weight of what it serves and what it leaves. Each set of p places has a count of
// the lines that meet it in m places or more, kept up to date move by move.

#include "riduzione/Combinatoria.h"

#include <atomic>

namespace Riduzione::Interno {

struct Problema
{
    int v = 0; // places
    int k = 0; // per line
    int m = 0; // hits guaranteed
    int p = 0; // places drawn
};

class Ricerca
{
public:
    Ricerca(const Problema &problema, quint64 seme);

    // Starts from these lines, each of k places; false when `annulla` stopped it first.
    // Throws std::bad_alloc where the counts do not fit in memory.
    bool Parti(const std::vector<Riga> &righe, const std::atomic<bool> &annulla);

    int Righe() const { return int(m_blocchi.size()); }
    // The sets of p places that no line serves.
    quint64 Scoperti() const { return m_scoperti; }

    // Moves until no set is left unserved (true), the steps run out or `annulla` is set.
    // Each move takes one of `passi`. When the fewest sets unserved have not gone down for a
    // while, the weights start again and a few lines take random places (a kick); every
    // eighth kick it starts again from the last valid system less a line taken by chance.
    bool Ripara(qint64 &passi, const std::atomic<bool> &annulla);

    // Drops the line that alone serves the fewest sets, keeping the system as it was as the
    // last valid one; false, with nothing dropped, when `annulla` stopped it first.
    bool TogliRiga(const std::atomic<bool> &annulla);

    std::vector<Riga> Sistema() const;

private:
    struct Blocco
    {
        std::array<int, InsiemeMassimo> punti{}; // ascending
        Maschera maschera;
    };
    static constexpr quint32 InLista = 0x80000000u;
    static constexpr quint32 Valore = 0x7FFFFFFFu;

    // Every set of p places that meets the line in m places or more.
    template<typename Fai>
    void OgniServito(const Blocco &blocco, Fai fai) const;
    // The sets whose service by `blocco` changes when `x` leaves it and `y` enters:
    // `perde` for those it stops serving, `guadagna` for those it starts to.
    template<typename Perde, typename Guadagna>
    void Effetti(const Blocco &blocco, int x, int y, Perde perde, Guadagna guadagna) const;

    void Conta();
    void Elimina(int indice);
    void Scuoti();
    void Riparti();
    qint64 Pianura() const;
    void Togli(quint32 rango);
    void Metti(quint32 rango);
    quint32 ScegliScoperto();
    void Pesa(quint32 bersaglio);
    void Sposta(int indice, int x, int y);
    Blocco BloccoDi(const Riga &riga) const;

    Problema m_pb;
    Generatore m_generatore;
    std::vector<Blocco> m_blocchi;
    std::vector<quint32> m_conta; // lines serving each set, and InLista
    std::vector<quint32> m_peso;
    std::vector<quint32> m_lista; // the sets unserved, and some served since
    quint64 m_scoperti = 0;
    std::vector<int> m_candidati; // the lines that could serve the set a move is for
    std::vector<qint64> m_tabu;   // per line and place: the step until which it may not come back
    qint64 m_passo = 0;
    std::vector<Blocco> m_valido; // the last valid system, one line more than the search's
};

// Whether every set of p of the v places meets some line in m places or more. Lines of k
// places; for systems whose sets fit in memory.
bool Valido(const std::vector<Riga> &righe, const Problema &problema);

} // namespace Riduzione::Interno
