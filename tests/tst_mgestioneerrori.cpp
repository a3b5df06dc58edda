#include "app/mDichiarazioni.h"
#include "dialogs/mGestioneErrori.h"
#include "helpers/Dialoghi.h"

#include <QTest>

class tst_mGestioneErrori : public QObject
{
    Q_OBJECT

private slots:
    void init() { mDichiarazioni::Azzera(); }
    void testoErrore_data();
    void testoErrore();
    void mostraErrore_data();
    void mostraErrore();
};

void tst_mGestioneErrori::testoErrore_data()
{
    QTest::addColumn<int>("numero");
    QTest::addColumn<QString>("testo");
    QTest::newRow("6") << 6 << "Overflow ..!";
    QTest::newRow("7") << 7 << "Memoria esaurita ..!";
    QTest::newRow("9") << 9 << "Azione negata ..!";
    QTest::newRow("11") << 11 << "Divisione per zero ..!";
    QTest::newRow("13") << 13 << "Incompatibilità ..!";
    QTest::newRow("14") << 14 << "Spazio stringhe esaurito ..!";
    QTest::newRow("28") << 28 << "Spazio stack esaurito ..!";
    QTest::newRow("52") << 52 << "Nome o numero di file non vadido ..!";
    QTest::newRow("53") << 53 << "File non trovato ..!";
    QTest::newRow("54") << 54 << "Modalità apertura non valida ..!";
    QTest::newRow("55") << 55 << "File già aperto ..!";
    QTest::newRow("61") << 61 << "Disco pieno ..!";
    QTest::newRow("62") << 62 << "Lettura oltre la fine del file ..!";
    QTest::newRow("68") << 68 << "Periferica inaccessibile ..!";
    QTest::newRow("76") << 76 << "Impossibile trovare il percorso ..!";
    QTest::newRow("100") << 100 << "La lunghezza delle combinazioni|non è conforme al tipo di gioco ..!";
    QTest::newRow("101") << 101 << "Il file è vuoto ..!";
    QTest::newRow("102") << 102 << "Il file contiene numeri 0|oppure superiori al 90 ..!";
    QTest::newRow("5 not in table") << 5 << "Si è verificato l' errore: 5";
    QTest::newRow("0") << 0 << "Si è verificato l' errore: 0";
    QTest::newRow("negative") << -1 << "Si è verificato l' errore: -1";
    QTest::newRow("large") << 32767 << "Si è verificato l' errore: 32767";
}

void tst_mGestioneErrori::testoErrore()
{
    QFETCH(int, numero);
    QFETCH(QString, testo);
    QCOMPARE(mGestioneErrori::TestoErrore(numero), testo);
}

void tst_mGestioneErrori::mostraErrore_data()
{
    QTest::addColumn<int>("numero");
    QTest::addColumn<QString>("mostrato");
    QTest::newRow("53") << 53 << "File non trovato ..!";
    QTest::newRow("100 on two lines") << 100 << "La lunghezza delle combinazioni\nnon è conforme al tipo di gioco ..!";
    QTest::newRow("default text") << 5 << "Si è verificato l' errore: 5";
}

void tst_mGestioneErrori::mostraErrore()
{
    QFETCH(int, numero);
    QFETCH(QString, mostrato);
    RispondiDialoghi risposte;
    mGestioneErrori::MostraErrore(numero);
    QCOMPARE(risposte.visti.size(), 1);
    QCOMPARE(risposte.visti[0].testo, mostrato);
    QCOMPARE(risposte.visti[0].pulsanti, QStringList{"OK"});
    QCOMPARE(gPulsanti, QStringLiteral("OK"));
    QCOMPARE(int(gRisposta), 1);
}

QTEST_MAIN(tst_mGestioneErrori)
#include "tst_mgestioneerrori.moc"
