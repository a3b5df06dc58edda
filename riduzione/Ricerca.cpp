#include "riduzione/Ricerca.h"

#include <algorithm>

namespace Riduzione::Interno {

namespace {

// Up to this many sets unserved, every one of them weighs more after each move; beyond it,
// only the one the move was for, so that a move costs what its own work costs.
constexpr std::size_t PesaturaPiena = 4096;
// How long a place that left a line stays out of it.
constexpr int TabuMinimo = 2;
constexpr int TabuVariabile = 8;
// The trades weighed in one move, where a set of p drawn asks for more than m hits.
constexpr std::size_t CandidatiMassimi = 48;
// Moves without fewer sets unserved before a kick: a plateau, at least this long and longer
// for systems of many lines, whose moves each change less.
constexpr qint64 PianuraMinima = 20000;
constexpr qint64 PianuraPerRiga = 200;
// Every this many kicks, a fresh start from the last valid system.
constexpr int ScosseRipartenza = 8;

// The rank of the ascending `a` (n places) with `extra` put in its place among them.
inline quint32 RangoCon(const int *a, int n, int extra)
{
    const auto &c = Combinazioni::Binomiali.c;
    quint64 rango = 0;
    int i = 0;
    for (; i < n && a[i] < extra; ++i)
        rango += c[std::size_t(a[i])][std::size_t(i + 1)];
    rango += c[std::size_t(extra)][std::size_t(i + 1)];
    for (; i < n; ++i)
        rango += c[std::size_t(a[i])][std::size_t(i + 2)];
    return quint32(rango);
}

} // namespace

Ricerca::Ricerca(const Problema &problema, quint64 seme)
    : m_pb(problema)
    , m_generatore(seme)
{
}

Ricerca::Blocco Ricerca::BloccoDi(const Riga &riga) const
{
    Blocco blocco;
    Riga ordinata = riga;
    std::sort(ordinata.begin(), ordinata.end());
    for (int i = 0; i < m_pb.k; ++i) {
        blocco.punti[std::size_t(i)] = ordinata[std::size_t(i)];
        blocco.maschera.Metti(ordinata[std::size_t(i)]);
    }
    return blocco;
}

template<typename Fai>
void Ricerca::OgniServito(const Blocco &blocco, Fai fai) const
{
    const int k = m_pb.k;
    const int p = m_pb.p;
    int fuori[PostiMassimi];
    int nf = 0;
    for (int q = 0; q < m_pb.v; ++q) {
        if (!blocco.maschera.Ha(q))
            fuori[nf++] = q;
    }
    for (int j = m_pb.m; j <= std::min(k, p); ++j) {
        OgniSottoinsieme(blocco.punti.data(), k, j, [&](const int *dentro) {
            OgniSottoinsieme(fuori, nf, p - j, [&](const int *resto) {
                int unione[InsiemeMassimo];
                std::merge(dentro, dentro + j, resto, resto + (p - j), unione);
                fai(quint32(Rango(unione, p)));
                return true;
            });
            return true;
        });
    }
}

template<typename Perde, typename Guadagna>
void Ricerca::Effetti(const Blocco &blocco, int x, int y, Perde perde, Guadagna guadagna) const
{
    const int m = m_pb.m;
    int resto[InsiemeMassimo];
    int nr = 0;
    for (int i = 0; i < m_pb.k; ++i) {
        if (blocco.punti[std::size_t(i)] != x)
            resto[nr++] = blocco.punti[std::size_t(i)];
    }
    if (m_pb.p == m) {
        OgniSottoinsieme(resto, nr, m - 1, [&](const int *s) {
            perde(RangoCon(s, m - 1, x));
            guadagna(RangoCon(s, m - 1, y));
            return true;
        });
        return;
    }
    // The rest of the set lies outside the line, and is neither x (in it) nor y.
    int fuori[PostiMassimi];
    int nf = 0;
    for (int q = 0; q < m_pb.v; ++q) {
        if (q != y && !blocco.maschera.Ha(q))
            fuori[nf++] = q;
    }
    const int altri = m_pb.p - m;
    OgniSottoinsieme(resto, nr, m - 1, [&](const int *s) {
        OgniSottoinsieme(fuori, nf, altri, [&](const int *r) {
            int base[InsiemeMassimo];
            std::merge(s, s + (m - 1), r, r + altri, base);
            perde(RangoCon(base, m - 1 + altri, x));
            guadagna(RangoCon(base, m - 1 + altri, y));
            return true;
        });
        return true;
    });
}

void Ricerca::Togli(quint32 rango)
{
    quint32 &conta = m_conta[rango];
    --conta;
    if ((conta & Valore) == 0) {
        ++m_scoperti;
        if ((conta & InLista) == 0) {
            conta |= InLista;
            m_lista.push_back(rango);
        }
    }
}

void Ricerca::Metti(quint32 rango)
{
    quint32 &conta = m_conta[rango];
    if ((conta & Valore) == 0)
        --m_scoperti;
    ++conta;
}

quint32 Ricerca::ScegliScoperto()
{
    // Entries served since they were listed go as they are met.
    for (;;) {
        const std::size_t i = std::size_t(m_generatore.Entro(int(m_lista.size())));
        const quint32 rango = m_lista[i];
        if ((m_conta[rango] & Valore) == 0)
            return rango;
        m_conta[rango] &= Valore;
        m_lista[i] = m_lista.back();
        m_lista.pop_back();
    }
}

void Ricerca::Pesa(quint32 bersaglio)
{
    if (m_lista.size() > PesaturaPiena) {
        if ((m_conta[bersaglio] & Valore) == 0)
            ++m_peso[bersaglio];
        return;
    }
    for (std::size_t i = 0; i < m_lista.size();) {
        const quint32 rango = m_lista[i];
        if ((m_conta[rango] & Valore) == 0) {
            ++m_peso[rango];
            ++i;
        } else {
            m_conta[rango] &= Valore;
            m_lista[i] = m_lista.back();
            m_lista.pop_back();
        }
    }
}

bool Ricerca::Parti(const std::vector<Riga> &righe, const std::atomic<bool> &annulla)
{
    m_blocchi.clear();
    for (const Riga &riga : righe) {
        // A line of a large lotto design serves sets by the hundred thousand.
        if (annulla.load(std::memory_order_relaxed))
            return false;
        m_blocchi.push_back(BloccoDi(riga));
    }
    m_valido.clear();
    Conta();
    return true;
}

void Ricerca::Conta()
{
    const quint64 casi = C(m_pb.v, m_pb.p);
    m_lista.clear();
    m_conta.assign(casi, 0);
    m_peso.assign(casi, 1);
    for (const Blocco &blocco : m_blocchi)
        OgniServito(blocco, [&](quint32 rango) { ++m_conta[rango]; });
    m_scoperti = 0;
    for (quint64 rango = 0; rango < casi; ++rango) {
        if (m_conta[rango] == 0) {
            ++m_scoperti;
            m_conta[rango] = InLista;
            m_lista.push_back(quint32(rango));
        }
    }
    m_tabu.assign(m_blocchi.size() * std::size_t(m_pb.v), 0);
    m_passo = 0;
}

qint64 Ricerca::Pianura() const
{
    return PianuraMinima + PianuraPerRiga * qint64(m_blocchi.size());
}

void Ricerca::Scuoti()
{
    // Weights that grew on one plateau would steer the search back to it.
    for (quint32 &peso : m_peso)
        peso = 1;
    const int scosse = std::max(2, int(m_blocchi.size()) / 8);
    for (int i = 0; i < scosse; ++i) {
        const int indice = m_generatore.Entro(int(m_blocchi.size()));
        const Blocco &blocco = m_blocchi[std::size_t(indice)];
        const int x = blocco.punti[std::size_t(m_generatore.Entro(m_pb.k))];
        int y = m_generatore.Entro(m_pb.v);
        while (blocco.maschera.Ha(y))
            y = m_generatore.Entro(m_pb.v);
        Sposta(indice, x, y);
    }
}

void Ricerca::Riparti()
{
    if (m_valido.size() != m_blocchi.size() + 1)
        return;
    m_blocchi = m_valido;
    Conta();
    Elimina(m_generatore.Entro(int(m_blocchi.size())));
}

void Ricerca::Sposta(int indice, int x, int y)
{
    Blocco &blocco = m_blocchi[std::size_t(indice)];
    Effetti(blocco, x, y, [&](quint32 r) { Togli(r); }, [&](quint32 r) { Metti(r); });
    auto &punti = blocco.punti;
    auto fine = punti.begin() + m_pb.k;
    *std::find(punti.begin(), fine, x) = y;
    std::sort(punti.begin(), fine);
    blocco.maschera.Togli(x);
    blocco.maschera.Metti(y);
    m_tabu[std::size_t(indice) * std::size_t(m_pb.v) + std::size_t(x)] =
        m_passo + TabuMinimo + m_generatore.Entro(TabuVariabile);
}

bool Ricerca::Ripara(qint64 &passi, const std::atomic<bool> &annulla)
{
    const int m = m_pb.m;
    const int p = m_pb.p;
    quint64 fondo = m_scoperti;
    qint64 piano = 0;
    int scosse = 0;
    while (m_scoperti > 0) {
        // Every move: one of a large lotto design can take a millisecond.
        if (passi <= 0 || annulla.load(std::memory_order_relaxed))
            return false;
        --passi;
        ++m_passo;
        if (m_scoperti < fondo) {
            fondo = m_scoperti;
            piano = 0;
        } else if (++piano > Pianura()) {
            if (++scosse % ScosseRipartenza == 0)
                Riparti();
            else
                Scuoti();
            fondo = m_scoperti;
            piano = 0;
            if (m_scoperti == 0)
                break;
        }
        const quint32 bersaglio = ScegliScoperto();
        int posti[InsiemeMassimo];
        DaRango(bersaglio, p, posti);
        Maschera insieme;
        for (int i = 0; i < p; ++i)
            insieme.Metti(posti[i]);

        // Every line that holds m-1 of the set can serve it, trading one of its other places
        // for one of the set's: the best trade by weight, the equal ones in turn by chance.
        qint64 migliore = 0;
        int scelte = 0;
        int sceltoIndice = -1, sceltoX = -1, sceltoY = -1;
        bool sceltoTabu = true;
        m_candidati.clear();
        for (int indice = 0; indice < int(m_blocchi.size()); ++indice) {
            if ((m_blocchi[std::size_t(indice)].maschera & insieme).Quanti() == m - 1)
                m_candidati.push_back(indice);
        }
        // Where each trade weighs many sets, a few lines taken by chance stand for all.
        if (p > m) {
            const std::size_t righeMassime = std::max<std::size_t>(1, CandidatiMassimi / std::size_t((m_pb.k - m + 1) * (p - m + 1)));
            for (std::size_t i = 0; i < std::min(righeMassime, m_candidati.size()); ++i)
                std::swap(m_candidati[i], m_candidati[i + std::size_t(m_generatore.Entro(int(m_candidati.size() - i)))]);
            m_candidati.resize(std::min(righeMassime, m_candidati.size()));
        }
        for (int indice : m_candidati) {
            const Blocco &blocco = m_blocchi[std::size_t(indice)];
            const Maschera entrano = insieme.Tranne(blocco.maschera);
            const Maschera escono = blocco.maschera.Tranne(insieme);
            escono.OgniPosto([&](int x) {
                entrano.OgniPosto([&](int y) {
                    const bool tabu = m_tabu[std::size_t(indice) * std::size_t(m_pb.v) + std::size_t(y)] > m_passo;
                    if (tabu && !sceltoTabu)
                        return;
                    qint64 delta = 0;
                    Effetti(
                        blocco, x, y,
                        [&](quint32 r) {
                            if ((m_conta[r] & Valore) == 1)
                                delta += m_peso[r];
                        },
                        [&](quint32 r) {
                            if ((m_conta[r] & Valore) == 0)
                                delta -= m_peso[r];
                        });
                    if (sceltoIndice < 0 || (sceltoTabu && !tabu) || delta < migliore) {
                        migliore = delta;
                        scelte = 1;
                    } else if (delta == migliore) {
                        if (m_generatore.Entro(++scelte) != 0)
                            return;
                    } else {
                        return;
                    }
                    sceltoIndice = indice;
                    sceltoX = x;
                    sceltoY = y;
                    sceltoTabu = tabu;
                });
            });
        }
        if (sceltoIndice >= 0)
            Sposta(sceltoIndice, sceltoX, sceltoY);
        Pesa(bersaglio);
    }
    return true;
}

bool Ricerca::TogliRiga(const std::atomic<bool> &annulla)
{
    int scelto = -1;
    quint64 minimo = 0;
    int pari = 0;
    for (int indice = 0; indice < int(m_blocchi.size()); ++indice) {
        if (annulla.load(std::memory_order_relaxed))
            return false;
        quint64 soli = 0;
        OgniServito(m_blocchi[std::size_t(indice)], [&](quint32 r) {
            if ((m_conta[r] & Valore) == 1)
                ++soli;
        });
        if (scelto < 0 || soli < minimo) {
            scelto = indice;
            minimo = soli;
            pari = 1;
        } else if (soli == minimo && m_generatore.Entro(++pari) == 0) {
            scelto = indice;
        }
    }
    if (scelto < 0)
        return false;
    if (m_scoperti == 0)
        m_valido = m_blocchi;
    Elimina(scelto);
    return true;
}

void Ricerca::Elimina(int scelto)
{
    OgniServito(m_blocchi[std::size_t(scelto)], [&](quint32 r) { Togli(r); });
    const std::size_t v = std::size_t(m_pb.v);
    const std::size_t ultimo = m_blocchi.size() - 1;
    m_blocchi[std::size_t(scelto)] = m_blocchi[ultimo];
    m_blocchi.pop_back();
    std::copy(m_tabu.begin() + std::ptrdiff_t(ultimo * v), m_tabu.begin() + std::ptrdiff_t((ultimo + 1) * v),
              m_tabu.begin() + std::ptrdiff_t(std::size_t(scelto) * v));
    m_tabu.resize(ultimo * v);
}

std::vector<Riga> Ricerca::Sistema() const
{
    std::vector<Riga> righe;
    righe.reserve(m_blocchi.size());
    for (const Blocco &blocco : m_blocchi)
        righe.emplace_back(blocco.punti.begin(), blocco.punti.begin() + m_pb.k);
    return righe;
}

bool Valido(const std::vector<Riga> &righe, const Problema &problema)
{
    Ricerca conta(problema, 0);
    const std::atomic<bool> mai{false};
    return conta.Parti(righe, mai) && conta.Scoperti() == 0;
}

} // namespace Riduzione::Interno
