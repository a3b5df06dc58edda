#include "verifica/Verifica.h"

#include <QTest>

using namespace Verifica;

class tst_Verifica : public QObject
{
    Q_OBJECT

private slots:
    void verifica_data();
    void verifica();
    void listaVuota_data();
    void listaVuota();
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

QTEST_GUILESS_MAIN(tst_Verifica)
#include "tst_verifica.moc"
