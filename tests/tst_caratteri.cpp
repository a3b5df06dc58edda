// The faces the windows are drawn with: the stand-ins of the substitution table where the
// designed faces are missing, the designed faces themselves where they are installed.

#include "app/Caratteri.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

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

} // namespace

class tst_Caratteri : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Caratteri::RegistraSostituzioni(); }
    void sostitutiPrevisti_data();
    void sostitutiPrevisti();
    void frecceDegliStepper();
    void originaliPreferiti_data();
    void originaliPreferiti();
};

void tst_Caratteri::sostitutiPrevisti_data()
{
    QTest::addColumn<QString>("originale");
    QTest::addColumn<QString>("sostituto");
    QTest::newRow("Trebuchet MS") << Caratteri::TrebuchetMS << QStringLiteral("DejaVu Sans Condensed");
    QTest::newRow("Segoe UI") << Caratteri::SegoeUI << QStringLiteral("DejaVu Sans");
    QTest::newRow("Arial") << Caratteri::Arial << QStringLiteral("Liberation Sans");
    QTest::newRow("Courier New") << Caratteri::CourierNew << QStringLiteral("Liberation Mono");
}

void tst_Caratteri::sostitutiPrevisti()
{
    // With the Debian packages of tools/install-deps.sh and none of the designed faces,
    // each face is replaced by the first choice of the table, not by whatever the system
    // would pick for an unknown name.
    QFETCH(QString, originale);
    QFETCH(QString, sostituto);
    if (QFontDatabase::hasFamily(originale))
        QSKIP("the designed face is installed here");
    QCOMPARE(QFontInfo(Caratteri::Carattere(originale, 10)).family(), sostituto);
}

void tst_Caratteri::frecceDegliStepper()
{
    if (QFontDatabase::hasFamily(Caratteri::Webdings))
        QSKIP("Webdings is installed here");
    // Without Webdings the letter would show as a "4"; the Unicode triangle takes its place
    // in a face that has it.
    const Caratteri::Freccia freccia = Caratteri::FrecciaStepper(u'4', U'\u23F5', 14.25);
    QCOMPARE(freccia.testo, QString::fromUcs4(U"\u23F5", 1));
    QVERIFY(QFontMetrics(freccia.font).inFontUcs4(U'\u23F5'));
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
    const int id = QFontDatabase::addApplicationFontFromData(dati);
    QVERIFY(id >= 0);
    QVERIFY(QFontDatabase::applicationFontFamilies(id).contains(originale));
    QVERIFY(!QFont::substitutes(originale).isEmpty());

    QCOMPARE(QFontInfo(Caratteri::Carattere(originale, 10)).family(), originale);
    QVERIFY(QFontDatabase::removeApplicationFont(id));
    QVERIFY(QFontInfo(Caratteri::Carattere(originale, 10)).family() != originale);
}

QTEST_MAIN(tst_Caratteri)
#include "tst_caratteri.moc"
