// The faces the windows are drawn with: the stand-ins of the substitution table where the
// designed faces are missing, the designed faces themselves where they are installed.

#include "common/Caratteri.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTest>
#include <QTextLayout>

#include <algorithm>

namespace {

// A copy of an installed font whose names read `nuovo` instead of `vecchio` (same length,
// so that no table moves): a face called, say, "Trebuchet MS" without shipping that face.
QByteArray Rinominato(const QString &file, const QByteArray &vecchio, const QByteArray &nuovo)
{
    Q_ASSERT(vecchio.size() == nuovo.size());
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray dati = f.readAll();
    const auto utf16 = [](const QByteArray &latin1) {
        QByteArray b;
        for (char c : latin1)
            b.append('\0').append(c);
        return b;
    };
    dati.replace(vecchio, nuovo);
    dati.replace(utf16(vecchio), utf16(nuovo));
    return dati;
}

// Every glyph of `testo`, laid out as a label lays it out, comes from `famiglia` itself and
// none is the empty box a face draws for a character it lacks.
bool DisegnataDa(const QString &testo, const QFont &font, const QString &famiglia)
{
    QTextLayout layout(testo, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.isEmpty())
        return false;
    for (const QGlyphRun &run : runs) {
        if (run.rawFont().familyName().compare(famiglia, Qt::CaseInsensitive) != 0)
            return false;
        const QList<quint32> glifi = run.glyphIndexes();
        if (glifi.isEmpty() || glifi.contains(0))
            return false;
    }
    return true;
}

const QList<Caratteri::Direzione> Direzioni{Caratteri::Direzione::IndietroDieci, Caratteri::Direzione::Indietro,
                                            Caratteri::Direzione::Avanti, Caratteri::Direzione::AvantiDieci};

bool WebdingsCompleto()
{
    const QFont webdings(Caratteri::Webdings);
    return QFontDatabase::hasFamily(Caratteri::Webdings)
        && DisegnataDa(QStringLiteral("7348"), webdings, Caratteri::Webdings);
}

} // namespace

class tst_Caratteri : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Caratteri::RegistraSostituzioni(); }
    void sostitutiPrevisti_data();
    void sostitutiPrevisti();
    void frecceDegliStepper_data();
    void frecceDegliStepper();
    void webdingsIncompleto();
    void originaliPreferiti_data();
    void originaliPreferiti();
};

void tst_Caratteri::sostitutiPrevisti_data()
{
    // The stand-ins in the table's order. A font database that files the condensed face
    // under "DejaVu Sans" (FreeType's typographic names, as Qt's offscreen platform on
    // Windows reads them) has no "DejaVu Sans Condensed": the next choice serves there.
    QTest::addColumn<QString>("originale");
    QTest::addColumn<QStringList>("sostituti");
    QTest::newRow("Trebuchet MS") << Caratteri::TrebuchetMS
                                  << QStringList{"DejaVu Sans Condensed", "Liberation Sans", "Tahoma"};
    QTest::newRow("Segoe UI") << Caratteri::SegoeUI << QStringList{"DejaVu Sans", "Liberation Sans", "Tahoma"};
    QTest::newRow("Arial") << Caratteri::Arial << QStringList{"Liberation Sans", "DejaVu Sans", "Tahoma"};
    QTest::newRow("Courier New") << Caratteri::CourierNew
                                 << QStringList{"Liberation Mono", "DejaVu Sans Mono", "Courier"};
}

void tst_Caratteri::sostitutiPrevisti()
{
    // Where the designed face is missing, it is replaced by the first stand-in of the table
    // that is installed, not by whatever the system would pick for an unknown name.
    QFETCH(QString, originale);
    QFETCH(QStringList, sostituti);
    if (QFontDatabase::hasFamily(originale))
        QSKIP("the designed face is installed here");
    const auto installato = std::find_if(sostituti.cbegin(), sostituti.cend(),
                                         [](const QString &f) { return QFontDatabase::hasFamily(f); });
    if (installato == sostituti.cend())
        QSKIP("none of the stand-ins is installed here");
    QCOMPARE(QFontInfo(Caratteri::Carattere(originale, 10)).family(), *installato);
}

void tst_Caratteri::frecceDegliStepper_data()
{
    QTest::addColumn<QStringList>("facce");
    QTest::addColumn<int>("insieme");
    QTest::newRow("the faces of the table") << QStringList{QStringLiteral("Symbola"), QStringLiteral("DejaVu Sans")}
                                            << int(Caratteri::Frecce::Triangoli);
    QTest::newRow("no face with the media triangles")
        << QStringList{QStringLiteral("Liberation Mono"), QStringLiteral("Liberation Sans")}
        << int(Caratteri::Frecce::Puntatori);
    QTest::newRow("no face with any arrow") << QStringList{QStringLiteral("Nessuna Faccia Simile")}
                                            << int(Caratteri::Frecce::Ascii);
}

void tst_Caratteri::frecceDegliStepper()
{
    // Where Webdings has all four letters it draws them whatever else is installed.
    QFETCH(QStringList, facce);
    QFETCH(int, insieme);
    const Caratteri::Frecce frecce = Caratteri::ScegliFrecce(facce);
    if (WebdingsCompleto())
        insieme = Caratteri::Frecce::LettereWebdings;
    else if (insieme == Caratteri::Frecce::Triangoli && !QFontDatabase::hasFamily(QStringLiteral("Symbola")))
        QSKIP("fonts-symbola is not installed");
    QCOMPARE(int(frecce.insieme), insieme);
    for (Caratteri::Direzione direzione : Direzioni) {
        const Caratteri::Freccia freccia = Caratteri::FrecciaStepper(frecce, direzione, 14.25);
        QVERIFY2(DisegnataDa(freccia.testo, freccia.font, QFontInfo(freccia.font).family()),
                 qPrintable(freccia.testo + QStringLiteral(" in ") + QFontInfo(freccia.font).family()));
    }
    // The window's own choice draws every arrow from its face too.
    for (Caratteri::Direzione direzione : Direzioni) {
        const Caratteri::Freccia freccia = Caratteri::FrecciaStepper(direzione, 14.25);
        QVERIFY(DisegnataDa(freccia.testo, freccia.font, QFontInfo(freccia.font).family()));
    }
}

void tst_Caratteri::webdingsIncompleto()
{
    // Wine's Webdings has the single arrows "3" and "4" but not the double "7" and "8".
    int id = -1;
    if (!QFontDatabase::hasFamily(Caratteri::Webdings)) {
        id = QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/webdings.ttf"));
        if (id < 0)
            QSKIP("neither Webdings nor Wine's fonts are installed here");
    }
    if (WebdingsCompleto())
        QSKIP("the Webdings here has every arrow");
    QVERIFY(DisegnataDa(QStringLiteral("3"), QFont(Caratteri::Webdings), Caratteri::Webdings));
    const Caratteri::Frecce frecce = Caratteri::ScegliFrecce();
    QVERIFY(frecce.insieme != Caratteri::Frecce::LettereWebdings);
    for (Caratteri::Direzione direzione : Direzioni) {
        const Caratteri::Freccia freccia = Caratteri::FrecciaStepper(frecce, direzione, 14.25);
        QVERIFY(DisegnataDa(freccia.testo, freccia.font, QFontInfo(freccia.font).family()));
    }
    if (id >= 0)
        QVERIFY(QFontDatabase::removeApplicationFont(id));
}

void tst_Caratteri::originaliPreferiti_data()
{
    QTest::addColumn<QString>("originale");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("nomeNelFile");
    const QString dejavu = QStringLiteral("/usr/share/fonts/truetype/dejavu/");
    QTest::newRow("Trebuchet MS") << Caratteri::TrebuchetMS << dejavu + QStringLiteral("DejaVuSerif.ttf")
                                  << QStringLiteral("DejaVu Serif");
    QTest::newRow("Courier New") << Caratteri::CourierNew << dejavu + QStringLiteral("DejaVuSans.ttf")
                                 << QStringLiteral("DejaVu Sans");
}

void tst_Caratteri::originaliPreferiti()
{
    // A machine that has the designed face: the table must not push it aside.
    QFETCH(QString, originale);
    QFETCH(QString, file);
    QFETCH(QString, nomeNelFile);
    const QByteArray dati = Rinominato(file, nomeNelFile.toLatin1(), originale.toLatin1());
    if (dati.isEmpty())
        QSKIP("fonts-dejavu-core is not installed");
    if (QFontDatabase::hasFamily(originale))
        QSKIP("the designed face is installed here");
    QVERIFY(QFontInfo(Caratteri::Carattere(originale, 10)).family() != originale);
    const int id = QFontDatabase::addApplicationFontFromData(dati);
    QVERIFY(id >= 0);
    QVERIFY(QFontDatabase::applicationFontFamilies(id).contains(originale));
    QVERIFY(!QFont::substitutes(originale).isEmpty());

    QCOMPARE(QFontInfo(Caratteri::Carattere(originale, 10)).family(), originale);
    QVERIFY(QFontDatabase::removeApplicationFont(id));
}

QTEST_MAIN(tst_Caratteri)
#include "tst_caratteri.moc"
