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
constexpr qint64 LavoroSteiner = qint64(1) << 25;
constexpr qint64 LavoroVicino = qint64(1) << 20;
// A system for a few more places, cut down, is often a better start than the greedy one.
constexpr int PostiVicini = 3;
// Moves for the covering of each size of group in a split: a short polish, as the whole
// system is searched again afterwards wherever it can be.
constexpr qint64 PassiGruppo = 2000;

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

// The best system seen so far, and who hears of each better one.
class Migliore
{
public:
    explicit Migliore(std::function<void(int)> annuncia = nullptr)
        : m_annuncia(std::move(annuncia))
    {
    }

    void Proponi(std::vector<Riga> righe)
    {
        if (righe.empty())
            return;
        for (Riga &riga : righe)
            std::sort(riga.begin(), riga.end());
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

// A covering of the t-sets by lines of k that mathematics gives at once, as small as it can
// be; none where no construction applies.
std::vector<Riga> Costruita(int v, int k, int t, qint64 lavoro, Generatore &g, const std::atomic<bool> &annulla)
{
    if (k == t)
        return C(v, t) <= quint64(RigheMassime) ? Tutti(v, t) : std::vector<Riga>();
    if (t == 2 && k == 3)
        return CoperturaTriangoli(v, g, annulla);
    if (t == 2 && PotenzaDiPrimo(k - 1) && v == (k - 1) * (k - 1) + k)
        return PianoProiettivo(k - 1);
    if (t == 2 && PotenzaDiPrimo(k) && v == k * k)
        return PianoAffine(k);
    if (t == 3 && k == 4 && (v % 6 == 2 || v % 6 == 4))
        return SistemaQuadruple(v, annulla);
    if (Ammissibile(v, k, t))
        return SistemaSteiner(v, k, t, lavoro, annulla);
    return {};
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

// A covering of the t-sets of v places by lines of k: constructions, and where they do not
// reach the bound, the local search from the best of them and of the greedy covering.
void Copri(int v, int k, int t, Migliore &migliore, Generatore &g, qint64 &passi, const std::atomic<bool> &annulla)
{
    const qint64 minimo = Schoenheim(v, k, t);
    migliore.Proponi(Costruita(v, k, t, LavoroSteiner, g, annulla));
    if (migliore.Quante() <= minimo || annulla.load())
        return;
    for (int w = v + 1; w <= std::min(v + PostiVicini, PostiMassimi); ++w) {
        const std::vector<Riga> vicina = Costruita(w, k, t, LavoroVicino, g, annulla);
        if (!vicina.empty())
            migliore.Proponi(Restringi(vicina, v, k, t, g));
    }
    if (C(v, t) > CasiMassimi)
        return;
    migliore.Proponi(Goloso(v, k, t, g, annulla));
    Migliora({v, k, t, t}, minimo, migliore, g.Prossimo(), passi, annulla);
}

// A lotto design from coverings: the places split into groups so that p drawn put m into one
// of them (at most (p-1)/(m-1) groups), each group covered on its own. The split is the one
// whose coverings' bounds sum to the least; for k = 3, m = 2 these are the coverings' sizes.
std::vector<Riga> Divisa(const Richiesta &r, Generatore &g, const std::atomic<bool> &annulla)
{
    const int v = r.numeri;
    const int k = r.classe;
    const int m = r.garanzia;
    const int gruppiMassimi = (r.estratti - 1) / (m - 1);
    const auto stima = [&](int n) -> qint64 { return n < m ? 0 : n <= k ? 1 : Schoenheim(n, k, m); };
    // somma[j][s]: the least sum over j groups of s places in all; da[j][s]: the last group.
    constexpr qint64 Infinito = std::numeric_limits<qint64>::max() / 4;
    std::vector<std::vector<qint64>> somma(std::size_t(gruppiMassimi + 1), std::vector<qint64>(std::size_t(v + 1), Infinito));
    std::vector<std::vector<int>> da(std::size_t(gruppiMassimi + 1), std::vector<int>(std::size_t(v + 1), 0));
    somma[0][0] = 0;
    for (int j = 1; j <= gruppiMassimi; ++j) {
        for (int s = 1; s <= v; ++s) {
            for (int n = 1; n <= s; ++n) {
                const qint64 prima = somma[std::size_t(j - 1)][std::size_t(s - n)];
                if (prima < Infinito && prima + stima(n) < somma[std::size_t(j)][std::size_t(s)]) {
                    somma[std::size_t(j)][std::size_t(s)] = prima + stima(n);
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
    std::vector<Riga> righe;
    std::map<int, std::vector<Riga>> coperture; // groups of the same size share one
    int inizio = 0;
    for (int j = gruppi, s = v; j > 0; --j) {
        const int n = da[std::size_t(j)][std::size_t(s)];
        s -= n;
        if (n >= m && n <= k) {
            Riga riga;
            for (int i = 0; i < n; ++i)
                riga.push_back(inizio + i);
            righe.push_back(riga);
        } else if (n > k) {
            auto trovata = coperture.find(n);
            if (trovata == coperture.end()) {
                Migliore gruppo;
                qint64 passi = PassiGruppo;
                Copri(n, k, m, gruppo, g, passi, annulla);
                trovata = coperture.emplace(n, gruppo.Righe()).first;
            }
            if (trovata->second.empty())
                return {};
            for (const Riga &linea : trovata->second) {
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
        return Schoenheim(v, k, m);
    if (m == 2) {
        // The pairs held by no line make a graph without p mutually joined places, so at
        // most the edges of the Turán graph T(v, p-1); the lines hold all the others.
        const int parti = p - 1;
        const int q = v / parti;
        const int resto = v % parti;
        const quint64 tenute = quint64(resto) * C(q + 1, 2) + quint64(parti - resto) * C(q, 2);
        return qint64(std::max<quint64>(1, DivisoPerEccesso(tenute, C(k, 2))));
    }
    // The m-sets held by the lines meet every p-set; de Caen: at least
    // C(v,m) (v-p+1) / ((v-m+1) C(p-1,m-1)) of them.
    const quint64 numeratore = C(v, m) * quint64(v - p + 1);
    const quint64 denominatore = quint64(v - m + 1) * C(p - 1, m - 1) * C(k, m);
    return qint64(std::max<quint64>(1, DivisoPerEccesso(numeratore, denominatore)));
}

Esito Riduci(const Richiesta &r, quint64 seme, qint64 passi, Avanzamento &avanzamento)
{
    Esito esito;
    if (!Possibile(r))
        return esito;
    const qint64 minimo = MinimoTeorico(r);
    const qint64 passiDati = passi;
    Generatore g(seme);
    Migliore migliore([&](int righe) {
        avanzamento.righe.store(righe);
        if (avanzamento.migliorato)
            avanzamento.migliorato(righe);
    });
    const std::atomic<bool> &annulla = avanzamento.annulla;
    const int v = r.numeri;
    const int k = r.classe;
    const int m = r.garanzia;
    const int p = r.estratti;
    if (p == m) {
        Copri(v, k, m, migliore, g, passi, annulla);
    } else {
        migliore.Proponi(Divisa(r, g, annulla));
        if (Casi(r) <= CasiMassimi)
            Migliora({v, k, m, p}, minimo, migliore, g.Prossimo(), passi, annulla);
    }
    esito.passi = passiDati - passi;
    if (migliore.Righe().empty()) {
        esito.stato = annulla.load() ? Esito::Annullato : Esito::TroppoGrande;
        return esito;
    }
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
