#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/Etichetta.h"
#include "common/PulsanteComando.h"
#include "common/Twips.h"
#include "dialogs/frmInfo.h"
#include "dialogs/frmMessage.h"
#include "helpers/Dialoghi.h"

#include <QApplication>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

namespace {

const QString Note = QStringLiteral(
    "OMBRAZIO COSTRUZIONE MATRICI:\n\n1) - Generare la Griglia, dopo aver selezionato\nsia quantità numerica, sia "
    "numeri per riga.\n\nModalità di costruzione:\n\nSelezionare/deselezionare le caselle desiderate\ncon un "
    "semplice click del mouse.\nLa combinazione così formata, verrà elencata\nnella Lista a destra, cliccando 'IN "
    "LISTA'\n\n2) - Sortare e/o Salvare il lavoro finale.");

// Counts the key presses that reach a widget.
class ContaTasti : public QObject
{
public:
    int f10 = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(e)->key() == Qt::Key_F10)
            ++f10;
        return false;
    }
};

} // namespace

class tst_frmInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Caratteri::RegistraSostituzioni(); }
    void init();
    void cleanup() { finestra.reset(); }

    void f10_data();
    void f10();
    void rilasciatoConLeNoteAperte();
    void altriTasti();
    void caricamento_data();
    void caricamento();
    void chiusura();
    void fotografia();

private:
    std::unique_ptr<frmOmbrazio> finestra;
};

void tst_frmInfo::init()
{
    finestra = ApriFinestra();
    QVERIFY(finestra);
}

void tst_frmInfo::f10_data()
{
    QTest::addColumn<QString>("fuoco");
    QTest::addColumn<int>("modificatori");
    QTest::newRow("on GENERA GRIGLIA") << "cmdCostruisci" << int(Qt::NoModifier);
    QTest::newRow("on the list") << "txtLista" << int(Qt::NoModifier);
    QTest::newRow("on SORT, with Shift") << "cmdSort" << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl") << "cmdSalva" << int(Qt::ControlModifier);
    QTest::newRow("Alt") << "txtLista" << int(Qt::AltModifier);
}

void tst_frmInfo::f10()
{
    QFETCH(QString, fuoco);
    QFETCH(int, modificatori);
    const std::map<QString, QWidget *> controlli{{"cmdCostruisci", finestra->cmdCostruisci},
                                                 {"txtLista", finestra->txtLista},
                                                 {"cmdSort", finestra->cmdSort},
                                                 {"cmdSalva", finestra->cmdSalva}};
    QWidget *controllo = controlli.at(fuoco);
    controllo->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), controllo);
    ContaTasti conta;
    controllo->installEventFilter(&conta);

    RispondiDialoghi risposte;
    QTest::keyClick(controllo, Qt::Key_F10, Qt::KeyboardModifiers(modificatori));
    QCOMPARE(risposte.visti.size(), 1);
    QCOMPARE(risposte.visti[0].classe, QStringLiteral("frmInfo"));
    QCOMPARE(risposte.visti[0].titolo, QStringLiteral("Ombrazio® - Informazione"));
    QCOMPARE(risposte.visti[0].testo, Note);
    QCOMPARE(risposte.visti[0].pulsanti, QStringList{"OK"});
    QCOMPARE(gInformazione.count(u'|'), 12);
    // The key goes on to the control that has the focus.
    QCOMPARE(conta.f10, 1);
    // A second press opens the notes again, and ends taken by the window: one that nobody
    // takes is Windows' menu key, which would swallow the next key.
    QKeyEvent premuto(QEvent::KeyPress, Qt::Key_F10, Qt::KeyboardModifiers(modificatori));
    QApplication::sendEvent(controllo, &premuto);
    QCOMPARE(risposte.visti.size(), 2);
    QVERIFY(premuto.isAccepted());
}

void tst_frmInfo::rilasciatoConLeNoteAperte()
{
    // A user lets go of F10 while the notes are open: closing them must not open them again
    // when the press, answered, goes on up to the window.
    QWidget *controllo = finestra->cmdCostruisci;
    controllo->setFocus();
    RispondiDialoghi risposte;
    risposte.Ispeziona = [](QDialog *d) { QTest::keyRelease(d, Qt::Key_F10); };
    QTest::keyPress(controllo, Qt::Key_F10);
    QCOMPARE(risposte.visti.size(), 1);
    QTest::keyClick(controllo, Qt::Key_F10);
    QCOMPARE(risposte.visti.size(), 2);
}

void tst_frmInfo::altriTasti()
{
    RispondiDialoghi risposte;
    finestra->cmdCostruisci->setFocus();
    for (Qt::Key tasto : {Qt::Key_F1, Qt::Key_F9, Qt::Key_F11, Qt::Key_Escape, Qt::Key_A})
        QTest::keyClick(finestra->cmdCostruisci, tasto);
    QTest::qWait(30);
    QVERIFY(risposte.visti.isEmpty());
    QVERIFY(gInformazione.isEmpty());
}

void tst_frmInfo::caricamento_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("righe");
    QTest::newRow("one line") << "Una riga" << 1;
    QTest::newRow("13 lines") << QString(Note).replace(u'\n', u'|') << 13;
}

void tst_frmInfo::caricamento()
{
    QFETCH(QString, testo);
    QFETCH(int, righe);
    gInformazione = testo;
    frmInfo info;
    info.show();
    QVERIFY(QTest::qWaitForWindowExposed(&info));
    const int h = righe * 235;
    QCOMPARE(info.size(), Twips::PxSize(6300, h + 2250 - frmMessage::BordiFinestra));
    QCOMPARE(info.fraInfo->geometry(), Twips::PxRect(60, 0, 6165, h + 1770));
    QCOMPARE(info.lblInfo->geometry(), Twips::PxRect(270, 1035, 5625, righe * 255));
    QCOMPARE(info.cmdInfo->geometry(), Twips::PxRect(2490, h + 1145, 1400, 465));
    QCOMPARE(info.Image1->geometry(), Twips::PxRect(2850, 180, 720, 720));
    QVERIFY(info.rect().contains(info.fraInfo->geometry()));
    QVERIFY(info.fraInfo->rect().contains(info.cmdInfo->geometry()));
    QCOMPARE(info.lblInfo->text(), QString(testo).replace(u'|', u'\n'));
    QVERIFY(info.lblInfo->alignment() & Qt::AlignLeft);
    QVERIFY(QFontInfo(info.lblInfo->font()).fixedPitch());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(info.cmdInfo));
    if (righe == 13) {
        QCOMPARE(h + 2250, 5305);
        QCOMPARE(h + 1770, 4825);
        QCOMPARE(righe * 255, 3315);
        QCOMPARE(h + 1145, 4200);
    } else {
        QCOMPARE(h + 2250, 2485);
        QCOMPARE(h + 1145, 1380);
    }
}

void tst_frmInfo::chiusura()
{
    // Unlike the message dialog, the close box closes it.
    bool accettata = false;
    RispondiDialoghi risposte;
    risposte.Ispeziona = [&](QDialog *d) { accettata = ChiudiComeUtente(d); };
    gInformazione = QStringLiteral("x");
    QTimer::singleShot(2000, qApp, [] {
        if (QWidget *w = QApplication::activeModalWidget())
            w->close();
    });
    RichiestaInformazione();
    QVERIFY(accettata);
}

void tst_frmInfo::fotografia()
{
    RispondiDialoghi risposte;
    risposte.Ispeziona = [](QDialog *d) { Fotografa(d, QStringLiteral("info-dialog")); };
    finestra->cmdCostruisci->setFocus();
    QTest::keyClick(finestra->cmdCostruisci, Qt::Key_F10);
    QCOMPARE(risposte.visti.size(), 1);
}

QTEST_MAIN(tst_frmInfo)
#include "tst_frminfo.moc"
