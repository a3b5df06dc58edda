// The windows at the scale factor of the process (QT_SCALE_FACTOR; CTest runs this program
// at 1, 1.5 and 2): proportional, sharp, the board where its twips say.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/Etichetta.h"
#include "common/PulsanteComando.h"
#include "common/Twips.h"
#include "dialogs/frmInfo.h"
#include "dialogs/frmMessage.h"
#include "grid/CellaNumero.h"
#include "helpers/Dialoghi.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <cmath>

namespace {

// The selected cell's fill (red 164, green 196, blue 208): no other control has it.
const QRgb Selezionato = qRgb(164, 196, 208);

// The bounding box of the pixels of exactly `colore` inside `zona`.
QRect Riquadro(const QImage &immagine, const QRect &zona, QRgb colore)
{
    QRect trovato;
    const QRect dentro = zona & immagine.rect();
    for (int y = dentro.top(); y <= dentro.bottom(); ++y) {
        for (int x = dentro.left(); x <= dentro.right(); ++x) {
            if ((immagine.pixel(x, y) & 0xFFFFFF) == (colore & 0xFFFFFF))
                trovato |= QRect(x, y, 1, 1);
        }
    }
    return trovato;
}

bool TuttoDelColore(const QImage &immagine, const QRect &linea, QRgb colore)
{
    for (int y = linea.top(); y <= linea.bottom(); ++y) {
        for (int x = linea.left(); x <= linea.right(); ++x) {
            if ((immagine.pixel(x, y) & 0xFFFFFF) != (colore & 0xFFFFFF))
                return false;
        }
    }
    return true;
}

QImage Rgb(const QImage &immagine)
{
    return immagine.convertToFormat(QImage::Format_ARGB32);
}

// True when `mostrata` is `disegno` as drawn. A pixmap keeps its pixels premultiplied, and
// how a nearly transparent pixel rounds on the way there depends on the CPU's conversion
// path, so both sides are compared premultiplied, each channel within one step. A picture
// that was scaled or enlarged differs by far more along every edge.
bool ComeDisegnata(const QImage &mostrata, const QImage &disegno)
{
    if (mostrata.size() != disegno.size())
        return false;
    const QImage a = mostrata.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = disegno.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < a.height(); ++y) {
        const QRgb *ra = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const QRgb *rb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            for (int spostamento : {0, 8, 16, 24}) {
                if (std::abs(int((ra[x] >> spostamento) & 0xFF) - int((rb[x] >> spostamento) & 0xFF)) > 1)
                    return false;
            }
        }
    }
    return true;
}

} // namespace

class tst_HiDpi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void finestraConTabellone();
    void immaginiDeiDialoghi();

private:
    qreal m_scala = 1;
};

void tst_HiDpi::initTestCase()
{
    Caratteri::RegistraSostituzioni();
    m_scala = qApp->devicePixelRatio();
    qInfo("scale factor %g", m_scala);
    const QByteArray chiesta = qgetenv("QT_SCALE_FACTOR");
    if (!chiesta.isEmpty())
        QCOMPARE(m_scala, chiesta.toDouble());
}

void tst_HiDpi::finestraConTabellone()
{
    mDichiarazioni::Azzera();
    frmOmbrazio finestra;
    finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&finestra));

    // A board of 90 cells, 10 to a row, set up the way a user does it.
    // 36 + 5 x 10 + 4 x 1 = 90; 6 + 4 x 1 = 10.
    for (int i = 0; i < 5; ++i)
        QTest::mouseClick(finestra.lblNumeriPiuPiu, Qt::LeftButton);
    for (int i = 0; i < 4; ++i) {
        QTest::mouseClick(finestra.lblNumeriPiu, Qt::LeftButton);
        QTest::mouseClick(finestra.lblSaltoPiu, Qt::LeftButton);
    }
    QCOMPARE(finestra.lblNumeri->text(), QStringLiteral("90"));
    QCOMPARE(finestra.lblSalto->text(), QStringLiteral("10"));
    QCOMPARE(int(gQuantitaNumeri), 90);
    QCOMPARE(int(gNumeriPerRiga), 10);
    QTest::mouseClick(finestra.cmdCostruisci, Qt::LeftButton);
    QVERIFY(gGrigliaGenerata);
    QVERIFY(finestra.lblNumero.Esiste(90));
    CellaNumero *cella = finestra.lblNumero(90);
    QTest::mouseClick(cella, Qt::LeftButton);
    QVERIFY(gCaselle(90));

    // In device-independent pixels nothing depends on the scale.
    QCOMPARE(finestra.size(), Twips::PxSize(12375, 8385));
    QCOMPARE(cella->parentWidget(), static_cast<QWidget *>(finestra.Frame2));
    const QRect dovuto = Twips::PxRect(150 + 9 * 724, 240 + 8 * 724, 700, 700);
    QCOMPARE(cella->geometry(), dovuto);
    QVERIFY(finestra.Frame2->rect().contains(dovuto));

    const QImage foto = Rgb(finestra.grab().toImage());
    Fotografa(&finestra, QStringLiteral("hidpi-%1").arg(m_scala));

    // The picture has the scale's device pixels: twice the size at 2.
    const QSize attesa = finestra.size() * m_scala;
    QVERIFY2(qAbs(foto.width() - attesa.width()) <= 1 && qAbs(foto.height() - attesa.height()) <= 1,
             qPrintable(QStringLiteral("%1 x %2").arg(foto.width()).arg(foto.height())));
    if (m_scala == 2)
        QCOMPARE(foto.size(), Twips::PxSize(12375, 8385) * 2);

    // Cell 90 is painted where its twips put it, scaled: its fill is the cell less its
    // one-pixel border.
    const QRect nellaFinestra(cella->mapTo(&finestra, QPoint(0, 0)), cella->size());
    const QRectF interno = QRectF(nellaFinestra.adjusted(1, 1, -1, -1));
    const QRectF atteso(interno.topLeft() * m_scala, interno.size() * m_scala);
    const QRect zona = atteso.toAlignedRect().adjusted(-8, -8, 8, 8);
    const QRect riempito = Riquadro(foto, zona, Selezionato);
    QVERIFY2(!riempito.isEmpty(), "cell 90 not painted selected");
    const auto vicino = [](qreal a, int b) { return std::abs(a - b) <= 1.0; };
    QVERIFY2(vicino(atteso.left(), riempito.left()) && vicino(atteso.top(), riempito.top())
                 && vicino(atteso.right(), riempito.right() + 1) && vicino(atteso.bottom(), riempito.bottom() + 1),
             qPrintable(QStringLiteral("fill at %1,%2 %3x%4, expected %5,%6 %7x%8")
                            .arg(riempito.x()).arg(riempito.y()).arg(riempito.width()).arg(riempito.height())
                            .arg(atteso.x()).arg(atteso.y()).arg(atteso.width()).arg(atteso.height())));

    // Sharp: the fill's outermost rows and columns are the fill colour from end to end, as
    // they are when the window is painted at this scale; a picture painted small and
    // enlarged would blend them with the border.
    QVERIFY(TuttoDelColore(foto, QRect(riempito.left(), riempito.top(), riempito.width(), 1), Selezionato));
    QVERIFY(TuttoDelColore(foto, QRect(riempito.left(), riempito.bottom(), riempito.width(), 1), Selezionato));
    QVERIFY(TuttoDelColore(foto, QRect(riempito.left(), riempito.top(), 1, riempito.height()), Selezionato));
    QVERIFY(TuttoDelColore(foto, QRect(riempito.right(), riempito.top(), 1, riempito.height()), Selezionato));

    // The number is drawn at the scale too: its ink stays inside the cell, in its middle.
    const QRect inchiostro = Riquadro(foto, riempito, qRgb(255, 255, 255));
    QVERIFY(!inchiostro.isEmpty());
    QVERIFY(qAbs(inchiostro.center().x() - riempito.center().x()) <= 2 * m_scala);
    QVERIFY(inchiostro.height() >= riempito.height() / 4);

    gMessaggio.clear();
    mDichiarazioni::Azzera();
}

void tst_HiDpi::immaginiDeiDialoghi()
{
    mDichiarazioni::Azzera();
    gMessaggio = QStringLiteral("Prova");
    gPulsanti = QStringLiteral("OK");
    gInformazione = QStringLiteral("Prova");

    frmMessage messaggio;
    frmInfo info;
    const auto verifica = [this](QLabel *immagine, const QString &nome, QSize logica) {
        const QPixmap pixmap = immagine->pixmap();
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.deviceIndependentSize().toSize(), logica);
        QCOMPARE(pixmap.devicePixelRatio(), m_scala);
        QCOMPARE(pixmap.size(), (QSizeF(logica) * m_scala).toSize());
        // At 1 the picture is the 1x file as it is, at 2 the @2x file as it is: drawn for
        // the scale, never enlarged.
        if (m_scala == 1)
            QVERIFY(ComeDisegnata(pixmap.toImage(), QImage(QStringLiteral(":/%1.png").arg(nome))));
        if (m_scala == 2)
            QVERIFY(ComeDisegnata(pixmap.toImage(), QImage(QStringLiteral(":/%1@2x.png").arg(nome))));
    };
    verifica(messaggio.Image1, QStringLiteral("banner"), QSize(160, 40));
    verifica(info.Image1, QStringLiteral("ombrazio"), QSize(48, 48));
}

QTEST_MAIN(tst_HiDpi)
#include "tst_hidpi.moc"
