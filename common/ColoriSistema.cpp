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
    // explicitly: every other role keeps following the desktop's palette. A widget in
    // system colours alone needs no palette of its own, which spares a palette change on
    // every cell of a new board.
    const bool fissi = !DiSistema(sfondo) || !DiSistema(testo);
    if (fissi || widget->testAttribute(Qt::WA_SetPalette)) {
        QPalette palette;
        palette.setResolveMask(0);
        if (!DiSistema(sfondo))
            palette.setColor(QPalette::AlternateBase, Risolvi(sfondo, widget->palette()));
        if (!DiSistema(testo))
            palette.setColor(QPalette::BrightText, Risolvi(testo, widget->palette()));
        widget->setPalette(palette);
    }
    widget->setBackgroundRole(DiSistema(sfondo) ? Ruolo(sfondo) : QPalette::AlternateBase);
    widget->setForegroundRole(DiSistema(testo) ? Ruolo(testo) : QPalette::BrightText);
}

} // namespace ColoriSistema
