// Reduced systems of a conditioned development. Only the lines that satisfy the conditions
// are played, and only the draws that lie inside one of them count: those are the draws the
// player means to cover. So the system is a set cover: the p-sets inside the development's
// lines to be served, each line of the development serving those it meets in m places.
// Schönheim's and Turán's bounds speak of every p-set of the numbers and say nothing here;
// the one bound kept is the count of those p-sets over the most that one line serves.

#include "riduzione/Riduzione.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <queue>

namespace Riduzione {

using namespace Interno;

namespace {

// What the search keeps, line by served set and back, 4 bytes an entry each way.
constexpr qint64 IncidenzeMassime = qint64(8) << 20;
// A line just added stays, and a line just removed stays out, for this many moves.
constexpr qint64 Tabu = 4;

quint32 RangoDi(const int *posti, int quanti)
{
    return quint32(Rango(posti, quanti));
}

// The p-sets inside the lines, by their rank among the p-sets of the v places, each once.
// False when there are more than CasiMassimi of them.
bool Bersagli(const std::vector<Riga> &sviluppo, int p, std::vector<quint32> &bersagli, const std::atomic<bool> &annulla)
{
    bersagli.clear();
    for (const Riga &riga : sviluppo) {
        if (annulla.load(std::memory_order_relaxed))
            return false;
        OgniSottoinsieme(riga.data(), int(riga.size()), p, [&](const int *s) {
            bersagli.push_back(RangoDi(s, p));
            return true;
        });
        // Sorted and merged as they come, so that the repeats never pile up past the limit.
        if (bersagli.size() > 2 * CasiMassimi) {
            std::sort(bersagli.begin(), bersagli.end());
            bersagli.erase(std::unique(bersagli.begin(), bersagli.end()), bersagli.end());
            if (bersagli.size() > CasiMassimi)
                return false;
        }
    }
    std::sort(bersagli.begin(), bersagli.end());
    bersagli.erase(std::unique(bersagli.begin(), bersagli.end()), bersagli.end());
    return bersagli.size() <= CasiMassimi;
}

// The lines and the p-sets they serve, both ways, in compressed rows.
struct Incidenza
{
    std::vector<quint32> inizioRiga{0};
    std::vector<quint32> serviti;
    std::vector<quint32> inizioBersaglio;
    std::vector<quint32> servitori;

    int Righe() const { return int(inizioRiga.size()) - 1; }
    template<typename Fai>
    void OgniServito(int riga, Fai fai) const
    {
        for (quint32 i = inizioRiga[std::size_t(riga)]; i < inizioRiga[std::size_t(riga) + 1]; ++i)
            fai(serviti[i]);
    }
    template<typename Fai>
    void OgniServitore(quint32 bersaglio, Fai fai) const
    {
        for (quint32 i = inizioBersaglio[bersaglio]; i < inizioBersaglio[bersaglio + 1]; ++i)
            fai(int(servitori[i]));
    }
};

// False when the incidence would pass IncidenzeMassime.
bool Servizi(const std::vector<Riga> &sviluppo, int m, int p, const std::vector<quint32> &bersagli, Incidenza &inc,
             const std::atomic<bool> &annulla)
{
    const auto indice = [&](quint32 rango) {
        return quint32(std::lower_bound(bersagli.begin(), bersagli.end(), rango) - bersagli.begin());
    };
    // For p > m: each m-set with the p-sets that hold it, by the m-set's rank.
    std::vector<std::pair<quint32, quint32>> contenuti;
    if (p > m) {
        if (qint64(bersagli.size()) * qint64(C(p, m)) > IncidenzeMassime)
            return false;
        std::array<int, InsiemeMassimo> posti{};
        for (quint32 b = 0; b < bersagli.size(); ++b) {
            DaRango(bersagli[b], p, posti.data());
            OgniSottoinsieme(posti.data(), p, m, [&](const int *s) {
                contenuti.emplace_back(RangoDi(s, m), b);
                return true;
            });
        }
        std::sort(contenuti.begin(), contenuti.end());
    }
    std::vector<int> visto(bersagli.size(), -1);
    for (int r = 0; r < int(sviluppo.size()); ++r) {
        if (annulla.load(std::memory_order_relaxed))
            return false;
        const Riga &riga = sviluppo[std::size_t(r)];
        OgniSottoinsieme(riga.data(), int(riga.size()), m, [&](const int *s) {
            const quint32 rango = RangoDi(s, m);
            if (p == m) {
                inc.serviti.push_back(indice(rango));
                return true;
            }
            const auto da = std::lower_bound(contenuti.begin(), contenuti.end(), std::pair<quint32, quint32>(rango, 0));
            for (auto it = da; it != contenuti.end() && it->first == rango; ++it) {
                if (visto[it->second] != r) {
                    visto[it->second] = r;
                    inc.serviti.push_back(it->second);
                }
            }
            return qint64(inc.serviti.size()) <= IncidenzeMassime;
        });
        if (qint64(inc.serviti.size()) > IncidenzeMassime)
            return false;
        inc.inizioRiga.push_back(quint32(inc.serviti.size()));
    }
    // The other way, by counting.
    inc.inizioBersaglio.assign(bersagli.size() + 1, 0);
    for (quint32 b : inc.serviti)
        ++inc.inizioBersaglio[b + 1];
    std::partial_sum(inc.inizioBersaglio.begin(), inc.inizioBersaglio.end(), inc.inizioBersaglio.begin());
    inc.servitori.resize(inc.serviti.size());
    std::vector<quint32> posto(inc.inizioBersaglio.begin(), inc.inizioBersaglio.end() - 1);
    for (int r = 0; r < inc.Righe(); ++r)
        inc.OgniServito(r, [&](quint32 b) { inc.servitori[posto[b]++] = quint32(r); });
    return true;
}

// Greedy: the line serving most p-sets not yet served, each time, its count looked at again
// only when it comes to the top.
std::vector<int> Goloso(const Incidenza &inc, std::size_t bersagli, const std::atomic<bool> &annulla)
{
    std::vector<bool> servito(bersagli, false);
    std::size_t mancano = bersagli;
    std::priority_queue<std::pair<int, int>> coda; // (gain, -line): the lowest line among equals
    for (int r = 0; r < inc.Righe(); ++r)
        coda.emplace(int(inc.inizioRiga[std::size_t(r) + 1] - inc.inizioRiga[std::size_t(r)]), -r);
    std::vector<int> scelte;
    while (mancano > 0 && !coda.empty() && !annulla.load(std::memory_order_relaxed)) {
        const auto [vecchio, meno] = coda.top();
        coda.pop();
        int guadagno = 0;
        inc.OgniServito(-meno, [&](quint32 b) { guadagno += servito[b] ? 0 : 1; });
        if (guadagno == 0)
            continue;
        if (!coda.empty() && guadagno < coda.top().first) {
            coda.emplace(guadagno, meno);
            continue;
        }
        scelte.push_back(-meno);
        inc.OgniServito(-meno, [&](quint32 b) {
            if (!servito[b]) {
                servito[b] = true;
                --mancano;
            }
        });
    }
    return mancano == 0 ? scelte : std::vector<int>();
}

// The local search at a fixed number of lines: an unserved p-set picked at random brings in
// the line serving it that serves most unserved weight; the line whose going leaves least
// weight unserved goes; the weight of what stays unserved grows after every move.
class Scambi
{
public:
    Scambi(const Incidenza &inc, std::size_t bersagli, const std::vector<int> &iniziali, quint64 seme)
        : m_inc(inc)
        , m_copertura(bersagli, 0)
        , m_peso(bersagli, 1)
        , m_posScoperto(bersagli, -1)
        , m_dentro(std::size_t(inc.Righe()), false)
        , m_unico(std::size_t(inc.Righe()), 0)
        , m_libera(std::size_t(inc.Righe()), 0)
        , m_generatore(seme)
    {
        for (int r : iniziali)
            Aggiungi(r);
    }

    std::size_t Righe() const { return m_scelte.size(); }
    bool Completo() const { return m_scoperti.empty(); }
    std::vector<int> Scelte() const { return m_scelte; }

    // The line whose going leaves least unserved.
    void TogliUna()
    {
        Togli(Peggiore(-1));
    }

    void Mossa()
    {
        ++m_mosse;
        const quint32 b = m_scoperti[std::size_t(m_generatore.Entro(int(m_scoperti.size())))];
        int entra = -1;
        qint64 meglio = -1;
        m_inc.OgniServitore(b, [&](int r) {
            if (m_dentro[std::size_t(r)] || m_libera[std::size_t(r)] > m_mosse)
                return;
            qint64 guadagno = 0;
            m_inc.OgniServito(r, [&](quint32 s) { guadagno += m_copertura[s] == 0 ? m_peso[s] : 0; });
            if (guadagno > meglio) {
                meglio = guadagno;
                entra = r;
            }
        });
        if (entra < 0)
            return;
        Aggiungi(entra);
        m_libera[std::size_t(entra)] = m_mosse + Tabu; // cannot go at once
        const int esce = Peggiore(entra);
        Togli(esce);
        m_libera[std::size_t(esce)] = m_mosse + Tabu;
        for (quint32 s : m_scoperti)
            ++m_peso[s];
    }

private:
    int Peggiore(int tranne)
    {
        int peggiore = -1;
        qint64 minimo = 0;
        for (int r : m_scelte) {
            if (r == tranne || (tranne >= 0 && m_libera[std::size_t(r)] > m_mosse))
                continue;
            if (peggiore < 0 || m_unico[std::size_t(r)] < minimo) {
                minimo = m_unico[std::size_t(r)];
                peggiore = r;
            }
        }
        return peggiore < 0 ? m_scelte.front() : peggiore;
    }

    // The one chosen line that serves `b`.
    int Servitore(quint32 b) const
    {
        int trovato = -1;
        m_inc.OgniServitore(b, [&](int r) {
            if (m_dentro[std::size_t(r)])
                trovato = r;
        });
        return trovato;
    }

    void Aggiungi(int r)
    {
        // Counted before the line is in: the one that served a set alone is then found.
        m_inc.OgniServito(r, [&](quint32 b) {
            if (m_copertura[b] == 1)
                m_unico[std::size_t(Servitore(b))] -= m_peso[b];
            if (++m_copertura[b] == 1) {
                m_unico[std::size_t(r)] += m_peso[b];
                Scoperto(b, false);
            }
        });
        m_dentro[std::size_t(r)] = true;
        m_scelte.push_back(r);
    }

    void Togli(int r)
    {
        // Out before counting: the one left serving a set alone is then found.
        m_dentro[std::size_t(r)] = false;
        m_scelte.erase(std::find(m_scelte.begin(), m_scelte.end(), r));
        m_unico[std::size_t(r)] = 0;
        m_inc.OgniServito(r, [&](quint32 b) {
            --m_copertura[b];
            if (m_copertura[b] == 0)
                Scoperto(b, true);
            else if (m_copertura[b] == 1)
                m_unico[std::size_t(Servitore(b))] += m_peso[b];
        });
    }

    void Scoperto(quint32 b, bool si)
    {
        if (si) {
            m_posScoperto[b] = int(m_scoperti.size());
            m_scoperti.push_back(b);
        } else if (m_posScoperto[b] >= 0) {
            const quint32 ultimo = m_scoperti.back();
            m_scoperti[std::size_t(m_posScoperto[b])] = ultimo;
            m_posScoperto[ultimo] = m_posScoperto[b];
            m_scoperti.pop_back();
            m_posScoperto[b] = -1;
        }
    }

    const Incidenza &m_inc;
    std::vector<int> m_copertura;
    std::vector<qint64> m_peso;
    std::vector<int> m_posScoperto;
    std::vector<quint32> m_scoperti;
    std::vector<bool> m_dentro;
    std::vector<qint64> m_unico; // for each chosen line, the weight it alone serves
    std::vector<qint64> m_libera; // the move from which a line may come in or go again
    std::vector<int> m_scelte;
    qint64 m_mosse = 0;
    Generatore m_generatore;
};

std::vector<Riga> Linee(const std::vector<Riga> &sviluppo, const std::vector<int> &scelte)
{
    std::vector<Riga> righe;
    for (int r : scelte)
        righe.push_back(sviluppo[std::size_t(r)]);
    std::sort(righe.begin(), righe.end());
    return righe;
}

} // namespace

Esito RiduciSviluppo(const Richiesta &r, const std::vector<Riga> &sviluppo, quint64 seme, qint64 passi,
                     Avanzamento &avanzamento)
{
    Esito esito;
    const std::atomic<bool> &annulla = avanzamento.annulla;
    if (!Possibile(r) || r.estratti > r.classe || sviluppo.empty())
        return esito;
    if (annulla.load()) {
        esito.stato = Esito::Annullato;
        return esito;
    }
    std::vector<quint32> bersagli;
    Incidenza inc;
    if (!Bersagli(sviluppo, r.estratti, bersagli, annulla) || !Servizi(sviluppo, r.garanzia, r.estratti, bersagli, inc, annulla)) {
        esito.stato = annulla.load() ? Esito::Annullato : Esito::TroppoGrande;
        return esito;
    }
    quint32 massimo = 0;
    for (int riga = 0; riga < inc.Righe(); ++riga)
        massimo = std::max(massimo, inc.inizioRiga[std::size_t(riga) + 1] - inc.inizioRiga[std::size_t(riga)]);
    esito.minimo = qint64((bersagli.size() + massimo - 1) / massimo);
    avanzamento.minimo.store(esito.minimo);

    std::vector<int> migliori = Goloso(inc, bersagli.size(), annulla);
    if (migliori.empty()) {
        esito.stato = Esito::Annullato;
        return esito;
    }
    const auto annuncia = [&](const std::vector<int> &scelte) {
        migliori = scelte;
        avanzamento.righe.store(int(scelte.size()));
        if (avanzamento.migliorato)
            avanzamento.migliorato(int(scelte.size()));
    };
    annuncia(migliori);
    Scambi scambi(inc, bersagli.size(), migliori, seme);
    for (qint64 mossa = 0; qint64(migliori.size()) > esito.minimo && mossa < passi && !annulla.load(std::memory_order_relaxed);) {
        if (scambi.Completo()) {
            if (scambi.Righe() < migliori.size())
                annuncia(scambi.Scelte());
            scambi.TogliUna();
            continue;
        }
        scambi.Mossa();
        ++mossa;
        esito.passi = mossa;
    }
    if (scambi.Completo() && scambi.Righe() < migliori.size())
        annuncia(scambi.Scelte());
    esito.stato = Esito::Trovato;
    esito.righe = Linee(sviluppo, migliori);
    esito.ottimo = qint64(esito.righe.size()) <= esito.minimo;
    return esito;
}

bool GarantitoSviluppo(const std::vector<Riga> &sviluppo, const std::vector<Riga> &righe, int m, int p,
                       ::Avanzamento &avanzamento)
{
    // Every m-set the chosen lines hold; then every p-set inside a line of the development
    // asks whether one of its m-sets is among them.
    std::vector<quint32> tenuti;
    for (const Riga &riga : righe) {
        OgniSottoinsieme(riga.data(), int(riga.size()), m, [&](const int *s) {
            tenuti.push_back(RangoDi(s, m));
            return true;
        });
    }
    std::sort(tenuti.begin(), tenuti.end());
    tenuti.erase(std::unique(tenuti.begin(), tenuti.end()), tenuti.end());
    const auto tenuto = [&](const int *s) { return std::binary_search(tenuti.begin(), tenuti.end(), RangoDi(s, m)); };
    for (std::size_t i = 0; i < sviluppo.size(); ++i) {
        if (avanzamento.Annullato())
            return false;
        avanzamento.millesimi.store(int(1000 * i / sviluppo.size()), std::memory_order_relaxed);
        const Riga &riga = sviluppo[i];
        const bool tutti = OgniSottoinsieme(riga.data(), int(riga.size()), p, [&](const int *estratti) {
            // Served when some m of the p drawn lie in a chosen line.
            return !OgniSottoinsieme(estratti, p, m, [&](const int *s) { return !tenuto(s); });
        });
        if (!tutti)
            return false;
    }
    avanzamento.millesimi.store(1000);
    return true;
}

} // namespace Riduzione
