// What a screen reader finds in the main window: a name for every cell, stepper and
// button, the values and the counter as text, and cells it can press and hear selected.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/Etichetta.h"
#include "common/PulsanteComando.h"
#include "grid/CellaNumero.h"
#include "helpers/Dialoghi.h"

#include <QAccessible>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

QAccessibleInterface *Interfaccia(QObject *oggetto)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(oggetto);
    if (!iface)
        qFatal("no accessible interface for %s", oggetto->metaObject()->className());
    return iface;
}

QString Nome(QObject *oggetto)
{
    return Interfaccia(oggetto)->text(QAccessible::Name);
}

void Premi(QObject *oggetto)
{
    QAccessibleInterface *iface = Interfaccia(oggetto);
    QVERIFY(iface->actionInterface());
    QVERIFY(iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

} // namespace

class tst_Accessibilita : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Caratteri::RegistraSostituzioni(); }
    void init();
    void cleanup() { finestra.reset(); }

    void nomiDeiComandi();
    void ogniControlloHaUnNome();
    void celleDelTabellone();
    void valoriEContatore();

private:
    std::unique_ptr<frmOmbrazio> finestra;
};

void tst_Accessibilita::init()
{
    finestra = ApriFinestra();
    QVERIFY(finestra);
}

void tst_Accessibilita::nomiDeiComandi()
{
    frmOmbrazio &f = *finestra;
    const QList<QPair<QWidget *, QString>> attesi{
        {f.lblNumeriMenoMeno, "Numeri -10"},
        {f.lblNumeriMeno, "Numeri -1"},
        {f.lblNumeriPiu, "Numeri +1"},
        {f.lblNumeriPiuPiu, "Numeri +10"},
        {f.lblSaltoMeno, "Numeri per Riga -1"},
        {f.lblSaltoPiu, "Numeri per Riga +1"},
        {f.cmdCostruisci, "GENERA GRIGLIA"},
        {f.cmdCancella, "CANCELLA"},
        {f.cmdSort, "SORT"},
        {f.cmdSalva, "SALVA"},
        {f.cmdInLista, "IN LISTA"},
        {f.lblDelete, "CANCELLA LA LISTA"},
        {f.txtLista, "Lista combinazioni"},
    };
    for (const auto &[controllo, nome] : attesi) {
        QCOMPARE(Nome(controllo), nome);
        if (controllo != f.txtLista)
            QCOMPARE(Interfaccia(controllo)->role(), QAccessible::Button);
    }

    // The arrows do what their names say when pressed from a screen reader.
    Premi(f.lblNumeriPiuPiu);
    QCOMPARE(int(gQuantitaNumeri), 46);
    Premi(f.lblNumeriMeno);
    QCOMPARE(int(gQuantitaNumeri), 45);
    Premi(f.lblSaltoPiu);
    QCOMPARE(int(gNumeriPerRiga), 7);
}

void tst_Accessibilita::ogniControlloHaUnNome()
{
    // Whatever is added to the window later: nothing a user can press or type in is nameless.
    QTest::mouseClick(finestra->cmdCostruisci, Qt::LeftButton);
    int visti = 0;
    for (QWidget *w : finestra->findChildren<QWidget *>()) {
        auto *etichetta = qobject_cast<Etichetta *>(w);
        const bool agisce = qobject_cast<QPushButton *>(w) || (etichetta && etichetta->Cliccabile())
            || w->focusPolicy() != Qt::NoFocus;
        if (!agisce || !w->isVisible())
            continue;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        if (!iface)
            continue; // the list's scroll bars and viewport belong to the list
        ++visti;
        QVERIFY2(!iface->text(QAccessible::Name).isEmpty(), w->metaObject()->className());
    }
    QVERIFY(visti >= 36 + 6 + 6);
}

void tst_Accessibilita::celleDelTabellone()
{
    frmOmbrazio &f = *finestra;
    QTest::mouseClick(f.cmdCostruisci, Qt::LeftButton);
    QCOMPARE(f.lblNumero.UBound(), 36);
    for (int k = 1; k <= 36; ++k) {
        QAccessibleInterface *iface = Interfaccia(f.lblNumero(k));
        QCOMPARE(iface->text(QAccessible::Name), QString::number(k));
        QCOMPARE(iface->role(), QAccessible::Button);
        QVERIFY(iface->state().checkable);
        QVERIFY(!iface->state().checked);
    }

    // Pressing a cell selects it like a click. (The announcement of the change needs a
    // running screen reader, which the offscreen platform does not have.)
    Premi(f.lblNumero(12));
    QTest::mouseClick(f.lblNumero(5), Qt::LeftButton);
    QVERIFY(gCaselle(12) && gCaselle(5));
    QVERIFY(Interfaccia(f.lblNumero(12))->state().checked);
    QVERIFY(Interfaccia(f.lblNumero(5))->state().checked);
    QVERIFY(!Interfaccia(f.lblNumero(6))->state().checked);
    QCOMPARE(f.lblSelezionati->text(), QStringLiteral("2"));

    // Deselected by "CANCELLA", heard as no longer checked.
    QTest::mouseClick(f.cmdCancella, Qt::LeftButton);
    QVERIFY(!Interfaccia(f.lblNumero(12))->state().checked);

    // A board rebuilt smaller names its cells again from 1.
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(f.lblNumeriMenoMeno, Qt::LeftButton);
    QTest::mouseClick(f.cmdCostruisci, Qt::LeftButton);
    QCOMPARE(f.lblNumero.UBound(), 16);
    QCOMPARE(Nome(f.lblNumero(16)), QStringLiteral("16"));
    QVERIFY(!Interfaccia(f.lblNumero(5))->state().checked);
}

void tst_Accessibilita::valoriEContatore()
{
    frmOmbrazio &f = *finestra;
    // Each value reads as its text, the description says what it is.
    QCOMPARE(Nome(f.lblNumeri), QStringLiteral("36"));
    QCOMPARE(Interfaccia(f.lblNumeri)->text(QAccessible::Description), QStringLiteral("Numeri"));
    QCOMPARE(Nome(f.lblSalto), QStringLiteral("6"));
    QCOMPARE(Interfaccia(f.lblSalto)->text(QAccessible::Description), QStringLiteral("Numeri per Riga"));
    QCOMPARE(Nome(f.lblSelezionati), QStringLiteral("0"));
    QCOMPARE(Interfaccia(f.lblSelezionati)->text(QAccessible::Description), QStringLiteral("SELEZIONATI"));

    // And follows it.
    QTest::mouseClick(f.lblNumeriPiu, Qt::LeftButton);
    QCOMPARE(Nome(f.lblNumeri), QStringLiteral("37"));
    QTest::mouseClick(f.lblSaltoMeno, Qt::LeftButton);
    QCOMPARE(Nome(f.lblSalto), QStringLiteral("5"));
    QTest::mouseClick(f.cmdCostruisci, Qt::LeftButton);
    QTest::mouseClick(f.lblNumero(3), Qt::LeftButton);
    QTest::mouseClick(f.lblNumero(37), Qt::LeftButton);
    QCOMPARE(Nome(f.lblSelezionati), QStringLiteral("2"));
    // Read-only displays are not offered as buttons.
    QCOMPARE(Interfaccia(f.lblSelezionati)->role(), QAccessible::StaticText);
    QVERIFY(!Interfaccia(f.lblNumeri)->actionInterface()
            || Interfaccia(f.lblNumeri)->actionInterface()->actionNames().isEmpty());
}

QTEST_MAIN(tst_Accessibilita)
#include "tst_accessibilita.moc"
