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

void Ricorsione::Costruisci(const std::vector<int> &posti, int k, int t, std::vector<Riga> &righe)
{
    const int v = int(posti.size());
    if (t > v)
        return;
    if (t == 0 || k >= v) {
        righe.emplace_back(posti.begin(), posti.begin() + std::min(k, v));
        return;
    }
    if (t == 1) {
        for (int i = 0; i < v; i += k) {
            Riga riga(posti.begin() + i, posti.begin() + std::min(v, i + k));
            // The last line filled from the first places, so that every line has k.
            for (int j = 0; int(riga.size()) < k; ++j)
                riga.push_back(posti[std::size_t(j)]);
            righe.push_back(riga);
        }
        return;
    }
    if (k == t) {
        OgniSottoinsieme(posti.data(), v, t, [&](const int *s) {
            righe.emplace_back(s, s + t);
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
        std::vector<Riga> sopra;
        std::vector<Riga> sotto;
        Costruisci(a, ki, i, sopra);
        Costruisci(b, k - ki, t - i, sotto);
        for (const Riga &x : sopra) {
            for (const Riga &y : sotto) {
                Riga riga = x;
                riga.insert(riga.end(), y.begin(), y.end());
                righe.push_back(riga);
            }
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
    std::vector<Riga> righe;
    Costruisci(posti, m_k, m_t, righe);
    // Lines shorter than k are filled with the first places they lack.
    for (Riga &riga : righe) {
        std::sort(riga.begin(), riga.end());
        riga.erase(std::unique(riga.begin(), riga.end()), riga.end());
        Maschera dentro = MascheraDi(riga);
        for (int x = 0; int(riga.size()) < m_k; ++x) {
            if (!dentro.Ha(x)) {
                dentro.Metti(x);
                riga.push_back(x);
            }
        }
        std::sort(riga.begin(), riga.end());
    }
    std::sort(righe.begin(), righe.end());
    righe.erase(std::unique(righe.begin(), righe.end()), righe.end());
    return righe;
}

} // namespace Riduzione::Interno
