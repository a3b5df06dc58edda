#include "archivio/GraficoAndamento.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int Margine = 8;
constexpr int TacchePreferite = 5;

// Whole euro where the ticks are whole euro: "1.250 €" reads quicker than "1.250,00 €".
QString EtichettaEuro(qint64 centesimi, qint64 passo)
{
    if (passo % 100 != 0)
        return Archivio::Euro(centesimi);
    return QLocale(QLocale::Italian, QLocale::Italy).toString(centesimi / 100) + QStringLiteral(" €");
}

} // namespace

GraficoAndamento::GraficoAndamento(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Andamento"));
    setToolTip(QStringLiteral("Ctrl+C copia il grafico come immagine"));
}

void GraficoAndamento::Imposta(std::vector<Archivio::PuntoAndamento> punti)
{
    m_punti = std::move(punti);
    qint64 basso = 0;
    qint64 alto = 0;
    for (const Archivio::PuntoAndamento &punto : m_punti) {
        basso = std::min(basso, punto.saldo);
        alto = std::max(alto, punto.saldo);
    }
    m_intervallo = {basso, alto};
    const qint64 passo = Passo();
    // Round figures at both ends, outside every point: floor and ceiling for either sign.
    const auto sotto = [passo](qint64 v) { return (v >= 0 ? v / passo : -((-v + passo - 1) / passo)) * passo; };
    const auto sopra = [passo](qint64 v) { return (v >= 0 ? (v + passo - 1) / passo : -(-v / passo)) * passo; };
    m_intervallo = {sotto(basso), std::max(sopra(alto), sotto(basso) + passo)};
    update();
}

qint64 GraficoAndamento::Passo() const
{
    // At least five euro high: a balance that never moves still gets its euro ticks.
    const qint64 ampiezza = std::max<qint64>(m_intervallo.second - m_intervallo.first, 500);
    qint64 potenza = 1;
    while (true) {
        for (qint64 fattore : {1, 2, 5}) {
            if (ampiezza <= fattore * potenza * TacchePreferite)
                return fattore * potenza;
        }
        potenza *= 10;
    }
}

QColor GraficoAndamento::ColoreSorte(int sorte)
{
    // Hues that stand out from each other on a light face and on a dark one.
    static const QColor colori[] = {QColor(0x8c, 0x56, 0x4b), QColor(0x2c, 0xa0, 0x2c), QColor(0xff, 0x7f, 0x0e),
                                    QColor(0xd6, 0x27, 0x28), QColor(0x94, 0x67, 0xbd)};
    return colori[std::clamp(sorte, 1, 5) - 1];
}

QRectF GraficoAndamento::AreaDati() const
{
    const QFontMetrics misure(font());
    const qint64 passo = Passo();
    int etichette = 0;
    for (qint64 v = m_intervallo.first; v <= m_intervallo.second; v += passo)
        etichette = std::max(etichette, misure.horizontalAdvance(EtichettaEuro(v, passo)));
    // A date's label is centred under its date: half of one fits on either side.
    const double mezzaData = misure.horizontalAdvance(QStringLiteral("00/00/0000")) / 2.0 + Margine;
    const double sinistra = std::max(Margine + etichette + Margine, int(mezzaData));
    const double sopra = Margine + misure.height() + Margine;
    const double sotto = Margine + misure.height() + Margine;
    return QRectF(sinistra, sopra, std::max(1.0, width() - sinistra - mezzaData),
                  std::max(1.0, height() - sopra - sotto));
}

QSize GraficoAndamento::sizeHint() const
{
    return QSize(640, 320);
}

QSize GraficoAndamento::minimumSizeHint() const
{
    return QSize(240, 140);
}

QImage GraficoAndamento::Immagine()
{
    return grab().toImage();
}

void GraficoAndamento::keyPressEvent(QKeyEvent *evento)
{
    if (evento->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setImage(Immagine());
        evento->accept();
        return;
    }
    QWidget::keyPressEvent(evento);
}

void GraficoAndamento::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    Disegna(p);
}

void GraficoAndamento::Disegna(QPainter &p)
{
    const QPalette &colori = palette();
    p.fillRect(rect(), colori.color(QPalette::Base));
    p.setPen(colori.color(QPalette::Text));
    if (m_punti.empty()) {
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Nessuna estrazione"));
        return;
    }
    const QRectF area = AreaDati();
    const QFontMetrics misure(font());
    const qint64 basso = m_intervallo.first;
    const qint64 alto = m_intervallo.second;
    const auto y = [&](qint64 v) { return area.bottom() - double(v - basso) / double(alto - basso) * area.height(); };
    const qint64 primo = m_punti.front().data.toJulianDay();
    const qint64 ultimo = m_punti.back().data.toJulianDay();
    const auto x = [&](const QDate &data) {
        return ultimo == primo ? area.center().x()
                               : area.left() + double(data.toJulianDay() - primo) / double(ultimo - primo) * area.width();
    };

    // The euro across, a faint line at each tick, the figure to its left.
    QColor griglia = colori.color(QPalette::Text);
    griglia.setAlpha(40);
    const qint64 passo = Passo();
    for (qint64 v = basso; v <= alto; v += passo) {
        const double riga = std::floor(y(v)) + 0.5;
        p.setPen(griglia);
        p.drawLine(QPointF(area.left(), riga), QPointF(area.right(), riga));
        p.setPen(colori.color(QPalette::Text));
        p.drawText(QRectF(0, riga - misure.height(), area.left() - Margine, 2 * misure.height()),
                   Qt::AlignRight | Qt::AlignVCenter, EtichettaEuro(v, passo));
    }
    // The dates below, spread evenly, as many as fit side by side: the years alone over a
    // long stretch.
    const bool anni = m_punti.back().data.year() - m_punti.front().data.year() >= 3;
    const QString forma = anni ? QStringLiteral("yyyy") : QStringLiteral("dd/MM/yyyy");
    const int larghezza = misure.horizontalAdvance(QStringLiteral("00/00/0000")) + 2 * Margine;
    const int date = ultimo == primo ? 1 : 1 + std::max(1, int(area.width()) / larghezza);
    for (int i = 0; i < date; ++i) {
        const double frazione = date == 1 ? 0.5 : double(i) / (date - 1);
        const QDate data = QDate::fromJulianDay(primo + qint64(std::llround(frazione * double(ultimo - primo))));
        const double dove = x(data);
        p.drawLine(QPointF(dove, area.bottom()), QPointF(dove, area.bottom() + Margine / 2));
        p.drawText(QRectF(dove - larghezza / 2.0, area.bottom() + Margine / 2, larghezza, misure.height() + Margine),
                   Qt::AlignHCenter | Qt::AlignTop, data.toString(forma));
    }

    // Zero: where the balance is even.
    const double zero = std::floor(y(0)) + 0.5;
    p.setPen(QPen(colori.color(QPalette::Text), 1));
    p.drawLine(QPointF(area.left(), zero), QPointF(area.right(), zero));

    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath curva;
    curva.moveTo(x(m_punti.front().data), y(m_punti.front().saldo));
    for (const Archivio::PuntoAndamento &punto : m_punti)
        curva.lineTo(x(punto.data), y(punto.saldo));
    p.strokePath(curva, QPen(colori.color(QPalette::Highlight), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    // The wins, the higher tiers larger and over the lower ones; the tiers shown named above.
    std::array<bool, 6> viste{};
    for (int sorte = 1; sorte <= 5; ++sorte) {
        for (const Archivio::PuntoAndamento &punto : m_punti) {
            if (punto.sorte != sorte)
                continue;
            viste[std::size_t(sorte)] = true;
            const double raggio = 2.5 + sorte;
            p.setPen(QPen(colori.color(QPalette::Base), 1));
            p.setBrush(ColoreSorte(sorte));
            p.drawEllipse(QPointF(x(punto.data), y(punto.saldo)), raggio, raggio);
        }
    }
    double legenda = area.left();
    for (int sorte = 1; sorte <= 5; ++sorte) {
        if (!viste[std::size_t(sorte)])
            continue;
        const double centro = Margine + misure.height() / 2.0;
        p.setPen(Qt::NoPen);
        p.setBrush(ColoreSorte(sorte));
        p.drawEllipse(QPointF(legenda + 5, centro), 5, 5);
        p.setPen(colori.color(QPalette::Text));
        const QString nome = Archivio::NomeSorte(sorte);
        p.drawText(QPointF(legenda + 14, Margine + misure.ascent()), nome);
        legenda += 14 + misure.horizontalAdvance(nome) + 2 * Margine;
    }
}
