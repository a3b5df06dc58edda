// The development of the board's selection into every combination of k of its numbers.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/Etichetta.h"
#include "common/PulsanteComando.h"
#include "grid/CellaNumero.h"
#include "helpers/Dialoghi.h"
#include "sviluppo/frmSviluppo.h"

#include <QAction>
#include <QFrame>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <algorithm>
#include <memory>

class tst_Sviluppo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Caratteri::RegistraSostituzioni(); }
    void init();
    void cleanup() { finestra.reset(); }

    void sviluppo_data();
    void sviluppo();
    void oltreIlMassimo_data();
    void oltreIlMassimo();
    void pocheCaselle_data();
    void pocheCaselle();
    void menuDellaGriglia();
    void tastoNonDiModifica();

private:
    // The board of 90 with `celle` selected.
    void Seleziona(const QList<int> &celle);
    // Ctrl+L from the list; the dialog is set to `classe` numbers per line, then the dialogs
    // are answered with `risposte`.
    QList<DialogoVisto> Sviluppa(int classe, const QStringList &risposte);

    std::unique_ptr<frmOmbrazio> finestra;
    int classeIniziale = 0;
    QString righeMostrate;
};

void tst_Sviluppo::init()
{
    finestra = ApriFinestra();
    QVERIFY(finestra);
}

void tst_Sviluppo::Seleziona(const QList<int> &celle)
{
    ::Seleziona(*finestra, 90, 10, celle);
}

QList<DialogoVisto> tst_Sviluppo::Sviluppa(int classe, const QStringList &risposte)
{
    RispondiDialoghi risponditore(risposte);
    risponditore.Ispeziona = [&](QDialog *dialogo) {
        if (auto *sviluppo = qobject_cast<frmSviluppo *>(dialogo)) {
            classeIniziale = sviluppo->spnClasse->value();
            // As a user types it over the selected value.
            QTest::keyClicks(sviluppo->spnClasse, QString::number(classe));
            righeMostrate = sviluppo->lblRighe->text();
            Fotografa(sviluppo, QStringLiteral("sviluppo"));
        }
    };
    finestra->activateWindow();
    if (QTest::qWaitForWindowActive(finestra.get())) {
        finestra->txtLista->setFocus();
        QTest::keyClick(finestra->txtLista, Qt::Key_L, Qt::ControlModifier);
    }
    return risponditore.visti;
}

void tst_Sviluppo::sviluppo_data()
{
    QTest::addColumn<QList<int>>("celle");
    QTest::addColumn<int>("classe");
    QTest::addColumn<int>("iniziale");
    QTest::addColumn<int>("righe");
    QTest::addColumn<QString>("prima");
    QTest::addColumn<QString>("ultima");
    // Clicked in any order, read ascending, as IN LISTA reads them.
    QTest::newRow("5 in 3") << QList<int>{90, 5, 33, 1, 12} << 3 << 3 << 10 << "01 05 12" << "12 33 90";
    QTest::newRow("2 in 1, starting at 2") << QList<int>{7, 3} << 1 << 2 << 2 << "03" << "07";
    QTest::newRow("3 in 3, one line") << QList<int>{6, 2, 4} << 3 << 3 << 1 << "02 04 06" << "02 04 06";
    QList<int> venti;
    for (int k = 1; k <= 20; ++k)
        venti << k;
    QTest::newRow("20 in 6") << venti << 6 << 3 << 38760 << "01 02 03 04 05 06" << "15 16 17 18 19 20";
}

void tst_Sviluppo::sviluppo()
{
    QFETCH(QList<int>, celle);
    QFETCH(int, classe);
    QFETCH(int, iniziale);
    QFETCH(int, righe);
    QFETCH(QString, prima);
    QFETCH(QString, ultima);
    Seleziona(celle);
    // A last line without its line break gets one first.
    finestra->txtLista->setPlainText(QStringLiteral("x"));

    const QList<DialogoVisto> visti = Sviluppa(classe, {QStringLiteral("SVILUPPA")});
    QCOMPARE(visti.size(), 1);
    QCOMPARE(visti[0].titolo, QStringLiteral("Ombrazio® - Sviluppo"));
    QCOMPARE(classeIniziale, iniziale);
    QCOMPARE(righeMostrate, QStringLiteral("Righe: %1").arg(righe));

    const QString lista = finestra->TestoLista();
    QVERIFY(lista.startsWith(QStringLiteral("x\r\n")) && lista.endsWith(QStringLiteral("\r\n")));
    const QStringList aggiunte = lista.mid(3).chopped(2).split(QStringLiteral("\r\n"));
    QCOMPARE(aggiunte.size(), righe);
    QCOMPARE(aggiunte.first(), prima);
    QCOMPARE(aggiunte.last(), ultima);
    // Strictly ascending in text order: sorted already, and no line twice.
    QVERIFY(std::adjacent_find(aggiunte.cbegin(), aggiunte.cend(), std::greater_equal<QString>()) == aggiunte.cend());
    // The selection stays, as after IN LISTA; the caret ends at the list's end.
    QCOMPARE(int(gSelezionati), celle.size());
    QVERIFY(finestra->txtLista->textCursor().atEnd());

    // The whole development is one step back.
    QTest::keyClick(finestra->txtLista, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(finestra->TestoLista(), QStringLiteral("x"));
}

void tst_Sviluppo::oltreIlMassimo_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("righe");
    QTest::newRow("26 in 6") << 26 << 6 << "230230";
    // Beyond 64 bits, and written in full.
    QTest::newRow("90 in 45") << 90 << 45 << "103827421287553411369671120";
}

void tst_Sviluppo::oltreIlMassimo()
{
    QFETCH(int, n);
    QFETCH(int, k);
    QFETCH(QString, righe);
    QList<int> celle;
    for (int i = 1; i <= n; ++i)
        celle << i;
    Seleziona(celle);
    finestra->txtLista->setPlainText(QStringLiteral("01 02\n"));
    // Refused, and the dialog stays for another choice, here none.
    const QList<DialogoVisto> visti =
        Sviluppa(k, {QStringLiteral("SVILUPPA"), QStringLiteral("OK"), QStringLiteral("ANNULLA")});
    QCOMPARE(visti.size(), 3);
    QCOMPARE(righeMostrate, QStringLiteral("Righe: ") + righe);
    QCOMPARE(visti[1].testo, QStringLiteral("Lo sviluppo darebbe\n%1 righe,\noltre il massimo di 200000 ..!").arg(righe));
    QCOMPARE(visti[2].titolo, QStringLiteral("Ombrazio® - Sviluppo"));
    QCOMPARE(finestra->TestoLista(), QStringLiteral("01 02\r\n"));
    QVERIFY(!finestra->txtLista->document()->isUndoAvailable());
}

void tst_Sviluppo::pocheCaselle_data()
{
    QTest::addColumn<QList<int>>("celle");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("none") << QList<int>{} << "Nessuna casella selezionata ..!";
    QTest::newRow("one") << QList<int>{9} << "Per lo sviluppo servono\nalmeno 2 caselle selezionate ..!";
}

void tst_Sviluppo::pocheCaselle()
{
    QFETCH(QList<int>, celle);
    QFETCH(QString, messaggio);
    Seleziona(celle);
    const QList<DialogoVisto> visti = Sviluppa(1, {});
    QCOMPARE(visti.size(), 1);
    QCOMPARE(visti[0].testo, messaggio);
    QVERIFY(finestra->TestoLista().isEmpty());
}

void tst_Sviluppo::menuDellaGriglia()
{
    Seleziona({1, 2});
    // The board's first entry; the reduction follows it.
    const QString voce = QStringLiteral("Sviluppa i selezionati...\tCtrl+L");
    QCOMPARE(VociMenuContestuale(finestra->lblNumero(5), QPoint(3, 3)).value(0), voce);
    QCOMPARE(VociMenuContestuale(finestra->Frame2, QPoint(3, 3)).value(0), voce);
}

void tst_Sviluppo::tastoNonDiModifica()
{
    // No platform's standard key, so the list box can never want it for editing.
    const QKeySequence tasto = finestra->mnuSviluppa->shortcut();
    QCOMPARE(tasto, QKeySequence(Qt::CTRL | Qt::Key_L));
    for (int k = QKeySequence::UnknownKey + 1; k <= QKeySequence::Cancel; ++k) {
        for (const QKeySequence &usato : QKeySequence::keyBindings(QKeySequence::StandardKey(k)))
            QVERIFY2(usato != tasto, qPrintable(QStringLiteral("standard key %1").arg(k)));
    }
}

QTEST_MAIN(tst_Sviluppo)
#include "tst_sviluppo.moc"
