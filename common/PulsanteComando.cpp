#include "common/PulsanteComando.h"

#include "common/Caratteri.h"
#include "common/Twips.h"

#include <QStyleOptionButton>
#include <QStylePainter>

PulsanteComando::PulsanteComando(QWidget *parent)
    : QPushButton(parent)
{
    setAutoDefault(false);
    setDefault(false);
}

PulsanteComando::PulsanteComando(QWidget *parent, const QRect &twips, const QString &caption)
    : PulsanteComando(parent)
{
    ImpostaGeometria(twips);
    setFont(Caratteri::CarattereFisso(Caratteri::TrebuchetMS, 9));
    setText(caption);
    setAutoDefault(true);
}

void PulsanteComando::ImpostaGeometria(const QRect &twips)
{
    m_twips = twips;
    setGeometry(Twips::PxRect(twips));
}

void PulsanteComando::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton opzioni;
    initStyleOption(&opzioni);
    const QString testo = opzioni.text;
    opzioni.text.clear();
    painter.drawControl(QStyle::CE_PushButton, opzioni);

    QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &opzioni, this);
    if (isDown())
        area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &opzioni, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &opzioni, this));
    painter.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(), testo,
                         QPalette::ButtonText);
}
