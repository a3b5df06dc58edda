#pragma once
// The program's windows besides the main one: a title bar with its system menu and close
// box, no resizing (not even by the frame on Windows), modal, in the windows' face and with
// the program's icon. Their controls, and the main window's groups, stand in etched frames.

#include <QDialog>
#include <QRect>
#include <QString>

class QFrame;

namespace FinestraFissa {

inline constexpr Qt::WindowFlags Bandiere = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                            | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                                            | Qt::MSWindowsFixedSizeDialogHint;

// Its object name and its client area, in twips.
void Prepara(QDialog &finestra, const QString &nome, int larghezza, int altezza);

// An etched frame without caption, at `twips` in its container.
QFrame *Cornice(QWidget *contenitore, const QRect &twips);

} // namespace FinestraFissa
