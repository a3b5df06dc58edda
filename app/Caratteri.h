#pragma once
// The faces the windows are designed for, and the installed faces that stand in for them.

#include <QFont>
#include <QString>

namespace Caratteri {

inline const QString SegoeUI = QStringLiteral("Segoe UI");
inline const QString TrebuchetMS = QStringLiteral("Trebuchet MS");
inline const QString Arial = QStringLiteral("Arial");
inline const QString CourierNew = QStringLiteral("Courier New");
inline const QString Webdings = QStringLiteral("Webdings");

// Registers the substitution table once; a face that is installed is used as it is.
void RegistraSostituzioni();

QFont Carattere(const QString &famiglia, qreal punti);

// The stepper arrows: the Webdings letter where that face exists, else the Unicode glyph
// in a face that has it.
struct Freccia
{
    QString testo;
    QFont font;
};
Freccia FrecciaStepper(QChar letteraWebdings, char32_t glifo, qreal punti);

} // namespace Caratteri
