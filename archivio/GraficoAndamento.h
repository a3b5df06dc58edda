#pragma once
// The running balance of a replay drawn as a curve: the chosen draws by date across, the
// euro won less the euro spent up to each of them upwards, the zero line, and a mark where a
// line paid, coloured by the tier it reached. Ctrl+C copies it as an image.

#include "archivio/Archivio.h"

#include <QWidget>

#include <array>
#include <utility>
#include <vector>

class GraficoAndamento : public QWidget
{
    Q_OBJECT

public:
    explicit GraficoAndamento(QWidget *parent = nullptr);

    void Imposta(std::vector<Archivio::PuntoAndamento> punti);
    const std::vector<Archivio::PuntoAndamento> &Punti() const { return m_punti; }

    // Where the data are drawn, inside the axes' labels; and the euro at its bottom and top,
    // in cents, round figures that hold zero and every point.
    QRectF AreaDati() const;
    std::pair<qint64, qint64> Intervallo() const { return m_intervallo; }
    // The colour a tier's mark is drawn in, estratto to cinquina.
    static QColor ColoreSorte(int sorte);

    // The picture Ctrl+C copies: the widget as it is drawn.
    QImage Immagine();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;

private:
    void Disegna(QPainter &p);
    // The euro between two ticks of the vertical axis, in cents: 1, 2 or 5 times a power of ten.
    qint64 Passo() const;

    std::vector<Archivio::PuntoAndamento> m_punti;
    std::pair<qint64, qint64> m_intervallo{0, 100};
};
