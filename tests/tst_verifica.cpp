#include "common/Lavoro.h"
#include "verifica/Verifica.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <numeric>
#include <vector>

using namespace Verifica;

namespace {

using Righe = std::vector<std::vector<int>>;

// The list text the list box would give: every line followed by CR LF.
QString Testo(const Righe &righe)
{
    QString testo;
    for (const std::vector<int> &riga : righe) {
        for (int n : riga)
            testo += QString::number(n) + u' ';
        testo += QStringLiteral("\r\n");
    }
    return testo;
}

// Every t-set of the numbers against every line, the long way: the fewest hits of the best
// line, and the sets that lie whole inside a line, for t = 2 to 6.
void ForzaBruta(const Righe &righe, QList<int> &garantiti, QList<quint64> &coperti)
{
    std::vector<int> numeri;
    for (const auto &riga : righe)
        numeri.insert(numeri.end(), riga.begin(), riga.end());
    std::sort(numeri.begin(), numeri.end());
    numeri.erase(std::unique(numeri.begin(), numeri.end()), numeri.end());
    const int n = int(numeri.size());
    std::vector<quint32> maschere;
    for (const auto &riga : righe) {
        quint32 m = 0;
        for (int x : riga)
            m |= 1u << (std::find(numeri.begin(), numeri.end(), x) - numeri.begin());
        maschere.push_back(m);
    }
    const int ultimo = std::min(6, n);
    garantiti = QList<int>(std::max(0, ultimo - 1), 99);
    coperti = QList<quint64>(std::max(0, ultimo - 1), 0);
    for (quint32 s = 0; s < (1u << n); ++s) {
        const int t = int(qPopulationCount(s));
        if (t < 2 || t > 6)
            continue;
        int migliore = 0;
        for (quint32 m : maschere)
            migliore = std::max(migliore, int(qPopulationCount(s & m)));
        garantiti[t - 2] = std::min(garantiti[t - 2], migliore);
        coperti[t - 2] += migliore == t ? 1 : 0;
    }
}

} // namespace

class tst_Verifica : public QObject
{
    Q_OBJECT

private slots:
    void verifica_data();
    void verifica();
    void listaVuota_data();
    void listaVuota();
    void garanzia_data();
    void garanzia();
    void garanziaForzaBruta();
    void testoGaranzia_data();
    void testoGaranzia();
    void percentuale_data();
    void percentuale();
    void annulla();
};

void tst_Verifica::verifica_data()
{
    QTest::addColumn<QString>("lista");
    QTest::addColumn<QString>("estrazione");
    QTest::addColumn<QString>("atteso"); // the result, or the message refusing the draw

    const QString lista = QStringLiteral("01 05 12 33 47 81\r\n\r\n05 07 12 18 33 60\r\n01 x2 03\r\n12 12 47 90\r\n"
                                         "   \r\n02 03 04\r\n91 05\r\n  81  05 \r\n005 033");
    QTest::newRow("separators, unreadable lines, a number twice in a line")
        << lista << "81-47, 5.12\t33"
        << "Estrazione: 05 12 33 47 81\n"
           "Righe verificate: 6 (non verificate: 2, la prima è la riga 4)\n"
           "Righe con 5 punti: 1\nRighe con 4 punti: 0\nRighe con 3 punti: 1\nRighe con 2 punti: 3\n"
           "Ambi: 16  Terni: 11  Quaterne: 5  Cinquine: 1\n"
           "Riga 1: 01 [05] [12] [33] [47] [81]\nRiga 3: [05] 07 [12] 18 [33] 60\nRiga 5: [12] [47] 90\n"
           "Riga 9: [05] [81]\nRiga 10: [05] [33]";
    QTest::newRow("no line with two hits") << "01 02 03\r\n04 05 06" << "1 90"
                                           << "Estrazione: 01 90\nRighe verificate: 2\nNessuna riga con almeno 2 punti";
    QTest::newRow("rows only up to the draw's size") << "01 02 03 04 05 06\r\n07 08" << "2 1"
        << "Estrazione: 01 02\nRighe verificate: 2\nRighe con 2 punti: 1\n"
           "Ambi: 1  Terni: 0  Quaterne: 0  Cinquine: 0\nRiga 1: [01] [02] 03 04 05 06";
    QTest::newRow("twenty numbers, six hits, leading zeros")
        << "06 05 04 03 02 01" << "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 00000000000000000000000000020"
        << "Estrazione: 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20\nRighe verificate: 1\n"
           "Righe con 6 punti: 1\nRighe con 5 punti: 0\nRighe con 4 punti: 0\nRighe con 3 punti: 0\nRighe con 2 punti: 0\n"
           "Ambi: 15  Terni: 20  Quaterne: 15  Cinquine: 6\nRiga 1: [01] [02] [03] [04] [05] [06]";

    QTest::newRow("no number") << "01 02" << " ,-. \t\r\n" << "Nessun numero nell'estrazione ..!";
    QTest::newRow("above 90") << "01 02" << "1 2 95" << "Il numero 95 non è tra 1 e 90 ..!";
    QTest::newRow("zero") << "01 02" << "000" << "Il numero 000 non è tra 1 e 90 ..!";
    QTest::newRow("repeated, named as typed") << "01 02" << "12 5 012" << "Il numero 012 è ripetuto ..!";
    QTest::newRow("twenty-one") << "01 02" << "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21"
                                << "Al massimo 20 numeri per estrazione ..!";
    QTest::newRow("a wrong number before the count") << "01 02" << "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 99"
                                                     << "Il numero 99 non è tra 1 e 90 ..!";
    QTest::newRow("digits that would wrap round into range") << "01 02" << "4294967301"
                                                            << "Il numero 4294967301 non è tra 1 e 90 ..!";
    QTest::newRow("a huge run of digits, shortened") << "01 02" << "1 " + QString(5000, u'7')
                                                     << "Il numero 7777777777… non è tra 1 e 90 ..!";
}

void tst_Verifica::verifica()
{
    QFETCH(QString, lista);
    QFETCH(QString, estrazione);
    QFETCH(QString, atteso);
    const Estrazione letta = LeggiEstrazione(estrazione);
    QCOMPARE(MessaggioEstrazione(letta).isEmpty(), letta.esito == Estrazione::Valida);
    QCOMPARE(letta.esito == Estrazione::Valida ? TestoVerifica(LeggiLista(lista), letta) : MessaggioEstrazione(letta), atteso);
}

void tst_Verifica::listaVuota_data()
{
    QTest::addColumn<QString>("lista");
    QTest::addColumn<bool>("vuota");
    QTest::newRow("nothing") << "" << true;
    QTest::newRow("line breaks") << "\r\n\r\n" << true;
    QTest::newRow("spaces") << "  \r\n " << true;
    QTest::newRow("unreadable only") << "\r\nx" << false;
    QTest::newRow("a number") << "7" << false;
}

void tst_Verifica::listaVuota()
{
    QFETCH(QString, lista);
    QFETCH(bool, vuota);
    QCOMPARE(LeggiLista(lista).vuota, vuota);
}

void tst_Verifica::garanzia_data()
{
    QTest::addColumn<QString>("lista");
    QTest::addColumn<QList<int>>("garantiti"); // t = 2, 3, ...
    QTest::addColumn<QList<quint64>>("coperti");

    QTest::newRow("one line: everything") << "01 02 03 04 05 06 07 08" << QList<int>{2, 3, 4, 5, 6}
                                          << QList<quint64>{28, 56, 70, 56, 28};
    std::vector<int> tutti(90);
    std::iota(tutti.begin(), tutti.end(), 1);
    QTest::newRow("one line of all 90 and a line inside it")
        << Testo({{1, 2}, tutti}) << QList<int>{2, 3, 4, 5, 6}
        << QList<quint64>{4005, 117480, 2555190, 43949268, 622614630};
    Righe sviluppo;
    for (int a = 1; a <= 10; ++a)
        for (int b = a + 1; b <= 10; ++b)
            for (int c = b + 1; c <= 10; ++c)
                for (int d = c + 1; d <= 10; ++d)
                    sviluppo.push_back({a, b, c, d});
    QTest::newRow("all 210 lines of 10 in 4") << Testo(sviluppo) << QList<int>{2, 3, 4, 4, 4}
                                             << QList<quint64>{45, 120, 210, 0, 0};
    QTest::newRow("disjoint lines") << "01 02 03\r\n04 05 06\r\n07 08 09" << QList<int>{1, 1, 2, 2, 2}
                                    << QList<quint64>{9, 3, 0, 0, 0};
    QTest::newRow("Fano plane") << Testo({{1, 2, 4}, {2, 3, 5}, {3, 4, 6}, {4, 5, 7}, {5, 6, 1}, {6, 7, 2}, {7, 1, 3}})
                                << QList<int>{2, 2, 2, 3, 3} << QList<quint64>{21, 7, 0, 0, 0};
    QTest::newRow("duplicates and lines of one number") << "05\r\n05 06\r\n06 05\r\n06" << QList<int>{2}
                                                        << QList<quint64>{1};
    QTest::newRow("two numbers never together") << "01\r\n90" << QList<int>{1} << QList<quint64>{0};
}

void tst_Verifica::garanzia()
{
    QFETCH(QString, lista);
    QFETCH(QList<int>, garantiti);
    QFETCH(QList<quint64>, coperti);
    Garanzia esito;
    Avanzamento avanzamento;
    QVERIFY(CalcolaGaranzia(LeggiLista(lista), esito, avanzamento));
    QCOMPARE(avanzamento.millesimi.load(), 1000);
    QCOMPARE(esito.livelli.size(), std::size_t(garantiti.size()));
    for (qsizetype i = 0; i < garantiti.size(); ++i) {
        const Livello &livello = esito.livelli[std::size_t(i)];
        QCOMPARE(livello.estratti, int(i) + 2);
        QCOMPARE(livello.garantiti, garantiti[i]);
        QCOMPARE(livello.coperti, coperti[i]);
    }
}

void tst_Verifica::garanziaForzaBruta()
{
    const quint32 seme = QRandomGenerator::global()->generate();
    QRandomGenerator caso(seme);
    for (int prova = 0; prova < 300; ++prova) {
        // Up to 14 numbers drawn anywhere from 1 to 90; lines from one number to all of them.
        const int n = 2 + caso.bounded(13);
        std::vector<int> numeri(90);
        std::iota(numeri.begin(), numeri.end(), 1);
        std::shuffle(numeri.begin(), numeri.end(), caso);
        numeri.resize(std::size_t(n));
        const int lunghezza = 1 + caso.bounded(n);
        Righe righe(std::size_t(1 + caso.bounded(prova % 3 == 0 ? 60 : 12)));
        for (auto &riga : righe) {
            std::shuffle(numeri.begin(), numeri.end(), caso);
            riga.assign(numeri.begin(), numeri.begin() + 1 + caso.bounded(lunghezza));
        }
        QList<int> garantiti;
        QList<quint64> coperti;
        ForzaBruta(righe, garantiti, coperti);
        Garanzia esito;
        Avanzamento avanzamento;
        QVERIFY(CalcolaGaranzia(LeggiLista(Testo(righe)), esito, avanzamento));
        QList<int> avutiGarantiti;
        QList<quint64> avutiCoperti;
        for (const Livello &livello : esito.livelli) {
            avutiGarantiti.append(livello.garantiti);
            avutiCoperti.append(livello.coperti);
        }
        const QByteArray dove = "seed " + QByteArray::number(seme) + ", case " + QByteArray::number(prova) + ": "
                                + Testo(righe).toUtf8();
        QVERIFY2(avutiGarantiti == garantiti && avutiCoperti == coperti, dove.constData());
    }
}

void tst_Verifica::testoGaranzia_data()
{
    QTest::addColumn<QString>("lista");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("Fano plane") << Testo({{1, 2, 4}, {2, 3, 5}, {3, 4, 6}, {4, 5, 7}, {5, 6, 1}, {6, 7, 2}, {7, 1, 3}})
                                << "Garanzia su 7 numeri: 01 02 03 04 05 06 07 (7 righe)\n"
                                   "Se escono 2 numeri: ambo garantito; ambo: 100% dei casi\n"
                                   "Se escono 3 numeri: ambo garantito; terno: 20,0% dei casi\n"
                                   "Se escono 4 numeri: ambo garantito; quaterna: 0% dei casi\n"
                                   "Se escono 5 numeri: terno garantito; cinquina: 0% dei casi\n"
                                   "Se escono 6 numeri: terno garantito; sestina: 0% dei casi";
    QTest::newRow("nothing guaranteed for two") << "01 02\r\nx\r\n03 04"
                                                << "Garanzia su 4 numeri: 01 02 03 04 (2 righe)\n"
                                                   "Se escono 2 numeri: nessuna vincita garantita; ambo: 33,3% dei casi\n"
                                                   "Se escono 3 numeri: ambo garantito; terno: 0% dei casi\n"
                                                   "Se escono 4 numeri: ambo garantito; quaterna: 0% dei casi";
    QTest::newRow("one line") << "90 89 60"
                              << "Garanzia su 3 numeri: 60 89 90 (1 riga)\n"
                                 "Se escono 2 numeri: ambo garantito; ambo: 100% dei casi\n"
                                 "Se escono 3 numeri: terno garantito; terno: 100% dei casi";
}

void tst_Verifica::testoGaranzia()
{
    QFETCH(QString, lista);
    QFETCH(QString, atteso);
    Garanzia esito;
    Avanzamento avanzamento;
    QVERIFY(CalcolaGaranzia(LeggiLista(lista), esito, avanzamento));
    QCOMPARE(TestoGaranzia(esito), atteso);
}

void tst_Verifica::percentuale_data()
{
    QTest::addColumn<quint64>("parte");
    QTest::addColumn<quint64>("tutto");
    QTest::addColumn<QString>("atteso");
    const quint64 massimo = ~quint64(0);
    QTest::newRow("one decimal") << quint64(455) << quint64(1000) << "45,5%";
    QTest::newRow("a decimal that is 0") << quint64(3) << quint64(100) << "3,0%";
    QTest::newRow("two thirds") << quint64(2) << quint64(3) << "66,7%";
    QTest::newRow("tie, half up") << quint64(1) << quint64(16) << "6,3%";
    QTest::newRow("near 0") << quint64(21) << quint64(1000000) << "0,0021%";
    QTest::newRow("near 0, tie") << quint64(1) << quint64(80000) << "0,0013%";
    QTest::newRow("near 100") << quint64(9997) << quint64(10000) << "99,97%";
    QTest::newRow("near 100, tie") << quint64(1999) << quint64(2000) << "99,95%";
    QTest::newRow("near 100, three decimals") << quint64(99971) << quint64(100000) << "99,971%";
    QTest::newRow("one sestina in 90") << quint64(1) << quint64(622614630) << "0,00000016%";
    QTest::newRow("64-bit, near 0") << quint64(1) << massimo << "0,000000000000000005%";
    QTest::newRow("64-bit, near 100") << massimo - 1 << massimo << "99,999999999999999995%";
    QTest::newRow("all") << quint64(7) << quint64(7) << "100%";
    QTest::newRow("none") << quint64(0) << quint64(7) << "0%";
}

void tst_Verifica::percentuale()
{
    QFETCH(quint64, parte);
    QFETCH(quint64, tutto);
    QFETCH(QString, atteso);
    QCOMPARE(Percentuale(parte, tutto), atteso);
}

void tst_Verifica::annulla()
{
    // Long lines, many of them: tens of millions of covered sets, far more than one look at
    // the progress takes.
    QRandomGenerator caso(20260205);
    Righe righe(400);
    for (auto &riga : righe) {
        std::vector<int> numeri(90);
        std::iota(numeri.begin(), numeri.end(), 1);
        std::shuffle(numeri.begin(), numeri.end(), caso);
        riga.assign(numeri.begin(), numeri.begin() + 60);
    }
    const Lista lista = LeggiLista(Testo(righe));
    Garanzia esito;
    std::atomic<int> riuscito{-1};
    // Run as the window runs it; whatever happens below, the runner stops it and waits.
    const auto avanzamento = std::make_shared<Avanzamento>();
    Lavoro lavoro;
    lavoro.Avvia([&](Avanzamento &stato) { riuscito = CalcolaGaranzia(lista, esito, stato) ? 1 : 0; }, avanzamento);
    QTRY_VERIFY_WITH_TIMEOUT(avanzamento->millesimi.load() > 0, 120000);
    const int prima = avanzamento->millesimi.load();
    lavoro.Annulla();
    // A deadline only as a safety net: it stops long before.
    QTRY_VERIFY_WITH_TIMEOUT(!lavoro.InCorso(), 120000);
    QCOMPARE(riuscito.load(), 0);
    QVERIFY(avanzamento->millesimi.load() >= prima);
    QVERIFY(avanzamento->millesimi.load() < 1000);
}

QTEST_GUILESS_MAIN(tst_Verifica)
#include "tst_verifica.moc"
