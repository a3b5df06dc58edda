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
#include <functional>
#include <map>

namespace Riduzione::Interno {

namespace {

// Sets of t places whose orbits are listed in full: beyond this the search is not tried.
constexpr quint64 InsiemiMassimi = quint64(1) << 21;

using Permutazione = std::array<quint8, PostiMassimi>;

// n places on each of `copie` copies of Z_n, or of GF(n) where n is a prime power, then
// `fissi` places that stay: x -> a x + b on every copy at once, a in the subgroup of order d
// of the field's non-zero elements, or 1.
struct Famiglia
{
    int copie = 1;
    int n = 0;
    int fissi = 0;
    int d = 1;
    bool ciclico = false; // Z_n even where n is a prime power, and no multipliers
    int Ordine() const { return n * d; }
};

std::vector<Permutazione> Elementi(const Famiglia &f)
{
    Campo campo;
    const bool corpo = !f.ciclico && PotenzaDiPrimo(f.n) && FaiCampo(f.n, campo);
    std::vector<int> moltiplicatori{1};
    if (corpo && f.d > 1) {
        int a = 1;
        for (int i = 0; i < (f.n - 1) / f.d; ++i)
            a = campo.Per(a, campo.primitivo);
        for (int i = 1; i < f.d; ++i)
            moltiplicatori.push_back(campo.Per(moltiplicatori.back(), a));
    }
    std::vector<Permutazione> elementi;
    for (int a : moltiplicatori) {
        for (int b = 0; b < f.n; ++b) {
            Permutazione g{};
            for (int c = 0; c < f.copie; ++c) {
                for (int x = 0; x < f.n; ++x) {
                    const int y = corpo ? campo.Piu(campo.Per(a, x), b) : (x + b) % f.n;
                    g[std::size_t(c * f.n + x)] = quint8(c * f.n + y);
                }
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
            if (!PotenzaDiPrimo(n)) {
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

// The work a search may do: each unit spent by Lavoro, and a look at the request to stop
// every PassoControllo units; either ends the search with Esaurito.
class ConLavoro
{
public:
    // The work left of what it was given.
    qint64 Rimasto() const { return std::max<qint64>(m_lavoro, 0); }

protected:
    ConLavoro(qint64 lavoro, const std::atomic<bool> &annulla)
        : m_lavoro(lavoro)
        , m_annulla(annulla)
    {
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

private:
    qint64 m_lavoro;
    qint64 m_finoAlControllo = PassoControllo;
    const std::atomic<bool> &m_annulla;
};

// The lines of the orbits of `linee` under the group, each once.
std::vector<Riga> LineeDelleOrbite(const std::vector<Permutazione> &gruppo, const std::vector<Riga> &linee)
{
    std::vector<Riga> righe;
    for (const Riga &linea : linee) {
        for (const Permutazione &g : gruppo) {
            Riga immagine;
            for (int x : linea)
                immagine.push_back(g[std::size_t(x)]);
            std::sort(immagine.begin(), immagine.end());
            righe.push_back(immagine);
        }
    }
    // Lines with a stabiliser come more than once.
    std::sort(righe.begin(), righe.end());
    righe.erase(std::unique(righe.begin(), righe.end()), righe.end());
    return righe;
}

// A search given a share of work: its system, or none, and the work it left.
struct Prova
{
    std::vector<Riga> righe;
    qint64 rimasto = 0;
};

// Rounds of growing shares of `lavoro` over `quante` searches, `prova(i, quota, turno)`: the
// first system found; a search that ends within its share without one has none and leaves the
// rounds.
template<typename Cerca>
std::vector<Riga> AQuote(std::size_t quante, qint64 lavoro, const std::atomic<bool> &annulla, Cerca prova)
{
    std::vector<bool> escluse(quante, false);
    qint64 resto = lavoro;
    for (qint64 turno = qint64(1) << 16; resto > 0 && !annulla.load(); turno *= 2) {
        bool provate = false;
        for (std::size_t i = 0; i < quante && resto > 0 && !annulla.load(); ++i) {
            if (escluse[i])
                continue;
            provate = true;
            const qint64 quota = std::min(turno, resto);
            Prova esito = prova(i, quota, turno);
            if (!esito.righe.empty())
                return std::move(esito.righe);
            resto -= quota - esito.rimasto;
            escluse[i] = esito.rimasto > 0 && !annulla.load();
        }
        if (!provate)
            break;
    }
    return {};
}

class Ricostruzione : public ConLavoro
{
public:
    Ricostruzione(int v, int k, int t, std::vector<Permutazione> gruppo, qint64 lavoro,
                  const std::atomic<bool> &annulla, quint64 seme)
        : ConLavoro(lavoro, annulla)
        , m_v(v)
        , m_k(k)
        , m_t(t)
        , m_gruppo(std::move(gruppo))
        , m_generatore(seme)
    {
    }


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
        // Each round tries the lines in another order: a search that went astray early
        // goes elsewhere the next time.
        Mescola(candidati, m_generatore);
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
    Generatore m_generatore;
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
    // Rounds of growing shares over the groups: one whose search is long does not keep the
    // others from their turn, and a group whose search ends within its share has no system.
    // The largest groups still in the running get the larger shares: their systems are the
    // likelier to be found in time (S(5,8,24) by the affine group of order 253).
    std::vector<bool> escluse(famiglie.size(), false);
    qint64 resto = lavoro;
    for (qint64 turno = qint64(1) << 16; resto > 0 && !annulla.load(); turno *= 2) {
        bool provate = false;
        std::size_t posto = 0;
        for (std::size_t i = 0; i < famiglie.size() && resto > 0 && !annulla.load(); ++i) {
            if (escluse[i])
                continue;
            provate = true;
            const qint64 quota = std::min(std::max<qint64>(turno >> std::min<std::size_t>(posto++, 6), qint64(1) << 12), resto);
            Ricostruzione ricostruzione(v, k, t, Elementi(famiglie[i]), quota, annulla,
                                        quint64(turno) * 1000003u + i);
            std::vector<Riga> righe = ricostruzione.Cerca();
            if (!righe.empty())
                return righe;
            resto -= quota - ricostruzione.Rimasto();
            escluse[i] = ricostruzione.Rimasto() > 0 && !annulla.load();
        }
        if (!provate)
            break;
    }
    return {};
}

// ---- Pairs by quadruples at Mills' value -----------------------------------------------
//
// Where C(v,4,2) is not a Steiner system, a covering at Schönheim's bound holds every pair
// once but for a few held again, and counting the lines through each place fixes which: for
// v = 1 mod 3 with 3 pairs over (v = 22, 31, 34, 46…) one pair held four times; for v = 3 mod 6
// (v = 27, 33, 39…) one place whose pairs with four others are held twice, and a perfect
// matching of the rest held twice. With those pairs prescribed the covering is an exact design
// again, and a group that keeps them makes it a small problem, as for the Steiner systems
// above, each pair orbit held as many times as its pairs are.

namespace {

// Places in cycles of the given lengths, each dividing the first, then `fissi` places that
// stay; the group is Z_n turning every cycle at once.
struct Cicli
{
    std::vector<int> lunghezze;
    int fissi = 0;
    int Inizio(int ciclo) const
    {
        int inizio = 0;
        for (int c = 0; c < ciclo; ++c)
            inizio += lunghezze[std::size_t(c)];
        return inizio;
    }
    int Posto(int ciclo, int x) const
    {
        const int n = lunghezze[std::size_t(ciclo)];
        return Inizio(ciclo) + ((x % n) + n) % n;
    }
    int Fisso(int i) const { return Inizio(int(lunghezze.size())) + i; }
};

std::vector<Permutazione> ElementiCicli(const Cicli &cicli)
{
    const int n = cicli.lunghezze.front();
    std::vector<Permutazione> elementi;
    for (int b = 0; b < n; ++b) {
        Permutazione g{};
        for (int c = 0; c < int(cicli.lunghezze.size()); ++c) {
            for (int x = 0; x < cicli.lunghezze[std::size_t(c)]; ++x)
                g[std::size_t(cicli.Posto(c, x))] = quint8(cicli.Posto(c, x + b));
        }
        for (int i = 0; i < cicli.fissi; ++i)
            g[std::size_t(cicli.Fisso(i))] = quint8(cicli.Fisso(i));
        elementi.push_back(g);
    }
    return elementi;
}

// A group and the pairs it keeps, with how many times each is held.
struct Disegno
{
    Cicli cicli;
    std::vector<std::array<int, 3>> volte; // places a, b and the times {a, b} is held
    std::vector<Riga> aggiunte;            // lines that come with the design, outside the search
};

// The ways to put `posti` places in cycles of Z_n: as many of n as there can be and at most
// three shorter ones, of lengths that divide n, the fewest cycles first.
std::vector<std::vector<int>> CicliDi(int posti, int n)
{
    std::vector<int> divisori;
    for (int d = n / 2; d >= 2; --d) {
        if (n % d == 0)
            divisori.push_back(d);
    }
    std::vector<std::vector<int>> modi;
    std::vector<int> corti;
    const std::function<void(int, std::size_t)> scegli = [&](int resto, std::size_t da) {
        if (resto % n == 0) {
            std::vector<int> lunghezze(std::size_t(resto / n), n);
            lunghezze.insert(lunghezze.end(), corti.begin(), corti.end());
            modi.push_back(lunghezze);
        }
        if (corti.size() == 3)
            return;
        for (std::size_t i = da; i < divisori.size(); ++i) {
            if (divisori[i] > resto)
                continue;
            corti.push_back(divisori[i]);
            scegli(resto - divisori[i], i);
            corti.pop_back();
        }
    };
    scegli(posti, 0);
    std::stable_sort(modi.begin(), modi.end(),
                     [](const std::vector<int> &a, const std::vector<int> &b) { return a.size() < b.size(); });
    return modi;
}

// A matching of the places of the first `cicli` cycles, kept by the group: across each cycle
// of even length, and the odd ones two by two, place by place. False where it cannot be.
bool Accoppia(Disegno &d, int cicli, int volte)
{
    int dispari = -1;
    for (int c = 0; c < cicli; ++c) {
        const int l = d.cicli.lunghezze[std::size_t(c)];
        if (l % 2 == 0) {
            for (int x = 0; x < l / 2; ++x)
                d.volte.push_back({d.cicli.Posto(c, x), d.cicli.Posto(c, x + l / 2), volte});
        } else if (dispari < 0) {
            dispari = c;
        } else {
            if (d.cicli.lunghezze[std::size_t(dispari)] != l)
                return false;
            for (int x = 0; x < l; ++x)
                d.volte.push_back({d.cicli.Posto(dispari, x), d.cicli.Posto(c, x), volte});
            dispari = -1;
        }
    }
    return dispari < 0;
}

std::vector<Disegno> Disegni(int v, int eccesso)
{
    std::vector<Disegno> disegni;
    if (eccesso == 3 && v % 3 == 1) {
        // {a, b} four times: a and b fixed; or a cycle of 2, with one place fixed or none;
        // the rest in cycles.
        for (int modo = 0; modo < 3; ++modo) {
            const int fissi = modo == 0 ? 2 : modo == 1 ? 1 : 0;
            for (int n : {12, 8, 6, 4, 2}) {
                for (const std::vector<int> &lunghezze : CicliDi(v - 2 - (modo == 1 ? 1 : 0), n)) {
                    Disegno d;
                    d.cicli.lunghezze = lunghezze;
                    d.cicli.fissi = fissi;
                    if (modo == 0) {
                        d.volte.push_back({d.cicli.Fisso(0), d.cicli.Fisso(1), 4});
                    } else {
                        d.cicli.lunghezze.push_back(2);
                        const int c = int(d.cicli.lunghezze.size()) - 1;
                        d.volte.push_back({d.cicli.Posto(c, 0), d.cicli.Posto(c, 1), 4});
                    }
                    disegni.push_back(d);
                }
            }
        }
    } else if (v % 6 == 3 && eccesso == (v + 3) / 2) {
        // A group divisible design of u groups of 6 and one of 3 (v = 6u + 3), whose groups
        // are then covered apart: each group of 6 by three lines, which hold a matching of it
        // twice, and the group of 3 by one line with a place z of a group of 6, whose pairs
        // with the three are then held twice. Over three cycles of Z_2u with the group of 3
        // fixed, the groups {(c, i), (c, i + u)}, for u even; over six cycles of Z_u, the
        // groups {(c, i)}, for u odd.
        {
            const int u = (v - 3) / 6;
            Disegno d;
            d.cicli.lunghezze.assign(u % 2 == 0 ? 3 : 6, u % 2 == 0 ? 2 * u : u);
            d.cicli.fissi = 3;
            for (int i = 0; i < u; ++i) {
                std::vector<int> gruppo;
                for (int c = 0; c < int(d.cicli.lunghezze.size()); ++c) {
                    gruppo.push_back(d.cicli.Posto(c, i));
                    if (u % 2 == 0)
                        gruppo.push_back(d.cicli.Posto(c, i + u));
                }
                for (std::size_t a = 0; a < gruppo.size(); ++a) {
                    for (std::size_t b = a + 1; b < gruppo.size(); ++b)
                        d.volte.push_back({gruppo[a], gruppo[b], 0});
                }
                std::sort(gruppo.begin(), gruppo.end());
                for (const auto &[a, b] : {std::pair{4, 5}, std::pair{2, 3}, std::pair{0, 1}}) {
                    Riga riga;
                    for (int x = 0; x < 6; ++x) {
                        if (x != a && x != b)
                            riga.push_back(gruppo[std::size_t(x)]);
                    }
                    d.aggiunte.push_back(riga);
                }
            }
            for (int a = 0; a < 3; ++a) {
                for (int b = a + 1; b < 3; ++b)
                    d.volte.push_back({d.cicli.Fisso(a), d.cicli.Fisso(b), 0});
            }
            d.aggiunte.push_back({0, d.cicli.Fisso(0), d.cicli.Fisso(1), d.cicli.Fisso(2)});
            disegni.push_back(d);
        }
        // A place z, fixed, twice with four places w, in a cycle of 4 or two of 2; the rest
        // matched.
        for (int n : {12, 8, 4, 2}) {
            for (const std::vector<int> &lunghezze : CicliDi(v - 5, n)) {
                Disegno d;
                d.cicli.lunghezze = lunghezze;
                const int w = int(d.cicli.lunghezze.size());
                const std::vector<int> quattro = n == 2 ? std::vector<int>{2, 2} : std::vector<int>{4};
                d.cicli.lunghezze.insert(d.cicli.lunghezze.end(), quattro.begin(), quattro.end());
                d.cicli.fissi = 1;
                for (int x = 0; x < 4; ++x)
                    d.volte.push_back({d.cicli.Fisso(0), d.cicli.Posto(w + x / quattro[0], x), 2});
                if (Accoppia(d, w, 2))
                    disegni.push_back(d);
            }
        }
    }
    // The largest groups first: their problems are the smallest.
    std::stable_sort(disegni.begin(), disegni.end(), [](const Disegno &a, const Disegno &b) {
        return a.cicli.lunghezze.front() > b.cicli.lunghezze.front();
    });
    return disegni;
}


// Quadruples whose orbits are listed: up to 61 places.
constexpr quint64 QuaterneMassime = quint64(1) << 19;

// The exact cover over the orbits: the pair orbits as columns, each to be held as many times
// as its pairs are prescribed, and the orbits of quadruples as rows, each holding some pair
// orbits a number of times. Depth first, the column with the fewest rows still able to join
// next (Knuth's choice), the rows killed as they become too much for a column and brought
// back on the way up; a row tried and failed is left out for its siblings, so no choice is
// searched twice.
class Esatta : public ConLavoro
{
public:
    Esatta(int v, std::vector<Permutazione> gruppo, const std::vector<quint8> &volte, qint64 lavoro,
           const std::atomic<bool> &annulla, quint64 seme)
        : ConLavoro(lavoro, annulla)
        , m_gruppo(std::move(gruppo))
        , m_generatore(seme)
    {
        Orbite(v, volte);
    }


    // The lines, or none when there is no such cover or the work ran out.
    std::vector<Riga> Cerca()
    {
        try {
            if (!Nodo())
                return {};
        } catch (const Esaurito &) {
            return {};
        }
        std::vector<Riga> linee;
        for (int r : m_scelte) {
            const std::array<quint8, 4> &b = m_righe[std::size_t(r)].linea;
            linee.push_back({b[0], b[1], b[2], b[3]});
        }
        return LineeDelleOrbite(m_gruppo, linee);
    }

private:
    struct Tenuta
    {
        int colonna;
        int volte;
    };
    struct RigaOrbita
    {
        std::array<quint8, 4> linea; // the least of its orbit
        std::vector<Tenuta> tenute;
    };

    void Orbite(int v, const std::vector<quint8> &volte)
    {
        const std::vector<Permutazione> &gruppo = m_gruppo;
        const quint64 coppie = C(v, 2);
        std::vector<int> colonna(coppie, -1);
        std::vector<int> dimensione;
        for (quint64 rango = 0; rango < coppie; ++rango) {
            if (colonna[rango] >= 0)
                continue;
            int p[2];
            DaRango(rango, 2, p);
            const int id = int(dimensione.size());
            int quante = 0;
            for (const Permutazione &g : gruppo) {
                int q[2] = {g[std::size_t(p[0])], g[std::size_t(p[1])]};
                std::sort(q, q + 2);
                const quint64 r = Rango(q, 2);
                if (colonna[r] < 0) {
                    colonna[r] = id;
                    ++quante;
                }
            }
            dimensione.push_back(quante);
            m_mancano.push_back(volte[rango]);
        }
        // Each orbit of quadruples once, by its least rank.
        const quint64 quaterne = C(v, 4);
        std::vector<bool> vista(quaterne, false);
        m_perColonna.assign(dimensione.size(), {});
        for (quint64 rango = 0; rango < quaterne; ++rango) {
            if (vista[rango])
                continue;
            int b[4];
            DaRango(rango, 4, b);
            RigaOrbita riga{{quint8(b[0]), quint8(b[1]), quint8(b[2]), quint8(b[3])}, {}};
            int orbita = 0;
            for (const Permutazione &g : gruppo) {
                int immagine[4] = {g[std::size_t(b[0])], g[std::size_t(b[1])], g[std::size_t(b[2])], g[std::size_t(b[3])]};
                std::sort(immagine, immagine + 4);
                const quint64 r = Rango(immagine, 4);
                if (!vista[r]) {
                    vista[r] = true;
                    ++orbita;
                }
            }
            std::map<int, int> conta;
            OgniSottoinsieme(b, 4, 2, [&](const int *s) {
                ++conta[colonna[Rango(s, 2)]];
                return true;
            });
            bool ammessa = true;
            for (const auto &[c, n] : conta) {
                const int tenuta = n * orbita / dimensione[std::size_t(c)];
                ammessa = ammessa && tenuta <= m_mancano[std::size_t(c)];
                riga.tenute.push_back({c, tenuta});
            }
            if (!ammessa)
                continue;
            for (const Tenuta &t : riga.tenute)
                m_perColonna[std::size_t(t.colonna)].push_back(int(m_righe.size()));
            m_righe.push_back(std::move(riga));
        }
        m_viva.assign(m_righe.size(), true);
        m_vive.assign(dimensione.size(), 0);
        for (std::size_t c = 0; c < dimensione.size(); ++c)
            m_vive[c] = int(m_perColonna[c].size());
    }

    void Uccidi(int r)
    {
        m_viva[std::size_t(r)] = false;
        for (const Tenuta &t : m_righe[std::size_t(r)].tenute)
            --m_vive[std::size_t(t.colonna)];
        m_uccise.push_back(r);
    }

    void Resuscita(std::size_t finoA)
    {
        while (m_uccise.size() > finoA) {
            const int r = m_uccise.back();
            m_uccise.pop_back();
            m_viva[std::size_t(r)] = true;
            for (const Tenuta &t : m_righe[std::size_t(r)].tenute)
                ++m_vive[std::size_t(t.colonna)];
        }
    }

    // Takes row r: what it holds comes off its columns, and the rows now too much die.
    void Prendi(int r)
    {
        Uccidi(r);
        for (const Tenuta &t : m_righe[std::size_t(r)].tenute) {
            int &mancano = m_mancano[std::size_t(t.colonna)];
            mancano -= t.volte;
            const std::vector<int> &righe = m_perColonna[std::size_t(t.colonna)];
            Lavoro(qint64(righe.size()));
            for (int altra : righe) {
                if (!m_viva[std::size_t(altra)])
                    continue;
                for (const Tenuta &u : m_righe[std::size_t(altra)].tenute) {
                    if (u.colonna == t.colonna) {
                        if (u.volte > mancano)
                            Uccidi(altra);
                        break;
                    }
                }
            }
        }
    }

    bool Nodo()
    {
        int scelta = -1;
        for (int c = 0; c < int(m_mancano.size()); ++c) {
            if (m_mancano[std::size_t(c)] == 0)
                continue;
            if (m_vive[std::size_t(c)] == 0)
                return false;
            if (scelta < 0 || m_vive[std::size_t(c)] < m_vive[std::size_t(scelta)])
                scelta = c;
        }
        Lavoro(qint64(m_mancano.size()));
        if (scelta < 0)
            return true;
        std::vector<int> candidate;
        for (int r : m_perColonna[std::size_t(scelta)]) {
            if (m_viva[std::size_t(r)])
                candidate.push_back(r);
        }
        // Each try takes the rows in another order: a search gone astray early goes
        // elsewhere the next time.
        Mescola(candidate, m_generatore);
        const std::size_t inizio = m_uccise.size();
        for (int r : candidate) {
            const std::size_t prima = m_uccise.size();
            std::vector<int> mancano = m_mancano;
            m_scelte.push_back(r);
            Prendi(r);
            if (Nodo())
                return true;
            m_scelte.pop_back();
            Resuscita(prima);
            m_mancano = std::move(mancano);
            // Every cover with r was searched: the siblings go on without it.
            Uccidi(r);
        }
        Resuscita(inizio);
        return false;
    }

    std::vector<Permutazione> m_gruppo;
    Generatore m_generatore;
    std::vector<RigaOrbita> m_righe;
    std::vector<std::vector<int>> m_perColonna; // the rows holding each column
    std::vector<int> m_mancano;                 // how many more times each column is to be held
    std::vector<int> m_vive;                    // the live rows holding each column
    std::vector<bool> m_viva;
    std::vector<int> m_uccise; // in the order they died, to bring them back
    std::vector<int> m_scelte;
};

} // namespace

std::vector<Riga> CoperturaQuartine(int v, qint64 lavoro, const std::atomic<bool> &annulla)
{
    // Where Mills proved the bound is not met, there is no such design to look for.
    if (v < 8 || v == 9 || v == 10 || v == 19 || C(v, 4) > QuaterneMassime)
        return {};
    const quint64 schoenheim = (quint64(v) * ((v + 1) / 3) + 3) / 4; // ⌈v/4 ⌈(v-1)/3⌉⌉
    const int eccesso = int(6 * schoenheim - C(v, 2));
    const std::vector<Disegno> disegni = Disegni(v, eccesso);
    return AQuote(disegni.size(), lavoro, annulla, [&](std::size_t i, qint64 quota, qint64 turno) {
        std::vector<quint8> volte(std::size_t(C(v, 2)), 1);
        for (const auto &coppia : disegni[i].volte) {
            const int posti[2] = {std::min(coppia[0], coppia[1]), std::max(coppia[0], coppia[1])};
            volte[std::size_t(Rango(posti, 2))] = quint8(coppia[2]);
        }
        Esatta esatta(v, ElementiCicli(disegni[i].cicli), volte, quota, annulla, quint64(turno) * 1000003u + i);
        Prova prova{esatta.Cerca(), esatta.Rimasto()};
        if (!prova.righe.empty())
            prova.righe.insert(prova.righe.end(), disegni[i].aggiunte.begin(), disegni[i].aggiunte.end());
        return prova;
    });
}

} // namespace Riduzione::Interno

// ---- Coverings with a prescribed group ------------------------------------------------
//
// The same orbits, now for coverings: a line's orbit holds every t-set of each orbit it
// meets, so a covering made of orbits is a choice of line orbits, weighted by their length,
// that meets every t-orbit. The search takes the uncovered t-orbit with the fewest line orbits
// through it, and tries those that waste the fewest t-sets first; a branch ends when the lines
// chosen and a lower bound on those still needed pass the goal.

namespace Riduzione::Interno {

namespace {

class Simmetrica : public ConLavoro
{
public:
    Simmetrica(int v, int k, int t, const std::vector<Permutazione> &gruppo, qint64 obiettivo, qint64 lavoro,
               const std::atomic<bool> &annulla)
        : ConLavoro(lavoro, annulla)
        , m_v(v)
        , m_k(k)
        , m_t(t)
        , m_gruppo(gruppo)
        , m_obiettivo(obiettivo)
    {
    }


    std::vector<Riga> Cerca()
    {
        try {
            Prepara();
            if (!Nodo(0))
                return {};
        } catch (const Esaurito &) {
            return {};
        }
        std::vector<Riga> linee;
        for (int r : m_scelte) {
            Riga linea(std::size_t(m_k), 0);
            DaRango(m_righe[std::size_t(r)].rappresentante, m_k, linea.data());
            linee.push_back(linea);
        }
        return LineeDelleOrbite(m_gruppo, linee);
    }

private:
    struct Orbita
    {
        quint64 rappresentante = 0;
        int lunghezza = 0;
        std::vector<int> colonne; // the t-orbits it meets
    };

    // Splits the sets of `quanti` places into orbits: the orbit of each by rank, and the
    // representative (least rank) and length of each orbit.
    void Dividi(int quanti, std::vector<int> &orbita, std::vector<quint64> &rappresentanti, std::vector<int> &lunghezze)
    {
        const quint64 casi = C(m_v, quanti);
        orbita.assign(casi, -1);
        for (quint64 rango = 0; rango < casi; ++rango) {
            if (orbita[rango] >= 0)
                continue;
            Lavoro(qint64(m_gruppo.size()));
            const int id = int(rappresentanti.size());
            int insieme[InsiemeMassimo];
            DaRango(rango, quanti, insieme);
            int lunghezza = 0;
            for (const Permutazione &g : m_gruppo) {
                int immagine[InsiemeMassimo];
                for (int i = 0; i < quanti; ++i)
                    immagine[i] = g[std::size_t(insieme[i])];
                std::sort(immagine, immagine + quanti);
                const quint64 r = Rango(immagine, quanti);
                if (orbita[r] < 0) {
                    orbita[r] = id;
                    ++lunghezza;
                }
            }
            rappresentanti.push_back(rango);
            lunghezze.push_back(lunghezza);
        }
    }

    void Prepara()
    {
        std::vector<int> orbitaT;
        std::vector<quint64> rappresentantiT;
        Dividi(m_t, orbitaT, rappresentantiT, m_lunghezzeT);
        const int colonne = int(m_lunghezzeT.size());
        // For pairs, how many of each orbit's pairs hold each place: the bound by places.
        if (m_t == 2) {
            m_incidenze.assign(std::size_t(colonne), {});
            const quint64 coppie = C(m_v, 2);
            std::vector<std::vector<int>> conta(static_cast<std::size_t>(colonne));
            for (quint64 r = 0; r < coppie; ++r) {
                int c[2];
                DaRango(r, 2, c);
                std::vector<int> &riga = conta[std::size_t(orbitaT[r])];
                if (riga.empty())
                    riga.assign(std::size_t(m_v), 0);
                ++riga[std::size_t(c[0])];
                ++riga[std::size_t(c[1])];
            }
            for (int o = 0; o < colonne; ++o) {
                for (int x = 0; x < m_v; ++x) {
                    if (conta[std::size_t(o)][std::size_t(x)] > 0)
                        m_incidenze[std::size_t(o)].push_back({x, conta[std::size_t(o)][std::size_t(x)]});
                }
            }
            m_scoperteDi.assign(std::size_t(m_v), m_v - 1);
        }
        std::vector<int> orbitaK;
        std::vector<quint64> rappresentantiK;
        std::vector<int> lunghezzeK;
        Dividi(m_k, orbitaK, rappresentantiK, lunghezzeK);
        orbitaK = {};
        // Line orbits that meet the same t-orbits: the shortest stands for all.
        std::map<std::vector<int>, int> viste;
        m_perColonna.assign(std::size_t(colonne), {});
        for (std::size_t o = 0; o < rappresentantiK.size(); ++o) {
            Lavoro(qint64(C(m_k, m_t)));
            int linea[InsiemeMassimo];
            DaRango(rappresentantiK[o], m_k, linea);
            std::vector<int> meet;
            OgniSottoinsieme(linea, m_k, m_t, [&](const int *s) {
                meet.push_back(orbitaT[Rango(s, m_t)]);
                return true;
            });
            std::sort(meet.begin(), meet.end());
            meet.erase(std::unique(meet.begin(), meet.end()), meet.end());
            const auto [it, nuova] = viste.emplace(meet, int(m_righe.size()));
            if (!nuova) {
                Orbita &gia = m_righe[std::size_t(it->second)];
                if (lunghezzeK[o] < gia.lunghezza) {
                    gia.lunghezza = lunghezzeK[o];
                    gia.rappresentante = rappresentantiK[o];
                }
                continue;
            }
            for (int c : meet)
                m_perColonna[std::size_t(c)].push_back(int(m_righe.size()));
            m_righe.push_back({rappresentantiK[o], lunghezzeK[o], meet});
        }
        m_coperta.assign(std::size_t(colonne), 0);
        m_scoperti = qint64(C(m_v, m_t));
        m_spreco.assign(m_righe.size(), 0);
        for (std::size_t r = 0; r < m_righe.size(); ++r) {
            qint64 tenuti = 0;
            for (int c : m_righe[r].colonne)
                tenuti += m_lunghezzeT[std::size_t(c)];
            m_spreco[r] = qint64(m_righe[r].lunghezza) * qint64(C(m_k, m_t)) - tenuti;
        }
        // Columns with few line orbits through them first: they settle the most.
        m_ordine.resize(std::size_t(colonne));
        for (int c = 0; c < colonne; ++c)
            m_ordine[std::size_t(c)] = c;
        std::stable_sort(m_ordine.begin(), m_ordine.end(), [&](int a, int b) {
            return m_perColonna[std::size_t(a)].size() < m_perColonna[std::size_t(b)].size();
        });
    }

    qint64 Minimo() const
    {
        const qint64 perRiga = qint64(C(m_k, m_t));
        if (m_t != 2)
            return (m_scoperti + perRiga - 1) / perRiga;
        // Each line through a place holds k-1 of its pairs.
        qint64 incidenze = 0;
        for (int x = 0; x < m_v; ++x)
            incidenze += (m_scoperteDi[std::size_t(x)] + m_k - 2) / (m_k - 1);
        return std::max((incidenze + m_k - 1) / m_k, (m_scoperti + perRiga - 1) / perRiga);
    }

    void Copri(int r, int verso)
    {
        for (int c : m_righe[std::size_t(r)].colonne) {
            int &conta = m_coperta[std::size_t(c)];
            if (verso > 0 ? conta++ == 0 : --conta == 0) {
                m_scoperti -= verso * m_lunghezzeT[std::size_t(c)];
                for (int altra : m_perColonna[std::size_t(c)])
                    m_spreco[std::size_t(altra)] += verso * m_lunghezzeT[std::size_t(c)];
                if (m_t == 2) {
                    for (const auto &[x, quante] : m_incidenze[std::size_t(c)])
                        m_scoperteDi[std::size_t(x)] -= verso * quante;
                }
            }
        }
        m_righeUsate += verso * m_righe[std::size_t(r)].lunghezza;
    }

    // The waste a line orbit would add: t-sets it holds again, counted with their lines.
    qint64 Spreco(int r) const { return m_spreco[std::size_t(r)]; }

    bool Nodo(int profondita)
    {
        if (m_scoperti == 0)
            return true;
        Lavoro(m_t == 2 ? m_v : 1);
        if (m_righeUsate + Minimo() > m_obiettivo)
            return false;
        // What the goal still allows to be held twice.
        const qint64 margine = (m_obiettivo - m_righeUsate) * qint64(C(m_k, m_t)) - m_scoperti;
        // The uncovered t-orbit with the fewest line orbits that fit.
        int colonna = -1;
        std::size_t minimo = 0;
        for (int c : m_ordine) {
            if (m_coperta[std::size_t(c)] > 0)
                continue;
            std::size_t adatte = 0;
            for (int r : m_perColonna[std::size_t(c)]) {
                const Orbita &orbita = m_righe[std::size_t(r)];
                if (m_righeUsate + orbita.lunghezza <= m_obiettivo && Spreco(r) <= margine)
                    ++adatte;
            }
            Lavoro(qint64(m_perColonna[std::size_t(c)].size()) / 4 + 1);
            if (colonna < 0 || adatte < minimo) {
                colonna = c;
                minimo = adatte;
                if (adatte <= 1)
                    break;
            }
        }
        if (minimo == 0)
            return false;
        std::vector<std::pair<qint64, int>> candidati;
        for (int r : m_perColonna[std::size_t(colonna)]) {
            const Orbita &orbita = m_righe[std::size_t(r)];
            const qint64 spreco = Spreco(r);
            if (m_righeUsate + orbita.lunghezza <= m_obiettivo && spreco <= margine)
                candidati.push_back({spreco, r});
        }
        std::stable_sort(candidati.begin(), candidati.end());
        for (const auto &[spreco, r] : candidati) {
            Copri(r, +1);
            m_scelte.push_back(r);
            if (Nodo(profondita + 1))
                return true;
            m_scelte.pop_back();
            Copri(r, -1);
        }
        return false;
    }

    int m_v;
    int m_k;
    int m_t;
    const std::vector<Permutazione> &m_gruppo;
    qint64 m_obiettivo;

    std::vector<int> m_lunghezzeT;
    std::vector<std::vector<std::pair<int, int>>> m_incidenze; // per t-orbit: place, pairs
    std::vector<Orbita> m_righe;
    std::vector<std::vector<int>> m_perColonna;
    std::vector<int> m_ordine;
    std::vector<int> m_coperta;
    std::vector<qint64> m_spreco; // per line orbit, as Spreco gives it
    std::vector<qint64> m_scoperteDi;
    qint64 m_scoperti = 0;
    qint64 m_righeUsate = 0;
    std::vector<int> m_scelte;
};

// Groups for coverings: as for Steiner systems, with up to `FissiCopertura` places fixed.
constexpr int FissiCopertura = 10;
constexpr int CopieCopertura = 6;

std::vector<Famiglia> FamiglieCopertura(int v)
{
    std::vector<Famiglia> famiglie;
    for (int fissi = 0; fissi <= std::min(FissiCopertura, v - 3); ++fissi) {
        for (int n = 3; n <= v - fissi; ++n) {
            if ((v - fissi) % n != 0 || (v - fissi) / n > CopieCopertura)
                continue;
            const int copie = (v - fissi) / n;
            famiglie.push_back({copie, n, fissi, 1, true});
            if (!PotenzaDiPrimo(n))
                continue;
            // The additive group of GF(n) where it is not Z_n, and with multipliers.
            for (int d = 1; d < n; ++d) {
                if ((n - 1) % d == 0 && (d > 1 || !Primo(n)))
                    famiglie.push_back({copie, n, fissi, d});
            }
        }
    }
    std::stable_sort(famiglie.begin(), famiglie.end(),
                     [](const Famiglia &a, const Famiglia &b) { return a.Ordine() > b.Ordine(); });
    return famiglie;
}

} // namespace

std::vector<Riga> CoperturaSimmetrica(int v, int k, int t, qint64 obiettivo, qint64 lavoro,
                                      const std::atomic<bool> &annulla)
{
    if (t < 2 || k <= t || v <= k || v > PostiMassimi || k > InsiemeMassimo || C(v, k) > InsiemiOrbite)
        return {};
    const std::vector<Famiglia> famiglie = FamiglieCopertura(v);
    return AQuote(famiglie.size(), lavoro, annulla, [&](std::size_t i, qint64 quota, qint64) {
        const std::vector<Permutazione> gruppo = Elementi(famiglie[i]);
        Simmetrica ricerca(v, k, t, gruppo, obiettivo, quota, annulla);
        return Prova{ricerca.Cerca(), ricerca.Rimasto()};
    });
}

} // namespace Riduzione::Interno
