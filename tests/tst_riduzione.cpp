#include "riduzione/Riduzione.h"
#include "verifica/Verifica.h"

#include "riduzione/Costruzioni.h"

#include <QTest>

#include <algorithm>
#include <bitset>
#include <functional>
#include <limits>
#include <map>
#include <numeric>
#include <set>
#include <tuple>
#include <vector>

using namespace Riduzione;

namespace {

using Insieme = std::bitset<90>;

Insieme InsiemeDi(const Riga &riga)
{
    Insieme insieme;
    for (int x : riga)
        insieme.set(std::size_t(x));
    return insieme;
}

bool Serve(const Riga &estratto, const Riga &riga, int m)
{
    return int((InsiemeDi(estratto) & InsiemeDi(riga)).count()) >= m;
}

// A development of v places in lines of k, keeping the lines `tieni` says yes to, in order.
std::vector<Riga> Sviluppo(int v, int k, const std::function<bool()> &tieni)
{
    std::vector<int> posti(static_cast<std::size_t>(v));
    std::iota(posti.begin(), posti.end(), 0);
    std::vector<Riga> sviluppo;
    Interno::OgniSottoinsieme(posti.data(), v, k, [&](const int *s) {
        if (tieni())
            sviluppo.emplace_back(s, s + k);
        return true;
    });
    return sviluppo;
}

// The draws that count for a development: the p-sets inside its lines.
std::set<Riga> Estratti(const std::vector<Riga> &sviluppo, int p)
{
    std::set<Riga> estratti;
    for (const Riga &riga : sviluppo) {
        Interno::OgniSottoinsieme(riga.data(), int(riga.size()), p, [&](const int *s) {
            estratti.emplace(s, s + p);
            return true;
        });
    }
    return estratti;
}

// Every set of p of the v places against every line, the long way: whether each meets some
// line in m places or more.
bool ForzaBruta(const std::vector<Riga> &righe, int v, int m, int p)
{
    std::vector<Insieme> linee;
    for (const Riga &riga : righe)
        linee.push_back(InsiemeDi(riga));
    Insieme insieme;
    std::function<bool(int, int)> ogni = [&](int da, int mancano) {
        if (mancano == 0)
            return std::any_of(linee.begin(), linee.end(), [&](const Insieme &l) { return int((l & insieme).count()) >= m; });
        for (int x = da; x <= v - mancano; ++x) {
            insieme.set(std::size_t(x));
            const bool servito = ogni(x + 1, mancano - 1);
            insieme.reset(std::size_t(x));
            if (!servito)
                return false;
        }
        return true;
    };
    return ogni(0, p);
}

// Whether every t-set lies in some line, by marking each line's t-sets in a table of v^t
// entries (the sets as their places in base v): quicker than trying each set against every
// line where the lines are thousands.
bool Coperto(const std::vector<Riga> &righe, int v, int t)
{
    std::size_t celle = 1;
    for (int i = 0; i < t; ++i)
        celle *= std::size_t(v);
    std::vector<char> tenuto(celle, 0);
    for (Riga riga : righe) {
        std::sort(riga.begin(), riga.end());
        std::vector<int> scelti;
        std::function<void(std::size_t)> scegli = [&](std::size_t da) {
            if (int(scelti.size()) == t) {
                std::size_t cella = 0;
                for (int x : scelti)
                    cella = cella * std::size_t(v) + std::size_t(x);
                tenuto[cella] = 1;
                return;
            }
            for (std::size_t i = da; i < riga.size(); ++i) {
                scelti.push_back(riga[i]);
                scegli(i + 1);
                scelti.pop_back();
            }
        };
        scegli(0);
    }
    std::vector<int> insieme(static_cast<std::size_t>(t));
    std::function<bool(int, int)> ogni = [&](int da, int i) {
        if (i == t) {
            std::size_t cella = 0;
            for (int x : insieme)
                cella = cella * std::size_t(v) + std::size_t(x);
            return tenuto[cella] != 0;
        }
        for (int x = da; x < v; ++x) {
            insieme[std::size_t(i)] = x;
            if (!ogni(x + 1, i + 1))
                return false;
        }
        return true;
    };
    return ogni(0, 0);
}

// For m = 2 only: the system fails exactly when p places hold no pair that some line holds,
// that is, p places mutually apart in the graph of the pairs held. Searched by backtracking,
// which stays quick where the sets are far too many to walk.
bool NessunGruppoSeparato(const std::vector<Riga> &righe, int v, int p)
{
    std::vector<Insieme> vicini(static_cast<std::size_t>(v));
    for (const Riga &riga : righe) {
        for (int a : riga)
            for (int b : riga)
                if (a != b)
                    vicini[std::size_t(a)].set(std::size_t(b));
    }
    std::function<bool(Insieme, int)> separati = [&](Insieme ammessi, int mancano) {
        if (mancano == 0)
            return true;
        for (int x = 0; x < v; ++x) {
            if (ammessi.test(std::size_t(x))) {
                Insieme dopo = ammessi & ~vicini[std::size_t(x)];
                for (int y = 0; y <= x; ++y)
                    dopo.reset(std::size_t(y));
                if (int(dopo.count()) >= mancano - 1 && separati(dopo, mancano - 1))
                    return true;
            }
        }
        return false;
    };
    Insieme tutti;
    for (int x = 0; x < v; ++x)
        tutti.set(std::size_t(x));
    return !separati(tutti, p);
}

// Up to 128 sets of places, as a bit each.
struct Serviti
{
    quint64 basso = 0;
    quint64 alto = 0;
    void Metti(std::size_t i) { (i < 64 ? basso : alto) |= quint64(1) << (i % 64); }
    bool Ha(std::size_t i) const { return (((i < 64 ? basso : alto) >> (i % 64)) & 1) != 0; }
    Serviti operator|(Serviti s) const { return {basso | s.basso, alto | s.alto}; }
    bool operator==(Serviti s) const { return basso == s.basso && alto == s.alto; }
    int Quanti() const { return int(qPopulationCount(basso) + qPopulationCount(alto)); }
};

// The fewest lines, by iterative deepening over all lines of k of v <= 8 places: the set not
// yet served that the fewest lines serve branches over those lines.
int Ottimo(int v, int k, int m, int p)
{
    std::vector<unsigned> linee;
    std::vector<unsigned> insiemi;
    for (unsigned s = 0; s < (1u << v); ++s) {
        if (qPopulationCount(s) == uint(k))
            linee.push_back(s);
        if (qPopulationCount(s) == uint(p))
            insiemi.push_back(s);
    }
    std::vector<Serviti> serve;
    std::vector<std::vector<int>> perInsieme(insiemi.size());
    int serveMassimo = 0;
    for (unsigned linea : linee) {
        Serviti servito;
        for (std::size_t i = 0; i < insiemi.size(); ++i) {
            if (int(qPopulationCount(linea & insiemi[i])) >= m) {
                servito.Metti(i);
                perInsieme[i].push_back(int(serve.size()));
            }
        }
        serve.push_back(servito);
        serveMassimo = std::max(serveMassimo, servito.Quanti());
    }
    Serviti tutti;
    for (std::size_t i = 0; i < insiemi.size(); ++i)
        tutti.Metti(i);
    std::function<bool(Serviti, int)> basta = [&](Serviti serviti, int restano) {
        if (serviti == tutti)
            return true;
        if (restano == 0 || int(insiemi.size()) - serviti.Quanti() > restano * serveMassimo)
            return false;
        std::size_t scelto = insiemi.size();
        for (std::size_t i = 0; i < insiemi.size(); ++i) {
            if (!serviti.Ha(i) && (scelto == insiemi.size() || perInsieme[i].size() < perInsieme[scelto].size()))
                scelto = i;
        }
        for (int j : perInsieme[scelto]) {
            if (basta(serviti | serve[std::size_t(j)], restano - 1))
                return true;
        }
        return false;
    };
    for (int righe = 1;; ++righe)
        if (basta({}, righe))
            return righe;
}

// Whether every t-set of the v places lies in exactly one line, counted the long way.
bool Esatto(const std::vector<Riga> &righe, int v, int k, int t)
{
    std::map<std::vector<int>, int> conte;
    for (Riga riga : righe) {
        std::sort(riga.begin(), riga.end());
        if (int(riga.size()) != k || std::adjacent_find(riga.begin(), riga.end()) != riga.end() || riga.front() < 0
            || riga.back() >= v)
            return false;
        std::vector<int> scelti;
        std::function<void(std::size_t)> scegli = [&](std::size_t da) {
            if (int(scelti.size()) == t) {
                ++conte[scelti];
                return;
            }
            for (std::size_t i = da; i < riga.size(); ++i) {
                scelti.push_back(riga[i]);
                scegli(i + 1);
                scelti.pop_back();
            }
        };
        scegli(0);
    }
    double tutti = 1;
    for (int i = 0; i < t; ++i)
        tutti = tutti * (v - i) / (i + 1);
    return double(conte.size()) == tutti
        && std::all_of(conte.begin(), conte.end(), [](const auto &c) { return c.second == 1; });
}

QString Nome(int v, int k, int m, int p)
{
    static const char *const tiri[] = {"", "", "ambo", "terno", "quaterna", "cinquina", "sestina"};
    return QStringLiteral("%1 in %2, %3 se escono %4").arg(v).arg(k).arg(QLatin1String(tiri[m])).arg(p);
}

Esito Cerca(int v, int k, int m, int p, qint64 passi, quint64 seme = 7)
{
    Riduzione::Avanzamento avanzamento;
    return Riduci({v, k, m, p}, seme, passi, avanzamento);
}

// C(v,k,t) >= ceil(v/k ceil((v-1)/(k-1) ... ceil((v-t+1)/(k-t+1)))), worked out here in
// floating point and rounded with care: the sizes of Steiner systems and of C(v,3,2).
qint64 Schoenheim(int v, int k, int t)
{
    qint64 l = 1;
    for (int i = t - 1; i >= 0; --i)
        l = (l * (v - i) + (k - i) - 1) / (k - i);
    return l;
}

} // namespace

Q_DECLARE_METATYPE(std::function<std::vector<Riga>()>)

class tst_Riduzione : public QObject
{
    Q_OBJECT

private slots:
    void minimoEsaustivo_data();
    void minimoEsaustivo();
    void costruzioni_data();
    void costruzioni();
    void steiner_data();
    void steiner();
    void ricorsione_data();
    void ricorsione();
    void dueParti_data();
    void dueParti();
    void simmetria_data();
    void simmetria();
    void primo_data();
    void primo();
    void oltreIlMassimo_data();
    void oltreIlMassimo();
    void annullaOgniFase_data();
    void annullaOgniFase();
    void lotto_data();
    void lotto();
    void impossibili_data();
    void impossibili();
    void troppoGrande();
    void minimoTeorico_data();
    void minimoTeorico();
    void riproducibile_data();
    void riproducibile();
    void campo_data();
    void campo();
    void nonCampi();
    void mills_data();
    void mills();
    void quartineEccesso_data();
    void quartineEccesso();
    void annulla();
    void garantito_data();
    void garantito();
    void testo();
    void sviluppoCondizionato_data();
    void sviluppoCondizionato();
    void controlloSviluppo_data();
    void controlloSviluppo();
};

void tst_Riduzione::minimoEsaustivo_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("p");
    // Every choice on up to 8 numbers but two on 8 whose exhaustive search here takes minutes
    // (both have 20 lines: 8 in 3, terno se escono 4, and 8 in 5, quaterna se escono 4).
    for (int v = 3; v <= 8; ++v)
        for (int k = 2; k <= v - 1; ++k)
            for (int m = 2; m <= k; ++m)
                for (int p = m; p <= std::min(v, 6); ++p)
                    if (v < 8 || !((k == 3 && m == 3 && p == 4) || (k == 5 && m == 4 && p == 4)))
                        QTest::newRow(qPrintable(Nome(v, k, m, p))) << v << k << m << p;
}

void tst_Riduzione::minimoEsaustivo()
{
    QFETCH(int, v);
    QFETCH(int, k);
    QFETCH(int, m);
    QFETCH(int, p);
    const int ottimo = Ottimo(v, k, m, p);
    const qint64 minimo = MinimoTeorico({v, k, m, p});
    QVERIFY2(minimo >= 1 && minimo <= ottimo, qPrintable(QStringLiteral("bound %1, optimum %2").arg(minimo).arg(ottimo)));
    const Esito esito = Cerca(v, k, m, p, 20000);
    QCOMPARE(esito.stato, Esito::Trovato);
    QVERIFY(ForzaBruta(esito.righe, v, m, p));
    QCOMPARE(int(esito.righe.size()), ottimo);
    QCOMPARE(esito.ottimo, minimo == ottimo);
}

void tst_Riduzione::costruzioni_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("t");
    // Each of these has a system as small as Schönheim's bound; the search ends by itself there.
    for (int v : {8, 9, 10, 11, 12, 17, 18, 20, 29, 45, 64, 90})
        QTest::newRow(qPrintable(QStringLiteral("triples, %1 places (%2 mod 6)").arg(v).arg(v % 6))) << v << 3 << 2;
    for (int q : {3, 4, 5, 7, 8})
        QTest::newRow(qPrintable(QStringLiteral("projective plane of order %1").arg(q))) << q * q + q + 1 << q + 1 << 2;
    for (int q : {3, 4, 5, 7, 8, 9})
        QTest::newRow(qPrintable(QStringLiteral("affine plane of order %1").arg(q))) << q * q << q << 2;
    for (int v : {8, 10, 14, 16, 20, 22, 26, 28})
        QTest::newRow(qPrintable(QStringLiteral("quadruple system on %1").arg(v))) << v << 4 << 3;
    QTest::newRow("S(2,4,37)") << 37 << 4 << 2;
    QTest::newRow("S(2,5,41)") << 41 << 5 << 2;
    QTest::newRow("S(2,4,25), no difference family") << 25 << 4 << 2;
    QTest::newRow("S(2,4,28)") << 28 << 4 << 2;
    QTest::newRow("lines of PG(3,3)") << 40 << 4 << 2;
    QTest::newRow("S(2,5,45)") << 45 << 5 << 2;
    QTest::newRow("lines of PG(3,4)") << 85 << 5 << 2;
    QTest::newRow("lines of AG(3,4)") << 64 << 4 << 2;
    QTest::newRow("quadruple system on 50") << 50 << 4 << 3;
    QTest::newRow("S(3,6,26), circles over GF(25)") << 26 << 6 << 3;
    QTest::newRow("S(3,5,17)") << 17 << 5 << 3;
    QTest::newRow("S(3,6,22)") << 22 << 6 << 3;
    QTest::newRow("S(4,5,11)") << 11 << 5 << 4;
    QTest::newRow("S(5,6,12)") << 12 << 6 << 5;
    QTest::newRow("S(4,7,23)") << 23 << 7 << 4;
}

void tst_Riduzione::costruzioni()
{
    QFETCH(int, v);
    QFETCH(int, k);
    QFETCH(int, t);
    const Esito esito = Cerca(v, k, t, t, 0);
    QCOMPARE(esito.stato, Esito::Trovato);
    QCOMPARE(qint64(esito.righe.size()), Schoenheim(v, k, t));
    QVERIFY(esito.ottimo);
    QCOMPARE(esito.passi, 0);
    for (const Riga &riga : esito.righe) {
        QCOMPARE(int(riga.size()), k);
        QVERIFY(std::is_sorted(riga.begin(), riga.end()) && riga.front() >= 0 && riga.back() < v);
        QVERIFY(std::adjacent_find(riga.begin(), riga.end()) == riga.end());
    }
    QVERIFY(std::is_sorted(esito.righe.begin(), esito.righe.end()));
    QVERIFY(ForzaBruta(esito.righe, v, t, t));
}

void tst_Riduzione::steiner_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("t");
    QTest::addColumn<std::function<std::vector<Riga>()>>("costruisci");
    using namespace Riduzione::Interno;
    static const std::atomic<bool> mai{false};
    const auto pot = [](int b, int e) {
        int r = 1;
        for (int i = 0; i < e; ++i)
            r *= b;
        return r;
    };
    for (const auto &[n, q] : std::vector<std::pair<int, int>>{{2, 2}, {3, 2}, {4, 2}, {5, 2}, {2, 3}, {3, 3}, {2, 4}, {3, 4}, {2, 5}, {2, 7}, {2, 8}}) {
        QTest::newRow(qPrintable(QStringLiteral("PG(%1,%2)").arg(n).arg(q)))
            << (pot(q, n + 1) - 1) / (q - 1) << q + 1 << 2 << std::function<std::vector<Riga>()>([n = n, q = q] { return RetteProiettive(n, q); });
    }
    for (const auto &[n, q] : std::vector<std::pair<int, int>>{{2, 3}, {3, 3}, {4, 3}, {2, 4}, {3, 4}, {2, 7}, {2, 8}, {2, 9}}) {
        QTest::newRow(qPrintable(QStringLiteral("AG(%1,%2)").arg(n).arg(q)))
            << pot(q, n) << q << 2 << std::function<std::vector<Riga>()>([n = n, q = q] { return RetteAffini(n, q); });
    }
    for (const auto &[q, n] : std::vector<std::pair<int, int>>{{3, 2}, {3, 3}, {3, 4}, {4, 2}, {4, 3}, {5, 2}, {7, 2}, {8, 2}, {9, 2}}) {
        QTest::newRow(qPrintable(QStringLiteral("circles over GF(%1^%2)").arg(q).arg(n)))
            << pot(q, n) + 1 << q + 1 << 3 << std::function<std::vector<Riga>()>([q = q, n = n] { return Sottorette(q, n); });
    }
    // Every S(2,4,v) and S(2,5,v) up to 90 that a difference family gives, cyclic or
    // 1-rotational (25 for lines of 4 has none: it comes from a prescribed group instead).
    for (int v : {13, 16, 28, 37, 40, 49, 52, 61, 64, 73, 76, 85, 88}) {
        QTest::newRow(qPrintable(QStringLiteral("difference family, S(2,4,%1)").arg(v)))
            << v << 4 << 2 << std::function<std::vector<Riga>()>([v] { return SistemaDifferenze(v, 4, qint64(1) << 24, mai); });
    }
    for (int v : {21, 25, 41, 45, 61, 65, 81}) {
        QTest::newRow(qPrintable(QStringLiteral("difference family, S(2,5,%1)").arg(v)))
            << v << 5 << 2 << std::function<std::vector<Riga>()>([v] { return SistemaDifferenze(v, 5, qint64(1) << 24, mai); });
    }
    // Quadruple systems of each kind: binary, circles, doubled, and by a prescribed group
    // (14, 22, 38, 62, 74), doubled from one (44, 76, 88). 86 takes seconds and is left out.
    for (int v : {4, 8, 10, 14, 16, 20, 22, 26, 28, 32, 34, 38, 40, 44, 46, 50, 56, 58, 62, 64, 70, 74, 76, 82, 88}) {
        QTest::newRow(qPrintable(QStringLiteral("SQS(%1)").arg(v)))
            << v << 4 << 3 << std::function<std::vector<Riga>()>([v] { return SistemaQuadruple(v, mai); });
    }
}

void tst_Riduzione::steiner()
{
    QFETCH(int, v);
    QFETCH(int, k);
    QFETCH(int, t);
    QFETCH(std::function<std::vector<Riga>()>, costruisci);
    const std::vector<Riga> righe = costruisci();
    QVERIFY(!righe.empty());
    QVERIFY(Esatto(righe, v, k, t));
}

void tst_Riduzione::ricorsione_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("t");
    for (const auto &[v, k, t] : std::vector<std::tuple<int, int, int>>{
             {7, 3, 2}, {12, 4, 2}, {20, 5, 2}, {33, 6, 2}, {15, 4, 3}, {18, 6, 3}, {16, 6, 4}, {14, 7, 5}, {12, 9, 6}, {11, 10, 6}, {9, 3, 3}, {30, 10, 2}}) {
        QTest::newRow(qPrintable(QStringLiteral("C(%1,%2,%3)").arg(v).arg(k).arg(t))) << v << k << t;
    }
}

void tst_Riduzione::ricorsione()
{
    QFETCH(int, v);
    QFETCH(int, k);
    QFETCH(int, t);
    Riduzione::Interno::Ricorsione ricorsione(v, k, t);
    const qint64 righe = ricorsione.Righe();
    const std::vector<Riga> costruite = ricorsione.Costruisci();
    // Its size is known before it is built; building may only find repeated lines to drop.
    QVERIFY(qint64(costruite.size()) <= righe);
    QVERIFY(qint64(costruite.size()) >= Schoenheim(v, k, t));
    for (const Riga &riga : costruite)
        QCOMPARE(int(std::set<int>(riga.begin(), riga.end()).size()), k);
    QVERIFY(ForzaBruta(costruite, v, t, t));
}

void tst_Riduzione::dueParti_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("p");
    for (const auto &[v, k, m, p] : std::vector<std::tuple<int, int, int, int>>{
             {20, 7, 4, 6}, {24, 5, 3, 4}, {18, 6, 4, 5}, {16, 4, 3, 5}, {22, 6, 5, 6}, {15, 3, 2, 3}, {19, 5, 2, 4}, {12, 6, 3, 6}}) {
        QTest::newRow(qPrintable(Nome(v, k, m, p))) << v << k << m << p;
    }
}

void tst_Riduzione::dueParti()
{
    QFETCH(int, v);
    QFETCH(int, k);
    QFETCH(int, m);
    QFETCH(int, p);
    Riduzione::Interno::DueParti parti(v, k, p, m);
    const std::vector<Riga> righe = parti.Costruisci();
    QVERIFY(!righe.empty() && qint64(righe.size()) <= parti.Righe());
    QVERIFY(qint64(righe.size()) >= MinimoTeorico({v, k, m, p}));
    for (const Riga &riga : righe)
        QCOMPARE(int(std::set<int>(riga.begin(), riga.end()).size()), k);
    QVERIFY(ForzaBruta(righe, v, m, p));
}

void tst_Riduzione::simmetria_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("t");
    QTest::addColumn<bool>("trovata"); // whether some group of the search gives an optimal one
    QTest::newRow("C(7,3,2)") << 7 << 3 << 2 << true;
    QTest::newRow("C(8,3,2)") << 8 << 3 << 2 << true;
    QTest::newRow("C(8,4,2)") << 8 << 4 << 2 << true;
    QTest::newRow("C(7,4,2)") << 7 << 4 << 2 << false;
    QTest::newRow("C(8,5,2)") << 8 << 5 << 2 << true;
    QTest::newRow("C(7,4,3)") << 7 << 4 << 3 << false;
    QTest::newRow("C(8,4,3)") << 8 << 4 << 3 << true;
    QTest::newRow("C(8,5,3)") << 8 << 5 << 3 << false;
    QTest::newRow("C(8,6,4)") << 8 << 6 << 4 << false;
    QTest::newRow("C(8,6,5)") << 8 << 6 << 5 << false;
}

void tst_Riduzione::simmetria()
{
    QFETCH(int, v);
    QFETCH(int, k);
    QFETCH(int, t);
    QFETCH(bool, trovata);
    const int ottimo = Ottimo(v, k, t, t);
    const std::atomic<bool> mai{false};
    // Below the optimum there is nothing to find, whatever the group.
    QVERIFY(Riduzione::Interno::CoperturaSimmetrica(v, k, t, ottimo - 1, qint64(1) << 26, mai).empty());
    const std::vector<Riga> righe = Riduzione::Interno::CoperturaSimmetrica(v, k, t, ottimo, qint64(1) << 26, mai);
    if (!trovata) {
        // A group may still give one: then it is an optimal covering.
        QVERIFY(righe.empty() || (int(righe.size()) == ottimo && ForzaBruta(righe, v, t, t)));
        return;
    }
    QCOMPARE(int(righe.size()), ottimo);
    QVERIFY(ForzaBruta(righe, v, t, t));
}

void tst_Riduzione::primo_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("p");
    // Coverings whose constructions take their time, the greedy one and the recursive one
    // first, and lotto designs split into groups.
    QTest::newRow("45 in 5, ambo") << 45 << 5 << 2 << 2;
    QTest::newRow("85 in 5, ambo") << 85 << 5 << 2 << 2;
    QTest::newRow("50 in 4, terno") << 50 << 4 << 3 << 3;
    QTest::newRow("86 in 4, terno") << 86 << 4 << 3 << 3;
    QTest::newRow("30 in 7, quaterna") << 30 << 7 << 4 << 4;
    QTest::newRow("40 in 4, ambo se escono 6") << 40 << 4 << 2 << 6;
    QTest::newRow("25 in 6, terno se escono 5") << 25 << 6 << 3 << 5;
    QTest::newRow("20 in 7, quaterna se escono 6") << 20 << 7 << 4 << 6;
    // Two parts and the products of their coverings, where one group is all a split allows.
    QTest::newRow("30 in 6, quaterna se escono 5") << 30 << 6 << 4 << 5;
    QTest::newRow("24 in 5, terno se escono 4") << 24 << 5 << 3 << 4;
}

void tst_Riduzione::primo()
{
    QFETCH(int, v);
    QFETCH(int, k);
    QFETCH(int, m);
    QFETCH(int, p);
    // Stopped at its first system, before any construction: that system is the result.
    Riduzione::Avanzamento avanzamento;
    int annunciate = 0;
    int prima = 0;
    avanzamento.migliorato = [&](int righe) {
        if (++annunciate == 1)
            prima = righe;
        avanzamento.annulla = true;
    };
    const Esito esito = Riduci({v, k, m, p}, 3, qint64(1) << 40, avanzamento);
    QCOMPARE(esito.stato, Esito::Trovato);
    QCOMPARE(annunciate, 1);
    QCOMPARE(int(esito.righe.size()), prima);
    // The size known before building; the system built may drop a line that came twice.
    QCOMPARE(RighePrime({v, k, m, p}), esito.righePrime);
    QVERIFY(prima > 0 && prima <= esito.righePrime);
    for (const Riga &riga : esito.righe)
        QCOMPARE(int(std::set<int>(riga.begin(), riga.end()).size()), k);
    QVERIFY(p == m ? Coperto(esito.righe, v, m) : m == 2 ? NessunGruppoSeparato(esito.righe, v, p) : ForzaBruta(esito.righe, v, m, p));
}

void tst_Riduzione::oltreIlMassimo_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("p");
    // Schönheim's bound below the cap, every system found above it.
    QTest::newRow("90 in 6, quaterna") << 90 << 6 << 4 << 4;
    QTest::newRow("53 in 7, cinquina") << 53 << 7 << 5 << 5;
    QTest::newRow("90 in 10, cinquina") << 90 << 10 << 5 << 5;
}

void tst_Riduzione::oltreIlMassimo()
{
    QFETCH(int, v);
    QFETCH(int, k);
    QFETCH(int, m);
    QFETCH(int, p);
    QVERIFY(MinimoTeorico({v, k, m, p}) <= RigheMassime);
    Riduzione::Avanzamento avanzamento;
    int annunciate = 0;
    avanzamento.migliorato = [&](int) { ++annunciate; };
    // With no limit on the moves, only a refusal before any search returns.
    const Esito esito = Riduci({v, k, m, p}, 1, std::numeric_limits<qint64>::max(), avanzamento);
    QCOMPARE(esito.stato, Esito::TroppoGrande);
    QVERIFY(esito.righe.empty());
    QVERIFY(esito.righePrime > RigheMassime);
    QCOMPARE(RighePrime({v, k, m, p}), esito.righePrime);
    QCOMPARE(annunciate, 0);
    QCOMPARE(avanzamento.righe.load(), 0);
}

void tst_Riduzione::annullaOgniFase_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("fermo"); // stopped at this announcement, or at the last before it
    // Systems that get better in several stages: the first system, a construction, the
    // coverings of orbits or the local search.
    for (int fermo : {1, 2, 3}) {
        QTest::newRow(qPrintable(QStringLiteral("15 in 4, ambo, at %1").arg(fermo))) << 15 << 4 << 2 << 2 << fermo;
        QTest::newRow(qPrintable(QStringLiteral("14 in 4, ambo se escono 3, at %1").arg(fermo))) << 14 << 4 << 2 << 3 << fermo;
        QTest::newRow(qPrintable(QStringLiteral("16 in 5, terno se escono 4, at %1").arg(fermo))) << 16 << 5 << 3 << 4 << fermo;
    }
}

void tst_Riduzione::annullaOgniFase()
{
    QFETCH(int, v);
    QFETCH(int, k);
    QFETCH(int, m);
    QFETCH(int, p);
    QFETCH(int, fermo);
    Riduzione::Avanzamento avanzamento;
    std::vector<int> annunciate;
    avanzamento.migliorato = [&](int righe) {
        annunciate.push_back(righe);
        if (int(annunciate.size()) == fermo)
            avanzamento.annulla = true;
    };
    // The moves bound the search where it ends before the announcement asked for.
    const Esito esito = Riduci({v, k, m, p}, 5, 20000, avanzamento);
    QCOMPARE(esito.stato, Esito::Trovato);
    QVERIFY(!annunciate.empty() && int(annunciate.size()) <= fermo);
    QVERIFY(std::is_sorted(annunciate.rbegin(), annunciate.rend()));
    QCOMPARE(int(esito.righe.size()), annunciate.back());
    QCOMPARE(avanzamento.righe.load(), annunciate.back());
    QVERIFY(ForzaBruta(esito.righe, v, m, p));
}

void tst_Riduzione::lotto_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("righe"); // the least a correct search gives; -1 where unknown
    // The smallest sum of coverings by triples over splits into p-1 groups, proven optimal.
    QTest::newRow("15 in 3, ambo se escono 3") << 15 << 3 << 2 << 3 << 18;
    QTest::newRow("20 in 3, ambo se escono 3") << 20 << 3 << 2 << 3 << 31;
    QTest::newRow("30 in 3, ambo se escono 4") << 30 << 3 << 2 << 4 << 48;
    QTest::newRow("90 in 3, ambo se escono 5") << 90 << 3 << 2 << 5 << 325;
    // A split chosen from the coverings as built: 13+9+6+6+6 for 13 + 8 + 3 + 3 + 3, where
    // Schönheim's estimates of the groups (13 + 7 + 3 + 3 + 3 for the same) chose another.
    QTest::newRow("40 in 4, ambo se escono 6") << 40 << 4 << 2 << 6 << 30;
    QTest::newRow("90 in 6, ambo se escono 6") << 90 << 6 << 2 << 6 << -1;
    QTest::newRow("16 in 5, terno se escono 5") << 16 << 5 << 3 << 5 << -1;
    QTest::newRow("12 in 4, terno se escono 4") << 12 << 4 << 3 << 4 << -1;
    QTest::newRow("13 in 6, quaterna se escono 6") << 13 << 6 << 4 << 6 << -1;
}

void tst_Riduzione::lotto()
{
    QFETCH(int, v);
    QFETCH(int, k);
    QFETCH(int, m);
    QFETCH(int, p);
    QFETCH(int, righe);
    const Esito esito = Cerca(v, k, m, p, 300);
    QCOMPARE(esito.stato, Esito::Trovato);
    if (righe > 0)
        QCOMPARE(int(esito.righe.size()), righe);
    QVERIFY(qint64(esito.righe.size()) >= MinimoTeorico({v, k, m, p}));
    if (m == 2)
        QVERIFY(NessunGruppoSeparato(esito.righe, v, p));
    if (v <= 30)
        QVERIFY(ForzaBruta(esito.righe, v, m, p));
}

void tst_Riduzione::impossibili_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("p");
    QTest::newRow("two numbers") << 2 << 2 << 2 << 2;
    QTest::newRow("91 numbers") << 91 << 3 << 2 << 2;
    QTest::newRow("lines of all the numbers") << 5 << 5 << 2 << 2;
    QTest::newRow("lines of one") << 9 << 1 << 1 << 1;
    QTest::newRow("lines of eleven") << 30 << 11 << 2 << 2;
    QTest::newRow("a guarantee of one") << 9 << 3 << 1 << 2;
    QTest::newRow("more hits than a line holds") << 9 << 3 << 4 << 4;
    QTest::newRow("fewer drawn than hits") << 9 << 4 << 3 << 2;
    QTest::newRow("more drawn than numbers") << 5 << 3 << 2 << 6;
    QTest::newRow("seven drawn") << 30 << 8 << 2 << 7;
}

void tst_Riduzione::impossibili()
{
    QFETCH(int, v);
    QFETCH(int, k);
    QFETCH(int, m);
    QFETCH(int, p);
    QVERIFY(!Possibile({v, k, m, p}));
    QCOMPARE(MinimoTeorico({v, k, m, p}), 0);
    const Esito esito = Cerca(v, k, m, p, 1000);
    QCOMPARE(esito.stato, Esito::Impossibile);
    QVERIFY(esito.righe.empty());
}

void tst_Riduzione::troppoGrande()
{
    // C(90,5) sets, no Steiner system of these sizes, nothing to split.
    QVERIFY(Casi({90, 10, 5, 5}) > CasiMassimi);
    const Esito esito = Cerca(90, 10, 5, 5, 1000);
    QCOMPARE(esito.stato, Esito::TroppoGrande);
    QVERIFY(esito.righe.empty());
}

void tst_Riduzione::minimoTeorico_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("p");
    QTest::addColumn<qint64>("minimo");
    // Schönheim's bound, by hand.
    QTest::newRow("20 in 3, ambo") << 20 << 3 << 2 << 2 << qint64(67);       // ceil(20/3 * 10)
    QTest::newRow("19 in 4, ambo") << 19 << 4 << 2 << 2 << qint64(31);       // ceil(19/4 * 6), + 2 (Mills)
    QTest::newRow("22 in 4, ambo") << 22 << 4 << 2 << 2 << qint64(39);       // ceil(22/4 * 7), met (Mills)
    QTest::newRow("12 in 6, cinquina") << 12 << 6 << 5 << 5 << qint64(132);  // the Steiner system's size
    QTest::newRow("90 in 10, cinquina") << 90 << 10 << 5 << 5 << qint64(183078);
    // Bougard: lines of 3, the least sum of C(n_i,3,2) over splits into p-1 groups.
    QTest::newRow("15 in 3, ambo se escono 3") << 15 << 3 << 2 << 3 << qint64(18);  // 7 + 8: 7 + 11
    QTest::newRow("90 in 3, ambo se escono 5") << 90 << 3 << 2 << 5 << qint64(325); // 21 + 3·23: 70 + 3·85
    // Füredi, Székely and Zubor: p-1 cliques, a place in a clique of a on ceil((a-1)/(k-1)) lines.
    QTest::newRow("10 in 5, ambo se escono 6") << 10 << 5 << 2 << 6 << qint64(2);   // 5 cliques of 2: 10 places on 1 line, 5 a line
    QTest::newRow("40 in 4, ambo se escono 6") << 40 << 4 << 2 << 6 << qint64(25);  // 7+7+7 on 2 lines, 9+10 on 3: 99 / 4
    QTest::newRow("7 in 3, ambo se escono 6") << 7 << 3 << 2 << 6 << qint64(1);     // below 3(p-1): not Bougard's, whose split gives 2
    // de Caen: C(v,m)(v-p+1) / ((v-m+1) C(p-1,m-1)) sets of m held.
    QTest::newRow("12 in 4, terno se escono 4") << 12 << 4 << 3 << 4 << qint64(17); // 220·9/(10·3) = 66 triples, 4 a line
}

void tst_Riduzione::minimoTeorico()
{
    QFETCH(int, v);
    QFETCH(int, k);
    QFETCH(int, m);
    QFETCH(int, p);
    QFETCH(qint64, minimo);
    QCOMPARE(MinimoTeorico({v, k, m, p}), minimo);
}

void tst_Riduzione::riproducibile_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("p");
    QTest::addColumn<qint64>("passi");
    // Cases the constructions leave to the local search; the second stays on a plateau long
    // enough for its kicks and fresh starts (it stays above 20 lines, Schönheim's bound, for
    // all these moves).
    QTest::newRow("12 in 5, terno se escono 4") << 12 << 5 << 3 << 4 << qint64(3000);
    QTest::newRow("20 in 5, ambo") << 20 << 5 << 2 << 2 << qint64(300000);
}

void tst_Riduzione::riproducibile()
{
    QFETCH(int, v);
    QFETCH(int, k);
    QFETCH(int, m);
    QFETCH(int, p);
    QFETCH(qint64, passi);
    const Esito prima = Cerca(v, k, m, p, passi, 11);
    const Esito seconda = Cerca(v, k, m, p, passi, 11);
    QCOMPARE(prima.stato, Esito::Trovato);
    QCOMPARE(prima.passi, passi);
    QCOMPARE(seconda.righe, prima.righe);
    QVERIFY(ForzaBruta(prima.righe, v, m, p));
}

void tst_Riduzione::campo_data()
{
    QTest::addColumn<int>("q");
    for (int q : {2, 3, 4, 5, 7, 8, 9, 16, 25, 27, 32, 49, 64, 81})
        QTest::newRow(qPrintable(QStringLiteral("GF(%1)").arg(q))) << q;
}

void tst_Riduzione::campo()
{
    QFETCH(int, q);
    Riduzione::Interno::Campo f;
    QVERIFY(Riduzione::Interno::FaiCampo(q, f));
    // The field's laws, every element against every other (and every triple for the
    // distributive law): 0 and 1 the identities, inverses, no zero divisors.
    for (int a = 0; a < q; ++a) {
        QCOMPARE(f.Piu(a, 0), a);
        QCOMPARE(f.Per(a, 1), a);
        QCOMPARE(f.Piu(a, f.opposto[std::size_t(a)]), 0);
        if (a != 0)
            QCOMPARE(f.Per(a, f.inverso[std::size_t(a)]), 1);
        for (int b = 0; b < q; ++b) {
            QCOMPARE(f.Piu(a, b), f.Piu(b, a));
            QCOMPARE(f.Per(a, b), f.Per(b, a));
            QCOMPARE(f.Per(a, b) == 0, a == 0 || b == 0);
            for (int c = 0; c < q; c += (q > 27 ? 7 : 1)) {
                QCOMPARE(f.Per(a, f.Piu(b, c)), f.Piu(f.Per(a, b), f.Per(a, c)));
                QCOMPARE(f.Per(f.Per(a, b), c), f.Per(a, f.Per(b, c)));
                QCOMPARE(f.Piu(f.Piu(a, b), c), f.Piu(a, f.Piu(b, c)));
            }
        }
    }
    // The primitive element's powers run through every non-zero element.
    std::set<int> potenze;
    for (int i = 0, x = 1; i < q - 1; ++i, x = f.Per(x, f.primitivo))
        potenze.insert(x);
    QCOMPARE(int(potenze.size()), q - 1);
}

void tst_Riduzione::nonCampi()
{
    Riduzione::Interno::Campo f;
    for (int q : {0, 1, 6, 10, 12, 15, 18, 45, 90})
        QVERIFY2(!Riduzione::Interno::FaiCampo(q, f), qPrintable(QString::number(q)));
}

void tst_Riduzione::mills_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("righe"); // Mills' value
    // Sizes that are no Steiner system, reached by the coverings made of orbits.
    QTest::newRow("17") << 17 << 26;
    QTest::newRow("18") << 18 << 27;
    QTest::newRow("20") << 20 << 35;
    QTest::newRow("21") << 21 << 37;
    QTest::newRow("24") << 24 << 48;
    QTest::newRow("30") << 30 << 75;
    // Mills' exception, two above Schönheim's 29: the search ends there by itself.
    QTest::newRow("19") << 19 << 31;
    // And those where counting the lines through each place forces the pairs held again: one
    // pair four times, or a star of four and a perfect matching twice.
    for (const auto &[v, righe] : std::vector<std::pair<int, int>>{{22, 39}, {27, 61}, {31, 78}, {33, 91}, {34, 94}, {39, 127}, {46, 173}})
        QTest::newRow(qPrintable(QString::number(v))) << v << righe;
}

void tst_Riduzione::mills()
{
    QFETCH(int, v);
    QFETCH(int, righe);
    QCOMPARE(MinimoTeorico({v, 4, 2, 2}), qint64(righe));
    // Ends by itself at the bound: with no limit on the moves, a bound above the optimum
    // would never let it stop.
    const Esito esito = Cerca(v, 4, 2, 2, std::numeric_limits<qint64>::max());
    QCOMPARE(esito.stato, Esito::Trovato);
    QVERIFY(esito.ottimo);
    QCOMPARE(int(esito.righe.size()), righe);
    QVERIFY(Coperto(esito.righe, v, 2));
}

void tst_Riduzione::controlloSviluppo_data()
{
    // Developments too large for the exhaustive optimum: the check and the bound are asked of
    // systems the search finds and of random pieces of the development, against the long way.
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("p");
    QTest::addColumn<quint64>("seme");
    for (quint64 seme = 1; seme <= 3; ++seme) {
        QTest::addRow("12 in quartine, ambo, seed %llu", seme) << 12 << 4 << 2 << 2 << seme;
        QTest::addRow("11 in cinquine, ambo se escono 3, seed %llu", seme) << 11 << 5 << 2 << 3 << seme;
        QTest::addRow("10 in quartine, terno se escono 4, seed %llu", seme) << 10 << 4 << 3 << 4 << seme;
    }
}

void tst_Riduzione::controlloSviluppo()
{
    QFETCH(int, v);
    QFETCH(int, k);
    QFETCH(int, m);
    QFETCH(int, p);
    QFETCH(quint64, seme);
    Interno::Generatore caso(seme);
    const std::vector<Riga> sviluppo = Sviluppo(v, k, [&] { return caso.Entro(3) == 0; });
    const std::set<Riga> estratti = Estratti(sviluppo, p);
    const auto serve = [&](const std::vector<Riga> &righe) {
        return std::all_of(estratti.begin(), estratti.end(), [&](const Riga &e) {
            return std::any_of(righe.begin(), righe.end(), [&](const Riga &r) { return Serve(e, r, m); });
        });
    };
    // The counting bound, the long way: the draws that count over the most one line serves.
    std::size_t piu = 0;
    for (const Riga &r : sviluppo)
        piu = std::max<std::size_t>(piu, std::count_if(estratti.begin(), estratti.end(), [&](const Riga &e) { return Serve(e, r, m); }));
    const qint64 limite = qint64((estratti.size() + piu - 1) / piu);

    Riduzione::Avanzamento avanzamento;
    const Esito esito = RiduciSviluppo({v, k, m, p}, sviluppo, seme, 20000, avanzamento);
    QCOMPARE(esito.stato, Esito::Trovato);
    QCOMPARE(esito.minimo, limite);
    QVERIFY(qint64(esito.righe.size()) >= limite);
    QVERIFY(serve(esito.righe));
    ::Avanzamento controllo;
    QVERIFY(GarantitoSviluppo(sviluppo, esito.righe, m, p, controllo));
    // Random pieces of the development, most of which leave some draw unserved.
    for (int prova = 0; prova < 12; ++prova) {
        std::vector<Riga> pezzo;
        for (const Riga &riga : sviluppo) {
            if (caso.Entro(4) < 1 + prova % 3)
                pezzo.push_back(riga);
        }
        ::Avanzamento altro;
        QCOMPARE(GarantitoSviluppo(sviluppo, pezzo, m, p, altro), serve(pezzo));
    }
}

void tst_Riduzione::quartineEccesso_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("righe");
    // How many pairs are held 2, 3 and 4 times: what the lines through each place force.
    QTest::addColumn<std::vector<int>>("ripetute");
    const std::vector<int> quattroVolte{0, 0, 1};
    for (int v : {22, 31, 34, 46})
        QTest::newRow(qPrintable(QStringLiteral("%1, one pair four times").arg(v))) << v << (v * ((v + 1) / 3) + 3) / 4 << quattroVolte;
    // A star of four and a perfect matching of the other v - 5: (v - 5) / 2 + 4 pairs twice.
    for (int v : {27, 33, 39, 45, 51})
        QTest::newRow(qPrintable(QStringLiteral("%1, a star and a matching").arg(v))) << v << (v * ((v + 1) / 3) + 3) / 4 << std::vector<int>{(v - 5) / 2 + 4, 0, 0};
    // Steiner systems, Mills' exceptions and sizes whose pairs held again are not forced: none.
    for (int v : {13, 19, 10, 24, 25, 28, 30})
        QTest::newRow(qPrintable(QStringLiteral("%1, none").arg(v))) << v << 0 << std::vector<int>{};
}

void tst_Riduzione::quartineEccesso()
{
    QFETCH(int, v);
    QFETCH(int, righe);
    QFETCH(std::vector<int>, ripetute);
    static const std::atomic<bool> mai{false};
    const std::vector<Riga> linee = Interno::CoperturaQuartine(v, qint64(1) << 32, mai);
    QCOMPARE(int(linee.size()), righe);
    if (righe == 0)
        return;
    std::map<std::pair<int, int>, int> volte;
    for (const Riga &linea : linee) {
        QCOMPARE(int(linea.size()), 4);
        for (int a = 0; a < 4; ++a) {
            for (int b = a + 1; b < 4; ++b)
                ++volte[std::minmax(linea[std::size_t(a)], linea[std::size_t(b)])];
        }
    }
    QCOMPARE(int(volte.size()), v * (v - 1) / 2);
    std::vector<int> conte(3, 0);
    for (const auto &[coppia, n] : volte) {
        QVERIFY(coppia.first >= 0 && coppia.second < v && n <= 4);
        if (n > 1)
            ++conte[std::size_t(n - 2)];
    }
    QCOMPARE(conte, ripetute);
}

void tst_Riduzione::annulla()
{
    // Stopped before anything: nothing found.
    Riduzione::Avanzamento subito;
    subito.annulla = true;
    const Esito niente = Riduci({15, 3, 2, 3}, 1, 1 << 30, subito);
    QCOMPARE(niente.stato, Esito::Annullato);
    QVERIFY(niente.righe.empty());
    // So with a development: nothing searched, and the check does not say "guaranteed".
    const std::vector<Riga> sviluppo = Sviluppo(12, 4, [] { return true; });
    const Esito nienteSviluppo = RiduciSviluppo({12, 4, 2, 2}, sviluppo, 1, 1000, subito);
    QCOMPARE(nienteSviluppo.stato, Esito::Annullato);
    QVERIFY(nienteSviluppo.righe.empty());
    ::Avanzamento fermo;
    fermo.annulla = true;
    QVERIFY(!GarantitoSviluppo(sviluppo, sviluppo, 2, 2, fermo));
    // And the quartine by prescribed pairs give nothing, whatever the size, rather than a part.
    for (int v : {22, 27, 39})
        QVERIFY(Interno::CoperturaQuartine(v, qint64(1) << 32, fermo.annulla).empty());

    // Stopped at the first valid system of a search that could run for ever (its bound, 17,
    // is below the optimum, 18): that system is the result.
    Riduzione::Avanzamento primo;
    int annunciate = 0;
    primo.migliorato = [&](int righe) {
        ++annunciate;
        QCOMPARE(primo.righe.load(), righe);
        primo.annulla = true;
    };
    const Esito esito = Riduci({15, 3, 2, 3}, 1, qint64(1) << 40, primo);
    QCOMPARE(esito.stato, Esito::Trovato);
    QCOMPARE(annunciate, 1);
    QCOMPARE(int(esito.righe.size()), primo.righe.load());
    QVERIFY(ForzaBruta(esito.righe, 15, 2, 3));
}

void tst_Riduzione::garantito_data()
{
    QTest::addColumn<QList<int>>("numeri");
    QTest::addColumn<QList<QList<int>>>("righe"); // places among the numbers
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("p");
    const QList<int> sette{3, 9, 27, 30, 41, 77, 90};
    const QList<QList<int>> fano{{0, 1, 3}, {1, 2, 4}, {2, 3, 5}, {3, 4, 6}, {4, 5, 0}, {5, 6, 1}, {6, 0, 2}};
    QTest::newRow("Fano plane, ambo se escono 2") << sette << fano << 2 << 2;
    QTest::newRow("Fano plane, terno se escono 3") << sette << fano << 3 << 3;
    QTest::newRow("Fano plane less a line") << sette << fano.mid(1) << 2 << 2;
    QTest::newRow("Fano plane, terno se escono 5") << sette << fano << 3 << 5;
    // Numbers no line uses count among the drawn, with no hit.
    QTest::newRow("a number unused, ambo se escono 3") << QList<int>{1, 2, 3, 4} << QList<QList<int>>{{0, 1, 2}} << 2 << 3;
    QTest::newRow("a number unused, ambo se escono 2") << QList<int>{1, 2, 3, 4} << QList<QList<int>>{{0, 1, 2}} << 2 << 2;
    QTest::newRow("two unused, ambo se escono 4") << QList<int>{1, 2, 3, 4, 5, 6} << QList<QList<int>>{{0, 1}, {2, 3}} << 2 << 4;
    QTest::newRow("two groups, ambo se escono 3") << QList<int>{10, 20, 30, 40, 50, 60}
                                                  << QList<QList<int>>{{0, 1, 2}, {3, 4, 5}} << 2 << 3;
}

void tst_Riduzione::garantito()
{
    QFETCH(QList<int>, numeri);
    QFETCH(QList<QList<int>>, righe);
    QFETCH(int, m);
    QFETCH(int, p);
    std::vector<Riga> linee;
    for (const QList<int> &riga : righe)
        linee.emplace_back(riga.begin(), riga.end());
    Verifica::Avanzamento avanzamento;
    QCOMPARE(Garantito(std::vector<int>(numeri.begin(), numeri.end()), linee, m, p, avanzamento),
             ForzaBruta(linee, int(numeri.size()), m, p));
}

void tst_Riduzione::testo()
{
    const std::vector<int> numeri{5, 12, 33, 47, 90};
    const std::vector<Riga> righe{{1, 3, 4}, {0, 2, 4}, {0, 1, 2}};
    QCOMPARE(Testo(numeri, righe), QStringLiteral("05 12 33\r\n05 33 90\r\n12 47 90\r\n"));
    QCOMPARE(Testo(numeri, {}), QString());
}

void tst_Riduzione::sviluppoCondizionato_data()
{
    // A development of v numbers in lines of k, each line kept or not at random as a player's
    // conditions keep some; the draws to cover are the p-sets inside the lines kept.
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("tenute"); // lines kept at random, `tenute` out of 8
    QTest::addColumn<quint64>("seme");
    for (quint64 seme = 1; seme <= 4; ++seme) {
        QTest::addRow("7 in terzine, ambo, seed %llu", seme) << 7 << 3 << 2 << 2 << 4 << seme;
        QTest::addRow("8 in quartine, ambo se escono 3, seed %llu", seme) << 8 << 4 << 2 << 3 << 2 << seme;
        QTest::addRow("8 in quartine, terno, seed %llu", seme) << 8 << 4 << 3 << 3 << 2 << seme;
        QTest::addRow("9 in cinquine, ambo se escono 4, seed %llu", seme) << 9 << 5 << 2 << 4 << 1 << seme;
    }
    QTest::newRow("the whole development") << 6 << 3 << 2 << 2 << 8 << quint64(9);
}

void tst_Riduzione::sviluppoCondizionato()
{
    QFETCH(int, v);
    QFETCH(int, k);
    QFETCH(int, m);
    QFETCH(int, p);
    QFETCH(int, tenute);
    QFETCH(quint64, seme);
    Interno::Generatore caso(seme);
    const std::vector<Riga> sviluppo = Sviluppo(v, k, [&] { return caso.Entro(8) < tenute; });
    QVERIFY(!sviluppo.empty() && sviluppo.size() <= 32);
    // The draws that count, and which of the development's lines serve each, the long way.
    std::vector<Insieme> estrazioni;
    for (const Riga &e : Estratti(sviluppo, p))
        estrazioni.push_back(InsiemeDi(e));
    const auto serve = [&](quint32 scelte) {
        return std::all_of(estrazioni.begin(), estrazioni.end(), [&](const Insieme &e) {
            for (std::size_t r = 0; r < sviluppo.size(); ++r) {
                if ((scelte >> r & 1) && int((e & InsiemeDi(sviluppo[r])).count()) >= m)
                    return true;
            }
            return false;
        });
    };
    // The true optimum: the fewest of the development's lines that serve, tried size by size.
    int ottimo = 0;
    std::vector<int> indici(sviluppo.size());
    std::iota(indici.begin(), indici.end(), 0);
    for (bool trovato = false; !trovato;) {
        ++ottimo;
        Interno::OgniSottoinsieme(indici.data(), int(indici.size()), ottimo, [&](const int *s) {
            quint32 scelte = 0;
            for (int i = 0; i < ottimo; ++i)
                scelte |= quint32(1) << s[i];
            trovato = serve(scelte);
            return !trovato;
        });
    }

    Riduzione::Avanzamento avanzamento;
    const Esito esito = RiduciSviluppo({v, k, m, p}, sviluppo, 7, 200000, avanzamento);
    QCOMPARE(esito.stato, Esito::Trovato);
    // Its lines are the development's, and they serve every draw that counts.
    quint32 scelte = 0;
    for (const Riga &riga : esito.righe) {
        const auto dove = std::find(sviluppo.begin(), sviluppo.end(), riga);
        QVERIFY(dove != sviluppo.end());
        scelte |= quint32(1) << (dove - sviluppo.begin());
    }
    QCOMPARE(qPopulationCount(scelte), int(esito.righe.size()));
    QVERIFY(serve(scelte));
    // The bound holds, and a search this small reaches the optimum and says so.
    QVERIFY(esito.minimo >= 1 && esito.minimo <= ottimo);
    QCOMPARE(avanzamento.minimo.load(), esito.minimo);
    QCOMPARE(int(esito.righe.size()), ottimo);
    QCOMPARE(esito.ottimo, ottimo == esito.minimo);

    // The check agrees with the long way, on the system and on the system less each line.
    ::Avanzamento controllo;
    QVERIFY(GarantitoSviluppo(sviluppo, esito.righe, m, p, controllo));
    for (std::size_t i = 0; i < esito.righe.size(); ++i) {
        std::vector<Riga> meno = esito.righe;
        meno.erase(meno.begin() + std::ptrdiff_t(i));
        quint32 senza = 0;
        for (const Riga &riga : meno)
            senza |= quint32(1) << (std::find(sviluppo.begin(), sviluppo.end(), riga) - sviluppo.begin());
        ::Avanzamento altro;
        QCOMPARE(GarantitoSviluppo(sviluppo, meno, m, p, altro), serve(senza));
    }
}

QTEST_MAIN(tst_Riduzione)
#include "tst_riduzione.moc"
