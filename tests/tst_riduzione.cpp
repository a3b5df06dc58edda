#include "riduzione/Riduzione.h"
#include "verifica/Verifica.h"

#include <QTest>

#include <algorithm>
#include <bitset>
#include <functional>
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

// The fewest lines, by iterative deepening over all lines of k of v <= 7 places: the first
// set not yet served branches over the lines that serve it.
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
    std::vector<quint64> serve;
    int serveMassimo = 0;
    for (unsigned linea : linee) {
        quint64 servito = 0;
        for (std::size_t i = 0; i < insiemi.size(); ++i)
            if (int(qPopulationCount(linea & insiemi[i])) >= m)
                servito |= quint64(1) << i;
        serve.push_back(servito);
        serveMassimo = std::max(serveMassimo, int(qPopulationCount(servito)));
    }
    const quint64 tutti = insiemi.size() == 64 ? ~quint64(0) : (quint64(1) << insiemi.size()) - 1;
    std::function<bool(quint64, int)> basta = [&](quint64 serviti, int restano) {
        if (serviti == tutti)
            return true;
        const int mancano = int(qPopulationCount(tutti & ~serviti));
        if (restano == 0 || mancano > restano * serveMassimo)
            return false;
        const int primo = qCountTrailingZeroBits(tutti & ~serviti);
        for (quint64 s : serve)
            if ((s >> primo) & 1)
                if (basta(serviti | s, restano - 1))
                    return true;
        return false;
    };
    for (int righe = 1;; ++righe)
        if (basta(0, righe))
            return righe;
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

class tst_Riduzione : public QObject
{
    Q_OBJECT

private slots:
    void minimoEsaustivo_data();
    void minimoEsaustivo();
    void costruzioni_data();
    void costruzioni();
    void lotto_data();
    void lotto();
    void impossibili_data();
    void impossibili();
    void troppoGrande();
    void minimoTeorico_data();
    void minimoTeorico();
    void riproducibile();
    void annulla();
    void garantito_data();
    void garantito();
    void testo();
};

void tst_Riduzione::minimoEsaustivo_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("p");
    for (int v = 3; v <= 7; ++v)
        for (int k = 2; k <= v - 1; ++k)
            for (int m = 2; m <= k; ++m)
                for (int p = m; p <= std::min(v, 6); ++p)
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
    QTest::newRow("19 in 4, ambo") << 19 << 4 << 2 << 2 << qint64(30);       // ceil(19/4 * 6), + 1 (Mills)
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

void tst_Riduzione::riproducibile()
{
    // A case the constructions leave to the local search.
    const Esito prima = Cerca(12, 5, 3, 4, 3000, 11);
    const Esito seconda = Cerca(12, 5, 3, 4, 3000, 11);
    QCOMPARE(prima.stato, Esito::Trovato);
    QCOMPARE(prima.passi, 3000);
    QCOMPARE(seconda.righe, prima.righe);
    QVERIFY(ForzaBruta(prima.righe, 12, 3, 4));
}

void tst_Riduzione::annulla()
{
    // Stopped before anything: nothing found.
    Riduzione::Avanzamento subito;
    subito.annulla = true;
    const Esito niente = Riduci({15, 3, 2, 3}, 1, 1 << 30, subito);
    QCOMPARE(niente.stato, Esito::Annullato);
    QVERIFY(niente.righe.empty());

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

QTEST_MAIN(tst_Riduzione)
#include "tst_riduzione.moc"
