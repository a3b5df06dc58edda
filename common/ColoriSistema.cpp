#include "common/ColoriSistema.h"

#include <QWidget>

namespace ColoriSistema {

bool DiSistema(quint32 colore)
{
    return (colore & Sistema) != 0;
}

QPalette::ColorRole Ruolo(quint32 coloreDiSistema)
{
    switch (coloreDiSistema & ~Sistema) {
    case 4: // menu
        return QPalette::Window;
    case 5: // window background
        return QPalette::Base;
    case 8: // window text
        return QPalette::WindowText;
    case 15: // button face
        return QPalette::Button;
    case 18: // button text
        return QPalette::ButtonText;
    default:
        return QPalette::Window;
    }
}

QColor Risolvi(quint32 colore, const QPalette &palette)
{
    if (DiSistema(colore))
        return palette.color(Ruolo(colore));
    return QColor(int(colore & 0xFF), int((colore >> 8) & 0xFF), int((colore >> 16) & 0xFF));
}

void Applica(QWidget *widget, quint32 sfondo, quint32 testo)
{
    // Fixed colours live in roles the widget does not otherwise use, and only they are set
    // explicitly: every other role keeps following the desktop's palette.
    QPalette palette;
    palette.setResolveMask(0);
    QPalette::ColorRole ruoloSfondo = QPalette::Window;
    QPalette::ColorRole ruoloTesto = QPalette::WindowText;
    if (DiSistema(sfondo)) {
        ruoloSfondo = Ruolo(sfondo);
    } else {
        ruoloSfondo = QPalette::AlternateBase;
        palette.setColor(ruoloSfondo, Risolvi(sfondo, widget->palette()));
    }
    if (DiSistema(testo)) {
        ruoloTesto = Ruolo(testo);
    } else {
        ruoloTesto = QPalette::BrightText;
        palette.setColor(ruoloTesto, Risolvi(testo, widget->palette()));
    }
    widget->setPalette(palette);
    widget->setBackgroundRole(ruoloSfondo);
    widget->setForegroundRole(ruoloTesto);
}

} // namespace ColoriSistema
