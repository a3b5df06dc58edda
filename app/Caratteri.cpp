#include "app/Caratteri.h"

#include <QFontDatabase>
#include <QRawFont>
#include <QStringList>

#include <array>

namespace Caratteri {

void RegistraSostituzioni()
{
    // Liberation fonts are metric twins of Arial and Courier New. Trebuchet MS is a
    // narrow humanist sans: DejaVu Sans Condensed keeps its look and, unlike the wider
    // faces, lets "SELEZIONATI" fit its label. Segoe UI is closest to DejaVu Sans. Last
    // come the faces that Wine ships, for a Windows system with none of the others.
    const QString tahoma = QStringLiteral("Tahoma");
    QFont::insertSubstitutions(TrebuchetMS,
                               {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans"), tahoma});
    QFont::insertSubstitutions(SegoeUI, {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), tahoma});
    QFont::insertSubstitutions(Arial, {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"), tahoma});
    QFont::insertSubstitutions(CourierNew,
                               {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Courier")});
}

QFont Carattere(const QString &famiglia, qreal punti)
{
    QFont font(famiglia);
    font.setPointSizeF(punti);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

namespace {

// Each arrow in each set, by Direzione.
using Testi = std::array<const char16_t *, 4>;
constexpr std::array<Testi, 4> TestiFrecce{{
    {u"7", u"3", u"4", u"8"},
    {u"\u23EA", u"\u23F4", u"\u23F5", u"\u23E9"},
    {u"\u25C4\u25C4", u"\u25C4", u"\u25BA", u"\u25BA\u25BA"},
    {u"<<", u"<", u">", u">>"},
}};

// The face itself holds every character of the set: no fallback to another face counts.
bool HaTutte(const QString &famiglia, const Testi &testi)
{
    if (!QFontDatabase::hasFamily(famiglia))
        return false;
    const QRawFont font = QRawFont::fromFont(QFont(famiglia));
    if (font.familyName().compare(famiglia, Qt::CaseInsensitive) != 0)
        return false;
    for (const char16_t *testo : testi) {
        for (char32_t c : QString::fromUtf16(testo).toUcs4()) {
            if (!font.supportsCharacter(c))
                return false;
        }
    }
    return true;
}

} // namespace

Frecce ScegliFrecce(const QStringList &facce)
{
    // A Webdings without all four (Wine ships one) would mix two looks in one stepper.
    if (HaTutte(Webdings, TestiFrecce[Frecce::LettereWebdings]))
        return {Frecce::LettereWebdings, Webdings};
    for (const Frecce::Insieme insieme : {Frecce::Triangoli, Frecce::Puntatori}) {
        for (const QString &famiglia : facce) {
            if (HaTutte(famiglia, TestiFrecce[insieme]))
                return {insieme, famiglia};
        }
    }
    return {Frecce::Ascii, SegoeUI};
}

Freccia FrecciaStepper(const Frecce &frecce, Direzione direzione, qreal punti)
{
    return {QString::fromUtf16(TestiFrecce[frecce.insieme][std::size_t(direzione)]),
            Carattere(frecce.famiglia, punti)};
}

Freccia FrecciaStepper(Direzione direzione, qreal punti)
{
    static const Frecce frecce = ScegliFrecce();
    return FrecciaStepper(frecce, direzione, punti);
}

} // namespace Caratteri
