#include "common/Etichetta.h"

#include "common/ColoriSistema.h"
#include "common/Twips.h"

#include <QMouseEvent>

Etichetta::Etichetta(QWidget *parent)
    : QLabel(parent)
{
    // Captions are text as typed, never markup.
    setTextFormat(Qt::PlainText);
    ImpostaColori(ColoriSistema::FacciaPulsante, ColoriSistema::TestoPulsante);
    ImpostaTrasparente(false);
}

void Etichetta::ImpostaGeometria(const QRect &twips)
{
    m_twips = twips;
    setGeometry(Twips::PxRect(twips));
}

void Etichetta::ImpostaColori(quint32 sfondo, quint32 testo)
{
    m_sfondo = sfondo;
    m_testo = testo;
    ColoriSistema::Applica(this, sfondo, testo);
}

void Etichetta::ImpostaBordo(bool bordo)
{
    if (bordo) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(1);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
}

void Etichetta::ImpostaTrasparente(bool trasparente)
{
    setAutoFillBackground(!trasparente);
}

void Etichetta::CopiaAspetto(const Etichetta &modello)
{
    setFont(modello.font());
    setAlignment(modello.alignment());
    ImpostaBordo(modello.Bordo());
    ImpostaTrasparente(modello.Trasparente());
    ImpostaColori(modello.BackColor(), modello.ForeColor());
    ImpostaGeometria(modello.Geometria());
    setText(modello.text());
    setToolTip(modello.toolTip());
}

void Etichetta::mousePressEvent(QMouseEvent *event)
{
    m_premuto = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void Etichetta::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release on the same label, as with a button.
    const bool click = m_premuto && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_premuto = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}
