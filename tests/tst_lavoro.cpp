#include "common/Lavoro.h"

#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>
#include <new>

namespace {

// Work that runs until it is asked to stop, as a long computation does; a bound of a
// minute keeps a broken stop from hanging the suite.
void FinoAllaRichiesta(Avanzamento &stato)
{
    QDeadlineTimer limite(60000);
    while (!stato.Annullato() && !limite.hasExpired())
        QThread::yieldCurrentThread();
}

} // namespace

Q_DECLARE_METATYPE(Lavoro::Fine)

class tst_Lavoro : public QObject
{
    Q_OBJECT

private slots:
    void fine_data();
    void fine();
    void avanzamento();
    void fermaNonAvvisa();
    void distruzioneFerma();
};

void tst_Lavoro::fine_data()
{
    QTest::addColumn<int>("come");
    QTest::addColumn<bool>("annulla");
    QTest::addColumn<Lavoro::Fine>("attesa");
    QTest::newRow("ends by itself") << 0 << false << Lavoro::Fine::Finita;
    QTest::newRow("ANNULLA while it runs") << 1 << true << Lavoro::Fine::Annullata;
    QTest::newRow("out of memory") << 2 << false << Lavoro::Fine::MemoriaEsaurita;
}

void tst_Lavoro::fine()
{
    QFETCH(int, come);
    QFETCH(bool, annulla);
    QFETCH(Lavoro::Fine, attesa);
    Lavoro lavoro;
    QSignalSpy finito(&lavoro, &Lavoro::finito);
    auto fatto = std::make_shared<std::atomic<bool>>(false);
    lavoro.Avvia([come, fatto](Avanzamento &stato) {
        if (come == 1)
            FinoAllaRichiesta(stato);
        if (come == 2)
            throw std::bad_alloc();
        fatto->store(true);
    });
    // The word comes from the event loop, never from within the start, however quick the work.
    QCOMPARE(finito.count(), 0);
    QVERIFY(lavoro.InCorso());
    if (annulla)
        lavoro.Annulla();
    QTRY_COMPARE_WITH_TIMEOUT(finito.count(), 1, 30000);
    QCOMPARE(finito.at(0).at(0).value<Lavoro::Fine>(), attesa);
    QVERIFY(!lavoro.InCorso());
    QCOMPARE(fatto->load(), come != 2);
    // Once ended, the runner takes the next piece of work.
    lavoro.Avvia([](Avanzamento &) {});
    QTRY_COMPARE(finito.count(), 2);
    QCOMPARE(finito.at(1).at(0).value<Lavoro::Fine>(), Lavoro::Fine::Finita);
}

void tst_Lavoro::avanzamento()
{
    Lavoro lavoro(nullptr, 10);
    QSignalSpy avanzato(&lavoro, &Lavoro::avanzato);
    QSignalSpy finito(&lavoro, &Lavoro::finito);
    auto procedi = std::make_shared<std::atomic<bool>>(false);
    lavoro.Avvia([procedi](Avanzamento &stato) {
        stato.millesimi.store(400);
        while (!procedi->load() && !stato.Annullato())
            QThread::yieldCurrentThread();
        stato.millesimi.store(1000);
    });
    // Reported while it runs, from the window's thread.
    QTRY_VERIFY(!avanzato.isEmpty() && avanzato.last().at(0).toInt() == 400);
    QCOMPARE(finito.count(), 0);
    procedi->store(true);
    QTRY_COMPARE(finito.count(), 1);
    // The last word on progress comes before the end.
    QCOMPARE(avanzato.last().at(0).toInt(), 1000);
}

void tst_Lavoro::fermaNonAvvisa()
{
    Lavoro lavoro;
    QSignalSpy finito(&lavoro, &Lavoro::finito);
    auto fermato = std::make_shared<std::atomic<bool>>(false);
    lavoro.Avvia([fermato](Avanzamento &stato) {
        FinoAllaRichiesta(stato);
        fermato->store(stato.Annullato());
    });
    lavoro.Ferma();
    // Waited for: the work has seen the request and ended.
    QVERIFY(fermato->load());
    QVERIFY(!lavoro.InCorso());
    // The stopped run's word, if already on its way, is not taken for the next run's.
    lavoro.Avvia([](Avanzamento &stato) { stato.millesimi.store(7); });
    QTRY_VERIFY(!finito.isEmpty());
    QCoreApplication::processEvents();
    QCOMPARE(finito.count(), 1);
    QCOMPARE(finito.at(0).at(0).value<Lavoro::Fine>(), Lavoro::Fine::Finita);
}

void tst_Lavoro::distruzioneFerma()
{
    auto fermato = std::make_shared<std::atomic<bool>>(false);
    {
        Lavoro lavoro;
        lavoro.Avvia([fermato](Avanzamento &stato) {
            FinoAllaRichiesta(stato);
            fermato->store(stato.Annullato());
        });
    }
    // A window that closes takes its work with it, and waits for it to end.
    QVERIFY(fermato->load());
}

QTEST_GUILESS_MAIN(tst_Lavoro)
#include "tst_lavoro.moc"
