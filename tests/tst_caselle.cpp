#include "grid/Caselle.h"

#include <QTest>

#include <set>
#include <vector>

class tst_Caselle : public QObject
{
    Q_OBJECT

private slots:
    void passi_data();
    void passi();
};

void tst_Caselle::passi_data()
{
    // Steps: "R36" generates 36 cells, "+5" and "-5" click cell 5 on or off, "D" is CANCELLA.
    QTest::addColumn<QStringList>("passi");
    QTest::newRow("clicks on and off") << QStringList{"R36", "+5", "+7", "-5", "+36", "+1"};
    QTest::newRow("the same cell twice") << QStringList{"R9", "+3", "+3", "-3", "-3"};
    QTest::newRow("outside the board") << QStringList{"R9", "+0", "+10", "-10", "+9", "+91"};
    QTest::newRow("CANCELLA, then more") << QStringList{"R90", "+90", "+1", "+45", "D", "+2"};
    QTest::newRow("a new board drops the old selection") << QStringList{"R36", "+30", "+36", "R20", "+30", "+20"};
    QTest::newRow("before any board") << QStringList{"+1", "D", "-1"};
}

void tst_Caselle::passi()
{
    QFETCH(QStringList, passi);
    Caselle caselle;
    std::vector<int> avvisi;
    caselle.Osserva([&](int cella) { avvisi.push_back(cella); });
    // The model: the cells of the board and those selected, by plain sets.
    int celle = 0;
    std::set<int> scelte;
    for (const QString &passo : passi) {
        const int n = passo.mid(1).toInt();
        std::vector<int> attesi;
        avvisi.clear();
        if (passo[0] == u'R') {
            caselle.Ridimensiona(qint16(n));
            celle = n;
            scelte.clear();
            attesi = {0};
        } else if (passo[0] == u'D') {
            caselle.Deseleziona();
            scelte.clear();
            attesi = {0};
        } else {
            const bool su = passo[0] == u'+';
            caselle.Imposta(n, su);
            const bool dentro = n >= 1 && n <= celle;
            if (dentro && su != (scelte.count(n) > 0)) {
                attesi = {n};
                if (su)
                    scelte.insert(n);
                else
                    scelte.erase(n);
            }
        }
        // Whoever paints is told of each change, and only of changes.
        QCOMPARE(avvisi, attesi);
        QCOMPARE(int(caselle.UBound()), celle);
        QCOMPARE(int(caselle.Selezionati()), int(scelte.size()));
        QCOMPARE(caselle.Selezione(), std::vector<int>(scelte.begin(), scelte.end()));
        for (int k = -1; k <= 92; ++k)
            QCOMPARE(caselle(k), scelte.count(k) > 0);
    }
}

QTEST_GUILESS_MAIN(tst_Caselle)
#include "tst_caselle.moc"
