// Steiner systems with a prescribed group of automorphisms (Kramer and Mesner). A group G
// acting on the places splits the t-sets into orbits; a line B brings with it its whole
// orbit, which holds the t-sets of the orbit of T (T in B) evenly: each of them
// c·|orbit(B)|/|orbit(T)| times, with c the t-subsets of B in that orbit. A Steiner system
// made of orbits is a choice of line orbits in which each t-set orbit is held exactly once,
// a problem smaller by the order of G. It is searched depth first: the t-orbit with the
// fewest lines that could still hold it comes next, each line through its representative
// tried in turn.

#include "riduzione/Costruzioni.h"

#include <algorithm>

namespace Riduzione::Interno {

namespace {

// Sets of t places whose orbits are listed in full: beyond this the search is not tried.
constexpr quint64 InsiemiMassimi = quint64(1) << 21;

using Permutazione = std::array<quint8, PostiMassimi>;

// n residues on each of `copie` copies of Z_n, then `fissi` places that stay: x -> a x + b
// on every copy at once, a in the subgroup of order d of the units mod n (n prime) or 1.
struct Famiglia
{
    int copie = 1;
    int n = 0;
    int fissi = 0;
    int d = 1;
    int Ordine() const { return n * d; }
};

int Potenza(int base, int esponente, int modulo)
{
    int r = 1;
    for (int i = 0; i < esponente; ++i)
        r = r * base % modulo;
    return r;
}

// A generator of the units mod the prime n.
int RadicePrimitiva(int n)
{
    for (int g = 2; g < n; ++g) {
        bool genera = true;
        for (int q = 2; q < n - 1 && genera; ++q) {
            if ((n - 1) % q == 0 && Primo(q) && Potenza(g, (n - 1) / q, n) == 1)
                genera = false;
        }
        if (genera)
            return g;
    }
    return 1;
}

std::vector<Permutazione> Elementi(const Famiglia &f)
{
    std::vector<int> moltiplicatori{1};
    if (f.d > 1) {
        const int a = Potenza(RadicePrimitiva(f.n), (f.n - 1) / f.d, f.n);
        for (int i = 1; i < f.d; ++i)
            moltiplicatori.push_back(moltiplicatori.back() * a % f.n);
    }
    std::vector<Permutazione> elementi;
    for (int a : moltiplicatori) {
        for (int b = 0; b < f.n; ++b) {
            Permutazione g{};
            for (int c = 0; c < f.copie; ++c) {
                for (int x = 0; x < f.n; ++x)
                    g[std::size_t(c * f.n + x)] = quint8(c * f.n + (a * x + b) % f.n);
            }
            for (int i = f.copie * f.n; i < f.copie * f.n + f.fissi; ++i)
                g[std::size_t(i)] = quint8(i);
            elementi.push_back(g);
        }
    }
    return elementi;
}

std::vector<Famiglia> Famiglie(int v)
{
    std::vector<Famiglia> famiglie;
    for (int fissi = 0; fissi <= 2; ++fissi) {
        for (int copie = 1; copie <= 3; ++copie) {
            if ((v - fissi) % copie != 0 || (v - fissi) / copie < 3)
                continue;
            const int n = (v - fissi) / copie;
            if (!Primo(n)) {
                famiglie.push_back({copie, n, fissi, 1});
                continue;
            }
            for (int d = n - 1; d >= 1; --d) {
                if ((n - 1) % d == 0)
                    famiglie.push_back({copie, n, fissi, d});
            }
        }
    }
    // The largest groups first: their problems are the smallest, settled or given up soonest.
    std::stable_sort(famiglie.begin(), famiglie.end(),
                     [](const Famiglia &a, const Famiglia &b) { return a.Ordine() > b.Ordine(); });
    return famiglie;
}

struct Esaurito
{
};

class Ricostruzione
{
public:
    Ricostruzione(int v, int k, int t, std::vector<Permutazione> gruppo, qint64 lavoro,
                  const std::atomic<bool> &annulla)
        : m_v(v)
        , m_k(k)
        , m_t(t)
        , m_gruppo(std::move(gruppo))
        , m_lavoro(lavoro)
        , m_annulla(annulla)
    {
    }

    // The work left of what it was given.
    qint64 Rimasto() const { return std::max<qint64>(m_lavoro, 0); }

    std::vector<Riga> Cerca()
    {
        Orbite();
        m_coperta.assign(m_dimensioni.size(), false);
        try {
            if (!Nodo())
                return {};
        } catch (const Esaurito &) {
            return {};
        }
        std::vector<Maschera> linee;
        for (const Maschera &scelta : m_scelte) {
            for (const Permutazione &g : m_gruppo)
                linee.push_back(Immagine(g, scelta));
        }
        std::sort(linee.begin(), linee.end());
        linee.erase(std::unique(linee.begin(), linee.end()), linee.end());
        std::vector<Riga> righe;
        for (const Maschera &linea : linee)
            righe.push_back(RigaDi(linea));
        return righe;
    }

private:
    struct Candidato
    {
        Maschera linea;
        std::vector<int> orbite;
    };

    static Maschera Immagine(const Permutazione &g, Maschera insieme)
    {
        Maschera immagine;
        insieme.OgniPosto([&](int x) { immagine.Metti(g[std::size_t(x)]); });
        return immagine;
    }

    void Lavoro(qint64 unita)
    {
        m_lavoro -= unita;
        m_finoAlControllo -= unita;
        if (m_lavoro < 0)
            throw Esaurito();
        if (m_finoAlControllo < 0) {
            m_finoAlControllo = PassoControllo;
            if (m_annulla.load(std::memory_order_relaxed))
                throw Esaurito();
        }
    }

    void Orbite()
    {
        const quint64 casi = C(m_v, m_t);
        m_orbita.assign(casi, -1);
        for (quint64 rango = 0; rango < casi; ++rango) {
            if (m_orbita[rango] >= 0)
                continue;
            const int id = int(m_dimensioni.size());
            int insieme[InsiemeMassimo];
            DaRango(rango, m_t, insieme);
            int dimensione = 0;
            for (const Permutazione &g : m_gruppo) {
                int immagine[InsiemeMassimo];
                for (int i = 0; i < m_t; ++i)
                    immagine[i] = g[std::size_t(insieme[i])];
                std::sort(immagine, immagine + m_t);
                const quint64 r = Rango(immagine, m_t);
                if (m_orbita[r] < 0) {
                    m_orbita[r] = id;
                    ++dimensione;
                }
            }
            m_dimensioni.push_back(dimensione);
            m_rappresentanti.push_back(rango);
        }
    }

    // Whether the orbit of `linea` (k places, ascending) can join the choice: its t-subsets
    // only in orbits not yet held, each of them held exactly once. Their orbits into `orbite`.
    bool Ammessa(const int *linea, std::vector<int> &orbite)
    {
        Lavoro(qint64(C(m_k, m_t)));
        orbite.clear();
        bool semplice = true;
        const bool libera = OgniSottoinsieme(linea, m_k, m_t, [&](const int *s) {
            const int o = m_orbita[Rango(s, m_t)];
            if (m_coperta[std::size_t(o)])
                return false;
            if (m_dimensioni[std::size_t(o)] != int(m_gruppo.size()))
                semplice = false;
            orbite.push_back(o);
            return true;
        });
        if (!libera)
            return false;
        std::sort(orbite.begin(), orbite.end());
        const bool ripetute = std::adjacent_find(orbite.begin(), orbite.end()) != orbite.end();
        if (semplice && !ripetute)
            return true;
        // The orbit of the line is |G| over its stabiliser.
        Maschera insieme;
        for (int i = 0; i < m_k; ++i)
            insieme.Metti(linea[i]);
        int stabilizzatore = 0;
        for (const Permutazione &g : m_gruppo)
            stabilizzatore += Immagine(g, insieme) == insieme ? 1 : 0;
        Lavoro(qint64(m_gruppo.size()) / 8);
        const int orbitaLinea = int(m_gruppo.size()) / stabilizzatore;
        for (std::size_t i = 0; i < orbite.size();) {
            std::size_t j = i;
            while (j < orbite.size() && orbite[j] == orbite[i])
                ++j;
            if (int(j - i) * orbitaLinea != m_dimensioni[std::size_t(orbite[i])])
                return false;
            i = j;
        }
        orbite.erase(std::unique(orbite.begin(), orbite.end()), orbite.end());
        return true;
    }

    // The lines through the representative of orbit `o` that can join, stopping past `limite`.
    int Candidati(int o, int limite, std::vector<Candidato> *candidati)
    {
        int t[InsiemeMassimo];
        DaRango(m_rappresentanti[std::size_t(o)], m_t, t);
        Maschera dentro;
        for (int i = 0; i < m_t; ++i)
            dentro.Metti(t[i]);
        int altri[PostiMassimi];
        int na = 0;
        for (int x = 0; x < m_v; ++x) {
            if (!dentro.Ha(x))
                altri[na++] = x;
        }
        int quanti = 0;
        std::vector<int> orbite;
        OgniSottoinsieme(altri, na, m_k - m_t, [&](const int *aggiunti) {
            int linea[InsiemeMassimo];
            std::merge(t, t + m_t, aggiunti, aggiunti + (m_k - m_t), linea);
            if (!Ammessa(linea, orbite))
                return true;
            ++quanti;
            if (candidati) {
                Maschera m;
                for (int i = 0; i < m_k; ++i)
                    m.Metti(linea[i]);
                candidati->push_back({m, orbite});
            }
            return quanti <= limite;
        });
        return quanti;
    }

    bool Nodo()
    {
        int scelta = -1;
        int minimo = 0;
        for (int o = 0; o < int(m_dimensioni.size()); ++o) {
            if (m_coperta[std::size_t(o)])
                continue;
            const int quanti = Candidati(o, scelta < 0 ? 1 << 30 : minimo - 1, nullptr);
            if (quanti == 0)
                return false;
            if (scelta < 0 || quanti < minimo) {
                scelta = o;
                minimo = quanti;
                if (minimo == 1)
                    break;
            }
        }
        if (scelta < 0)
            return true;
        std::vector<Candidato> candidati;
        Candidati(scelta, 1 << 30, &candidati);
        for (const Candidato &candidato : candidati) {
            for (int o : candidato.orbite)
                m_coperta[std::size_t(o)] = true;
            m_scelte.push_back(candidato.linea);
            if (Nodo())
                return true;
            m_scelte.pop_back();
            for (int o : candidato.orbite)
                m_coperta[std::size_t(o)] = false;
        }
        return false;
    }

    int m_v;
    int m_k;
    int m_t;
    std::vector<Permutazione> m_gruppo;
    qint64 m_lavoro;
    qint64 m_finoAlControllo = PassoControllo;
    const std::atomic<bool> &m_annulla;
    std::vector<int> m_orbita; // of each t-set, by rank
    std::vector<int> m_dimensioni;
    std::vector<quint64> m_rappresentanti;
    std::vector<bool> m_coperta;
    std::vector<Maschera> m_scelte;
};

} // namespace

std::vector<Riga> SistemaSteiner(int v, int k, int t, qint64 lavoro, const std::atomic<bool> &annulla)
{
    if (!Ammissibile(v, k, t) || C(v, t) > InsiemiMassimi || k > InsiemeMassimo || v > PostiMassimi)
        return {};
    const std::vector<Famiglia> famiglie = Famiglie(v);
    // Each group gets a share of the work, and what one leaves goes to the next.
    qint64 resto = lavoro;
    for (const Famiglia &famiglia : famiglie) {
        if (resto <= 0 || annulla.load())
            break;
        const qint64 quota = std::min(std::max<qint64>(resto / 2, 1 << 16), resto);
        Ricostruzione ricostruzione(v, k, t, Elementi(famiglia), quota, annulla);
        std::vector<Riga> righe = ricostruzione.Cerca();
        if (!righe.empty())
            return righe;
        resto -= quota - ricostruzione.Rimasto();
    }
    return {};
}

} // namespace Riduzione::Interno
