#include "common/Caratteri.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QRawFont>
#include <QStringList>

#include <algorithm>
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

namespace {

QString CercaFaccia(const QString &famiglia)
{
    // The font database's own list: asking it for a name it lacks would resolve that name
    // through the system's aliases and fallbacks for every font made with it.
    const QStringList installate = QFontDatabase::families();
    const auto installata = [&installate](const QString &nome) {
        return std::find_if(installate.cbegin(), installate.cend(),
                            [&nome](const QString &f) { return f.compare(nome, Qt::CaseInsensitive) == 0; });
    };
    if (installata(famiglia) != installate.cend())
        return famiglia;
    // The table keeps its names in lower case; the database's spelling is the face's own.
    const QStringList sostituti = QFont::substitutes(famiglia);
    for (const QString &sostituto : sostituti) {
        const auto trovata = installata(sostituto);
        if (trovata != installate.cend())
            return *trovata;
    }
    return famiglia;
}

} // namespace

QString Faccia(const QString &famiglia)
{
    // Looked up once per face. Fonts added or removed while the program runs (an
    // application font) start the lookups afresh.
    static QHash<QString, QString> trovate;
    static const QMetaObject::Connection azzera =
        QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, [] { trovate.clear(); });
    Q_UNUSED(azzera);
    auto it = trovate.constFind(famiglia);
    if (it == trovate.cend())
        it = trovate.insert(famiglia, CercaFaccia(famiglia));
    return *it;
}

QFont Carattere(const QString &famiglia, qreal punti)
{
    QFont font(Faccia(famiglia));
    font.setPointSizeF(punti);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

QFont CarattereFisso(const QString &famiglia, qreal punti)
{
    QFont font = Carattere(famiglia, punti);
    font.setStyleStrategy(QFont::NoFontMerging);
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
// `installate` is the font database's list: asking it by name would resolve each name
// through the system's aliases, a cost the first frame should not wait for.
bool HaTutte(const QStringList &installate, const QString &famiglia, const Testi &testi)
{
    if (!installate.contains(famiglia, Qt::CaseInsensitive))
        return false;
    // At the arrows' own size, so that the face loaded here is the one they are drawn with.
    const QRawFont font = QRawFont::fromFont(Carattere(famiglia, PuntiFrecce));
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
    const QStringList installate = QFontDatabase::families();
    // A Webdings without all four (Wine ships one) would mix two looks in one stepper.
    if (HaTutte(installate, Webdings, TestiFrecce[Frecce::LettereWebdings]))
        return {Frecce::LettereWebdings, Webdings};
    for (const Frecce::Insieme insieme : {Frecce::Triangoli, Frecce::Puntatori}) {
        for (const QString &famiglia : facce) {
            if (HaTutte(installate, famiglia, TestiFrecce[insieme]))
                return {insieme, famiglia};
        }
    }
    return {Frecce::Ascii, SegoeUI};
}

Freccia FrecciaStepper(const Frecce &frecce, Direzione direzione, qreal punti)
{
    return {QString::fromUtf16(TestiFrecce[frecce.insieme][std::size_t(direzione)]),
            CarattereFisso(frecce.famiglia, punti)};
}

Freccia FrecciaStepper(Direzione direzione, qreal punti)
{
    static const Frecce frecce = ScegliFrecce();
    return FrecciaStepper(frecce, direzione, punti);
}

} // namespace Caratteri
