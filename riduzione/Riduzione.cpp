#include "riduzione/Riduzione.h"

#include "common/mFunzioni.h"
#include "riduzione/Costruzioni.h"
#include "riduzione/Ricerca.h"
#include "verifica/Verifica.h"

#include <algorithm>
#include <limits>
#include <map>

namespace Riduzione {

using namespace Interno;

namespace {

// Work for the prescribed groups, for the request itself and for a nearby number of places.
constexpr qint64 LavoroSteiner = qint64(1) << 26;
constexpr qint64 LavoroVicino = qint64(1) << 20;
// Work for the coverings made of orbits: at the lower bound for pairs (most C(v,4,2) up to 40
// take up to a second or two), a quarter of it at each of the two sizes above; for larger t,
// whose orbits are many more, a sixteenth.
constexpr qint64 LavoroSimmetria = qint64(1) << 26;
// Work for C(v,4,2) by prescribed pairs: each v up to 61 of its families is found in well under
// a second here, most in a tenth.
constexpr qint64 LavoroQuartine = qint64(1) << 30;
constexpr int SopraIlMinimo = 2;
// A system for a few more places, cut down, is often a better start than the greedy one.
constexpr int PostiVicini = 3;
// Moves for the covering of each size of group in a split: a short polish, as the whole
// system is searched again afterwards wherever it can be.
constexpr qint64 PassiGruppo = 2000;
// The greedy covering is the first system where its work is at most this (some tens of
// milliseconds, at 10 to 30 ns a unit); elsewhere the recursive covering, whose work is its
// own size.
constexpr qint64 LavoroGolosoPrimo = 4000000;

quint64 DivisoPerEccesso(quint64 a, quint64 b)
{
    return (a + b - 1) / b;
}

qint64 Schoenheim(int v, int k, int t)
{
    quint64 minimo = 1;
    for (int i = t - 1; i >= 0; --i)
        minimo = DivisoPerEccesso(minimo * quint64(v - i), quint64(k - i));
    return qint64(minimo);
}

// The lower bound for a covering: Schönheim's, and Mills' exceptions for lines of 4: one
// more on 7, 9 and 10 numbers, two more on 19.
qint64 MinimoCopertura(int v, int k, int t)
{
    qint64 eccezione = 0;
    if (k == 4 && t == 2)
        eccezione = v == 19 ? 2 : (v == 7 || v == 9 || v == 10) ? 1 : 0;
    return Schoenheim(v, k, t) + eccezione;
}

// The best system seen so far, and who hears of each better one. Systems above the cap are
// never offered.
class Migliore
{
public:
    explicit Migliore(std::function<void(int)> annuncia = nullptr)
        : m_annuncia(std::move(annuncia))
    {
    }

    void Proponi(std::vector<Riga> righe)
    {
        if (righe.empty() || qint64(righe.size()) > RigheMassime)
            return;
        if (!m_righe.empty() && righe.size() >= m_righe.size())
            return;
        // Constructions mostly give them in order already: a look costs less than a sort.
        for (Riga &riga : righe) {
            if (!std::is_sorted(riga.begin(), riga.end()))
                std::sort(riga.begin(), riga.end());
        }
        if (!std::is_sorted(righe.begin(), righe.end()))
            std::sort(righe.begin(), righe.end());
        righe.erase(std::unique(righe.begin(), righe.end()), righe.end());
        if (!m_righe.empty() && righe.size() >= m_righe.size())
            return;
        m_righe = std::move(righe);
        if (m_annuncia)
            m_annuncia(int(m_righe.size()));
    }

    const std::vector<Riga> &Righe() const { return m_righe; }
    qint64 Quante() const { return m_righe.empty() ? std::numeric_limits<qint64>::max() : qint64(m_righe.size()); }

private:
    std::vector<Riga> m_righe;
    std::function<void(int)> m_annuncia;
};

// Every set of t of the v places as a line: the only covering when k = t.
std::vector<Riga> Tutti(int v, int t)
{
    std::vector<Riga> righe;
    std::vector<int> posti(static_cast<std::size_t>(v));
    for (int i = 0; i < v; ++i)
        posti[std::size_t(i)] = i;
    OgniSottoinsieme(posti.data(), v, t, [&](const int *s) {
        righe.emplace_back(s, s + t);
        return true;
    });
    return righe;
}

int Potenza(int base, int esponente)
{
    int r = 1;
    for (int i = 0; i < esponente; ++i)
        r *= base;
    return r;
}

// A Steiner system S(t,k,v) from finite geometry, where v and k are those of one.
std::vector<Riga> Geometria(int v, int k, int t)
{
    for (int n = 2; n <= 6; ++n) {
        if (t == 2 && PotenzaDiPrimo(k - 1) && (Potenza(k - 1, n + 1) - 1) / (k - 2) == v)
            return RetteProiettive(n, k - 1);
        if (t == 2 && PotenzaDiPrimo(k) && Potenza(k, n) == v)
            return RetteAffini(n, k);
        if (t == 3 && PotenzaDiPrimo(k - 1) && Potenza(k - 1, n) + 1 == v)
            return Sottorette(k - 1, n);
    }
    return {};
}

// A covering of the t-sets by lines of k that mathematics gives at once, as small as it can
// be; none where no construction applies.
std::vector<Riga> Costruita(int v, int k, int t, qint64 lavoro, Generatore &g, const std::atomic<bool> &annulla)
{
    if (k == t)
        return C(v, t) <= quint64(RigheMassime) ? Tutti(v, t) : std::vector<Riga>();
    if (t == 2 && k == 3)
        return CoperturaTriangoli(v, g, annulla);
    if (!Ammissibile(v, k, t))
        return {};
    std::vector<Riga> righe = Geometria(v, k, t);
    if (righe.empty() && t == 2)
        righe = SistemaDifferenze(v, k, lavoro, annulla);
    if (righe.empty() && t == 3 && k == 4)
        righe = SistemaQuadruple(v, annulla);
    if (righe.empty())
        righe = SistemaSteiner(v, k, t, lavoro, annulla);
    return righe;
}

// The greedy covering's work: the sets' marks, and for each line the places weighed at each
// of its k - t steps, each weighing t ranks.
qint64 LavoroGoloso(int v, int k, int t)
{
    qint64 passo = 0;
    for (int s = t; s < k; ++s)
        passo += qint64(C(s, t - 1)) * v * t;
    const qint64 righe = Schoenheim(v, k, t);
    if (righe > LavoroGolosoPrimo)
        return std::numeric_limits<qint64>::max();
    return qint64(C(v, t)) + righe * (passo + qint64(C(k, t)));
}

bool GolosoPrimo(int v, int k, int t)
{
    return C(v, t) <= CasiMassimi && LavoroGoloso(v, k, t) <= LavoroGolosoPrimo;
}

// The first covering of a request: the smaller of the recursive covering and, where it is
// cheap, the greedy one. The greedy one's lines always come with it; the recursive one is
// built only when `costruisci` and within the cap; its size always.
struct SistemaPrimo
{
    std::vector<Riga> righe;
    qint64 quante = 0; // known before building: the built system may drop repeated lines
};

SistemaPrimo PrimaCopertura(int v, int k, int t, bool costruisci, bool golosa = true)
{
    SistemaPrimo primo;
    Ricorsione ricorsione(v, k, t);
    primo.quante = ricorsione.Righe();
    if (golosa && GolosoPrimo(v, k, t)) {
        // A seed of its own, so that the size is the same for every seed of the search.
        Generatore fisso(0);
        const std::atomic<bool> mai{false};
        std::vector<Riga> golosa = Goloso(v, k, t, fisso, mai);
        if (qint64(golosa.size()) < primo.quante) {
            primo.quante = qint64(golosa.size());
            primo.righe = std::move(golosa);
            return primo;
        }
    }
    if (costruisci && primo.quante <= RigheMassime)
        primo.righe = ricorsione.Costruisci();
    return primo;
}

// The places 0 .. v-1 split into at most `gruppiMassimi` groups of consecutive places, the
// sizes that make `misura` sum to the least (`misura(n)` lines for a group of n).
template<typename Misura>
std::vector<int> Divisione(int v, int gruppiMassimi, Misura misura)
{
    constexpr qint64 Infinito = std::numeric_limits<qint64>::max() / 4;
    std::vector<qint64> costo(static_cast<std::size_t>(v + 1));
    for (int n = 0; n <= v; ++n)
        costo[std::size_t(n)] = misura(n);
    // somma[j][s]: the least sum over j groups of s places in all; da[j][s]: the last group.
    std::vector<std::vector<qint64>> somma(std::size_t(gruppiMassimi + 1), std::vector<qint64>(std::size_t(v + 1), Infinito));
    std::vector<std::vector<int>> da(std::size_t(gruppiMassimi + 1), std::vector<int>(std::size_t(v + 1), 0));
    somma[0][0] = 0;
    for (int j = 1; j <= gruppiMassimi; ++j) {
        for (int s = 0; s <= v; ++s) {
            for (int n = 0; n <= s; ++n) {
                const qint64 prima = somma[std::size_t(j - 1)][std::size_t(s - n)];
                const qint64 c = costo[std::size_t(n)];
                if (prima < Infinito && c < Infinito && prima + c < somma[std::size_t(j)][std::size_t(s)]) {
                    somma[std::size_t(j)][std::size_t(s)] = prima + c;
                    da[std::size_t(j)][std::size_t(s)] = n;
                }
            }
        }
    }
    int gruppi = 1;
    for (int j = 2; j <= gruppiMassimi; ++j) {
        if (somma[std::size_t(j)][std::size_t(v)] < somma[std::size_t(gruppi)][std::size_t(v)])
            gruppi = j;
    }
    std::vector<int> misure;
    for (int j = gruppi, s = v; j > 0; --j) {
        const int n = da[std::size_t(j)][std::size_t(s)];
        s -= n;
        if (n > 0)
            misure.push_back(n);
    }
    std::sort(misure.rbegin(), misure.rend());
    return misure;
}

// The lines of a split: each group's covering moved to its places, groups of at most k
// places one line each, those of fewer than m none; every line then filled to k.
template<typename Copertura>
std::vector<Riga> Unisci(const std::vector<int> &misure, int v, int k, int m, Generatore &g, Copertura copertura)
{
    std::vector<Riga> righe;
    int inizio = 0;
    for (int n : misure) {
        if (n >= m && n <= k) {
            Riga riga;
            for (int i = 0; i < n; ++i)
                riga.push_back(inizio + i);
            righe.push_back(riga);
        } else if (n > k) {
            for (const Riga &linea : copertura(n)) {
                Riga riga;
                for (int x : linea)
                    riga.push_back(inizio + x);
                righe.push_back(riga);
            }
        }
        inizio += n;
    }
    return Completa(std::move(righe), v, k, g);
}

int GruppiMassimi(const Richiesta &r)
{
    return (r.estratti - 1) / (r.garanzia - 1);
}

// The first system of a lotto design: the split by the sizes of the recursive coverings, each
// group covered by its first covering.
SistemaPrimo PrimoLotto(const Richiesta &r, bool costruisci)
{
    const int k = r.classe;
    const int m = r.garanzia;
    std::map<int, qint64> stime;
    const auto misura = [&](int n) -> qint64 {
        if (n < m)
            return 0;
        if (n <= k)
            return 1;
        auto trovata = stime.find(n);
        if (trovata == stime.end())
            trovata = stime.emplace(n, Ricorsione(n, k, m).Righe()).first;
        return trovata->second;
    };
    const std::vector<int> misure = Divisione(r.numeri, GruppiMassimi(r), misura);
    // Each size of group once: its first covering, greedy where that is cheap.
    std::map<int, SistemaPrimo> coperture;
    SistemaPrimo primo;
    for (int n : misure) {
        if (n > k && coperture.find(n) == coperture.end())
            coperture.emplace(n, PrimaCopertura(n, k, m, false));
        primo.quante += n > k ? coperture[n].quante : misura(n);
    }
    if (!costruisci || primo.quante > RigheMassime)
        return primo;
    Generatore fisso(0);
    primo.righe = Unisci(misure, r.numeri, k, m, fisso, [&](int n) -> const std::vector<Riga> & {
        SistemaPrimo &copertura = coperture[n];
        if (copertura.righe.empty())
            copertura = PrimaCopertura(n, k, m, true, false);
        return copertura.righe;
    });
    return primo;
}

SistemaPrimo PrimoSistema(const Richiesta &r, bool costruisci)
{
    if (r.estratti == r.garanzia)
        return PrimaCopertura(r.numeri, r.classe, r.garanzia, costruisci);
    const bool copertura = GruppiMassimi(r) == 1;
    SistemaPrimo primo = copertura ? PrimaCopertura(r.numeri, r.classe, r.garanzia, false) : PrimoLotto(r, false);
    // Two parts, each covered, and products of coverings for the draws split between them:
    // far fewer lines than a covering where one group is all a split allows.
    DueParti parti(r.numeri, r.classe, r.estratti, r.garanzia);
    if (parti.Righe() < primo.quante) {
        primo.quante = parti.Righe();
        primo.righe.clear();
        if (costruisci && primo.quante <= RigheMassime)
            primo.righe = parti.Costruisci();
        return primo;
    }
    // The greedy covering's lines come with its size.
    if (!costruisci || primo.quante > RigheMassime || !primo.righe.empty())
        return primo;
    return copertura ? PrimaCopertura(r.numeri, r.classe, r.garanzia, true, false) : PrimoLotto(r, true);
}

// The local search from `migliore`, one line fewer each time it is valid, down to `minimo`.
void Migliora(const Problema &pb, qint64 minimo, Migliore &migliore, quint64 seme, qint64 &passi,
              const std::atomic<bool> &annulla)
{
    if (migliore.Quante() <= minimo || passi <= 0)
        return;
    Ricerca ricerca(pb, seme);
    if (!ricerca.Parti(migliore.Righe(), annulla))
        return;
    while (ricerca.Righe() > minimo && ricerca.Righe() > 1) {
        if (!ricerca.TogliRiga(annulla) || !ricerca.Ripara(passi, annulla))
            return;
        migliore.Proponi(ricerca.Sistema());
    }
}

// A covering of the t-sets of v places by lines of k: constructions, coverings made of
// orbits, systems for a few more places cut down, the greedy covering, and where they do not
// reach the bound, the local search from the best of them.
struct Opzioni
{
    qint64 lavoro = LavoroSteiner;
    qint64 quartine = LavoroQuartine;   // for C(v,4,2) by prescribed pairs
    qint64 simmetria = LavoroSimmetria; // for the coverings made of orbits at the lower bound
    int sopra = SopraIlMinimo;          // and at up to this many lines above it
    bool golosa = true;                 // the greedy covering, where not already the first system
    bool ricerca = true;                // the local search
};

void Copri(int v, int k, int t, const Opzioni &opzioni, Migliore &migliore, Generatore &g, qint64 &passi,
           const std::atomic<bool> &annulla)
{
    const qint64 minimo = MinimoCopertura(v, k, t);
    migliore.Proponi(Costruita(v, k, t, opzioni.lavoro, g, annulla));
    if (migliore.Quante() <= minimo || annulla.load())
        return;
    if (k == 4 && t == 2 && opzioni.quartine > 0) {
        migliore.Proponi(CoperturaQuartine(v, opzioni.quartine, annulla));
        if (migliore.Quante() <= minimo || annulla.load())
            return;
    }
    if (opzioni.simmetria > 0) {
        for (qint64 obiettivo = minimo; obiettivo < std::min(migliore.Quante(), minimo + opzioni.sopra + 1)
             && !annulla.load(); ++obiettivo) {
            const qint64 lavoro = (t == 2 ? opzioni.simmetria : opzioni.simmetria / 16) / (obiettivo == minimo ? 1 : 4);
            std::vector<Riga> righe = CoperturaSimmetrica(v, k, t, obiettivo, lavoro, annulla);
            if (!righe.empty()) {
                migliore.Proponi(std::move(righe));
                break;
            }
        }
        if (migliore.Quante() <= minimo || annulla.load())
            return;
    }
    for (int w = v + 1; w <= std::min(v + PostiVicini, PostiMassimi) && !annulla.load(); ++w) {
        const std::vector<Riga> vicina = Costruita(w, k, t, LavoroVicino, g, annulla);
        if (!vicina.empty())
            migliore.Proponi(Restringi(vicina, v, k, t, g));
    }
    if (C(v, t) > CasiMassimi)
        return;
    if (opzioni.golosa && !GolosoPrimo(v, k, t))
        migliore.Proponi(Goloso(v, k, t, g, annulla));
    if (opzioni.ricerca)
        Migliora({v, k, t, t}, minimo, migliore, g.Prossimo(), passi, annulla);
}

// A lotto design from coverings: the places split into groups so that p drawn put m into one
// of them (at most (p-1)/(m-1) groups), each group covered on its own. The coverings of every
// size of group that can matter are built first, and the split is the one whose coverings
// have the fewest lines in all.
std::vector<Riga> Divisa(const Richiesta &r, Generatore &g, const std::atomic<bool> &annulla)
{
    const int v = r.numeri;
    const int k = r.classe;
    const int m = r.garanzia;
    const int gruppiMassimi = GruppiMassimi(r);
    // No group of an even split is above v/2 when there are two or more; a little beyond it
    // leaves room for an uneven one.
    const int piuGrande = std::min(v - 1, v / 2 + k);
    std::map<int, std::vector<Riga>> coperture;
    for (int n = k + 1; n <= piuGrande && !annulla.load(); ++n) {
        Migliore gruppo;
        gruppo.Proponi(PrimaCopertura(n, k, m, true).righe);
        qint64 passi = PassiGruppo;
        Opzioni opzioni;
        opzioni.lavoro = LavoroVicino;
        opzioni.quartine = qint64(1) << 22;
        opzioni.simmetria = qint64(1) << 18;
        opzioni.sopra = 0;
        opzioni.golosa = false;
        Copri(n, k, m, opzioni, gruppo, g, passi, annulla);
        coperture.emplace(n, gruppo.Righe());
    }
    if (annulla.load())
        return {};
    const std::vector<int> misure = Divisione(v, gruppiMassimi, [&](int n) -> qint64 {
        if (n < m)
            return 0;
        if (n <= k)
            return 1;
        const auto trovata = coperture.find(n);
        if (trovata == coperture.end() || trovata->second.empty())
            return std::numeric_limits<qint64>::max() / 4;
        return qint64(trovata->second.size());
    });
    return Unisci(misure, v, k, m, g, [&](int n) -> const std::vector<Riga> & { return coperture[n]; });
}

// The least of sum f(a_i) over the splits of v into `parti` parts of 0 or more.
template<typename F>
qint64 MinimoDivisione(int v, int parti, F f)
{
    constexpr qint64 Infinito = std::numeric_limits<qint64>::max() / 4;
    std::vector<qint64> somma(static_cast<std::size_t>(v + 1), Infinito);
    somma[0] = 0;
    for (int j = 0; j < parti; ++j) {
        std::vector<qint64> dopo(static_cast<std::size_t>(v + 1), Infinito);
        for (int s = 0; s <= v; ++s) {
            for (int a = 0; a <= s; ++a) {
                if (somma[std::size_t(s - a)] < Infinito)
                    dopo[std::size_t(s)] = std::min(dopo[std::size_t(s)], somma[std::size_t(s - a)] + f(a));
            }
        }
        somma = std::move(dopo);
    }
    return somma[std::size_t(v)];
}

} // namespace

bool Possibile(const Richiesta &r)
{
    return r.numeri >= NumeriMinimi && r.numeri <= PostiMassimi && r.garanzia >= 2 && r.garanzia <= r.classe
        && r.classe <= std::min(r.numeri - 1, ClasseMassima) && r.estratti >= r.garanzia
        && r.estratti <= std::min(r.numeri, EstrattiMassimi);
}

quint64 Casi(const Richiesta &r)
{
    return C(r.numeri, r.estratti);
}

qint64 MinimoTeorico(const Richiesta &r)
{
    if (!Possibile(r))
        return 0;
    const int v = r.numeri;
    const int k = r.classe;
    const int m = r.garanzia;
    const int p = r.estratti;
    if (p == m)
        return MinimoCopertura(v, k, m);
    if (m == 2) {
        // The pairs the lines hold make a graph in which no p places are mutually apart. A place
        // on d of those pairs lies on at least ceil(d / (k-1)) lines, and among such graphs the
        // sum is least for p-1 disjoint cliques (Füredi, Székely and Zubor, 1996).
        const qint64 incidenze = MinimoDivisione(v, p - 1, [&](int a) { return qint64(a) * ((a - 1 + k - 2) / (k - 1)); });
        const qint64 fsz = std::max<qint64>(1, qint64(DivisoPerEccesso(quint64(incidenze), quint64(k))));
        if (k == 3 && v >= 3 * (p - 1)) {
            // Bougard (2006): for lines of 3 and p <= 6 the best split is optimal.
            const qint64 bougard = MinimoDivisione(v, p - 1, [](int a) { return a < 2 ? 0 : a <= 3 ? 1 : Schoenheim(a, 3, 2); });
            return std::max(fsz, bougard);
        }
        return fsz;
    }
    // The m-sets held by the lines meet every p-set; de Caen: at least
    // C(v,m) (v-p+1) / ((v-m+1) C(p-1,m-1)) of them.
    const quint64 numeratore = C(v, m) * quint64(v - p + 1);
    const quint64 denominatore = quint64(v - m + 1) * C(p - 1, m - 1) * C(k, m);
    return qint64(std::max<quint64>(1, DivisoPerEccesso(numeratore, denominatore)));
}

qint64 RighePrime(const Richiesta &r)
{
    return Possibile(r) ? PrimoSistema(r, false).quante : 0;
}

Esito Riduci(const Richiesta &r, quint64 seme, qint64 passi, Avanzamento &avanzamento)
{
    Esito esito;
    if (!Possibile(r))
        return esito;
    const std::atomic<bool> &annulla = avanzamento.annulla;
    if (annulla.load()) {
        esito.stato = Esito::Annullato;
        return esito;
    }
    const qint64 minimo = MinimoTeorico(r);
    const qint64 passiDati = passi;
    Generatore g(seme);
    Migliore migliore([&](int righe) {
        avanzamento.righe.store(righe);
        if (avanzamento.migliorato)
            avanzamento.migliorato(righe);
    });
    SistemaPrimo primo = PrimoSistema(r, true);
    esito.righePrime = primo.quante;
    if (primo.quante > RigheMassime) {
        esito.stato = Esito::TroppoGrande;
        return esito;
    }
    migliore.Proponi(std::move(primo.righe));
    const int v = r.numeri;
    const int k = r.classe;
    const int m = r.garanzia;
    const int p = r.estratti;
    if (migliore.Quante() > minimo && !annulla.load()) {
        if (p == m || GruppiMassimi(r) == 1) {
            // For p > m the covering is only a start: the moves go to the lotto design.
            Opzioni opzioni;
            opzioni.ricerca = p == m;
            Copri(v, k, m, opzioni, migliore, g, passi, annulla);
            if (p > m && Casi(r) <= CasiMassimi)
                Migliora({v, k, m, p}, minimo, migliore, g.Prossimo(), passi, annulla);
        } else {
            migliore.Proponi(Divisa(r, g, annulla));
            if (Casi(r) <= CasiMassimi)
                Migliora({v, k, m, p}, minimo, migliore, g.Prossimo(), passi, annulla);
        }
    }
    esito.passi = passiDati - passi;
    esito.stato = Esito::Trovato;
    esito.righe = migliore.Righe();
    esito.ottimo = qint64(esito.righe.size()) <= minimo;
    return esito;
}

bool Garantito(const std::vector<int> &numeri, const std::vector<Riga> &righe, int m, int p,
               Verifica::Avanzamento &avanzamento)
{
    Verifica::Lista lista;
    for (const Riga &riga : righe) {
        Verifica::RigaLetta letta;
        letta.numero = int(lista.righe.size()) + 1;
        for (int posto : riga)
            letta.numeri.Aggiungi(numeri[std::size_t(posto)]);
        lista.righe.push_back(letta);
    }
    lista.vuota = lista.righe.empty();
    Verifica::Garanzia garanzia;
    if (lista.righe.empty() || !Verifica::CalcolaGaranzia(lista, garanzia, avanzamento))
        return false;
    // Drawn numbers that no line uses hit nothing: at worst p of them less count.
    const int fuori = int(numeri.size()) - garanzia.numeri.Quanti();
    const int contano = p - std::min(p, fuori);
    for (const Verifica::Livello &livello : garanzia.livelli) {
        if (livello.estratti == contano)
            return livello.garantiti >= m;
    }
    return false;
}

QString Testo(const std::vector<int> &numeri, const std::vector<Riga> &righe)
{
    QStringList linee;
    linee.reserve(qsizetype(righe.size()));
    for (const Riga &riga : righe) {
        std::vector<int> scelti;
        for (int posto : riga)
            scelti.push_back(numeri[std::size_t(posto)]);
        std::sort(scelti.begin(), scelti.end());
        QStringList campi;
        for (int numero : scelti)
            campi << mFunzioni::CampoNumero(numero);
        linee << campi.join(u' ');
    }
    // Two digits each, so the text's order is the numbers' order.
    std::sort(linee.begin(), linee.end());
    return linee.isEmpty() ? QString() : linee.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace Riduzione
