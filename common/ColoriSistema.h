#pragma once
// Colours as 32-bit words 0x00BBGGRR, or 0x80000000 + n for system colour n, which is
// taken from the palette when the widget paints, so it follows the desktop.

#include <QColor>
#include <QPalette>
#include <QtGlobal>

class QWidget;

namespace ColoriSistema {

constexpr quint32 Sistema = 0x80000000u;
constexpr quint32 Menu = Sistema + 4;
constexpr quint32 Finestra = Sistema + 5;
constexpr quint32 TestoFinestra = Sistema + 8;
constexpr quint32 FacciaPulsante = Sistema + 15;
constexpr quint32 TestoPulsante = Sistema + 18;

constexpr quint32 Rgb(int rosso, int verde, int blu)
{
    return quint32(rosso) | (quint32(verde) << 8) | (quint32(blu) << 16);
}

bool DiSistema(quint32 colore);
QPalette::ColorRole Ruolo(quint32 coloreDiSistema);
QColor Risolvi(quint32 colore, const QPalette &palette);

// Sets a widget's back and fore colours: system colours as palette roles, others as fixed colours.
void Applica(QWidget *widget, quint32 sfondo, quint32 testo);

} // namespace ColoriSistema
