// A covering at once, for any v, k and t: split the places into A and B; a t-set with i
// places in A lies in some line of A' + B', A' from a covering of the i-sets of A by lines of
// k_i and B' from one of the (t-i)-sets of B by lines of k - k_i. The sizes come from a table
// filled from the small cases up (one line when k >= v, ceil(v/k) when t = 1, every t-set
// when k = t), the best split and the best k_i kept for each; building follows the table.

#include "riduzione/Costruzioni.h"

#include <algorithm>

namespace Riduzione::Interno {

namespace {

constexpr qint64 Enorme = qint64(1) << 50;
constexpr int TMassimo = 6;

// The lines as rows: those shorter than k filled with the first places they lack, each once,
// in order.
std::vector<Riga> ComeRighe(std::vector<Maschera> linee, int k)
{
    for (Maschera &linea : linee) {
        for (int x = 0; linea.Quanti() < k; ++x)
            linea.Metti(x);
    }
    std::sort(linee.begin(), linee.end());
    linee.erase(std::unique(linee.begin(), linee.end()), linee.end());
    std::vector<Riga> righe;
    righe.reserve(linee.size());
    for (const Maschera &linea : linee)
        righe.push_back(RigaDi(linea));
    return righe;
}

qint64 Prodotto(qint64 a, qint64 b)
{
    if (a == 0 || b == 0)
        return 0;
    return a > Enorme / b ? Enorme : std::min(Enorme, a * b);
}

} // namespace

struct Ricorsione::Voce
{
    qint64 righe = -1;
    int a = 0;                                 // places in A
    std::array<int, TMassimo + 1> parte{};     // k_i for each i
};

Ricorsione::Ricorsione(int v, int k, int t)
    : m_v(v)
    , m_k(k)
    , m_t(t)
    , m_voci(std::size_t((v + 1) * (k + 1) * (t + 1)))
{
}

Ricorsione::~Ricorsione() = default;

Ricorsione::Voce &Ricorsione::At(int v, int k, int t)
{
    return m_voci[std::size_t((v * (m_k + 1) + k) * (m_t + 1) + t)];
}

qint64 Ricorsione::Righe(int v, int k, int t)
{
    if (t == 0)
        return 1;
    if (t > v)
        return 0;
    if (k >= v)
        return 1;
    if (t == 1)
        return (v + k - 1) / k;
    if (k == t)
        return qint64(std::min<quint64>(C(v, t), quint64(Enorme)));
    Voce &voce = At(v, k, t);
    if (voce.righe >= 0)
        return voce.righe;
    voce.righe = Enorme;
    for (int a = 1; a <= v / 2; ++a) {
        const int b = v - a;
        qint64 somma = 0;
        std::array<int, TMassimo + 1> parte{};
        for (int i = 0; i <= t; ++i) {
            if (i > a || t - i > b)
                continue;
            qint64 migliore = Enorme;
            for (int ki = i; ki <= std::min(a, k - (t - i)); ++ki) {
                const qint64 r = Prodotto(Righe(a, ki, i), Righe(b, k - ki, t - i));
                if (r < migliore) {
                    migliore = r;
                    parte[std::size_t(i)] = ki;
                }
            }
            somma = std::min(Enorme, somma + migliore);
        }
        if (somma < voce.righe) {
            voce.righe = somma;
            voce.a = a;
            voce.parte = parte;
        }
    }
    return voce.righe;
}

void Ricorsione::Costruisci(const std::vector<int> &posti, int k, int t, std::vector<Maschera> &righe)
{
    const int v = int(posti.size());
    if (t > v)
        return;
    const auto maschera = [&](std::size_t da, std::size_t a) {
        Maschera m;
        for (std::size_t i = da; i < a; ++i)
            m.Metti(posti[i]);
        return m;
    };
    if (t == 0 || k >= v) {
        righe.push_back(maschera(0, std::size_t(std::min(k, v))));
        return;
    }
    if (t == 1) {
        for (int i = 0; i < v; i += k)
            righe.push_back(maschera(std::size_t(i), std::size_t(std::min(v, i + k))));
        return;
    }
    if (k == t) {
        OgniSottoinsieme(posti.data(), v, t, [&](const int *s) {
            Maschera m;
            for (int i = 0; i < t; ++i)
                m.Metti(s[i]);
            righe.push_back(m);
            return true;
        });
        return;
    }
    Righe(v, k, t);
    const Voce voce = At(v, k, t);
    const std::vector<int> a(posti.begin(), posti.begin() + voce.a);
    const std::vector<int> b(posti.begin() + voce.a, posti.end());
    for (int i = 0; i <= t; ++i) {
        if (i > int(a.size()) || t - i > int(b.size()))
            continue;
        const int ki = voce.parte[std::size_t(i)];
        std::vector<Maschera> sopra;
        std::vector<Maschera> sotto;
        Costruisci(a, ki, i, sopra);
        Costruisci(b, k - ki, t - i, sotto);
        for (const Maschera &x : sopra) {
            for (const Maschera &y : sotto)
                righe.push_back(x | y);
        }
    }
}

qint64 Ricorsione::Righe()
{
    return Righe(m_v, m_k, m_t);
}

std::vector<Riga> Ricorsione::Costruisci()
{
    std::vector<int> posti(static_cast<std::size_t>(m_v));
    for (int i = 0; i < m_v; ++i)
        posti[std::size_t(i)] = i;
    std::vector<Maschera> linee;
    linee.reserve(std::size_t(std::min<qint64>(Righe(), qint64(1) << 24)));
    Costruisci(posti, m_k, m_t, linee);
    return ComeRighe(std::move(linee), m_k);
}

DueParti::DueParti(int v, int k, int p, int m)
    : m_v(v)
    , m_k(k)
    , m_p(p)
    , m_m(m)
    , m_ricorsione(v, k, m)
{
    m_righe = Enorme;
    for (int a = 1; a <= v / 2; ++a) {
        const qint64 righe = Misura(a, nullptr);
        if (righe < m_righe) {
            m_righe = righe;
            m_a = a;
        }
    }
}

qint64 DueParti::Misura(int a, std::vector<Incrocio> *prodotti)
{
    const int b = m_v - a;
    // The parts' own coverings, for the splits with m or more drawn in one part.
    qint64 righe = std::min(Enorme, m_ricorsione.Righe(a, m_k, m_m) + m_ricorsione.Righe(b, m_k, m_m));
    std::vector<Incrocio> scelti;
    for (int i = std::max(0, m_p - b); i <= std::min(m_p, a); ++i) {
        if (i >= m_m || m_p - i >= m_m)
            continue;
        // A product chosen for an earlier split serves this one as well where it fits.
        const bool servito = std::any_of(scelti.begin(), scelti.end(), [&](const Incrocio &x) {
            return x.mA <= i && m_m - x.mA <= m_p - i;
        });
        if (servito)
            continue;
        qint64 migliore = Enorme;
        Incrocio scelto;
        for (int mA = std::max(1, m_m - (m_p - i)); mA <= std::min(m_m - 1, i); ++mA) {
            for (int kA = mA; kA <= m_k - (m_m - mA); ++kA) {
                const qint64 r = Prodotto(m_ricorsione.Righe(a, kA, mA), m_ricorsione.Righe(b, m_k - kA, m_m - mA));
                if (r < migliore) {
                    migliore = r;
                    scelto = {mA, kA};
                }
            }
        }
        scelti.push_back(scelto);
        righe = std::min(Enorme, righe + migliore);
    }
    if (prodotti)
        *prodotti = scelti;
    return righe;
}

std::vector<Riga> DueParti::Costruisci()
{
    std::vector<Incrocio> prodotti;
    Misura(m_a, &prodotti);
    std::vector<int> a(static_cast<std::size_t>(m_a));
    std::vector<int> b(static_cast<std::size_t>(m_v - m_a));
    for (int i = 0; i < m_v; ++i)
        (i < m_a ? a[std::size_t(i)] : b[std::size_t(i - m_a)]) = i;
    std::vector<Maschera> linee;
    m_ricorsione.Costruisci(a, m_k, m_m, linee);
    m_ricorsione.Costruisci(b, m_k, m_m, linee);
    for (const Incrocio &prodotto : prodotti) {
        std::vector<Maschera> sopra;
        std::vector<Maschera> sotto;
        m_ricorsione.Costruisci(a, prodotto.kA, prodotto.mA, sopra);
        m_ricorsione.Costruisci(b, m_k - prodotto.kA, m_m - prodotto.mA, sotto);
        for (const Maschera &x : sopra) {
            for (const Maschera &y : sotto)
                linee.push_back(x | y);
        }
    }
    return ComeRighe(std::move(linee), m_k);
}

} // namespace Riduzione::Interno
