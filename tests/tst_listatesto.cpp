#include "app/mDichiarazioni.h"
#include "list/ListaTesto.h"

#include <QTest>

using namespace ListaTesto;

class tst_ListaTesto : public QObject
{
    Q_OBJECT

private slots:
    void raccogliRighe_data();
    void raccogliRighe();
    void rigaCombinazione();
    void testoDaRighe();
};

void tst_ListaTesto::raccogliRighe_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QStringList>("righe");
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("breaks alone") << "\r\n\r\n" << QStringList{};
    QTest::newRow("program list") << "01 02\r\n03 04\r\n" << QStringList{"01 02", "03 04"};
    QTest::newRow("no final break") << "01 02\r\n03" << QStringList{"01 02", "03"};
    QTest::newRow("blank lines dropped") << "\r\n01\r\n\r\n\r\n02\r\n" << QStringList{"01", "02"};
    QTest::newRow("spaces are a line") << "  \r\n" << QStringList{"  "};
    QTest::newRow("lone CR and LF do not split") << "01\r02\n03\r\n" << QStringList{"01\r02\n03"};
    QTest::newRow("CR CR LF") << "01\r\r\n02" << QStringList{"01\r", "02"};
}

void tst_ListaTesto::raccogliRighe()
{
    QFETCH(QString, testo);
    QFETCH(QStringList, righe);
    QCOMPARE(RaccogliRighe(testo), righe);
}

void tst_ListaTesto::rigaCombinazione()
{
    Caselle caselle;
    QCOMPARE(RigaCombinazione(caselle.Selezione()), QString());
    caselle.Ridimensiona(90);
    for (int k : {12, 1, 5, 90})
        caselle.Imposta(k, true);
    QCOMPARE(RigaCombinazione(caselle.Selezione()), QStringLiteral("01 05 12 90"));
    // Beyond the board as generated nothing is ever read or written.
    caselle.Ridimensiona(10);
    caselle.Imposta(11, true);
    caselle.Imposta(0, true);
    QVERIFY(!caselle(11));
    QCOMPARE(RigaCombinazione(caselle.Selezione()), QString());
    caselle.Imposta(10, true);
    QCOMPARE(RigaCombinazione(caselle.Selezione()), QStringLiteral("10"));
}

void tst_ListaTesto::testoDaRighe()
{
    QCOMPARE(TestoDaRighe({}), QString());
    QCOMPARE(TestoDaRighe({"01 02", "", "x"}), QStringLiteral("01 02\r\n\r\nx\r\n"));
    const QString testo = QStringLiteral("05 12\r\n01 02\r\n");
    QCOMPARE(TestoDaRighe(RaccogliRighe(testo)), testo);
}

QTEST_GUILESS_MAIN(tst_ListaTesto)
#include "tst_listatesto.moc"
