// The running balance's curve, grabbed: each mark, the curve between two draws, the zero line
// and the face where the data put them, worked out here from the data and the plot's area;
// at two sizes and in two palettes; and Ctrl+C's image.

#include "archivio/GraficoAndamento.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

// Twenty draws two or three days apart: 50 € spent at each, an ambo of 230 € at the 6th, a
// terno of 1.000 € at the 14th that lifts the balance above zero, a quaterna at the last.
std::vector<Archivio::PuntoAndamento> Punti()
{
    std::vector<Archivio::PuntoAndamento> punti;
    qint64 saldo = 0;
    QDate data(2026, 1, 3);
    for (int i = 0; i < 20; ++i) {
        Archivio::PuntoAndamento p;
        p.data = data;
        saldo -= 5000;
        if (i == 5) {
            saldo += 23000;
            p.sorte = 2;
        } else if (i == 13) {
            saldo += 100000;
            p.sorte = 3;
        } else if (i == 19) {
            saldo += 120000;
            p.sorte = 4;
        }
        p.saldo = saldo;
        p.vinto = p.sorte > 0 ? 1 : 0;
        punti.push_back(p);
        data = data.addDays(i % 2 ? 2 : 3);
    }
    return punti;
}

// How far apart two colours are, channel by channel.
int Distanza(QColor a, QColor b)
{
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

// The closest any pixel within `raggio` of (x, y) comes to `colore`.
int Vicino(const QImage &immagine, QPointF punto, QColor colore, int raggio)
{
    const double scala = immagine.devicePixelRatio();
    const int cx = int(std::floor(punto.x() * scala));
    const int cy = int(std::floor(punto.y() * scala));
    int migliore = 255;
    for (int dy = -raggio; dy <= raggio; ++dy) {
        for (int dx = -raggio; dx <= raggio; ++dx) {
            if (immagine.valid(cx + dx, cy + dy))
                migliore = std::min(migliore, Distanza(immagine.pixelColor(cx + dx, cy + dy), colore));
        }
    }
    return migliore;
}

} // namespace

class tst_GraficoAndamento : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { grafico.reset(); }

    void dove_data();
    void dove();
    void intervallo();
    void copia();
    void vuoto();

private:
    std::unique_ptr<GraficoAndamento> grafico;
};

void tst_GraficoAndamento::init()
{
    grafico = std::make_unique<GraficoAndamento>();
    grafico->Imposta(Punti());
}

void tst_GraficoAndamento::dove_data()
{
    QTest::addColumn<QSize>("dimensione");
    QTest::addColumn<bool>("scuro");
    QTest::newRow("at its preferred size") << QSize(640, 320) << false;
    QTest::newRow("wide and low, dark") << QSize(900, 220) << true;
    QTest::newRow("narrow and tall") << QSize(360, 480) << false;
}

void tst_GraficoAndamento::dove()
{
    QFETCH(QSize, dimensione);
    QFETCH(bool, scuro);
    QPalette colori = grafico->palette();
    if (scuro) {
        colori.setColor(QPalette::Base, QColor(20, 20, 30));
        colori.setColor(QPalette::Text, QColor(230, 230, 230));
        colori.setColor(QPalette::Highlight, QColor(250, 220, 40));
        grafico->setPalette(colori);
    }
    grafico->resize(dimensione);
    const QImage immagine = grafico->grab().toImage();
    QCOMPARE(immagine.size(), dimensione * immagine.devicePixelRatio());
    const QRectF area = grafico->AreaDati();
    QVERIFY(QRectF(grafico->rect()).contains(area));
    const qint64 basso = grafico->Intervallo().first;
    const qint64 alto = grafico->Intervallo().second;
    const std::vector<Archivio::PuntoAndamento> punti = Punti();
    // Dates across in proportion to the days between them; cents upwards in proportion.
    const qint64 giorni = punti.front().data.daysTo(punti.back().data);
    const auto dove = [&](const QDate &data, qint64 centesimi) {
        return QPointF(area.left() + area.width() * double(punti.front().data.daysTo(data)) / double(giorni),
                       area.bottom() - area.height() * double(centesimi - basso) / double(alto - basso));
    };

    // Each win's mark in its tier's colour, right where it is; none where nothing paid.
    for (const Archivio::PuntoAndamento &p : punti) {
        const QPointF centro = dove(p.data, p.saldo);
        if (p.sorte > 0)
            QVERIFY2(Vicino(immagine, centro, GraficoAndamento::ColoreSorte(p.sorte), 1) <= 8, qPrintable(p.data.toString()));
        for (int sorte = 2; sorte <= 4; ++sorte) {
            if (sorte != p.sorte)
                QVERIFY(Vicino(immagine, centro, GraficoAndamento::ColoreSorte(sorte), 1) > 40);
        }
    }
    // The curve halfway between two draws without a win, and no curve well above it.
    const QColor curva = colori.color(QPalette::Highlight);
    for (int i : {1, 9, 16}) {
        const QPointF a = dove(punti[std::size_t(i)].data, punti[std::size_t(i)].saldo);
        const QPointF b = dove(punti[std::size_t(i + 1)].data, punti[std::size_t(i + 1)].saldo);
        QVERIFY2(Vicino(immagine, (a + b) / 2, curva, 1) <= 40, qPrintable(QString::number(i)));
        QVERIFY(Vicino(immagine, (a + b) / 2 - QPointF(0, 12), curva, 2) > 80);
    }
    // The zero line, away from the curve: over the 12th draw, the balance well below it.
    const double zero = dove(punti.front().data, 0).y();
    QVERIFY(dove(punti[11].data, punti[11].saldo).y() - zero > 10);
    const QPointF sullaLinea(dove(punti[11].data, 0).x(), zero);
    QVERIFY(Vicino(immagine, sullaLinea, colori.color(QPalette::Text), 0) <= 40);
    // The face between the lines, in the palette's colour: low at the right, where the
    // balance is high, halfway between the bottom and the next tick.
    const QPointF vuoto(area.right() - 2, area.bottom() - area.height() / 8);
    QCOMPARE(immagine.pixelColor((vuoto * immagine.devicePixelRatio()).toPoint()), colori.color(QPalette::Base));
}

void tst_GraficoAndamento::intervallo()
{
    // Round figures around zero and every point: a step of 1, 2 or 5 times a power of ten
    // divides both ends, and no more than a step is left above and below.
    const auto [basso, alto] = grafico->Intervallo();
    qint64 minimo = 0;
    qint64 massimo = 0;
    for (const Archivio::PuntoAndamento &p : Punti()) {
        minimo = std::min(minimo, p.saldo);
        massimo = std::max(massimo, p.saldo);
    }
    QVERIFY(basso <= minimo && alto >= massimo);
    bool tondo = false;
    for (qint64 passo = 1; passo <= alto - basso && !tondo; passo *= 10) {
        for (qint64 f : {1, 2, 5}) {
            const qint64 p = f * passo;
            tondo = tondo || (basso % p == 0 && alto % p == 0 && minimo - basso < p && alto - massimo < p && (alto - basso) / p <= 10);
        }
    }
    QVERIFY2(tondo, qPrintable(QStringLiteral("%1 %2").arg(basso).arg(alto)));
}

void tst_GraficoAndamento::copia()
{
    grafico->resize(500, 300);
    grafico->show();
    QVERIFY(QTest::qWaitForWindowExposed(grafico.get()));
    grafico->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(grafico.get(), Qt::Key_C, Qt::ControlModifier);
    const QImage copiata = QApplication::clipboard()->image();
    const QImage grafica = grafico->grab().toImage();
    QCOMPARE(copiata.size(), grafica.size());
    QCOMPARE(copiata.convertToFormat(QImage::Format_ARGB32), grafica.convertToFormat(QImage::Format_ARGB32));
}

void tst_GraficoAndamento::vuoto()
{
    // Nothing to draw: the face and a word, never a curve.
    grafico->Imposta({});
    grafico->resize(300, 200);
    const QImage immagine = grafico->grab().toImage();
    const QColor curva = grafico->palette().color(QPalette::Highlight);
    for (int y = 0; y < immagine.height(); ++y) {
        for (int x = 0; x < immagine.width(); ++x)
            QVERIFY(Distanza(immagine.pixelColor(x, y), curva) > 30);
    }
}

QTEST_MAIN(tst_GraficoAndamento)
#include "tst_graficoandamento.moc"
