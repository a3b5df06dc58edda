#pragma once
// The faces the windows are designed for, and the installed faces that stand in for them.

#include <QFont>
#include <QString>
#include <QStringList>

namespace Caratteri {

inline const QString SegoeUI = QStringLiteral("Segoe UI");
inline const QString TrebuchetMS = QStringLiteral("Trebuchet MS");
inline const QString Arial = QStringLiteral("Arial");
inline const QString CourierNew = QStringLiteral("Courier New");
inline const QString Webdings = QStringLiteral("Webdings");

// Registers the substitution table once; a face that is installed is used as it is.
void RegistraSostituzioni();

QFont Carattere(const QString &famiglia, qreal punti);

// The four arrows of the steppers.
enum class Direzione { IndietroDieci, Indietro, Avanti, AvantiDieci };

// How all four arrows are drawn, so that they always match one another: the Webdings
// letters where that face has all four; else the first set of Unicode arrows that one of
// `facce` holds entirely, the media triangles before the older pointers; else plain "<" and
// ">", which every face has. Never a glyph the face lacks, which would show as an empty box.
struct Frecce
{
    enum Insieme { LettereWebdings, Triangoli, Puntatori, Ascii } insieme = Ascii;
    QString famiglia;
};
Frecce ScegliFrecce(const QStringList &facce = {QStringLiteral("Symbola"), QStringLiteral("Segoe UI Symbol"),
                                                QStringLiteral("DejaVu Sans"), SegoeUI, Arial,
                                                QStringLiteral("Liberation Sans")});

struct Freccia
{
    QString testo;
    QFont font;
};
// The arrow as this machine draws it; the choice is made once.
Freccia FrecciaStepper(Direzione direzione, qreal punti);
Freccia FrecciaStepper(const Frecce &frecce, Direzione direzione, qreal punti);

} // namespace Caratteri
