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

// The face that draws `famiglia` here: itself where installed, else the first installed
// stand-in of the table, else the name as it is, for the system to match.
QString Faccia(const QString &famiglia);

QFont Carattere(const QString &famiglia, qreal punti);
// For the program's own fixed texts, whose every character the face has: no other face
// is looked up to draw what it might lack, which spares the start a search of them all.
// Text that the user types or picks keeps Carattere, with the fallback faces.
QFont CarattereFisso(const QString &famiglia, qreal punti);

// The four arrows of the steppers, and their size.
enum class Direzione { IndietroDieci, Indietro, Avanti, AvantiDieci };
constexpr qreal PuntiFrecce = 14.25;

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
