// The Verifica window: reached from the main window, a draw checked, the guarantee worked
// out off the window's thread and stopped on request.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/PulsanteComando.h"
#include "grid/CellaNumero.h"
#include "helpers/Dialoghi.h"
#include "sviluppo/frmSviluppo.h"
#include "verifica/frmVerifica.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

// A list box that wants the key for itself, as X11's takes Ctrl+E to the end of the line.
class VuoleIlTasto : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *evento) override
    {
        if (evento->type() == QEvent::ShortcutOverride)
            evento->accept();
        return false;
    }
};

// Long lines by the hundred: a guarantee that takes many seconds.
QString ListaPesante()
{
    QRandomGenerator caso(20261207);
    QString lista;
    for (int r = 0; r < 1000; ++r) {
        QList<int> numeri;
        for (int k = 1; k <= 90; ++k)
            numeri << k;
        std::shuffle(numeri.begin(), numeri.end(), caso);
        for (int i = 0; i < 60; ++i)
            lista += QStringLiteral("%1 ").arg(numeri[i], 2, 10, QLatin1Char('0'));
        lista += QStringLiteral("\r\n");
    }
    return lista;
}

} // namespace

class tst_frmVerifica : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Caratteri::RegistraSostituzioni(); }
    void cleanup();

    void apertura();
    void verifica_data();
    void verifica();
    void garanziaDopoSviluppo_data();
    void garanziaDopoSviluppo();
    void annullaGaranzia();

private:
    // The window on `lista`, shown as Ctrl+E shows it but not modal.
    frmVerifica *Apri(const QString &lista);
    QList<DialogoVisto> Premi(PulsanteComando *pulsante);

    std::unique_ptr<frmVerifica> finestraVerifica;
};

void tst_frmVerifica::cleanup()
{
    finestraVerifica.reset();
}

frmVerifica *tst_frmVerifica::Apri(const QString &lista)
{
    finestraVerifica = std::make_unique<frmVerifica>(lista);
    // Worked by the test itself: the helper that answers dialogs answers only the messages.
    finestraVerifica->setWindowModality(Qt::NonModal);
    finestraVerifica->show();
    if (!QTest::qWaitForWindowActive(finestraVerifica.get()))
        finestraVerifica.reset();
    return finestraVerifica.get();
}

QList<DialogoVisto> tst_frmVerifica::Premi(PulsanteComando *pulsante)
{
    RispondiDialoghi risposte;
    QTest::mouseClick(pulsante, Qt::LeftButton);
    return risposte.visti;
}

void tst_frmVerifica::apertura()
{
    std::unique_ptr<frmOmbrazio> finestra = ApriFinestra();
    QVERIFY(finestra);
    finestra->txtLista->setFocus();
    QTest::keyClicks(finestra->txtLista, QStringLiteral("01 02 03"));
    VuoleIlTasto vuole;
    finestra->txtLista->installEventFilter(&vuole);

    // Looked at from inside its own event loop: the window is modal.
    QString titolo;
    bool fuocoNelCampo = false;
    QString risultato;
    QTimer dentro;
    dentro.setInterval(10);
    connect(&dentro, &QTimer::timeout, [&] {
        auto *aperta = qobject_cast<frmVerifica *>(QApplication::activeModalWidget());
        if (!aperta || !aperta->isActiveWindow())
            return;
        dentro.stop();
        titolo = aperta->windowTitle();
        // Windows gives the focus to the field just after it activates the window.
        fuocoNelCampo = QTest::qWaitFor([aperta] { return aperta->txtEstrazione->hasFocus(); });
        // The list as it stood when the window opened; Enter in the field checks it.
        QTest::keyClicks(aperta->txtEstrazione, QStringLiteral("2 3"));
        QTest::keyClick(aperta->txtEstrazione, Qt::Key_Return);
        risultato = aperta->txtRisultato->toPlainText();
        QTest::keyClick(aperta, Qt::Key_Escape);
    });
    dentro.start();
    QTest::keyClick(finestra->txtLista, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(titolo, QStringLiteral("Ombrazio® - Verifica"));
    QVERIFY(fuocoNelCampo);
    QCOMPARE(risultato, QStringLiteral("Estrazione: 02 03\nRighe verificate: 1\nRighe con 2 punti: 1\n"
                                       "Ambi: 1  Terni: 0  Quaterne: 0  Cinquine: 0\nRiga 1: 01 [02] [03]"));
    // Escape closed it; the key typed nothing into the list.
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(finestra->TestoLista(), QStringLiteral("01 02 03"));
}

void tst_frmVerifica::verifica_data()
{
    QTest::addColumn<QString>("lista");
    QTest::addColumn<QString>("estrazione");
    QTest::addColumn<bool>("garanzia");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("a number out of range") << "01 02" << "5 95" << false << "Il numero 95 non è tra 1 e 90 ..!";
    QTest::newRow("an empty list") << "\r\n" << "5" << false << "L'Area combinazioni è vuota ..!";
    QTest::newRow("no line to check") << "\r\n01 x" << "5" << false
                                      << "Nessuna riga da verificare:\nla riga 2 non contiene numeri da 1 a 90 ..!";
    QTest::newRow("the guarantee of one number") << "07\r\n07 07" << "" << true
                                                 << "Per la garanzia servono\nalmeno 2 numeri diversi ..!";
}

void tst_frmVerifica::verifica()
{
    QFETCH(QString, lista);
    QFETCH(QString, estrazione);
    QFETCH(bool, garanzia);
    QFETCH(QString, messaggio);
    QVERIFY(Apri(lista));
    finestraVerifica->txtRisultato->setPlainText(QStringLiteral("prima"));
    QTest::keyClicks(finestraVerifica->txtEstrazione, estrazione);
    const QList<DialogoVisto> visti = Premi(garanzia ? finestraVerifica->cmdGaranzia : finestraVerifica->cmdVerifica);
    QCOMPARE(visti.size(), 1);
    QCOMPARE(visti[0].testo, messaggio);
    // Refused: what was typed and what was shown stay.
    QCOMPARE(finestraVerifica->txtEstrazione->text(), estrazione);
    QCOMPARE(finestraVerifica->txtRisultato->toPlainText(), QStringLiteral("prima"));
    QVERIFY(!finestraVerifica->InCorso());
}

void tst_frmVerifica::garanziaDopoSviluppo_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("k");
    QTest::newRow("8 in 2") << 8 << 2;
    QTest::newRow("7 in 4") << 7 << 4;
    QTest::newRow("20 in 6") << 20 << 6;
}

void tst_frmVerifica::garanziaDopoSviluppo()
{
    QFETCH(int, n);
    QFETCH(int, k);
    // Developed in the main window, as a player does it.
    std::unique_ptr<frmOmbrazio> finestra = ApriFinestra();
    QVERIFY(finestra);
    QList<int> celle;
    for (int i = 1; i <= n; ++i)
        celle << 3 * i;
    Seleziona(*finestra, 90, 10, celle);
    {
        RispondiDialoghi risposte({QStringLiteral("SVILUPPA")});
        risposte.Ispeziona = [k](QDialog *dialogo) {
            if (auto *sviluppo = qobject_cast<frmSviluppo *>(dialogo))
                sviluppo->spnClasse->setValue(k);
        };
        finestra->mnuSviluppa->trigger();
    }
    QVERIFY(Apri(finestra->TestoLista()));
    finestra.reset();

    QTest::mouseClick(finestraVerifica->cmdGaranzia, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!finestraVerifica->InCorso(), 60000);
    // If t of the n numbers come out, t hits are guaranteed up to k, then k; every t-set lies
    // in a line up to k, none beyond.
    const QStringList vincite{"", "", "ambo garantito", "terno garantito", "quaterna garantita", "cinquina garantita",
                              "sestina garantita"};
    const QStringList tipi{"", "", "ambo", "terno", "quaterna", "cinquina", "sestina"};
    QStringList attese;
    for (int t = 2; t <= std::min(6, n); ++t)
        attese << QStringLiteral("Se escono %1 numeri: %2; %3: %4 dei casi")
                      .arg(t)
                      .arg(vincite[std::min(t, k)], tipi[t], t <= k ? QStringLiteral("100%") : QStringLiteral("0%"));
    const QStringList righe = finestraVerifica->txtRisultato->toPlainText().split(u'\n');
    QVERIFY2(righe.value(0).startsWith(QStringLiteral("Garanzia su %1 numeri: 03 06 09").arg(n)), qPrintable(righe.value(0)));
    QCOMPARE(righe.mid(1), attese);
    QCOMPARE(finestraVerifica->prgGaranzia->value(), finestraVerifica->prgGaranzia->maximum());

    // Plain text the user can take away.
    finestraVerifica->txtRisultato->setFocus();
    QTest::keyClick(finestraVerifica->txtRisultato, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(finestraVerifica->txtRisultato, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), finestraVerifica->txtRisultato->toPlainText());
}

void tst_frmVerifica::annullaGaranzia()
{
    QVERIFY(Apri(ListaPesante()));
    QTest::keyClicks(finestraVerifica->txtEstrazione, QStringLiteral("1 2 3 4 5"));
    QTest::mouseClick(finestraVerifica->cmdVerifica, Qt::LeftButton);
    const QString controllo = finestraVerifica->txtRisultato->toPlainText();
    QVERIFY(controllo.startsWith(QStringLiteral("Estrazione: 01 02 03 04 05")));

    QTest::mouseClick(finestraVerifica->cmdGaranzia, Qt::LeftButton);
    QVERIFY(finestraVerifica->InCorso());
    QVERIFY(finestraVerifica->cmdAnnulla->isEnabled());
    QVERIFY(!finestraVerifica->cmdGaranzia->isEnabled());
    // The window answers meanwhile: the progress moves on.
    QTRY_VERIFY_WITH_TIMEOUT(finestraVerifica->prgGaranzia->value() > 0, 60000);
    QTest::mouseClick(finestraVerifica->cmdAnnulla, Qt::LeftButton);
    QTRY_VERIFY(!finestraVerifica->InCorso());
    // Nothing half-shown, and the window as before.
    QCOMPARE(finestraVerifica->txtRisultato->toPlainText(), controllo);
    QVERIFY(!finestraVerifica->cmdAnnulla->isEnabled());
    QVERIFY(finestraVerifica->cmdVerifica->isEnabled() && finestraVerifica->cmdGaranzia->isEnabled());
    finestraVerifica->txtEstrazione->setText(QStringLiteral("6 7"));
    QTest::mouseClick(finestraVerifica->cmdVerifica, Qt::LeftButton);
    QVERIFY(finestraVerifica->txtRisultato->toPlainText().startsWith(QStringLiteral("Estrazione: 06 07")));

    // Closing the window stops the work too.
    QTest::mouseClick(finestraVerifica->cmdGaranzia, Qt::LeftButton);
    QVERIFY(finestraVerifica->InCorso());
    QVERIFY(ChiudiComeUtente(finestraVerifica.get()));
    QVERIFY(!finestraVerifica->InCorso());
    QVERIFY(!finestraVerifica->isVisible());
}

QTEST_MAIN(tst_frmVerifica)
#include "tst_frmverifica.moc"
