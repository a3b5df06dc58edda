// Steiner systems S(2,k,v) from difference families. A set of base blocks in Z_n whose
// differences cover every non-zero residue exactly once gives, with all its translates, every
// pair of Z_n in exactly one line. Cyclic: n = v, and where k divides v one short orbit, the
// subgroup of order k, takes the differences that are multiples of v/k. 1-rotational: n = v-1
// and a fixed place, the subgroup of order k-1 with it as the short orbit. The base blocks are
// found depth first: the smallest difference not yet covered must lie in the next block, which
// may then be translated to hold 0 and it; the rest of the block is chosen in increasing order.

#include "riduzione/Costruzioni.h"

#include <algorithm>

namespace Riduzione::Interno {

namespace {

struct Esaurito
{
};

// An abelian group Z_a x Z_b x Z_c on the places 0 .. n-1, by mixed radix, 0 the identity.
struct Gruppo
{
    int n = 0;
    std::vector<int> somma;
    std::vector<int> opposto;
    int Piu(int a, int b) const { return somma[std::size_t(a * n + b)]; }
    int Meno(int a, int b) const { return somma[std::size_t(a * n + opposto[std::size_t(b)])]; }
};

Gruppo FaiGruppo(const std::vector<int> &moduli)
{
    Gruppo gruppo;
    gruppo.n = 1;
    for (int m : moduli)
        gruppo.n *= m;
    const int n = gruppo.n;
    const auto cifre = [&](int x) {
        std::vector<int> c;
        for (int m : moduli) {
            c.push_back(x % m);
            x /= m;
        }
        return c;
    };
    const auto numero = [&](const std::vector<int> &c) {
        int x = 0;
        for (int i = int(moduli.size()) - 1; i >= 0; --i)
            x = x * moduli[std::size_t(i)] + c[std::size_t(i)];
        return x;
    };
    gruppo.somma.resize(std::size_t(n * n));
    gruppo.opposto.resize(std::size_t(n));
    for (int a = 0; a < n; ++a) {
        const std::vector<int> ca = cifre(a);
        for (int b = 0; b < n; ++b) {
            std::vector<int> cb = cifre(b);
            for (std::size_t i = 0; i < moduli.size(); ++i)
                cb[i] = (ca[i] + cb[i]) % moduli[i];
            gruppo.somma[std::size_t(a * n + b)] = numero(cb);
        }
        std::vector<int> o = ca;
        for (std::size_t i = 0; i < moduli.size(); ++i)
            o[i] = (moduli[i] - ca[i]) % moduli[i];
        gruppo.opposto[std::size_t(a)] = numero(o);
    }
    return gruppo;
}

class Differenze
{
public:
    Differenze(const Gruppo &gruppo, int k, Maschera restano, qint64 &lavoro, const std::atomic<bool> &annulla,
               Generatore &g)
        : m_gruppo(gruppo)
        , m_n(gruppo.n)
        , m_k(k)
        , m_lavoro(lavoro)
        , m_annulla(annulla)
        , m_ordine(static_cast<std::size_t>(gruppo.n))
    {
        m_restano = restano;
        for (int i = 0; i < m_n; ++i)
            m_ordine[std::size_t(i)] = i;
        // A shuffled order of the places tried makes each new attempt a different search.
        Mescola(m_ordine, g);
    }

    bool Cerca()
    {
        try {
            return Prossimo();
        } catch (const Esaurito &) {
            return false;
        }
    }

    const std::vector<Riga> &Basi() const { return m_basi; }

private:
    void Lavoro()
    {
        if (--m_lavoro < 0)
            throw Esaurito();
        if ((m_lavoro & (PassoControllo - 1)) == 0 && m_annulla.load(std::memory_order_relaxed))
            throw Esaurito();
    }

    // Takes the differences of x with the block out of what remains; false, with nothing
    // taken, when one is missing or repeated.
    bool Prendi(const Riga &blocco, int x)
    {
        Maschera prese;
        for (int b : blocco) {
            for (int d : {m_gruppo.Meno(x, b), m_gruppo.Meno(b, x)}) {
                if (!m_restano.Ha(d) || prese.Ha(d))
                    return false;
                prese.Metti(d);
            }
        }
        m_restano = m_restano.Tranne(prese);
        return true;
    }

    void Rendi(const Riga &blocco, int x)
    {
        for (int b : blocco) {
            m_restano.Metti(m_gruppo.Meno(x, b));
            m_restano.Metti(m_gruppo.Meno(b, x));
        }
    }

    bool Prossimo()
    {
        if (m_restano.Quanti() == 0)
            return true;
        int d = 0;
        while (!m_restano.Ha(d))
            ++d;
        Riga blocco{0};
        if (!Prendi(blocco, d))
            return false;
        blocco.push_back(d);
        const bool trovato = Estendi(blocco, -1);
        if (!trovato)
            Rendi({0}, d);
        return trovato;
    }

    bool Estendi(Riga &blocco, int dopo)
    {
        if (int(blocco.size()) == m_k) {
            m_basi.push_back(blocco);
            if (Prossimo())
                return true;
            m_basi.pop_back();
            return false;
        }
        for (int i = dopo + 1; i < m_n; ++i) {
            const int x = m_ordine[std::size_t(i)];
            Lavoro();
            if (!m_restano.Ha(x) || std::find(blocco.begin(), blocco.end(), x) != blocco.end() || !Prendi(blocco, x))
                continue;
            blocco.push_back(x);
            if (Estendi(blocco, i))
                return true;
            blocco.pop_back();
            Rendi(blocco, x);
        }
        return false;
    }

    const Gruppo &m_gruppo;
    int m_n;
    int m_k;
    qint64 &m_lavoro;
    const std::atomic<bool> &m_annulla;
    std::vector<int> m_ordine;
    Maschera m_restano;
    std::vector<Riga> m_basi;
};

struct Variante
{
    std::size_t gruppo = 0;
    bool fisso = false; // a place n outside the group, fixed
    Maschera corta;     // the subgroup whose cosets are the short orbit; empty for none
};

// The abelian groups of order n with at most three cyclic factors, each dividing the next.
std::vector<std::vector<int>> Gruppi(int n)
{
    std::vector<std::vector<int>> gruppi{{n}};
    for (int a = 2; a * a <= n; ++a) {
        if (n % a != 0 || (n / a) % a != 0)
            continue;
        gruppi.push_back({a, n / a});
        for (int b = a; a * b * b <= n; b += a) {
            if (n % (a * b) == 0 && (n / (a * b)) % b == 0)
                gruppi.push_back({a, b, n / (a * b)});
        }
    }
    return gruppi;
}

// The subgroups of order h generated by one or two elements.
std::vector<Maschera> Sottogruppi(const Gruppo &gruppo, int h)
{
    std::vector<Maschera> sottogruppi;
    const auto chiudi = [&](int a, int b) {
        Maschera insieme;
        insieme.Metti(0);
        std::vector<int> coda{0};
        for (std::size_t i = 0; i < coda.size(); ++i) {
            for (int g : {a, b}) {
                const int x = gruppo.Piu(coda[i], g);
                if (!insieme.Ha(x)) {
                    insieme.Metti(x);
                    coda.push_back(x);
                }
            }
            if (int(coda.size()) > h)
                break;
        }
        return insieme;
    };
    for (int a = 1; a < gruppo.n; ++a) {
        for (int b = 0; b <= a; ++b) {
            const Maschera h1 = chiudi(a, b);
            if (h1.Quanti() == h && std::find(sottogruppi.begin(), sottogruppi.end(), h1) == sottogruppi.end())
                sottogruppi.push_back(h1);
        }
    }
    return sottogruppi;
}

} // namespace

std::vector<Riga> SistemaDifferenze(int v, int k, qint64 lavoro, const std::atomic<bool> &annulla)
{
    if (k < 3 || v <= k || v > PostiMassimi || (v - 1) % (k - 1) != 0 || (quint64(v) * quint64(v - 1)) % quint64(k * (k - 1)) != 0)
        return {};
    const int kk = k * (k - 1);
    std::vector<Gruppo> gruppi;
    std::vector<Variante> varianti;
    const auto aggiungi = [&](int n, bool fisso, int corta) {
        for (const std::vector<int> &moduli : Gruppi(n)) {
            gruppi.push_back(FaiGruppo(moduli));
            const Gruppo &gruppo = gruppi.back();
            std::vector<Maschera> sottogruppi{Maschera()};
            if (corta > 0)
                sottogruppi = Sottogruppi(gruppo, corta);
            for (const Maschera &h : sottogruppi)
                varianti.push_back({gruppi.size() - 1, fisso, h});
        }
    };
    if ((v - 1) % kk == 0)
        aggiungi(v, false, 0);
    else if ((v - 1) % kk == k - 1 && v % k == 0)
        aggiungi(v, false, k);
    if ((v - k) % kk == 0)
        aggiungi(v - 1, true, k - 1);
    if (varianti.empty())
        return {};
    Generatore g(0x5EEDD1FFULL + quint64(v) * 131 + quint64(k));
    // Rounds of growing length over the variants, so that one whose search is long does not
    // keep the others from their turn.
    qint64 resto = lavoro;
    std::vector<bool> esclusa(varianti.size(), false);
    for (qint64 turno = qint64(1) << 12; resto > 0 && !annulla.load(); turno *= 2) {
        if (std::find(esclusa.begin(), esclusa.end(), false) == esclusa.end())
            return {};
        for (std::size_t i = 0; i < varianti.size(); ++i) {
            if (esclusa[i])
                continue;
            const Variante &variante = varianti[i];
            const Gruppo &gruppo = gruppi[variante.gruppo];
            const int n = gruppo.n;
            Maschera restano;
            for (int d = 1; d < n; ++d)
                restano.Metti(d);
            restano = restano.Tranne(variante.corta);
            // An element that is its own opposite makes the orbit of its pair half as long:
            // only the short orbit can hold it.
            bool involuzione = false;
            for (int d = 1; d < n; ++d)
                involuzione = involuzione || (restano.Ha(d) && gruppo.opposto[std::size_t(d)] == d);
            if (involuzione) {
                esclusa[i] = true;
                continue;
            }
            qint64 quota = std::min(turno, resto);
            const qint64 prima = quota;
            Differenze ricerca(gruppo, k, restano, quota, annulla, g);
            const bool trovato = ricerca.Cerca();
            resto -= prima - std::max<qint64>(quota, 0);
            if (!trovato) {
                // A search that ended within its share tried everything: no family of this kind.
                esclusa[i] = quota > 0 && !annulla.load();
                if (resto <= 0 || annulla.load())
                    return {};
                continue;
            }
            std::vector<Riga> righe;
            for (const Riga &base : ricerca.Basi()) {
                for (int t = 0; t < n; ++t) {
                    Riga riga;
                    for (int x : base)
                        riga.push_back(gruppo.Piu(x, t));
                    std::sort(riga.begin(), riga.end());
                    righe.push_back(riga);
                }
            }
            if (variante.corta.Quanti() > 0) {
                Maschera viste;
                for (int t = 0; t < n; ++t) {
                    if (viste.Ha(t))
                        continue;
                    Riga riga;
                    variante.corta.OgniPosto([&](int h) { riga.push_back(gruppo.Piu(h, t)); });
                    for (int x : riga)
                        viste.Metti(x);
                    if (variante.fisso)
                        riga.push_back(n);
                    std::sort(riga.begin(), riga.end());
                    righe.push_back(riga);
                }
            }
            return righe;
        }
    }
    return {};
}

} // namespace Riduzione::Interno
