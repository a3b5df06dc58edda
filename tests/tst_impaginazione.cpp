#include "stampa/Impaginazione.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <map>
#include <set>

using namespace Stampa;

Q_DECLARE_METATYPE(Stampa::Foglio)

class tst_Impaginazione : public QObject
{
    Q_OBJECT

private slots:
    void voci();
    void intestazione_data();
    void intestazione();
    void impagina_data();
    void impagina();
};

void tst_Impaginazione::voci()
{
    // Blank lines are not printed but keep their place in the count; a line Verifica
    // cannot read is kept, as it stands, marked.
    const QString testo = QStringLiteral("01 05 12\r\n\r\n   \r\n  1 x 3 \r\n90 2\r\n");
    const std::vector<Voce> voci = Voci(testo, Verifica::LeggiLista(testo));
    QCOMPARE(int(voci.size()), 3);
    const int numeri[] = {1, 4, 5};
    const char *testi[] = {"01 05 12", "1 x 3", "90 2"};
    const bool leggibili[] = {true, false, true};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(voci[std::size_t(i)].numero, numeri[i]);
        QCOMPARE(voci[std::size_t(i)].testo, QString::fromLatin1(testi[i]));
        QCOMPARE(voci[std::size_t(i)].leggibile, leggibili[i]);
    }
}

void tst_Impaginazione::intestazione_data()
{
    QTest::addColumn<QString>("lista");
    QTest::addColumn<int>("voci");
    QTest::addColumn<QString>("conti");
    QTest::newRow("one line") << "5 1" << 1 << "1 riga, 2 numeri: 01 05";
    QTest::newRow("numbers of readable lines only") << "90 3\r\n3 77 x\r\n12" << 3 << "3 righe, 3 numeri: 03 12 90";
    QTest::newRow("one number") << "7\r\n7" << 2 << "2 righe, 1 numero: 07";
    QTest::newRow("none readable") << "x" << 1 << "1 riga, 0 numeri:";
}

void tst_Impaginazione::intestazione()
{
    QFETCH(QString, lista);
    QFETCH(int, voci);
    QFETCH(QString, conti);
    const QStringList garanzia{QStringLiteral("Se escono 2 numeri: ambo garantito; ambo: 100% dei casi")};
    const QStringList righe =
        Intestazione(QDateTime(QDate(2026, 3, 9), QTime(7, 5, 0)), Verifica::LeggiLista(lista), voci, garanzia);
    QCOMPARE(righe, QStringList({QStringLiteral("Ombrazio®  09/03/2026 07:05"), conti}) + garanzia);
}

void tst_Impaginazione::impagina_data()
{
    QTest::addColumn<Foglio>("foglio");
    QTest::addColumn<int>("quante");
    QTest::addColumn<int>("lunghezza"); // numbers on the longest line
    QTest::addColumn<int>("testa");     // header rows
    QTest::newRow("A4-like, 1,000 lines of 6") << Foglio{85, 66} << 1000 << 6 << 7;
    QTest::newRow("one line") << Foglio{85, 66} << 1 << 6 << 3;
    QTest::newRow("no header") << Foglio{40, 12} << 90 << 3 << 0;
    QTest::newRow("lines wider than the page wrap") << Foglio{20, 14} << 60 << 12 << 2;
    QTest::newRow("a header longer than the page's width") << Foglio{30, 20} << 200 << 5 << 4;
    QTest::newRow("a column shorter than a wrapped line") << Foglio{16, 6} << 15 << 20 << 1;
}

void tst_Impaginazione::impagina()
{
    QFETCH(Foglio, foglio);
    QFETCH(int, quante);
    QFETCH(int, lunghezza);
    QFETCH(int, testa);
    QRandomGenerator caso(quante * 31 + lunghezza);
    std::vector<Voce> voci;
    int numero = 0;
    for (int i = 0; i < quante; ++i) {
        numero += 1 + int(caso.bounded(3)); // blank lines in between
        QStringList parti;
        const int quanti = 1 + int(caso.bounded(lunghezza));
        for (int k = 0; k < quanti; ++k)
            parti << QString::number(1 + caso.bounded(90)).rightJustified(2, u'0');
        const bool leggibile = caso.bounded(10) != 0;
        if (!leggibile)
            parti << QStringLiteral("x");
        voci.push_back({numero, parti.join(u' '), leggibile});
    }
    QStringList intestazione;
    for (int r = 0; r < testa; ++r)
        intestazione << QStringLiteral("testa%1 ").arg(r).repeated(r + 1).trimmed();

    const std::vector<Pagina> pagine = Impagina(intestazione, voci, foglio);
    QVERIFY(!pagine.empty());
    const int totale = int(pagine.size());

    // Every piece on the page, none over another; the foot on the last row of every page.
    struct Posto
    {
        int pagina, colonna, riga;
        QString testo;
    };
    std::vector<Posto> corpo;
    QStringList testate;
    for (int p = 0; p < totale; ++p) {
        std::set<std::pair<int, int>> occupate;
        bool piede = false;
        for (const Pezzo &pezzo : pagine[std::size_t(p)].pezzi) {
            QVERIFY2(pezzo.riga >= 0 && pezzo.riga < foglio.righe, qPrintable(pezzo.testo));
            QVERIFY2(pezzo.colonna >= 0 && pezzo.colonna + pezzo.testo.size() <= foglio.colonne, qPrintable(pezzo.testo));
            for (int c = 0; c < pezzo.testo.size(); ++c)
                QVERIFY2(occupate.insert({pezzo.riga, pezzo.colonna + c}).second, qPrintable(pezzo.testo));
            if (pezzo.testo == QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(totale)) {
                QCOMPARE(pezzo.riga, foglio.righe - 1);
                piede = true;
            } else if (p == 0 && pezzo.colonna == 0 && pezzo.testo.startsWith(QStringLiteral("testa"))) {
                testate << pezzo.testo;
            } else {
                // Clear of the foot, with a row between.
                QVERIFY2(pezzo.riga < foglio.righe - 2, qPrintable(pezzo.testo));
                corpo.push_back({p, pezzo.colonna, pezzo.riga, pezzo.testo});
            }
        }
        QVERIFY(piede);
    }
    // The header, whole, words kept in their order.
    QCOMPARE(testate.join(u' ').simplified(), intestazione.join(u' ').simplified());

    // Top to bottom, then left to right: read so, the pieces give back every line in order,
    // numbered, marked where unreadable, each within one column of one page.
    std::sort(corpo.begin(), corpo.end(), [](const Posto &a, const Posto &b) {
        return std::tie(a.pagina, a.colonna, a.riga) < std::tie(b.pagina, b.colonna, b.riga);
    });
    static const QRegularExpression inizio(QStringLiteral(R"(^(\? )?\s*(\d+)\. (.*)$)"));
    struct Letta
    {
        QString testo;
        std::vector<const Posto *> posti;
    };
    std::vector<Letta> lette;
    for (const Posto &posto : corpo) {
        const QRegularExpressionMatch m = inizio.match(posto.testo);
        if (m.hasMatch()) {
            QVERIFY2(lette.size() < voci.size(), qPrintable(posto.testo));
            const Voce &voce = voci[lette.size()];
            QCOMPARE(m.captured(2).toInt(), voce.numero);
            QCOMPARE(m.hasCaptured(1), !voce.leggibile);
            lette.push_back({m.captured(3), {&posto}});
        } else {
            QVERIFY2(!lette.empty(), qPrintable(posto.testo));
            lette.back().testo += u' ' + posto.testo;
            lette.back().posti.push_back(&posto);
        }
    }
    QCOMPARE(lette.size(), voci.size());
    // Where the columns start on the first page, below the header.
    const int sotto = testate.isEmpty() ? 0 : int(testate.size()) + 1;
    const int alta = foglio.righe - 2;
    for (std::size_t i = 0; i < lette.size(); ++i) {
        const Letta &l = lette[i];
        QCOMPARE(l.testo.simplified(), voci[i].testo);
        const Posto &primo = *l.posti.front();
        const Posto &ultimo = *l.posti.back();
        const int spazio = alta - (primo.pagina == 0 ? sotto : 0);
        // Whole in one column, unless it is taller than a column.
        if (ultimo.pagina != primo.pagina || ultimo.colonna != primo.colonna)
            QVERIFY2(int(l.posti.size()) > spazio, qPrintable(voci[i].testo));
        else
            QCOMPARE(ultimo.riga - primo.riga + 1, int(l.posti.size()));
        // A line starts a new column only where it would not fit below the one before.
        if (i > 0) {
            const Posto &prima = *lette[i - 1].posti.back();
            if (primo.pagina != prima.pagina || primo.colonna != prima.colonna)
                QVERIFY2(prima.riga + 1 + int(l.posti.size()) > alta, qPrintable(voci[i].testo));
            else
                QCOMPARE(primo.riga, prima.riga + 1);
        }
    }
    // Each page but the last has as many columns as the first full one.
    std::map<int, std::set<int>> colonne;
    for (const Posto &posto : corpo)
        colonne[posto.pagina].insert(posto.colonna);
    for (int p = 1; p + 1 < totale; ++p)
        QCOMPARE(colonne[p], colonne[0]);
}

QTEST_MAIN(tst_Impaginazione)
#include "tst_impaginazione.moc"
