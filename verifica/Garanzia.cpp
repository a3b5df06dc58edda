// The guarantee of a matrix, exact. With N the numbers its lines use and a c-set "covered"
// when it lies inside some line, a t-set S holds c hits on one line exactly when S contains a
// covered c-set. So:
//  - p(t) counts the covered t-sets, found by walking the covered sets themselves in
//    ascending order of their numbers, each step narrowing the lines that still hold them;
//    where one line holds what all the others still offer, or a handful of lines are left,
//    the rest is counted in one go instead of walked;
//  - g(t) is the largest c for which every t-set contains a covered c-set. g never falls
//    from t to t+1 and rises by at most one, and g(t) = t exactly when p(t) = 100%, so each t
//    needs at most one question: is there a t-set with no covered c-set, c = g(t-1) + 1?
//    That search keeps, for the numbers chosen so far, a mask of those still allowed; for
//    each covered (c-1)-set U, the mask of the numbers that would complete it to a covered
//    c-set is looked up in a table, so a branch dies as soon as too few numbers are left.

#include "verifica/Verifica.h"

#include "common/Bit.h"
#include "common/Combinazioni.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace Verifica {

namespace {

constexpr int Massimo = EstrattiGaranzia;

// A set of the matrix's numbers by their place among them, from 0 to n-1.
struct Insieme
{
    quint64 a = 0; // places 0 to 63
    quint64 b = 0; // places 64 to 89

    bool Vuoto() const { return (a | b) == 0; }
    bool Ha(int i) const { return ((i < 64 ? a >> i : b >> (i - 64)) & 1) != 0; }
    void Metti(int i)
    {
        if (i < 64)
            a |= quint64(1) << i;
        else
            b |= quint64(1) << (i - 64);
    }
    void Togli(int i)
    {
        if (i < 64)
            a &= ~(quint64(1) << i);
        else
            b &= ~(quint64(1) << (i - 64));
    }
    int Quanti() const { return Bit::Conta(a) + Bit::Conta(b); }
    int Primo() const { return a != 0 ? Bit::Primo(a) : 64 + Bit::Primo(b); }
    Insieme operator&(Insieme altro) const { return {a & altro.a, b & altro.b}; }
    Insieme operator|(Insieme altro) const { return {a | altro.a, b | altro.b}; }
    Insieme &operator|=(Insieme altro) { return *this = *this | altro; }
    Insieme Tranne(Insieme altro) const { return {a & ~altro.a, b & ~altro.b}; }
    bool DentroDi(Insieme altro) const { return Tranne(altro).Vuoto(); }
    bool operator==(Insieme altro) const { return a == altro.a && b == altro.b; }
    bool operator<(Insieme altro) const { return b != altro.b ? b < altro.b : a < altro.a; }

    template<typename Fai>
    void OgniPosto(Fai fai) const
    {
        for (quint64 resto = a; resto != 0; resto &= resto - 1)
            fai(Bit::Primo(resto));
        for (quint64 resto = b; resto != 0; resto &= resto - 1)
            fai(64 + Bit::Primo(resto));
    }
};

// The places after `posto`; -1 gives them all.
Insieme Oltre(int posto)
{
    const int primo = posto + 1;
    if (primo < 64)
        return {~quint64(0) << primo, ~quint64(0)};
    return {0, ~quint64(0) << (primo - 64)};
}

using Combinazioni::C;

struct Annullato
{
};

// Work between two looks at the request to stop: a fraction of a millisecond.
constexpr quint64 PassoControllo = quint64(1) << 15;
// Up to this many lines left, the rest of a branch is counted by inclusion and exclusion.
constexpr std::size_t PocheRighe = 10;
// Line entries that the children of one branch may take at once (4 bytes each): beyond
// that, as with many long lines, the children are gathered one at a time.
constexpr std::size_t VociMassime = std::size_t(1) << 21;

// How the progress bar is shared: the counting first, then a tenth for each question, t = 3 to 6.
constexpr int FineConteggio = 600;
constexpr int ParteDomanda = 100;

class Calcolo
{
public:
    Calcolo(std::vector<Insieme> righe, int numeri, Avanzamento &avanzamento)
        : m_righe(std::move(righe))
        , m_n(numeri)
        , m_avanzamento(avanzamento)
    {
    }

    void Segna(int millesimi)
    {
        if (millesimi > m_segnati) {
            m_segnati = millesimi;
            m_avanzamento.millesimi.store(millesimi, std::memory_order_relaxed);
        }
    }

    void Lavoro(quint64 unita)
    {
        m_lavoro += unita;
        if (m_lavoro >= PassoControllo) {
            m_lavoro = 0;
            if (m_avanzamento.annulla.load(std::memory_order_relaxed))
                throw Annullato();
        }
    }

    // The covered sets of every size up to the largest draw, in m_coperti.
    void ContaCoperti();
    // Whether some t-set of the numbers holds no covered c-set.
    bool Esiste(int t, int c, int daMillesimi);

    std::array<quint64, Massimo + 1> coperti{};

private:
    void Conta(int k, int ultimo, const quint32 *lista, std::size_t quante);
    void Figli(int k, int ultimo, Insieme unione, const quint32 *lista, std::size_t quante);
    void InclusioneEsclusione(int k, Insieme oltre, const quint32 *lista, std::size_t quante);
    void Termini(const Insieme *resti, int quanti, int da, Insieme comune, int presi, int fino,
                 std::array<qint64, Massimo + 1> &somme);
    void Estensioni(int m);
    bool Cerca(int k, Insieme ammessi);

    std::vector<Insieme> m_righe; // distinct, two numbers or more, by place
    int m_n;
    Avanzamento &m_avanzamento;
    quint64 m_lavoro = 0;
    int m_segnati = 0;

    // Counting: each depth's lines, and the progress of the first level.
    std::array<std::vector<quint32>, Massimo> m_liste;
    std::vector<double> m_pesi;
    double m_pesoTotale = 0;
    double m_pesoFatto = 0;
    double m_pesoCorrente = 0; // of the first number being walked

    // The question: for every covered m-set U, the union of the lines that hold it.
    std::vector<Insieme> m_estensioni;
    int m_t = 0;
    int m_m = 0;
    // The ranks of the j-sets of the numbers chosen at each depth, j < m.
    static constexpr int RanghiMassimi = 10; // C(5, 2) and C(5, 3)
    struct Ranghi
    {
        std::array<std::array<quint32, RanghiMassimi>, Massimo> rango{};
        std::array<int, Massimo> quanti{};
    };
    std::array<Ranghi, Massimo + 1> m_ranghi{};
    int m_inizioDomanda = 0;
    quint64 m_casiFatti = 0;
};

void Calcolo::ContaCoperti()
{
    // How much of the walk lies under each first number: the sets of up to five that its
    // lines hold above it. Only to move the progress bar evenly.
    m_pesi.assign(std::size_t(m_n), 0.0);
    for (const Insieme &riga : m_righe) {
        int sopra = riga.Quanti();
        riga.OgniPosto([&](int posto) {
            --sopra;
            for (int j = 0; j < Massimo - 1; ++j)
                m_pesi[std::size_t(posto)] += double(C(sopra, j));
        });
        Lavoro(quint64(riga.Quanti()));
    }
    m_pesoTotale = std::accumulate(m_pesi.begin(), m_pesi.end(), 0.0);

    std::vector<quint32> tutte(m_righe.size());
    std::iota(tutte.begin(), tutte.end(), 0);
    Conta(0, -1, tutte.data(), tutte.size());
    // The questions' tables come next: no need to hold both.
    for (std::vector<quint32> &lista : m_liste)
        std::vector<quint32>().swap(lista);
    Segna(FineConteggio);
}

// The covered sets that extend S (k numbers, the last at place `ultimo`) with later places;
// `lista` holds the lines that contain S and something after it.
void Calcolo::Conta(int k, int ultimo, const quint32 *lista, std::size_t quante)
{
    const Insieme oltre = Oltre(ultimo);
    Insieme unione;
    for (std::size_t i = 0; i < quante; ++i)
        unione |= m_righe[lista[i]] & oltre;
    Lavoro(quante);
    const int u = unione.Quanti();
    coperti[std::size_t(k + 1)] += quint64(u);
    if (k + 1 == Massimo)
        return;
    // One line holds what all the others offer: every set of its rest is covered, and no other.
    for (std::size_t i = 0; i < quante; ++i) {
        if ((m_righe[lista[i]] & oltre) == unione) {
            for (int j = 2; k + j <= Massimo; ++j)
                coperti[std::size_t(k + j)] += C(u, j);
            return;
        }
    }
    if (quante <= PocheRighe)
        InclusioneEsclusione(k, oltre, lista, quante);
    else
        Figli(k, ultimo, unione, lista, quante);
}

void Calcolo::Figli(int k, int ultimo, Insieme unione, const quint32 *lista, std::size_t quante)
{
    const Insieme oltre = Oltre(ultimo);
    std::vector<quint32> &figli = m_liste[std::size_t(k + 1)];
    // A line goes to the child of each of its numbers but the last, which it cannot extend.
    std::size_t voci = 0;
    for (std::size_t i = 0; i < quante; ++i)
        voci += std::size_t((m_righe[lista[i]] & oltre).Quanti() - 1);
    Lavoro(quante);

    // The bar moves with each first number, and within it with each second one, in
    // proportion to the lines that go there.
    const double tuttiFigli = double(unione.Quanti());
    double figliFatti = 0;
    auto figlio = [&](int y, const quint32 *righe, std::size_t quanteFiglio) {
        if (k == 0)
            m_pesoCorrente = m_pesi[std::size_t(y)];
        if (quanteFiglio > 0)
            Conta(k + 1, y, righe, quanteFiglio);
        if (k == 0) {
            m_pesoFatto += m_pesi[std::size_t(y)];
            m_pesoCorrente = 0;
            Segna(int(FineConteggio * (m_pesoFatto / m_pesoTotale)));
        } else if (k == 1) {
            figliFatti += voci <= VociMassime ? double(quanteFiglio) : 1.0;
            const double parte = figliFatti / (voci <= VociMassime ? double(std::max<std::size_t>(voci, 1)) : tuttiFigli);
            Segna(int(FineConteggio * ((m_pesoFatto + m_pesoCorrente * parte) / m_pesoTotale)));
        }
    };

    if (voci <= VociMassime) {
        std::array<quint32, NumeroMassimo + 1> inizio{};
        for (std::size_t i = 0; i < quante; ++i) {
            const Insieme resto = m_righe[lista[i]] & oltre;
            int rimasti = resto.Quanti();
            resto.OgniPosto([&](int y) {
                if (--rimasti > 0)
                    ++inizio[std::size_t(y) + 1];
            });
        }
        for (int y = 0; y < m_n; ++y)
            inizio[std::size_t(y) + 1] += inizio[std::size_t(y)];
        figli.resize(voci);
        std::array<quint32, NumeroMassimo + 1> scrivi = inizio;
        for (std::size_t i = 0; i < quante; ++i) {
            const Insieme resto = m_righe[lista[i]] & oltre;
            int rimasti = resto.Quanti();
            resto.OgniPosto([&](int y) {
                if (--rimasti > 0)
                    figli[scrivi[std::size_t(y)]++] = lista[i];
            });
        }
        Lavoro(voci);
        // `figli` is this depth's own: the children's work goes to the next depth's list.
        unione.OgniPosto([&](int y) {
            figlio(y, figli.data() + inizio[std::size_t(y)], inizio[std::size_t(y) + 1] - inizio[std::size_t(y)]);
        });
    } else {
        unione.OgniPosto([&](int y) {
            const Insieme dopo = Oltre(y);
            figli.clear();
            for (std::size_t i = 0; i < quante; ++i) {
                const Insieme &riga = m_righe[lista[i]];
                if (riga.Ha(y) && !(riga & dopo).Vuoto())
                    figli.push_back(lista[i]);
            }
            Lavoro(quante);
            figlio(y, figli.data(), figli.size());
        });
    }
}

// A few lines left: the sets of j places within some of their rests, by inclusion and
// exclusion over the groups of lines whose rests share two places or more.
void Calcolo::InclusioneEsclusione(int k, Insieme oltre, const quint32 *lista, std::size_t quante)
{
    std::array<Insieme, PocheRighe> resti;
    int quanti = 0;
    for (std::size_t i = 0; i < quante; ++i) {
        const Insieme resto = m_righe[lista[i]] & oltre;
        if (resto.Quanti() >= 2)
            resti[std::size_t(quanti++)] = resto;
    }
    // A rest inside another adds nothing; of two equal ones, the first stays.
    std::array<bool, PocheRighe> dentro{};
    for (int i = 0; i < quanti; ++i) {
        const Insieme &resto = resti[std::size_t(i)];
        for (int j = 0; j < quanti && !dentro[std::size_t(i)]; ++j) {
            const Insieme &altro = resti[std::size_t(j)];
            dentro[std::size_t(i)] = j != i && resto.DentroDi(altro) && (j < i || !(resto == altro));
        }
    }
    int tenuti = 0;
    for (int i = 0; i < quanti; ++i) {
        if (!dentro[std::size_t(i)])
            resti[std::size_t(tenuti++)] = resti[std::size_t(i)];
    }
    std::array<qint64, Massimo + 1> somme{};
    Termini(resti.data(), tenuti, 0, Oltre(-1), 0, Massimo - k, somme);
    for (int j = 2; k + j <= Massimo; ++j)
        coperti[std::size_t(k + j)] += quint64(somme[std::size_t(j)]);
}

void Calcolo::Termini(const Insieme *resti, int quanti, int da, Insieme comune, int presi, int fino,
                      std::array<qint64, Massimo + 1> &somme)
{
    Lavoro(quint64(quanti - da));
    for (int i = da; i < quanti; ++i) {
        const Insieme insieme = comune & resti[i];
        const int posti = insieme.Quanti();
        if (posti < 2)
            continue;
        const qint64 segno = presi % 2 == 0 ? 1 : -1;
        for (int j = 2; j <= fino && j <= posti; ++j)
            somme[std::size_t(j)] += segno * qint64(C(posti, j));
        Termini(resti, quanti, i + 1, insieme, presi + 1, fino, somme);
    }
}

// The table of m-sets: each covered one, by its rank among the m-sets of places, gets the
// union of the lines that hold it.
void Calcolo::Estensioni(int m)
{
    m_estensioni.assign(std::size_t(C(m_n, m)), Insieme());
    std::array<int, NumeroMassimo> posti{};
    for (const Insieme &riga : m_righe) {
        int s = 0;
        riga.OgniPosto([&](int posto) { posti[std::size_t(s++)] = posto; });
        if (s < m)
            continue;
        // The m-sets of the line, each with its rank.
        quint64 fatti = 0;
        Combinazioni::OgniSottoinsieme(posti.data(), s, m, [&](const int *sottoinsieme) {
            quint64 rango = 0;
            for (int i = 0; i < m; ++i)
                rango += C(sottoinsieme[i], i + 1);
            m_estensioni[std::size_t(rango)] |= riga;
            if (++fatti == 1024) {
                Lavoro(fatti * quint64(m));
                fatti = 0;
            }
            return true;
        });
        Lavoro(fatti * quint64(m) + 1);
    }
}

bool Calcolo::Esiste(int t, int c, int daMillesimi)
{
    m_t = t;
    m_m = c - 1;
    m_inizioDomanda = daMillesimi;
    m_casiFatti = 0;
    Estensioni(m_m);
    Ranghi &vuoto = m_ranghi[0];
    vuoto.quanti.fill(0);
    vuoto.rango[0][0] = 0;
    vuoto.quanti[0] = 1;
    Insieme tutti;
    for (int i = 0; i < m_n; ++i)
        tutti.Metti(i);
    const bool trovato = Cerca(0, tutti);
    std::vector<Insieme>().swap(m_estensioni);
    return trovato;
}

// S holds k numbers, none of its c-sets covered; `ammessi` are the later numbers that keep it so.
bool Calcolo::Cerca(int k, Insieme ammessi)
{
    const int mancano = m_t - k;
    const Ranghi &qui = m_ranghi[std::size_t(k)];
    while (!ammessi.Vuoto()) {
        if (ammessi.Quanti() < mancano)
            break;
        const int x = ammessi.Primo();
        ammessi.Togli(x);
        if (mancano == 1)
            return true;
        // The (c-1)-sets that x completes, each closing off the numbers that would make it c hits.
        Insieme vietati;
        const int ultimi = m_m - 1;
        for (int r = 0; r < qui.quanti[std::size_t(ultimi)]; ++r)
            vietati |= m_estensioni[std::size_t(qui.rango[std::size_t(ultimi)][std::size_t(r)] + C(x, m_m))];
        Lavoro(quint64(qui.quanti[std::size_t(ultimi)]) + 1);
        // The j-sets of S and x: those of S, and those of S one smaller with x as the last.
        Ranghi &dopo = m_ranghi[std::size_t(k + 1)];
        for (int j = 0; j < m_m; ++j) {
            int n = 0;
            for (int r = 0; r < qui.quanti[std::size_t(j)]; ++r)
                dopo.rango[std::size_t(j)][std::size_t(n++)] = qui.rango[std::size_t(j)][std::size_t(r)];
            if (j > 0) {
                for (int r = 0; r < qui.quanti[std::size_t(j - 1)]; ++r)
                    dopo.rango[std::size_t(j)][std::size_t(n++)] = quint32(qui.rango[std::size_t(j - 1)][std::size_t(r)] + C(x, j));
            }
            dopo.quanti[std::size_t(j)] = n;
        }
        if (Cerca(k + 1, ammessi.Tranne(vietati)))
            return true;
        if (k == 0) {
            m_casiFatti += C(m_n - 1 - x, m_t - 1);
            Segna(m_inizioDomanda + int(ParteDomanda * (double(m_casiFatti) / double(C(m_n, m_t)))));
        }
    }
    return false;
}

} // namespace

bool CalcolaGaranzia(const Lista &lista, Garanzia &esito, Avanzamento &avanzamento)
{
    esito = Garanzia();
    esito.righe = int(lista.righe.size());
    for (const RigaLetta &riga : lista.righe)
        esito.numeri = esito.numeri | riga.numeri;
    const std::vector<int> numeri = esito.numeri.Elenco();
    const int n = int(numeri.size());
    if (avanzamento.annulla.load())
        return false;

    // Each number by its place among the matrix's; lines of one number cover no set that counts.
    std::array<int, NumeroMassimo + 1> posto{};
    for (int i = 0; i < n; ++i)
        posto[std::size_t(numeri[std::size_t(i)])] = i;
    std::vector<Insieme> righe;
    righe.reserve(lista.righe.size());
    std::size_t lette = 0;
    for (const RigaLetta &riga : lista.righe) {
        // Long lines by the hundred thousand take a while even here.
        if ((++lette & 4095) == 0 && avanzamento.annulla.load(std::memory_order_relaxed))
            return false;
        if (riga.numeri.Quanti() < 2)
            continue;
        Insieme insieme;
        for (int parola = 0; parola < 2; ++parola) {
            for (quint64 resto = riga.numeri.bit[std::size_t(parola)]; resto != 0; resto &= resto - 1)
                insieme.Metti(posto[std::size_t(parola * 64 + Bit::Primo(resto))]);
        }
        righe.push_back(insieme);
    }
    std::sort(righe.begin(), righe.end());
    righe.erase(std::unique(righe.begin(), righe.end()), righe.end());

    Calcolo calcolo(std::move(righe), n, avanzamento);
    try {
        calcolo.ContaCoperti();
        int garantiti = 1;
        for (int t = 2; t <= std::min(Massimo, n); ++t) {
            const quint64 casi = C(n, t);
            const quint64 coperti = calcolo.coperti[std::size_t(t)];
            const int inizio = FineConteggio + ParteDomanda * (t - 3);
            if (coperti == casi)
                garantiti = t;
            else if (garantiti < t - 1 && t > 2 && !calcolo.Esiste(t, garantiti + 1, inizio))
                garantiti = garantiti + 1;
            // Otherwise g(t) = g(t-1): t-1 already, or a t-set with no more hits exists.
            esito.livelli.push_back({t, garantiti, coperti, casi});
            calcolo.Segna(inizio + ParteDomanda);
        }
    } catch (const Annullato &) {
        return false;
    }
    calcolo.Segna(1000);
    return true;
}

QString Percentuale(quint64 parte, quint64 tutto)
{
    if (parte == 0 || tutto == 0)
        return QStringLiteral("0%");
    if (parte >= tutto)
        return QStringLiteral("100%");
    // The share's decimal digits by long division; ten additions in place of a product
    // keep every step inside 64 bits, whatever the total.
    constexpr int Cifre = 48;
    std::array<int, Cifre> cifre{};
    quint64 resto = parte;
    for (int i = 0; i < Cifre; ++i) {
        quint64 dieci = 0;
        int cifra = 0;
        for (int volta = 0; volta < 10; ++volta) {
            if (dieci >= tutto - resto) {
                dieci -= tutto - resto;
                ++cifra;
            } else {
                dieci += resto;
            }
        }
        cifre[std::size_t(i)] = cifra;
        resto = dieci;
    }
    // The percentage rounded half up at `decimali` places: its two whole digits, then the
    // decimals. -1 when it shows 0, 1 when it shows 100, 0 otherwise.
    std::array<int, Cifre> figura{};
    auto arrotonda = [&](int decimali) {
        const int lunghezza = 2 + decimali;
        std::copy(cifre.begin(), cifre.begin() + lunghezza, figura.begin());
        bool riporto = cifre[std::size_t(lunghezza)] >= 5;
        for (int i = lunghezza - 1; riporto && i >= 0; --i) {
            riporto = figura[std::size_t(i)] == 9;
            figura[std::size_t(i)] = riporto ? 0 : figura[std::size_t(i)] + 1;
        }
        if (riporto)
            return 1;
        return std::all_of(figura.begin(), figura.begin() + lunghezza, [](int c) { return c == 0; }) ? -1 : 0;
    };
    int decimali = 1;
    if (arrotonda(decimali) != 0) {
        // Two digits from the first that tells it from 0 or 100, the second left out when 0.
        do
            ++decimali;
        while (arrotonda(decimali) != 0 && decimali < Cifre - 4);
        arrotonda(++decimali);
        if (figura[std::size_t(1 + decimali)] == 0)
            --decimali;
    }
    QString testo = QString::number(figura[0] * 10 + figura[1]);
    testo += u',';
    for (int i = 0; i < decimali; ++i)
        testo += QChar(u'0' + figura[std::size_t(2 + i)]);
    testo += u'%';
    return testo;
}

QString TestoGaranzia(const Garanzia &garanzia)
{
    static constexpr const char16_t *sorti[] = {u"", u"", u"ambo", u"terno", u"quaterna", u"cinquina", u"sestina"};
    static constexpr const char16_t *garantite[] = {u"", u"", u"ambo garantito", u"terno garantito",
                                                    u"quaterna garantita", u"cinquina garantita", u"sestina garantita"};
    const std::vector<int> numeri = garanzia.numeri.Elenco();
    QString testo = QStringLiteral("Garanzia su %1 numeri:").arg(numeri.size());
    for (int n : numeri) {
        testo += u' ';
        testo += QChar(u'0' + n / 10);
        testo += QChar(u'0' + n % 10);
    }
    testo += garanzia.righe == 1 ? QStringLiteral(" (1 riga)") : QStringLiteral(" (%1 righe)").arg(garanzia.righe);
    for (const Livello &livello : garanzia.livelli) {
        const int g = std::min(livello.garantiti, Massimo);
        testo += QStringLiteral("\nSe escono %1 numeri: ").arg(livello.estratti);
        testo += g <= 1 ? QStringLiteral("nessuna vincita garantita") : QString::fromUtf16(garantite[g]);
        testo += u"; ";
        testo += QString::fromUtf16(sorti[std::min(livello.estratti, Massimo)]);
        testo += u": ";
        testo += Percentuale(livello.coperti, livello.casi);
        testo += u" dei casi";
    }
    return testo;
}

} // namespace Verifica
