#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/Etichetta.h"
#include "common/PulsanteComando.h"
#include "common/Twips.h"
#include "dialogs/frmMessage.h"
#include "helpers/Dialoghi.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QTest>

class tst_frmMessage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Caratteri::RegistraSostituzioni(); }
    void init() { mDichiarazioni::Azzera(); }

    void caricamento_data();
    void caricamento();
    void rigaDelTesto_data();
    void rigaDelTesto();
    void pulsantiFuoriNumero_data();
    void pulsantiFuoriNumero();
    void risposta_data();
    void risposta();
    void nessunPulsanteRimasto();
    void chiusuraRifiutata();
    void tastiera();
    void fotografia();
};

void tst_frmMessage::caricamento_data()
{
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<QString>("pulsanti");
    QTest::addColumn<int>("righe");
    QTest::addColumn<QList<int>>("lefts");
    QTest::newRow("question, one line") << "Confermi uscita dal programma?" << "NO,SI" << 1 << QList<int>{1000, 2460};
    QTest::newRow("two lines") << "Non è stato eseguito il Sort.|Continuare comunque?" << "NO,SI" << 2
                               << QList<int>{1000, 2460};
    QTest::newRow("OK alone") << "Generare la Griglia ..!" << "OK" << 1 << QList<int>{1700};
    QTest::newRow("three buttons") << "a|b|c" << "UNO,DUE,TRE" << 3 << QList<int>{185, 1655, 3125};
    QTest::newRow("empty text") << "" << "OK" << 0 << QList<int>{1700};
}

void tst_frmMessage::caricamento()
{
    QFETCH(QString, messaggio);
    QFETCH(QString, pulsanti);
    QFETCH(int, righe);
    QFETCH(QList<int>, lefts);
    gMessaggio = messaggio;
    gPulsanti = pulsanti;
    gRisposta = 3;
    frmMessage finestra;
    finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&finestra));

    const int h = righe * 275;
    QCOMPARE(finestra.windowTitle(), QStringLiteral("Ombrazio® - Messaggio di Servizio"));
    QCOMPARE(int(gRisposta), 0);
    QCOMPARE(finestra.size(), Twips::PxSize(4815, h + 2450 - frmMessage::BordiFinestra));
    QCOMPARE(finestra.fraMessage->geometry(), Twips::PxRect(30, 0, 4725, h + 2000));
    QCOMPARE(finestra.lblMessage->geometry(), Twips::PxRect(210, 1050, 4275, h));
    QCOMPARE(finestra.lblMessage->text(), QString(messaggio).replace(u'|', u'\n'));
    QVERIFY(finestra.lblMessage->alignment() & Qt::AlignHCenter);
    QCOMPARE(finestra.Image1->geometry(), Twips::PxRect(1170, 210, 2400, 600));
    QVERIFY(!finestra.Image1->pixmap().isNull());

    const QStringList didascalie = pulsanti.split(u',');
    QCOMPARE(finestra.cmdPulsante.Conta(), int(lefts.size()));
    for (int i = 1; i <= lefts.size(); ++i) {
        PulsanteComando *p = finestra.cmdPulsante(i);
        QVERIFY(p->isVisible());
        QCOMPARE(p->text(), didascalie[i - 1]);
        QCOMPARE(p->geometry(), Twips::PxRect(lefts[i - 1], h + 1400, 1400, 465));
        // Everything fits inside the frame and the frame inside the window.
        QVERIFY(finestra.fraMessage->rect().contains(p->geometry()));
    }
    QVERIFY(finestra.rect().contains(finestra.fraMessage->geometry()));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(finestra.cmdPulsante(1)));
}

void tst_frmMessage::pulsantiFuoriNumero_data()
{
    QTest::addColumn<QString>("pulsanti");
    QTest::newRow("four captions") << "A,B,C,D";
}

void tst_frmMessage::pulsantiFuoriNumero()
{
    // Outside one to three captions the single button stays as laid out, unlabelled.
    QFETCH(QString, pulsanti);
    gMessaggio = QStringLiteral("x");
    gPulsanti = pulsanti;
    frmMessage finestra;
    QCOMPARE(finestra.cmdPulsante.Conta(), 1);
    QCOMPARE(finestra.cmdPulsante(1)->Geometria().x(), 210);
    QVERIFY(finestra.cmdPulsante(1)->text().isEmpty());
    RispondiDialoghi risposte;
    QCOMPARE(int(RichiestaMessaggio(QStringLiteral("x"), pulsanti)), 1);
}

void tst_frmMessage::risposta_data()
{
    QTest::addColumn<QString>("pulsanti");
    QTest::addColumn<QString>("scelta");
    QTest::addColumn<int>("attesa");
    QTest::newRow("NO") << "NO,SI" << "NO" << 1;
    QTest::newRow("SI") << "NO,SI" << "SI" << 2;
    QTest::newRow("OK") << "OK" << "OK" << 1;
    QTest::newRow("third of three") << "A,B,C" << "C" << 3;
    QTest::newRow("second of three") << "A,B,C" << "B" << 2;
}

void tst_frmMessage::risposta()
{
    QFETCH(QString, pulsanti);
    QFETCH(QString, scelta);
    QFETCH(int, attesa);
    RispondiDialoghi risposte({scelta});
    QCOMPARE(int(RichiestaMessaggio(QStringLiteral("Domanda?"), pulsanti)), attesa);
    QCOMPARE(int(gRisposta), attesa);
    QCOMPARE(gMessaggio, QStringLiteral("Domanda?"));
    QCOMPARE(gPulsanti, pulsanti);
    QCOMPARE(risposte.visti.size(), 1);
    QCOMPARE(risposte.visti[0].pulsanti, pulsanti.split(u','));
}

void tst_frmMessage::nessunPulsanteRimasto()
{
    RispondiDialoghi risposte({QStringLiteral("C"), QStringLiteral("NO"), QStringLiteral("OK")});
    RichiestaMessaggio(QStringLiteral("tre"), QStringLiteral("A,B,C"));
    RichiestaMessaggio(QStringLiteral("due"), QStringLiteral("NO,SI"));
    QCOMPARE(int(RichiestaMessaggio(QStringLiteral("uno"), QStringLiteral("OK"))), 1);
    QCOMPARE(risposte.visti.size(), 3);
    QCOMPARE(risposte.visti[1].pulsanti, (QStringList{"NO", "SI"}));
    QCOMPARE(risposte.visti[2].pulsanti, QStringList{"OK"});
}

void tst_frmMessage::chiusuraRifiutata()
{
    bool accettata = true;
    bool ancoraAperta = false;
    bool f10Preso = false;
    RispondiDialoghi risposte({QStringLiteral("SI")});
    risposte.Ispeziona = [&](QDialog *d) {
        accettata = ChiudiComeUtente(d);
        QTest::keyClick(d, Qt::Key_Escape);
        QTest::keyClick(d, Qt::Key_F4, Qt::AltModifier);
        // Taken, so that Windows does not enter its menu and swallow the answer.
        QKeyEvent f10(QEvent::KeyPress, Qt::Key_F10, Qt::NoModifier);
        QApplication::sendEvent(d->focusWidget(), &f10);
        f10Preso = f10.isAccepted();
        ancoraAperta = d->isVisible();
    };
    QCOMPARE(int(RichiestaMessaggio(QStringLiteral("Confermi uscita dal programma?"), QStringLiteral("NO,SI"))), 2);
    QVERIFY(!accettata);
    QVERIFY(ancoraAperta);
    QVERIFY(f10Preso);
}

void tst_frmMessage::tastiera()
{
    // The focused button answers Enter and Space; Tab moves to the next; the first starts with the focus.
    RispondiDialoghi risposte;
    risposte.Ispeziona = [](QDialog *d) {
        QTest::keyClick(d, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    };
    QCOMPARE(int(RichiestaMessaggio(QStringLiteral("?"), QStringLiteral("NO,SI"))), 2);
    risposte.Ispeziona = [](QDialog *) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); };
    QCOMPARE(int(RichiestaMessaggio(QStringLiteral("?"), QStringLiteral("NO,SI"))), 1);
}

void tst_frmMessage::fotografia()
{
    RispondiDialoghi risposte;
    risposte.Ispeziona = [](QDialog *d) { Fotografa(d, QStringLiteral("message-dialog")); };
    RichiestaMessaggio(QStringLiteral("Non è stato eseguito il Sort.|Continuare comunque?"), QStringLiteral("NO,SI"));
    QCOMPARE(risposte.visti.size(), 1);
}

void tst_frmMessage::rigaDelTesto_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("inizio");
    QTest::addColumn<QString>("fine");
    QTest::newRow("fits") << "036140509-36.TXT" << "036140509-36.TXT" << "";
    QTest::newRow("the dialog's line break") << "a|b.TXT" << QString::fromUtf16(u"a\u00A6b.TXT") << "";
    QTest::newRow("a line break, as Linux allows") << "a\nb\r.TXT" << "a?b?.TXT" << "";
    QTest::newRow("too long") << QString(300, u'x') + QStringLiteral("-fine.TXT") << "xxxx" << "-fine.TXT";
}

void tst_frmMessage::rigaDelTesto()
{
    QFETCH(QString, nome);
    QFETCH(QString, inizio);
    QFETCH(QString, fine);
    gMessaggio = QStringLiteral("File non trovato ..!|") + RigaMessaggio(nome);
    gPulsanti = QStringLiteral("OK");
    frmMessage finestra;
    const QStringList righe = finestra.lblMessage->text().split(u'\n');
    QCOMPARE(righe.size(), 2);
    QVERIFY2(righe[1].startsWith(inizio) && righe[1].endsWith(fine), qPrintable(righe[1]));
    // Whole on its line: as wide as the label at most.
    QVERIFY(QFontMetrics(finestra.lblMessage->font()).horizontalAdvance(righe[1]) <= finestra.lblMessage->width());
}

QTEST_MAIN(tst_frmMessage)
#include "tst_frmmessage.moc"
