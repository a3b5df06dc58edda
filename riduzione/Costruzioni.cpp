#include "riduzione/Costruzioni.h"

#include <algorithm>
#include <map>

namespace Riduzione::Interno {

namespace {

// ---- Triples -------------------------------------------------------------------------

// A decomposition, being built, of the pairs of v places, each wanted a given number of
// times, into triangles.
class Triangoli
{
public:
    Triangoli(int v, std::vector<quint8> voluti)
        : m_v(v)
        , m_voluti(std::move(voluti))
        , m_usati(std::size_t(v) * std::size_t(v), 0)
        , m_su(std::size_t(v) * std::size_t(v))
        , m_liberi(std::size_t(v))
        , m_posto(std::size_t(v) * std::size_t(v), -1)
        , m_posizioneVivo(std::size_t(v), -1)
    {
        for (int a = 0; a < v; ++a) {
            for (int b = 0; b < v; ++b) {
                if (a != b && Mancano(a, b) > 0)
                    Libera(a, b);
            }
        }
    }

    bool Finito() const { return m_viviPunti.empty(); }

    // One step of the hill-climbing: a place with pairs still wanted, two of them, and the
    // triangle they make, pushing out the one that held the third pair where it was full.
    void Passo(Generatore &g)
    {
        const int x = m_viviPunti[std::size_t(g.Entro(int(m_viviPunti.size())))];
        const std::vector<int> &liberi = m_liberi[std::size_t(x)];
        if (liberi.size() < 2)
            return;
        const int i = g.Entro(int(liberi.size()));
        int j = g.Entro(int(liberi.size()) - 1);
        if (j >= i)
            ++j;
        const int y = liberi[std::size_t(i)];
        const int z = liberi[std::size_t(j)];
        if (Mancano(y, z) == 0) {
            const std::vector<int> &su = m_su[Indice(std::min(y, z), std::max(y, z))];
            Togli(su[std::size_t(g.Entro(int(su.size())))]);
        }
        Aggiungi({x, y, z});
    }

    std::vector<Riga> Righe() const
    {
        std::vector<Riga> righe;
        for (std::size_t i = 0; i < m_triangoli.size(); ++i) {
            if (m_vivo[i]) {
                Riga riga(m_triangoli[i].begin(), m_triangoli[i].end());
                std::sort(riga.begin(), riga.end());
                righe.push_back(riga);
            }
        }
        return righe;
    }

private:
    std::size_t Indice(int a, int b) const { return std::size_t(a) * std::size_t(m_v) + std::size_t(b); }
    int Mancano(int a, int b) const { return int(m_voluti[Indice(a, b)]) - int(m_usati[Indice(a, b)]); }

    void Libera(int a, int b)
    {
        std::vector<int> &liberi = m_liberi[std::size_t(a)];
        if (liberi.empty())
            Vive(a, true);
        m_posto[Indice(a, b)] = int(liberi.size());
        liberi.push_back(b);
    }

    void Occupa(int a, int b)
    {
        std::vector<int> &liberi = m_liberi[std::size_t(a)];
        const int posto = m_posto[Indice(a, b)];
        const int ultimo = liberi.back();
        liberi[std::size_t(posto)] = ultimo;
        m_posto[Indice(a, ultimo)] = posto;
        liberi.pop_back();
        m_posto[Indice(a, b)] = -1;
        if (liberi.empty())
            Vive(a, false);
    }

    void Vive(int a, bool vivo)
    {
        if (vivo) {
            m_posizioneVivo[std::size_t(a)] = int(m_viviPunti.size());
            m_viviPunti.push_back(a);
            return;
        }
        const int posto = m_posizioneVivo[std::size_t(a)];
        const int ultimo = m_viviPunti.back();
        m_viviPunti[std::size_t(posto)] = ultimo;
        m_posizioneVivo[std::size_t(ultimo)] = posto;
        m_viviPunti.pop_back();
        m_posizioneVivo[std::size_t(a)] = -1;
    }

    void Usa(int a, int b, int triangolo)
    {
        for (const auto &[c, d] : {std::pair(a, b), std::pair(b, a)}) {
            ++m_usati[Indice(c, d)];
            if (Mancano(c, d) == 0)
                Occupa(c, d);
        }
        m_su[Indice(std::min(a, b), std::max(a, b))].push_back(triangolo);
    }

    void Rilascia(int a, int b, int triangolo)
    {
        for (const auto &[c, d] : {std::pair(a, b), std::pair(b, a)}) {
            if (Mancano(c, d) == 0)
                Libera(c, d);
            --m_usati[Indice(c, d)];
        }
        std::vector<int> &su = m_su[Indice(std::min(a, b), std::max(a, b))];
        su.erase(std::find(su.begin(), su.end(), triangolo));
    }

    void Aggiungi(std::array<int, 3> t)
    {
        int indice;
        if (!m_vuoti.empty()) {
            indice = m_vuoti.back();
            m_vuoti.pop_back();
            m_triangoli[std::size_t(indice)] = t;
            m_vivo[std::size_t(indice)] = true;
        } else {
            indice = int(m_triangoli.size());
            m_triangoli.push_back(t);
            m_vivo.push_back(true);
        }
        Usa(t[0], t[1], indice);
        Usa(t[0], t[2], indice);
        Usa(t[1], t[2], indice);
    }

    void Togli(int indice)
    {
        const std::array<int, 3> t = m_triangoli[std::size_t(indice)];
        Rilascia(t[0], t[1], indice);
        Rilascia(t[0], t[2], indice);
        Rilascia(t[1], t[2], indice);
        m_vivo[std::size_t(indice)] = false;
        m_vuoti.push_back(indice);
    }

    int m_v;
    std::vector<quint8> m_voluti;
    std::vector<quint8> m_usati;
    std::vector<std::vector<int>> m_su; // the triangles on each pair (a < b)
    std::vector<std::vector<int>> m_liberi; // for each place, those it still wants a pair with
    std::vector<int> m_posto;
    std::vector<int> m_viviPunti; // the places with pairs still wanted
    std::vector<int> m_posizioneVivo;
    std::vector<std::array<int, 3>> m_triangoli;
    std::vector<bool> m_vivo;
    std::vector<int> m_vuoti;
};

// ---- Quadruples ----------------------------------------------------------------------

std::vector<Riga> QuadrupleBinarie(int v)
{
    std::vector<Riga> righe;
    for (int a = 0; a < v; ++a) {
        for (int b = a + 1; b < v; ++b) {
            for (int c = b + 1; c < v; ++c) {
                const int d = a ^ b ^ c;
                if (d > c)
                    righe.push_back({a, b, c, d});
            }
        }
    }
    return righe;
}

// SQS(2w) from SQS(w): each line on either half, and for each 1-factor of K_w of the
// round robin, two of its pairs, one on each half.
std::vector<Riga> Raddoppia(const std::vector<Riga> &meta, int w)
{
    std::vector<Riga> righe;
    for (const Riga &riga : meta) {
        righe.push_back(riga);
        Riga copia;
        for (int x : riga)
            copia.push_back(x + w);
        righe.push_back(copia);
    }
    const int n = w - 1;
    for (int f = 0; f < n; ++f) {
        std::vector<std::pair<int, int>> coppie{{f, w - 1}};
        for (int j = 1; j <= (w - 2) / 2; ++j)
            coppie.emplace_back((f - j + n) % n, (f + j) % n);
        for (const auto &[a, b] : coppie) {
            for (const auto &[c, d] : coppie) {
                Riga riga{a, b, c + w, d + w};
                std::sort(riga.begin(), riga.end());
                righe.push_back(riga);
            }
        }
    }
    return righe;
}

} // namespace

std::vector<Riga> CoperturaTriangoli(int v, Generatore &generatore, const std::atomic<bool> &annulla)
{
    if (v < 3)
        return {};
    std::vector<quint8> voluti(std::size_t(v) * std::size_t(v), 1);
    for (int a = 0; a < v; ++a)
        voluti[std::size_t(a) * std::size_t(v) + std::size_t(a)] = 0;
    const auto due = [&](int a, int b, int volte) {
        voluti[std::size_t(a) * std::size_t(v) + std::size_t(b)] = quint8(volte);
        voluti[std::size_t(b) * std::size_t(v) + std::size_t(a)] = quint8(volte);
    };
    // Each place lies on ceil((v-1)/2) triples: where v-1 is odd, each has one pair too many,
    // and where v = 5 mod 6 the pairs counted with their triples need two more.
    int da = 0;
    switch (v % 6) {
    case 0:
        break;
    case 2:
    case 4:
        due(0, 1, 2);
        due(0, 2, 2);
        due(0, 3, 2);
        da = 4;
        break;
    case 5:
        due(0, 1, 3);
        da = v;
        break;
    default:
        da = v;
    }
    for (int a = da; a + 1 < v; a += 2)
        due(a, a + 1, 2);

    // Restarts are rare; the steps one needs grow as v² log v.
    const qint64 passiMassimi = 200 * qint64(v) * v + 10000;
    for (int tentativo = 0; tentativo < 20; ++tentativo) {
        Triangoli triangoli(v, voluti);
        for (qint64 passo = 0; passo < passiMassimi && !triangoli.Finito(); ++passo) {
            if ((passo & (PassoControllo - 1)) == 0 && annulla.load(std::memory_order_relaxed))
                return {};
            triangoli.Passo(generatore);
        }
        if (triangoli.Finito())
            return triangoli.Righe();
    }
    return {};
}

std::vector<Riga> SistemaQuadruple(int v, const std::atomic<bool> &annulla)
{
    if (v < 2 || (v % 6 != 2 && v % 6 != 4))
        return {};
    if ((v & (v - 1)) == 0)
        return QuadrupleBinarie(v);
    for (int w = 9; w + 1 <= v; w *= 3) {
        if (w + 1 == v)
            return Sottorette(3, w == 9 ? 2 : w == 27 ? 3 : 4);
    }
    if ((v / 2) % 6 == 2 || (v / 2) % 6 == 4) {
        const std::vector<Riga> meta = SistemaQuadruple(v / 2, annulla);
        if (!meta.empty())
            return Raddoppia(meta, v / 2);
    }
    // The rest (v = 2, 10 mod 12 that no circle geometry gives) by a prescribed group; the
    // largest, 86, takes a few seconds.
    return SistemaSteiner(v, 4, 3, qint64(1) << 28, annulla);
}

bool Ammissibile(int v, int k, int t)
{
    if (t < 1 || k <= t || v <= k)
        return false;
    for (int i = 0; i < t; ++i) {
        if (C(v - i, t - i) % C(k - i, t - i) != 0)
            return false;
    }
    // Fisher: a 2-design has at least as many lines as places.
    return C(v, t) / C(k, t) >= quint64(v);
}

std::vector<Riga> Goloso(int v, int k, int t, Generatore &generatore, const std::atomic<bool> &annulla)
{
    const quint64 casi = C(v, t);
    std::vector<bool> tenuti(casi, false);
    std::vector<Riga> righe;
    std::vector<int> guadagno(static_cast<std::size_t>(v));
    qint64 lavoro = 0;
    for (quint64 primo = 0; primo < casi; ++primo) {
        if (tenuti[primo])
            continue;
        int insieme[InsiemeMassimo];
        DaRango(primo, t, insieme);
        Riga riga(insieme, insieme + t);
        while (int(riga.size()) < k) {
            // The sets a new place z would complete: with t-1 of the line's places. For each
            // (t-1)-subset S the rank of S + z is a sum fixed by how many of S lie below z,
            // plus C(z, that + 1): worked out once per S, then for every z in a sweep.
            std::fill(guadagno.begin(), guadagno.end(), 0);
            const Maschera dentro = MascheraDi(riga);
            OgniSottoinsieme(riga.data(), int(riga.size()), t - 1, [&](const int *s) {
                std::array<quint64, InsiemeMassimo + 1> base{};
                for (int j = 0; j < t; ++j) {
                    for (int i = 0; i < t - 1; ++i)
                        base[std::size_t(j)] += C(s[i], i < j ? i + 1 : i + 2);
                }
                int sotto = 0;
                for (int z = 0; z < v; ++z) {
                    while (sotto < t - 1 && s[sotto] < z)
                        ++sotto;
                    if (!dentro.Ha(z) && !tenuti[base[std::size_t(sotto)] + C(z, sotto + 1)])
                        ++guadagno[std::size_t(z)];
                }
                return true;
            });
            lavoro += qint64(v) * qint64(C(int(riga.size()), t - 1));
            int migliore = -1;
            int scelto = 0;
            int pari = 0;
            for (int z = 0; z < v; ++z) {
                if (dentro.Ha(z))
                    continue;
                const int nuovi = guadagno[std::size_t(z)];
                if (nuovi > migliore) {
                    migliore = nuovi;
                    scelto = z;
                    pari = 1;
                } else if (nuovi == migliore && generatore.Entro(++pari) == 0) {
                    scelto = z;
                }
            }
            riga.push_back(scelto);
            std::sort(riga.begin(), riga.end());
        }
        OgniSottoinsieme(riga.data(), k, t, [&](const int *s) {
            tenuti[Rango(s, t)] = true;
            return true;
        });
        righe.push_back(riga);
        if (lavoro > PassoControllo) {
            lavoro = 0;
            if (annulla.load(std::memory_order_relaxed))
                return {};
        }
    }
    return righe;
}

std::vector<Riga> Completa(std::vector<Riga> righe, int v, int k, Generatore &generatore)
{
    for (Riga &riga : righe) {
        Maschera dentro = MascheraDi(riga);
        while (int(riga.size()) < k) {
            const int posto = generatore.Entro(v);
            if (!dentro.Ha(posto)) {
                dentro.Metti(posto);
                riga.push_back(posto);
            }
        }
        std::sort(riga.begin(), riga.end());
    }
    std::sort(righe.begin(), righe.end());
    righe.erase(std::unique(righe.begin(), righe.end()), righe.end());
    return righe;
}

std::vector<Riga> Restringi(const std::vector<Riga> &righe, int v, int k, int m, Generatore &generatore)
{
    std::vector<Riga> tenute;
    for (const Riga &riga : righe) {
        Riga dentro;
        for (int x : riga) {
            if (x < v)
                dentro.push_back(x);
        }
        if (int(dentro.size()) >= m)
            tenute.push_back(dentro);
    }
    // The shortest first, each joined to the first later one it fits with.
    std::sort(tenute.begin(), tenute.end(), [](const Riga &a, const Riga &b) { return a.size() < b.size(); });
    std::vector<bool> unita(tenute.size(), false);
    std::vector<Riga> risultato;
    for (std::size_t i = 0; i < tenute.size(); ++i) {
        if (unita[i])
            continue;
        Riga riga = tenute[i];
        for (std::size_t j = i + 1; j < tenute.size() && int(riga.size()) < k; ++j) {
            if (unita[j])
                continue;
            const Maschera insieme = MascheraDi(riga) | MascheraDi(tenute[j]);
            if (insieme.Quanti() <= k) {
                riga = RigaDi(insieme);
                unita[j] = true;
            }
        }
        risultato.push_back(riga);
    }
    return Completa(std::move(risultato), v, k, generatore);
}

} // namespace Riduzione::Interno
