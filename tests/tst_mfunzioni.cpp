#include "app/mDichiarazioni.h"
#include "common/mFunzioni.h"

#include <QTest>
#include <map>

using namespace mFunzioni;

namespace {

// A label stand-in: what VariaParametro shows, and whether it asked for a repaint.
struct DisplayFinto
{
    QString testo;
    int ridisegni = 0;
    void setText(const QString &t) { testo = t; }
    void repaint() { ++ridisegni; }
};

// A control array without widgets, to check the layout arithmetic alone.
class ArrayFinto : public ArrayControlli
{
public:
    struct Elemento
    {
        QRect geometria;
        bool visibile = false;
        QString caption;
        int davanti = 0;
        bool copia = false;
    };

    explicit ArrayFinto(QRect primo) { elementi[1].geometria = primo; }

    int UBound() const override { return elementi.rbegin()->first; }
    void Carica(int i) override
    {
        Elemento e = elementi.begin()->second;
        e.visibile = false;
        e.copia = true;
        elementi[i] = e;
    }
    QRect Geometria(int i) const override { return elementi.at(i).geometria; }
    void Sposta(int i, int left, int top) override { elementi.at(i).geometria.moveTo(left, top); }
    void PortaDavanti(int i) override { elementi.at(i).davanti = ++ordine; }
    void Mostra(int i) override { elementi.at(i).visibile = true; }
    void ImpostaCaption(int i, const QString &c) override { elementi.at(i).caption = c; }

    std::map<int, Elemento> elementi;
    int ordine = 0;
};

} // namespace

class tst_mFunzioni : public QObject
{
    Q_OBJECT

private slots:
    void init() { mDichiarazioni::Azzera(); }

    void impostaDefault_data();
    void impostaDefault();
    void variaParametro_data();
    void variaParametro();
    void variaParametroSenzaAvvolgere();
    void formattaNumero_data();
    void formattaNumero();

    void disponiControlli_data();
    void disponiControlli();
    void disponiControlliRiusaEsistenti();
    void disponiControlliOpzioni();

    void convertiToken_data();
    void convertiToken();
    void ordinaNumeri_data();
    void ordinaNumeri();
    void ordinaNumeriErroreLasciaLaRiga();
    void ordinaRighe_data();
    void ordinaRighe();

    void codiceData_data();
    void codiceData();
    void codiceDataUnaSolaLettura();
};

void tst_mFunzioni::impostaDefault_data()
{
    QTest::addColumn<int>("valore");
    QTest::addColumn<int>("atteso");
    QTest::newRow("zero at start") << 0 << 36;
    QTest::newRow("negative") << -5 << 36;
    QTest::newRow("equal to minimum stays") << 1 << 1;
    QTest::newRow("above minimum stays") << 50 << 50;
}

void tst_mFunzioni::impostaDefault()
{
    QFETCH(int, valore);
    QFETCH(int, atteso);
    qint16 v = qint16(valore);
    ImpostaDefault(v, 1, 36);
    QCOMPARE(int(v), atteso);
}

void tst_mFunzioni::variaParametro_data()
{
    QTest::addColumn<int>("valore");
    QTest::addColumn<int>("minimo");
    QTest::addColumn<int>("massimo");
    QTest::addColumn<int>("passo");
    QTest::addColumn<int>("atteso");
    QTest::newRow("90+1 wraps to 9") << 90 << 9 << 90 << 1 << 9;
    QTest::newRow("9-1 wraps to 90") << 9 << 9 << 90 << -1 << 90;
    QTest::newRow("85+10 jumps to minimum, not 15") << 85 << 9 << 90 << 10 << 9;
    QTest::newRow("80+10 equals maximum, no wrap") << 80 << 9 << 90 << 10 << 90;
    QTest::newRow("81+10 wraps") << 81 << 9 << 90 << 10 << 9;
    QTest::newRow("15-10 jumps to maximum, not 86") << 15 << 9 << 90 << -10 << 90;
    QTest::newRow("19-10 equals minimum, no wrap") << 19 << 9 << 90 << -10 << 9;
    QTest::newRow("36+1") << 36 << 9 << 90 << 1 << 37;
    QTest::newRow("10 per row +1 wraps to 3") << 10 << 3 << 10 << 1 << 3;
    QTest::newRow("3 per row -1 wraps to 10") << 3 << 3 << 10 << -1 << 10;
}

void tst_mFunzioni::variaParametro()
{
    QFETCH(int, valore);
    QFETCH(int, minimo);
    QFETCH(int, massimo);
    QFETCH(int, passo);
    QFETCH(int, atteso);
    DisplayFinto display;
    qint16 v = qint16(valore);
    VariaParametro(display, v, qint16(minimo), qint16(massimo), qint16(passo), true);
    QCOMPARE(int(v), atteso);
    QCOMPARE(display.testo, QString::number(atteso));
    QCOMPARE(display.ridisegni, 1);
}

void tst_mFunzioni::variaParametroSenzaAvvolgere()
{
    DisplayFinto display;
    qint16 v = 85;
    VariaParametro(display, v, 9, 90, 10, false);
    QCOMPARE(int(v), 95);
    QCOMPARE(display.testo, QStringLiteral("95"));
}

void tst_mFunzioni::formattaNumero_data()
{
    QTest::addColumn<qint64>("valore");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("zero") << qint64(0) << "C" << "0";
    QTest::newRow("stepper values are plain") << qint64(90) << "it_IT" << "90";
    QTest::newRow("grouping C") << qint64(1234567) << "C" << "1,234,567";
    QTest::newRow("grouping it") << qint64(1234567) << "it_IT" << "1.234.567";
    QTest::newRow("negative") << qint64(-1234) << "en_US" << "-1,234";
}

void tst_mFunzioni::formattaNumero()
{
    QFETCH(qint64, valore);
    QFETCH(QString, locale);
    QFETCH(QString, atteso);
    QCOMPARE(FormattaNumero(valore, QLocale(locale)), atteso);
}

void tst_mFunzioni::disponiControlli_data()
{
    QTest::addColumn<int>("quantita");
    QTest::addColumn<int>("perRiga");
    QTest::newRow("36/6") << 36 << 6;
    QTest::newRow("90/10") << 90 << 10;
    QTest::newRow("20/6 last row of 2") << 20 << 6;
    QTest::newRow("9/10 one short row") << 9 << 10;
    QTest::newRow("27/3") << 27 << 3;
}

void tst_mFunzioni::disponiControlli()
{
    QFETCH(int, quantita);
    QFETCH(int, perRiga);
    ArrayFinto array(QRect(150, 240, 700, 700));
    DisponiControlli(1, quantita, perRiga, 24, 24, true, true, array);

    QCOMPARE(array.UBound(), quantita);
    QCOMPARE(int(array.elementi.size()), quantita);
    for (int k = 1; k <= quantita; ++k) {
        const auto &e = array.elementi.at(k);
        QCOMPARE(e.geometria, QRect(150 + ((k - 1) % perRiga) * 724, 240 + ((k - 1) / perRiga) * 724, 700, 700));
        QVERIFY(e.visibile);
        QCOMPARE(e.caption, QString::number(k));
        QCOMPARE(e.davanti, k);
        QCOMPARE(e.copia, k > 1);
    }
}

void tst_mFunzioni::disponiControlliRiusaEsistenti()
{
    ArrayFinto array(QRect(150, 240, 700, 700));
    DisponiControlli(1, 10, 5, 24, 24, true, true, array);
    array.elementi.at(3).caption = QStringLiteral("kept?");
    array.elementi.at(3).copia = false;
    // A second pass over existing elements moves them but creates nothing.
    DisponiControlli(1, 10, 2, 24, 24, true, true, array);
    QCOMPARE(int(array.elementi.size()), 10);
    QVERIFY(!array.elementi.at(3).copia);
    QCOMPARE(array.elementi.at(3).geometria.topLeft(), QPoint(150, 240 + 724));
    QCOMPARE(array.elementi.at(3).caption, QStringLiteral("3"));
}

void tst_mFunzioni::disponiControlliOpzioni()
{
    ArrayFinto array(QRect(100, 50, 300, 200));
    DisponiControlli(1, 4, 3, 10, 20, false, false, array);
    QCOMPARE(array.elementi.at(2).geometria.topLeft(), QPoint(410, 50));
    QCOMPARE(array.elementi.at(4).geometria.topLeft(), QPoint(100, 270));
    QVERIFY(array.elementi.at(2).caption.isEmpty());
    QCOMPARE(array.elementi.at(2).davanti, 0);

    // No pass at all when last < first.
    ArrayFinto vuoto(QRect(0, 0, 10, 10));
    DisponiControlli(1, 0, 3, 1, 1, true, true, vuoto);
    QCOMPARE(int(vuoto.elementi.size()), 1);
    QVERIFY(!vuoto.elementi.at(1).visibile);
}

void tst_mFunzioni::convertiToken_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("errore");
    QTest::addColumn<int>("valore");
    QTest::newRow("1") << "1" << "C" << 0 << 1;
    QTest::newRow("leading zeros") << "001" << "C" << 0 << 1;
    QTest::newRow("many leading zeros") << "0000000000042" << "C" << 0 << 42;
    QTest::newRow("-3") << "-3" << "C" << 0 << -3;
    QTest::newRow("-0") << "-0" << "C" << 0 << 0;
    QTest::newRow("max") << "32767" << "C" << 0 << 32767;
    QTest::newRow("min") << "-32768" << "C" << 0 << -32768;
    QTest::newRow("32768 overflows") << "32768" << "C" << 6 << 0;
    QTest::newRow("-32769 overflows") << "-32769" << "C" << 6 << 0;
    QTest::newRow("huge overflows") << QString(100000, u'9') << "C" << 6 << 0;
    QTest::newRow("2.5 half to even") << "2.5" << "C" << 0 << 2;
    QTest::newRow("3.5 half to even") << "3.5" << "C" << 0 << 4;
    QTest::newRow("2.51 up") << "2.51" << "C" << 0 << 3;
    QTest::newRow("2.500 tie") << "2.500" << "C" << 0 << 2;
    QTest::newRow("-2.5") << "-2.5" << "C" << 0 << -2;
    QTest::newRow("-3.5") << "-3.5" << "C" << 0 << -4;
    QTest::newRow("2.49") << "2.49" << "C" << 0 << 2;
    QTest::newRow("32767.5 overflows after rounding") << "32767.5" << "C" << 6 << 0;
    QTest::newRow("-32768.5 rounds to even, fits") << "-32768.5" << "C" << 0 << -32768;
    QTest::newRow("locale comma") << "5,5" << "it_IT" << 0 << 6;
    QTest::newRow("dot in comma locale") << "5.5" << "it_IT" << 0 << 6;
    QTest::newRow("comma in C locale") << "5,5" << "C" << 13 << 0;
    QTest::newRow("empty") << "" << "C" << 13 << 0;
    QTest::newRow("letter") << "x" << "C" << 13 << 0;
    QTest::newRow("digits then letter") << "999999x" << "C" << 13 << 0;
    QTest::newRow("minus alone") << "-" << "C" << 13 << 0;
    QTest::newRow("plus sign") << "+5" << "C" << 13 << 0;
    QTest::newRow("exponent") << "1e3" << "C" << 13 << 0;
    QTest::newRow("hex") << "0x10" << "C" << 13 << 0;
    QTest::newRow("trailing dot") << "5." << "C" << 13 << 0;
    QTest::newRow("leading dot") << ".5" << "C" << 13 << 0;
    QTest::newRow("arabic-indic digit") << QString(QChar(0x0663)) << "C" << 13 << 0;
    QTest::newRow("tab") << "\t5" << "C" << 13 << 0;
    QTest::newRow("double minus") << "--5" << "C" << 13 << 0;
}

void tst_mFunzioni::convertiToken()
{
    QFETCH(QString, token);
    QFETCH(QString, locale);
    QFETCH(int, errore);
    QFETCH(int, valore);
    qint16 v = 12345;
    QCOMPARE(ConvertiToken(token, v, QLocale(locale)), errore);
    if (errore == 0)
        QCOMPARE(int(v), valore);
}

void tst_mFunzioni::ordinaNumeri_data()
{
    QTest::addColumn<QStringList>("righe");
    QTest::addColumn<QStringList>("attese");
    QTest::addColumn<QList<int>>("errori");
    QTest::newRow("program lines unchanged") << QStringList{"01 05 12", "03 04 90"} << QStringList{"01 05 12", "03 04 90"}
                                             << QList<int>{};
    QTest::newRow("numbers sorted") << QStringList{"07 03 05"} << QStringList{"03 05 07"} << QList<int>{};
    QTest::newRow("hand-typed forms") << QStringList{"1", "001", "100", "-3", "0"}
                                      << QStringList{"01", "01", "100", "-03", "00"} << QList<int>{};
    QTest::newRow("text order first: 5 12") << QStringList{"5 12"} << QStringList{"12 05"} << QList<int>{};
    QTest::newRow("second pass: 12 05") << QStringList{"12 05"} << QStringList{"05 12"} << QList<int>{};
    QTest::newRow("bad token stops, line kept")
        << QStringList{"05 12", "03 x", "02 01"} << QStringList{"05 12", "03 x", "02 01"} << QList<int>{13};
    QTest::newRow("trailing space kept as typed")
        << QStringList{"02 01", "03 01 ", "09 08"} << QStringList{"01 02", "03 01 ", "09 08"} << QList<int>{13};
    QTest::newRow("spaces alone kept") << QStringList{"   "} << QStringList{"   "} << QList<int>{13};
    QTest::newRow("overflow") << QStringList{"1 32768"} << QStringList{"1 32768"} << QList<int>{6};
    QTest::newRow("negative overflow") << QStringList{"-32769"} << QStringList{"-32769"} << QList<int>{6};
}

void tst_mFunzioni::ordinaNumeri()
{
    QFETCH(QStringList, righe);
    QFETCH(QStringList, attese);
    QFETCH(QList<int>, errori);
    QList<int> visti;
    OrdinaNumeri(righe, [&](int n) { visti.append(n); }, QLocale::c());
    QCOMPARE(righe, attese);
    QCOMPARE(visti, errori);
}

void tst_mFunzioni::ordinaNumeriErroreLasciaLaRiga()
{
    // The error ends the routine: lines after the failing one stay as typed.
    QStringList righe{"3 1", "a b", "9 8"};
    int chiamate = 0;
    OrdinaNumeri(righe, [&](int) { ++chiamate; }, QLocale::c());
    QCOMPARE(chiamate, 1);
    QCOMPARE(righe, (QStringList{"01 03", "a b", "9 8"}));
}

void tst_mFunzioni::ordinaRighe_data()
{
    QTest::addColumn<QStringList>("righe");
    QTest::addColumn<QStringList>("attese");
    QTest::newRow("empty") << QStringList{} << QStringList{};
    QTest::newRow("single") << QStringList{"05"} << QStringList{"05"};
    QTest::newRow("duplicates side by side") << QStringList{"01 03", "02", "01 03"} << QStringList{"01 03", "01 03", "02"};
    QTest::newRow("prefix first") << QStringList{"01 03", "01 02 03", "01 02"} << QStringList{"01 02", "01 02 03", "01 03"};
    QTest::newRow("empty line first") << QStringList{"05", ""} << QStringList{"", "05"};
    QTest::newRow("code units, no case folding") << QStringList{"b", "B", "a", "Z"} << QStringList{"B", "Z", "a", "b"};
    QTest::newRow("no locale: accented after z") << QStringList{"è", "z", "e"} << QStringList{"e", "z", "è"};
    // A surrogate pair (U+1F600) starts with 0xD83D, below U+FB01: code units, not code points.
    QTest::newRow("surrogates by code unit") << QStringList{QString::fromUcs4(U"\U0001F600"), QString(QChar(0xFB01))}
                                             << QStringList{QString::fromUcs4(U"\U0001F600"), QString(QChar(0xFB01))};
    // Within the first four code units and past them: a line that ends, against one that goes
    // on with NUL or with the highest code unit.
    const auto t = [](const char16_t *testo, int n) { return QString::fromUtf16(testo, n); };
    QTest::newRow("NUL against the end of a line")
        << QStringList{t(u"a\0b", 3), t(u"a", 1), t(u"a\0\0\0\0", 5), t(u"a\0", 2)}
        << QStringList{t(u"a", 1), t(u"a\0", 2), t(u"a\0\0\0\0", 5), t(u"a\0b", 3)};
    QTest::newRow("alike in the first sixteen") << QStringList{"01 05 12 33 45 60", "01 05 12 33 45 6", "01 05 12 33 45 59", "01 05 12 33 45 60 "}
                                             << QStringList{"01 05 12 33 45 59", "01 05 12 33 45 6", "01 05 12 33 45 60", "01 05 12 33 45 60 "};
    QTest::newRow("the highest code units") << QStringList{t(u"\uFFFF", 1), t(u"\uFFFE\uFFFF", 2), t(u"\uFFFF\0", 2)}
                                            << QStringList{t(u"\uFFFE\uFFFF", 2), t(u"\uFFFF", 1), t(u"\uFFFF\0", 2)};
}

void tst_mFunzioni::ordinaRighe()
{
    QFETCH(QStringList, righe);
    QFETCH(QStringList, attese);
    bool errore = false;
    OrdinaRighe(righe, [&](int) { errore = true; });
    QCOMPARE(righe, attese);
    QVERIFY(!errore);
}

void tst_mFunzioni::codiceData_data()
{
    QTest::addColumn<QDateTime>("adesso");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("flag");
    QTest::addColumn<QString>("atteso");
    const QDateTime febbraio(QDate(2026, 2, 5), QTime(14, 5, 9));
    QTest::newRow("5 February 24h") << febbraio << "it_IT" << 1 << "036140509";
    QTest::newRow("C locale") << febbraio << "C" << 1 << "036140509";
    QTest::newRow("day only") << febbraio << "C" << 0 << "036";
    QTest::newRow("1 January") << QDateTime(QDate(2027, 1, 1), QTime(0, 0, 1)) << "C" << 1 << "001000001";
    QTest::newRow("31 December leap") << QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)) << "C" << 1
                                      << "366235959";
    QTest::newRow("31 December common") << QDateTime(QDate(2025, 12, 31), QTime(8, 0, 0)) << "C" << 1
                                        << "365080000";
    QTest::newRow("12-hour locale keeps the marker") << febbraio << "en_US" << 1 << "03620509 PM";
    QTest::newRow("dots as separator") << febbraio << "fi_FI" << 1 << "03614.05.09";
    QTest::newRow("zone text dropped") << febbraio << "zh_CN" << 1 << "036140509";
}

void tst_mFunzioni::codiceData()
{
    QFETCH(QDateTime, adesso);
    QFETCH(QString, locale);
    QFETCH(int, flag);
    QFETCH(QString, atteso);
    const QString codice = CodiceData(qint16(flag), adesso, QLocale(locale));
    QCOMPARE(codice, atteso);
}

void tst_mFunzioni::codiceDataUnaSolaLettura()
{
    // Day and time come from the same instant, so a save at midnight is consistent.
    const QDateTime mezzanotte(QDate(2026, 3, 1), QTime(0, 0, 0));
    QCOMPARE(CodiceData(1, mezzanotte, QLocale::c()), QStringLiteral("060000000"));
    QCOMPARE(CodiceData(1, mezzanotte.addSecs(-1), QLocale::c()), QStringLiteral("059235959"));
}

QTEST_GUILESS_MAIN(tst_mFunzioni)
#include "tst_mfunzioni.moc"
