#include "stampa/Stampa.h"

#include "common/Caratteri.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace Stampa {

QFont Carattere()
{
    return Caratteri::Carattere(Caratteri::CourierNew, 10);
}

QMarginsF Margini()
{
    return QMarginsF(15, 15, 15, 15);
}

QPageLayout PaginaA4()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, Margini(), QPageLayout::Millimeter);
}

Foglio FoglioDi(const QFont &carattere, const QPagedPaintDevice &dispositivo)
{
    // As the painter will measure it: at the device's own resolution.
    const QFontMetricsF misure(carattere, &dispositivo);
    Foglio foglio;
    foglio.colonne = int(std::floor(dispositivo.width() / misure.horizontalAdvance(u'0')));
    foglio.righe = int(std::floor(dispositivo.height() / misure.lineSpacing()));
    return foglio;
}

bool Disegna(QPagedPaintDevice &dispositivo, const QStringList &intestazione, const std::vector<Voce> &voci,
             const Avanza &avanza)
{
    const QFont carattere = Carattere();
    const std::vector<Pagina> pagine = Impagina(intestazione, voci, FoglioDi(carattere, dispositivo));
    QPainter pittore;
    if (!pittore.begin(&dispositivo))
        return false;
    pittore.setFont(carattere);
    const QFontMetricsF misure(carattere, &dispositivo);
    const qreal larghezza = misure.horizontalAdvance(u'0');
    const qreal altezza = misure.lineSpacing();
    for (std::size_t p = 0; p < pagine.size(); ++p) {
        if (p > 0 && !dispositivo.newPage())
            return false;
        for (const Pezzo &pezzo : pagine[p].pezzi)
            pittore.drawText(QPointF(pezzo.colonna * larghezza, pezzo.riga * altezza + misure.ascent()), pezzo.testo);
        if (avanza && !avanza(int(p) + 1, int(pagine.size()))) {
            pittore.end();
            return false;
        }
    }
    return pittore.end();
}

QByteArray Pdf(const QStringList &intestazione, const std::vector<Voce> &voci, const Avanza &avanza)
{
    QByteArray dati;
    {
        QBuffer buffer(&dati);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("Ombrazio"));
        pdf.setPageLayout(PaginaA4());
        if (!Disegna(pdf, intestazione, voci, avanza))
            return QByteArray();
    }
    return dati;
}

} // namespace Stampa
