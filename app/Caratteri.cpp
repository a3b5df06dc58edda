#include "app/Caratteri.h"

#include <QFontDatabase>
#include <QStringList>

namespace Caratteri {

namespace {

const QString &FacciaSimboli()
{
    static const QString symbola = QStringLiteral("Symbola");
    return symbola;
}

} // namespace

void RegistraSostituzioni()
{
    // Liberation fonts are metric twins of Arial and Courier New. Trebuchet MS is a
    // narrow humanist sans: DejaVu Sans Condensed keeps its look and, unlike the wider
    // faces, lets "SELEZIONATI" fit its label. Segoe UI is closest to DejaVu Sans.
    QFont::insertSubstitutions(TrebuchetMS, {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(SegoeUI, {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(Arial, {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(CourierNew, {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    QFont::insertSubstitutions(Webdings, {FacciaSimboli(), QStringLiteral("DejaVu Sans")});
}

QFont Carattere(const QString &famiglia, qreal punti)
{
    QFont font(famiglia);
    font.setPointSizeF(punti);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

Freccia FrecciaStepper(QChar letteraWebdings, char32_t glifo, qreal punti)
{
    if (QFontDatabase::hasFamily(Webdings))
        return {QString(letteraWebdings), Carattere(Webdings, punti)};
    QFont font = Carattere(FacciaSimboli(), punti);
    font.setFamilies({FacciaSimboli(), QStringLiteral("DejaVu Sans")});
    return {QString::fromUcs4(&glifo, 1), font};
}

} // namespace Caratteri
