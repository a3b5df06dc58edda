#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/PulsanteComando.h"
#include "grid/CellaNumero.h"
#include "helpers/Dialoghi.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <algorithm>
#include <memory>
#include <random>

class tst_Lista : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Caratteri::RegistraSostituzioni(); }
    void init();
    void cleanup() { finestra.reset(); }

    void inLista_data();
    void inLista();
    void inListaDueVolte();
    void inListaIncollaAllUltimaRiga();
    void inListaSenzaSelezione();
    void inListaDopoCambioQuantita();
    void cancellaLista();
    void mappaturaTesto_data();
    void mappaturaTesto();

    void sort_data();
    void sort();
    void sortDueVolte();
    void sortErrori_data();
    void sortErrori();
    void sortListaVuota_data();
    void sortListaVuota();
    void sortLungo();

    void annulla_data();
    void annulla();
    void annullaListaLunga_data();
    void annullaListaLunga();

private:
    void Genera(int quantita, int perRiga);
    void Seleziona(const QList<int> &celle);
    void Premi(PulsanteComando *pulsante, QList<DialogoVisto> *visti = nullptr);
    void Scrivi(const QString &testo);
    QString Lista() const { return finestra->TestoLista(); }
    std::unique_ptr<frmOmbrazio> finestra;
};

void tst_Lista::init()
{
    finestra = ApriFinestra();
    QVERIFY(finestra);
}

void tst_Lista::Genera(int quantita, int perRiga)
{
    ::Seleziona(*finestra, quantita, perRiga, {});
    QVERIFY(gGrigliaGenerata);
}

void tst_Lista::Seleziona(const QList<int> &celle)
{
    for (int k : celle)
        QTest::mouseClick(finestra->lblNumero(k), Qt::LeftButton);
}

void tst_Lista::Premi(PulsanteComando *pulsante, QList<DialogoVisto> *visti)
{
    RispondiDialoghi risposte;
    QTest::mouseClick(pulsante, Qt::LeftButton);
    if (visti)
        *visti = risposte.visti;
}

// Types into the list box as the user would, at the end of what is there.
void tst_Lista::Scrivi(const QString &testo)
{
    QPlainTextEdit *lista = finestra->txtLista;
    lista->setFocus();
    lista->moveCursor(QTextCursor::End);
    for (QChar c : testo) {
        if (c == u'\n')
            QTest::keyClick(lista, Qt::Key_Return);
        else
            QTest::keyClicks(lista, QString(c));
    }
}

void tst_Lista::inLista_data()
{
    QTest::addColumn<QList<int>>("celle");
    QTest::addColumn<QString>("riga");
    QTest::newRow("one cell") << QList<int>{7} << "07";
    QTest::newRow("any click order") << QList<int>{12, 1, 5} << "01 05 12";
    QList<int> tutte;
    QString novanta;
    for (int k = 1; k <= 90; ++k) {
        tutte << k;
        novanta += QStringLiteral("%1 ").arg(k, 2, 10, QLatin1Char('0'));
    }
    novanta.chop(1);
    QTest::newRow("all 90") << tutte << novanta;
}

void tst_Lista::inLista()
{
    QFETCH(QList<int>, celle);
    QFETCH(QString, riga);
    Genera(90, 10);
    Seleziona(celle);
    QList<DialogoVisto> visti;
    Premi(finestra->cmdInLista, &visti);
    QVERIFY(visti.isEmpty());
    QCOMPARE(Lista(), riga + QStringLiteral("\r\n"));
    QCOMPARE(riga.size(), 3 * int(celle.size()) - 1);
    // The selection stays; the caret is at the end with nothing selected.
    QCOMPARE(int(gSelezionati), int(celle.size()));
    const QTextCursor cursore = finestra->txtLista->textCursor();
    QVERIFY(cursore.atEnd());
    QVERIFY(!cursore.hasSelection());
}

void tst_Lista::inListaDueVolte()
{
    Genera(36, 6);
    Seleziona({1, 2});
    Premi(finestra->cmdInLista);
    Premi(finestra->cmdInLista);
    QTest::mouseClick(finestra->lblNumero(1), Qt::LeftButton);
    QTest::mouseClick(finestra->lblNumero(2), Qt::LeftButton);
    Seleziona({3, 4});
    Premi(finestra->cmdInLista);
    QCOMPARE(Lista(), QStringLiteral("01 02\r\n01 02\r\n03 04\r\n"));
}

void tst_Lista::inListaIncollaAllUltimaRiga()
{
    // A last line typed without a line break gets the new line glued to it.
    Genera(36, 6);
    Scrivi(QStringLiteral("10 20"));
    Seleziona({1, 2});
    Premi(finestra->cmdInLista);
    QCOMPARE(Lista(), QStringLiteral("10 2001 02\r\n"));
}

void tst_Lista::inListaSenzaSelezione()
{
    QList<DialogoVisto> visti;
    Premi(finestra->cmdInLista, &visti);
    QCOMPARE(visti.size(), 1);
    QCOMPARE(visti[0].testo, QStringLiteral("Nessuna casella selezionata ..!"));
    QCOMPARE(visti[0].pulsanti, QStringList{"OK"});
    QVERIFY(Lista().isEmpty());
}

void tst_Lista::inListaDopoCambioQuantita()
{
    // The line is what the user sees selected on the board as generated.
    Genera(36, 6);
    Seleziona({3, 30, 36});
    gQuantitaNumeri = 20;
    Premi(finestra->cmdInLista);
    gQuantitaNumeri = 90;
    Premi(finestra->cmdInLista);
    QCOMPARE(Lista(), QStringLiteral("03 30 36\r\n03 30 36\r\n"));
}

void tst_Lista::cancellaLista()
{
    Genera(36, 6);
    Seleziona({4, 9});
    Premi(finestra->cmdInLista);
    gSortEseguito = true;
    QList<DialogoVisto> visti;
    QTest::mouseClick(finestra->lblDelete, Qt::LeftButton);
    QVERIFY(Lista().isEmpty());
    QVERIFY(gSortEseguito);
    QCOMPARE(int(gSelezionati), 2);
    // On an empty list it does nothing and says nothing.
    RispondiDialoghi risposte;
    QTest::mouseClick(finestra->lblDelete, Qt::LeftButton);
    QVERIFY(risposte.visti.isEmpty());
    QVERIFY(Lista().isEmpty());
    // The selection is still there to add again.
    Premi(finestra->cmdInLista);
    QCOMPARE(Lista(), QStringLiteral("04 09\r\n"));
}

void tst_Lista::mappaturaTesto_data()
{
    QTest::addColumn<QString>("incollato");
    QTest::addColumn<QString>("lista");
    QTest::newRow("CR LF") << "01 02\r\n03 04\r\n" << "01 02\r\n03 04\r\n";
    QTest::newRow("lone LF") << "01 02\n03 04" << "01 02\r\n03 04";
    QTest::newRow("lone CR") << "01 02\r03 04" << "01 02\r\n03 04";
    QTest::newRow("empty lines kept") << "01\r\n\r\n02" << "01\r\n\r\n02";
    QTest::newRow("line separator") << QString(QStringLiteral("01") + QChar::LineSeparator + QStringLiteral("02"))
                                    << "01\r\n02";
    QTest::newRow("no-break space kept") << QString(QStringLiteral("01") + QChar::Nbsp + QStringLiteral("02"))
                                         << QString(QStringLiteral("01") + QChar::Nbsp + QStringLiteral("02"));
}

void tst_Lista::mappaturaTesto()
{
    QFETCH(QString, incollato);
    QFETCH(QString, lista);
    auto *dati = new QMimeData; // the clipboard takes it over
    dati->setText(incollato);
    QApplication::clipboard()->setMimeData(dati);
    finestra->txtLista->setFocus();
    finestra->txtLista->paste();
    QCOMPARE(Lista(), lista);
}

void tst_Lista::sort_data()
{
    QTest::addColumn<QString>("prima");
    QTest::addColumn<QString>("dopo");
    QTest::newRow("numbers then lines, blank dropped") << "07 03 05\n\n01 02\n" << "01 02\r\n03 05 07\r\n";
    QTest::newRow("duplicates side by side") << "03 01\n02\n01 03\n" << "01 03\r\n01 03\r\n02\r\n";
    QTest::newRow("prefix first") << "01 03\n01 02 03\n01 02\n" << "01 02\r\n01 02 03\r\n01 03\r\n";
    QTest::newRow("hand-typed forms") << "100\n-3\n001\n1\n" << "-03\r\n01\r\n01\r\n100\r\n";
    QTest::newRow("text order first") << "5 12\n" << "12 05\r\n";
    QTest::newRow("no final line break") << "09 08\n02 01" << "01 02\r\n08 09\r\n";
    QTest::newRow("half to even") << "2.5 3.5\n" << "02 04\r\n";
}

void tst_Lista::sort()
{
    QFETCH(QString, prima);
    QFETCH(QString, dopo);
    finestra->txtLista->setPlainText(prima);
    QList<DialogoVisto> visti;
    Premi(finestra->cmdSort, &visti);
    QVERIFY(visti.isEmpty());
    QCOMPARE(Lista(), dopo);
    QVERIFY(gSortEseguito);
    QVERIFY(finestra->txtLista->textCursor().atEnd());
}

void tst_Lista::sortDueVolte()
{
    finestra->txtLista->setPlainText(QStringLiteral("5 12\n"));
    Premi(finestra->cmdSort);
    QCOMPARE(Lista(), QStringLiteral("12 05\r\n"));
    Premi(finestra->cmdSort);
    QCOMPARE(Lista(), QStringLiteral("05 12\r\n"));
}

void tst_Lista::sortErrori_data()
{
    QTest::addColumn<QString>("prima");
    QTest::addColumn<QString>("dopo");
    QTest::addColumn<QString>("messaggio");
    const QString incompatibilita = QStringLiteral("Incompatibilità ..!");
    QTest::newRow("stray letter kept as typed") << "05 12\n03 x\n01 02\n" << "01 02\r\n03 x\r\n05 12\r\n"
                                                << incompatibilita;
    QTest::newRow("trailing space kept as typed") << "09 07\n01 03 \n02 05\n"
                                                  << "01 03 \r\n02 05\r\n07 09\r\n" << incompatibilita;
    QTest::newRow("lines after the bad one stay as typed") << "x\n5 4\n" << "5 4\r\nx\r\n" << incompatibilita;
    QTest::newRow("spaces alone kept") << "   \n02 01\n" << "   \r\n02 01\r\n" << incompatibilita;
    QTest::newRow("overflow") << "01 32768\n" << "01 32768\r\n" << "Overflow ..!";
    QTest::newRow("negative overflow") << "-32769\n" << "-32769\r\n" << "Overflow ..!";
}

void tst_Lista::sortErrori()
{
    QFETCH(QString, prima);
    QFETCH(QString, dopo);
    QFETCH(QString, messaggio);
    finestra->txtLista->setPlainText(prima);
    QList<DialogoVisto> visti;
    Premi(finestra->cmdSort, &visti);
    QCOMPARE(visti.size(), 1);
    QCOMPARE(visti[0].testo, messaggio);
    QCOMPARE(visti[0].pulsanti, QStringList{"OK"});
    QCOMPARE(Lista(), dopo);
    QVERIFY(gSortEseguito);
}

void tst_Lista::sortListaVuota_data()
{
    QTest::addColumn<QString>("testo");
    QTest::newRow("empty") << "";
    QTest::newRow("line breaks alone") << "\n\n\n";
}

void tst_Lista::sortListaVuota()
{
    QFETCH(QString, testo);
    finestra->txtLista->setPlainText(testo);
    QList<DialogoVisto> visti;
    Premi(finestra->cmdSort, &visti);
    QCOMPARE(visti.size(), 1);
    QCOMPARE(visti[0].testo, QStringLiteral("L'Area combinazioni è vuota ..!"));
    QVERIFY(!gSortEseguito);
    QCOMPARE(finestra->txtLista->toPlainText(), testo);
}

void tst_Lista::sortLungo()
{
    // Longer than any 16-bit count: every line comes back, in order.
    QStringList righe;
    for (int i = 0; i < 100000; ++i)
        righe << QStringLiteral("%1 %2").arg(90 - i % 90, 2, 10, QLatin1Char('0')).arg(i % 7 + 1, 2, 10, QLatin1Char('0'));
    finestra->txtLista->setPlainText(righe.join(u'\n'));
    Premi(finestra->cmdSort);
    const QStringList dopo = Lista().split(QStringLiteral("\r\n"));
    QCOMPARE(dopo.size(), 100001);
    QVERIFY(dopo.last().isEmpty());
    QVERIFY(std::is_sorted(dopo.begin(), dopo.end() - 1));
    QCOMPARE(dopo.first(), QStringLiteral("01 01"));
    QVERIFY(gSortEseguito);
}

void tst_Lista::annulla_data()
{
    QTest::addColumn<QString>("operazione");
    QTest::newRow("IN LISTA") << "inlista";
    QTest::newRow("CANCELLA LA LISTA") << "cancella";
    QTest::newRow("SORT") << "sort";
}

void tst_Lista::annulla()
{
    QFETCH(QString, operazione);
    Genera(36, 6);
    Seleziona({9, 4});
    Premi(finestra->cmdInLista);
    Scrivi(QStringLiteral("07 03\n\n"));
    Premi(finestra->cmdInLista);
    const QString prima = Lista();
    QCOMPARE(prima, QStringLiteral("04 09\r\n07 03\r\n\r\n04 09\r\n"));

    if (operazione == QStringLiteral("inlista"))
        Premi(finestra->cmdInLista);
    else if (operazione == QStringLiteral("cancella"))
        QTest::mouseClick(finestra->lblDelete, Qt::LeftButton);
    else
        Premi(finestra->cmdSort);
    const QString dopo = Lista();
    QVERIFY(dopo != prima);

    finestra->txtLista->setFocus();
    QTest::keyClick(finestra->txtLista, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Lista(), prima);
    QTest::keyClick(finestra->txtLista, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Lista(), dopo);
    QTest::keyClick(finestra->txtLista, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(finestra->txtLista, Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(Lista(), dopo);
}

void tst_Lista::annullaListaLunga_data()
{
    QTest::addColumn<bool>("ordina");
    QTest::newRow("SORT") << true;
    QTest::newRow("CANCELLA LA LISTA") << false;
}

void tst_Lista::annullaListaLunga()
{
    // 10,000 distinct lines made in sorted order, then shuffled with a fixed seed; every other
    // line has its numbers backwards, for SORT to put back in order.
    QFETCH(bool, ordina);
    const auto riga = [](int x, int y, int z) {
        const auto campo = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
        return campo(x) + u' ' + campo(y) + u' ' + campo(z);
    };
    QStringList ordinate;
    QStringList digitate;
    for (int i = 0; i < 10000; ++i) {
        const int a = 1 + i / 400, b = 26 + i / 20 % 20, c = 46 + i % 20;
        ordinate << riga(a, b, c);
        digitate << (i % 2 ? riga(c, b, a) : riga(a, b, c));
    }
    std::shuffle(digitate.begin(), digitate.end(), std::mt19937(20260205));
    const QString incollata = digitate.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    // A line typed after the paste: the history from before the replacement.
    const QString prima = incollata + QStringLiteral("90 89\r\n");
    const QString dopo = ordina ? ordinate.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n89 90\r\n") : QString();
    QPlainTextEdit *lista = finestra->txtLista;
    lista->setPlainText(incollata);
    Scrivi(QStringLiteral("90 89\n"));
    QCOMPARE(Lista(), prima);

    if (ordina)
        Premi(finestra->cmdSort);
    else
        QTest::mouseClick(finestra->lblDelete, Qt::LeftButton);
    QCOMPARE(Lista(), dopo);
    QVERIFY(lista->textCursor().atEnd());
    QVERIFY(!lista->textCursor().hasSelection());

    lista->setFocus();
    QTest::keyClick(lista, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Lista(), prima);
    QVERIFY(lista->textCursor().atEnd());
    QTest::keyClick(lista, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Lista(), dopo);
    QVERIFY(lista->textCursor().atEnd());
    QCOMPARE(lista->document()->defaultFont(), lista->font());
    QTest::keyClick(lista, Qt::Key_Z, Qt::ControlModifier);
    for (int i = 0; i < 20 && lista->document()->isUndoAvailable(); ++i)
        QTest::keyClick(lista, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Lista(), incollata);
}

QTEST_MAIN(tst_Lista)
#include "tst_lista.moc"
