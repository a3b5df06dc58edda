#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/ColoriSistema.h"
#include "common/Etichetta.h"
#include "common/PulsanteComando.h"
#include "common/Twips.h"
#include "grid/CellaNumero.h"
#include "helpers/Dialoghi.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

namespace {

const QColor GrigioBlu(164, 196, 208);

} // namespace

class tst_Griglia : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Caratteri::RegistraSostituzioni(); }
    void init();
    void cleanup() { finestra.reset(); }

    void stepper_data();
    void stepper();
    void generazione_data();
    void generazione();
    void geometriaCelle_data();
    void geometriaCelle();
    void rigenera_data();
    void rigenera();
    void generazioneRifiutataNonCambiaNulla();
    void selezione();
    void coloriSeguonoIlDesktop();
    void tuttoSelezionatoPoiCancella();
    void selezioneDaFuoriDipinta();
    void rifiutiSenzaGriglia();
    void stepperNonToccaLaGriglia();
    void cancellaDopoCambioQuantita_data();
    void cancellaDopoCambioQuantita();
    void fotografia();

private:
    void Genera(int quantita, int perRiga, QList<DialogoVisto> *visti = nullptr);
    void Clicca(int cella) { QTest::mouseClick(finestra->lblNumero(cella), Qt::LeftButton); }
    int CelleSelezionateADisegno() const;
    std::unique_ptr<frmOmbrazio> finestra;
};

void tst_Griglia::init()
{
    finestra = ApriFinestra();
    QVERIFY(finestra);
}

void tst_Griglia::Genera(int quantita, int perRiga, QList<DialogoVisto> *visti)
{
    gQuantitaNumeri = qint16(quantita);
    gNumeriPerRiga = qint16(perRiga);
    RispondiDialoghi risposte;
    QTest::mouseClick(finestra->cmdCostruisci, Qt::LeftButton);
    // Removed cells leave when control returns to the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (visti)
        *visti = risposte.visti;
}

int tst_Griglia::CelleSelezionateADisegno() const
{
    int n = 0;
    for (int k = 1; k <= finestra->lblNumero.UBound(); ++k) {
        const CellaNumero *c = finestra->lblNumero(k);
        if (c->palette().color(c->backgroundRole()) == GrigioBlu)
            ++n;
    }
    return n;
}

void tst_Griglia::stepper_data()
{
    QTest::addColumn<QString>("freccia");
    QTest::addColumn<int>("inizio");
    QTest::addColumn<int>("atteso");
    QTest::newRow("+1 from 36") << "lblNumeriPiu" << 36 << 37;
    QTest::newRow("+1 from 90 wraps") << "lblNumeriPiu" << 90 << 9;
    QTest::newRow("-1 from 9 wraps") << "lblNumeriMeno" << 9 << 90;
    QTest::newRow("+10 from 85 wraps to 9") << "lblNumeriPiuPiu" << 85 << 9;
    QTest::newRow("+10 from 80 is 90") << "lblNumeriPiuPiu" << 80 << 90;
    QTest::newRow("-10 from 15 wraps to 90") << "lblNumeriMenoMeno" << 15 << 90;
    QTest::newRow("-10 from 19 is 9") << "lblNumeriMenoMeno" << 19 << 9;
    QTest::newRow("row +1 from 10 wraps") << "lblSaltoPiu" << 10 << 3;
    QTest::newRow("row -1 from 3 wraps") << "lblSaltoMeno" << 3 << 10;
    QTest::newRow("row +1 from 6") << "lblSaltoPiu" << 6 << 7;
}

void tst_Griglia::stepper()
{
    QFETCH(QString, freccia);
    QFETCH(int, inizio);
    QFETCH(int, atteso);
    const bool riga = freccia.startsWith(QStringLiteral("lblSalto"));
    qint16 &parametro = riga ? gNumeriPerRiga : gQuantitaNumeri;
    Etichetta *valore = riga ? finestra->lblSalto : finestra->lblNumeri;
    const std::map<QString, Etichetta *> frecce{{"lblNumeriMenoMeno", finestra->lblNumeriMenoMeno},
                                                {"lblNumeriMeno", finestra->lblNumeriMeno},
                                                {"lblNumeriPiu", finestra->lblNumeriPiu},
                                                {"lblNumeriPiuPiu", finestra->lblNumeriPiuPiu},
                                                {"lblSaltoMeno", finestra->lblSaltoMeno},
                                                {"lblSaltoPiu", finestra->lblSaltoPiu}};
    Etichetta *etichetta = frecce.at(freccia);
    parametro = qint16(inizio);
    QTest::mouseClick(etichetta, Qt::LeftButton);
    QCOMPARE(int(parametro), atteso);
    QCOMPARE(valore->text(), QString::number(atteso));
    // A press that leaves the label before release is no click.
    QTest::mousePress(etichetta, Qt::LeftButton);
    QTest::mouseRelease(etichetta, Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(int(parametro), atteso);
}

void tst_Griglia::generazione_data()
{
    QTest::addColumn<int>("quantita");
    QTest::addColumn<int>("perRiga");
    QTest::addColumn<bool>("accettata");
    QTest::newRow("36/6") << 36 << 6 << true;
    QTest::newRow("90/10") << 90 << 10 << true;
    QTest::newRow("90/9 ten rows") << 90 << 9 << false;
    QTest::newRow("27/3") << 27 << 3 << true;
    QTest::newRow("28/3") << 28 << 3 << false;
    QTest::newRow("36/4") << 36 << 4 << true;
    QTest::newRow("37/4") << 37 << 4 << false;
    QTest::newRow("20/6") << 20 << 6 << true;
    QTest::newRow("9/10") << 9 << 10 << true;
}

void tst_Griglia::generazione()
{
    QFETCH(int, quantita);
    QFETCH(int, perRiga);
    QFETCH(bool, accettata);
    QList<DialogoVisto> visti;
    Genera(quantita, perRiga, &visti);
    if (!accettata) {
        QCOMPARE(visti.size(), 1);
        QCOMPARE(visti[0].testo,
                 QStringLiteral("La Griglia non può superare 9 righe ..!\nAdeguare il parametro Numeri per Riga."));
        QCOMPARE(visti[0].pulsanti, QStringList{"OK"});
        QVERIFY(!gGrigliaGenerata);
        QCOMPARE(finestra->lblNumero.Conta(), 1);
        QCOMPARE(finestra->lblNumero(1)->text(), QStringLiteral("10"));
        QCOMPARE(int(gCaselle.UBound()), 0);
        return;
    }
    QVERIFY(visti.isEmpty());
    QVERIFY(gGrigliaGenerata);
    QCOMPARE(finestra->lblNumero.Conta(), quantita);
    QCOMPARE(int(gCaselle.UBound()), quantita);
    QCOMPARE(int(gSelezionati), 0);
    QCOMPARE(finestra->lblSelezionati->text(), QStringLiteral("0"));
    QMap<int, int> perOgniRiga;
    for (int k = 1; k <= quantita; ++k) {
        CellaNumero *c = finestra->lblNumero(k);
        QCOMPARE(c->text(), QString::number(k));
        QVERIFY(c->isVisible());
        QVERIFY(!gCaselle(k));
        QCOMPARE(c->BackColor(), ColoriSistema::FacciaPulsante);
        QCOMPARE(c->font(), finestra->lblNumero(1)->font());
        QVERIFY(c->Bordo());
        ++perOgniRiga[c->Geometria().y()];
    }
    // Rows fill left to right, the last one holds the rest, aligned left.
    const QList<int> righe = perOgniRiga.values();
    QCOMPARE(int(righe.size()), (quantita + perRiga - 1) / perRiga);
    for (int r = 0; r + 1 < righe.size(); ++r)
        QCOMPARE(righe[r], perRiga);
    QCOMPARE(righe.last(), quantita % perRiga ? quantita % perRiga : perRiga);
}

void tst_Griglia::geometriaCelle_data()
{
    QTest::addColumn<int>("quantita");
    QTest::addColumn<int>("perRiga");
    QTest::newRow("90/10") << 90 << 10;
    QTest::newRow("20/6") << 20 << 6;
    QTest::newRow("27/3") << 27 << 3;
}

void tst_Griglia::geometriaCelle()
{
    QFETCH(int, quantita);
    QFETCH(int, perRiga);
    Genera(quantita, perRiga);
    for (int k = 1; k <= quantita; ++k) {
        const QRect twips(150 + ((k - 1) % perRiga) * 724, 240 + ((k - 1) / perRiga) * 724, 700, 700);
        CellaNumero *c = finestra->lblNumero(k);
        QCOMPARE(c->parentWidget(), finestra->Frame2);
        QCOMPARE(c->Geometria(), twips);
        QCOMPARE(c->geometry(), Twips::PxRect(twips));
        QVERIFY(finestra->Frame2->rect().contains(c->geometry()));
    }
}

void tst_Griglia::rigenera_data()
{
    QTest::addColumn<int>("prima");
    QTest::addColumn<int>("dopo");
    QTest::newRow("smaller") << 60 << 20;
    QTest::newRow("larger") << 20 << 90;
    QTest::newRow("same") << 36 << 36;
}

void tst_Griglia::rigenera()
{
    QFETCH(int, prima);
    QFETCH(int, dopo);
    Genera(prima, 10);
    for (int k : {1, 2, prima})
        Clicca(k);
    QCOMPARE(int(gSelezionati), 3);
    QPointer<CellaNumero> ultima = finestra->lblNumero(prima);

    Genera(dopo, 10);
    QCOMPARE(finestra->lblNumero.Conta(), dopo);
    QCOMPARE(finestra->lblNumero.UBound(), dopo);
    if (prima > dopo)
        QVERIFY(ultima.isNull());
    QCOMPARE(int(gSelezionati), 0);
    QCOMPARE(finestra->lblSelezionati->text(), QStringLiteral("0"));
    QCOMPARE(CelleSelezionateADisegno(), 0);
    for (int k = 1; k <= dopo; ++k)
        QVERIFY(!gCaselle(k));
    // Only the cells of the new board are left in the frame.
    int visibili = 0;
    for (CellaNumero *c : finestra->Frame2->findChildren<CellaNumero *>())
        visibili += c->isVisible();
    QCOMPARE(visibili, dopo);
}

void tst_Griglia::generazioneRifiutataNonCambiaNulla()
{
    Genera(36, 6);
    Clicca(5);
    Clicca(7);
    QList<DialogoVisto> visti;
    Genera(90, 3, &visti);
    QCOMPARE(visti.size(), 1);
    QCOMPARE(finestra->lblNumero.Conta(), 36);
    QCOMPARE(int(gCaselle.UBound()), 36);
    QVERIFY(gCaselle(5) && gCaselle(7));
    QCOMPARE(int(gSelezionati), 2);
    QCOMPARE(CelleSelezionateADisegno(), 2);
    QCOMPARE(finestra->lblSelezionati->text(), QStringLiteral("2"));
}

void tst_Griglia::selezione()
{
    Genera(36, 6);
    CellaNumero *c = finestra->lblNumero(12);
    Clicca(12);
    QVERIFY(gCaselle(12));
    QCOMPARE(int(gSelezionati), 1);
    QCOMPARE(finestra->lblSelezionati->text(), QStringLiteral("1"));
    QCOMPARE(c->BackColor(), quint32(13681828));
    QCOMPARE(c->ForeColor(), quint32(0xFFFFFF));
    QCOMPARE(c->palette().color(c->backgroundRole()), GrigioBlu);
    QCOMPARE(c->palette().color(c->foregroundRole()), QColor(Qt::white));
    // The painted cell shows the colour, not only the palette.
    const QImage immagine = c->grab().toImage();
    QCOMPARE(immagine.pixelColor(immagine.width() / 2, 4), GrigioBlu);

    Clicca(12);
    QVERIFY(!gCaselle(12));
    QCOMPARE(int(gSelezionati), 0);
    QCOMPARE(finestra->lblSelezionati->text(), QStringLiteral("0"));
    QCOMPARE(c->BackColor(), ColoriSistema::FacciaPulsante);
    QCOMPARE(c->palette().color(c->backgroundRole()), QApplication::palette().color(QPalette::Button));
}

void tst_Griglia::coloriSeguonoIlDesktop()
{
    Genera(9, 3);
    Clicca(2);
    const QPalette originale = QApplication::palette();
    QPalette scura = originale;
    scura.setColor(QPalette::Button, QColor(40, 40, 40));
    scura.setColor(QPalette::ButtonText, QColor(250, 250, 0));
    QApplication::setPalette(scura);
    CellaNumero *libera = finestra->lblNumero(1);
    CellaNumero *scelta = finestra->lblNumero(2);
    // The change reaches the widgets through the event loop, as a desktop theme change does.
    QTRY_COMPARE(libera->palette().color(libera->backgroundRole()), QColor(40, 40, 40));
    QCOMPARE(libera->palette().color(libera->foregroundRole()), QColor(250, 250, 0));
    QCOMPARE(scelta->palette().color(scelta->backgroundRole()), GrigioBlu);
    QCOMPARE(scelta->palette().color(scelta->foregroundRole()), QColor(Qt::white));
    const QImage immagine = libera->grab().toImage();
    QCOMPARE(immagine.pixelColor(immagine.width() / 2, 4), QColor(40, 40, 40));
    QApplication::setPalette(originale);
    QTRY_COMPARE(libera->palette().color(libera->backgroundRole()), originale.color(QPalette::Button));
}

void tst_Griglia::tuttoSelezionatoPoiCancella()
{
    Genera(90, 10);
    for (int k = 1; k <= 90; ++k)
        Clicca(k);
    QCOMPARE(int(gSelezionati), 90);
    QCOMPARE(finestra->lblSelezionati->text(), QStringLiteral("90"));
    QCOMPARE(CelleSelezionateADisegno(), 90);
    QTest::mouseClick(finestra->cmdCancella, Qt::LeftButton);
    QCOMPARE(int(gSelezionati), 0);
    QCOMPARE(finestra->lblSelezionati->text(), QStringLiteral("0"));
    QCOMPARE(CelleSelezionateADisegno(), 0);
    for (int k = 1; k <= 90; ++k)
        QVERIFY(!gCaselle(k));

    RispondiDialoghi risposte;
    QTest::mouseClick(finestra->cmdCancella, Qt::LeftButton);
    QCOMPARE(risposte.visti.size(), 1);
    QCOMPARE(risposte.visti[0].testo, QStringLiteral("Nessuna casella selezionata ..!"));
    QCOMPARE(finestra->lblNumero.Conta(), 90);
}

void tst_Griglia::selezioneDaFuoriDipinta()
{
    // Whatever changes the selection, the cells, the counter and what a screen reader hears
    // follow it: there is no other way to change it.
    Genera(36, 6);
    gCaselle.Imposta(12, true);
    CellaNumero *c = finestra->lblNumero(12);
    QCOMPARE(c->BackColor(), quint32(13681828));
    QVERIFY(c->Selezionata());
    QCOMPARE(finestra->lblSelezionati->text(), QStringLiteral("1"));
    Clicca(30);
    QCOMPARE(CelleSelezionateADisegno(), 2);
    // A fresh start clears what is on screen too.
    mDichiarazioni::Azzera();
    QCOMPARE(CelleSelezionateADisegno(), 0);
    QVERIFY(!c->Selezionata());
    QCOMPARE(finestra->lblSelezionati->text(), QStringLiteral("0"));
}

void tst_Griglia::rifiutiSenzaGriglia()
{
    RispondiDialoghi risposte;
    Clicca(1);
    QTest::mouseClick(finestra->cmdCancella, Qt::LeftButton);
    QCOMPARE(risposte.visti.size(), 2);
    QCOMPARE(risposte.visti[0].testo, QStringLiteral("Generare la Griglia ..!"));
    QCOMPARE(risposte.visti[0].pulsanti, QStringList{"OK"});
    QCOMPARE(risposte.visti[1].testo, QStringLiteral("Nessuna casella selezionata ..!"));
    CellaNumero *c = finestra->lblNumero(1);
    QCOMPARE(c->text(), QStringLiteral("10"));
    QCOMPARE(c->BackColor(), ColoriSistema::FacciaPulsante);
    QCOMPARE(int(gSelezionati), 0);
    QCOMPARE(int(gCaselle.UBound()), 0);
}

void tst_Griglia::stepperNonToccaLaGriglia()
{
    Genera(36, 6);
    Clicca(3);
    Clicca(30);
    QTest::mouseClick(finestra->lblNumeriPiuPiu, Qt::LeftButton);
    QTest::mouseClick(finestra->lblSaltoPiu, Qt::LeftButton);
    QTest::mouseClick(finestra->lblNumeriMeno, Qt::LeftButton);
    QCOMPARE(int(gQuantitaNumeri), 45);
    QCOMPARE(finestra->lblNumero.Conta(), 36);
    QCOMPARE(int(gCaselle.UBound()), 36);
    QVERIFY(gCaselle(3) && gCaselle(30));
    QCOMPARE(int(gSelezionati), 2);
    QCOMPARE(CelleSelezionateADisegno(), 2);
    QCOMPARE(finestra->lblNumero(7)->Geometria(), QRect(150, 240 + 724, 700, 700));
}

void tst_Griglia::cancellaDopoCambioQuantita_data()
{
    QTest::addColumn<int>("nuovaQuantita");
    QTest::newRow("stepped down") << 19;
    QTest::newRow("stepped up") << 90;
}

void tst_Griglia::cancellaDopoCambioQuantita()
{
    // The board as generated is what CANCELLA clears, whatever the steppers say now.
    QFETCH(int, nuovaQuantita);
    Genera(36, 6);
    for (int k : {2, 20, 36})
        Clicca(k);
    gQuantitaNumeri = qint16(nuovaQuantita);
    QTest::mouseClick(finestra->cmdCancella, Qt::LeftButton);
    QCOMPARE(int(gSelezionati), 0);
    QCOMPARE(CelleSelezionateADisegno(), 0);
    for (int k = 1; k <= 36; ++k)
        QVERIFY(!gCaselle(k));
    QCOMPARE(finestra->lblNumero.Conta(), 36);
    // Later clicks count from a true zero.
    Clicca(36);
    QCOMPARE(int(gSelezionati), 1);
    Clicca(36);
    QCOMPARE(int(gSelezionati), 0);
}

void tst_Griglia::fotografia()
{
    Genera(90, 10);
    for (int k : {1, 5, 12, 33, 47, 90})
        Clicca(k);
    Fotografa(finestra.get(), QStringLiteral("board-90"));
    QCOMPARE(CelleSelezionateADisegno(), 6);
}

QTEST_MAIN(tst_Griglia)
#include "tst_griglia.moc"
