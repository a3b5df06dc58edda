#include "common/Windows1252.h"
#include "helpers/CodicePagina.h"
#include "list/Salvataggio.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Salvataggio;

namespace {

// Writes the first `riusciti` blocks, then fails as a full or broken device would.
class ScritturaCheCede : public ScritturaFile
{
public:
    explicit ScritturaCheCede(int riusciti, bool cedeAllaConferma = false)
        : m_riusciti(riusciti)
        , m_cedeAllaConferma(cedeAllaConferma)
    {
    }
    qint64 Scrivi(QIODevice &file, const char *dati, qint64 quanti) override
    {
        if (m_riusciti-- <= 0)
            return -1;
        return ScritturaFile::Scrivi(file, dati, quanti);
    }
    bool Conferma(QSaveFile &file) override
    {
        if (m_cedeAllaConferma) {
            file.cancelWriting();
            return false;
        }
        return ScritturaFile::Conferma(file);
    }

private:
    int m_riusciti;
    bool m_cedeAllaConferma;
};

QByteArray Leggi(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class tst_Salvataggio : public QObject
{
    Q_OBJECT

private slots:
    void nomeFile_data();
    void nomeFile();
    void cartella();
    void codifica_data();
    void codifica();
    void codificaRifiuta_data();
    void codificaRifiuta();
    void windows1252_data();
    void windows1252();
    void windows1252ComeIlSistema();
    void scrivi();
    void scriviErrori_data();
    void scriviErrori();
};

void tst_Salvataggio::nomeFile_data()
{
    QTest::addColumn<QDateTime>("adesso");
    QTest::addColumn<int>("quantita");
    QTest::addColumn<QString>("nome");
    QTest::newRow("example") << QDateTime(QDate(2026, 2, 5), QTime(14, 5, 9)) << 36 << "036140509-36";
    QTest::newRow("nine numbers") << QDateTime(QDate(2026, 2, 5), QTime(14, 5, 9)) << 9 << "036140509-09";
    QTest::newRow("1 January") << QDateTime(QDate(2026, 1, 1), QTime(9, 0, 0)) << 90 << "001090000-90";
    QTest::newRow("leap 31 December") << QDateTime(QDate(2028, 12, 31), QTime(23, 0, 0)) << 90 << "366230000-90";
}

void tst_Salvataggio::nomeFile()
{
    QFETCH(QDateTime, adesso);
    QFETCH(int, quantita);
    QFETCH(QString, nome);
    QCOMPARE(NomeFile(adesso, qint16(quantita), QLocale::c()), nome);
    // Whatever the locale, the name holds no separator or control character.
    for (const QString &locale : {"en_US", "fi_FI", "zh_CN", "ar_EG", "ko_KR"}) {
        const QString n = NomeFile(adesso, qint16(quantita), QLocale(locale));
        for (QChar c : n)
            QVERIFY2(c.unicode() >= 0x20 && !QStringLiteral("/\\:<>\"|?*").contains(c), qPrintable(locale + n));
    }
}

void tst_Salvataggio::cartella()
{
    QCOMPARE(CartellaSalvataggio(QStringLiteral("/opt/ombrazio")), QStringLiteral("/opt/ombrazio/Shared/Costruzioni"));
}

void tst_Salvataggio::codifica_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QByteArray>("byte");
    QTest::newRow("two lines, 20 bytes") << "01 05 12\r\n03 04 90\r\n" << QByteArray("01 05 12\r\n03 04 90\r\n");
    QTest::newRow("blank lines dropped, no final break")
        << "\r\n01\r\n\r\n  x 7\r\n02" << QByteArray("01\r\n  x 7\r\n02\r\n");
    QTest::newRow("line breaks alone") << "\r\n\r\n" << QByteArray();
    QTest::newRow("code page characters") << QStringLiteral("è € ß") << QByteArray("\xE8 \x80 \xDF\r\n");
    QTest::newRow("tab") << QStringLiteral("01\t02") << QByteArray("01\t02\r\n");
    QTest::newRow("the list box's own separators") << QStringLiteral("01\u2029\u202902 03\u202804") << QByteArray("01\r\n02 03\r\n04\r\n");
}

void tst_Salvataggio::codifica()
{
    QFETCH(QString, testo);
    QFETCH(QByteArray, byte);
    QByteArray dati;
    QCOMPARE(CodificaLista(testo, dati), 0);
    QCOMPARE(dati, byte);
}

void tst_Salvataggio::codificaRifiuta_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("riga");
    QTest::newRow("first line") << QStringLiteral("01 ł\r\n02") << 1;
    QTest::newRow("counted with empty lines") << QStringLiteral("01\r\n\r\n02\r\n\u0663\r\n") << 4;
    QTest::newRow("surrogate pair") << QString(QStringLiteral("01\r\n") + QString::fromUcs4(U"\U0001F600")) << 2;
    QTest::newRow("right-to-left") << QStringLiteral("\u05D0") << 1;
    // What opening would not give back: a control character makes the file no text, and
    // bytes that pair into UTF-8 would be read as UTF-8.
    QTest::newRow("control character") << QString(QStringLiteral("01\r\na") + QChar(0) + QChar(9)) << 2;
    QTest::newRow("delete") << QString(QStringLiteral("a") + QChar(0x7F)) << 1;
    QTest::newRow("accent and symbol pairing into UTF-8") << QStringLiteral("01\r\n\r\nPERCHÉ…") << 3;
    QTest::newRow("byte-order mark misread") << QStringLiteral("\u00EF\u00BB\u00BF01") << 1;
}

void tst_Salvataggio::codificaRifiuta()
{
    QFETCH(QString, testo);
    QFETCH(int, riga);
    QByteArray dati("stale");
    QCOMPARE(CodificaLista(testo, dati), riga);
    QVERIFY(dati.isEmpty());
}

void tst_Salvataggio::windows1252_data()
{
    QTest::addColumn<int>("carattere");
    QTest::addColumn<int>("byte");
    QTest::newRow("ASCII") << 0x41 << 0x41;
    QTest::newRow("NUL") << 0x00 << 0x00;
    QTest::newRow("euro") << 0x20AC << 0x80;
    QTest::newRow("last of the high table") << 0x0178 << 0x9F;
    QTest::newRow("unassigned byte, its C1 control") << 0x0081 << 0x81;
    QTest::newRow("C1 control of an assigned byte") << 0x0080 << -1;
    QTest::newRow("no-break space") << 0x00A0 << 0xA0;
    QTest::newRow("e grave") << 0x00E8 << 0xE8;
    QTest::newRow("y diaeresis") << 0x00FF << 0xFF;
    QTest::newRow("beyond Latin-1") << 0x0142 << -1;
    QTest::newRow("high surrogate") << 0xD83D << -1;
    QTest::newRow("replacement character") << 0xFFFD << -1;
}

void tst_Salvataggio::windows1252()
{
    QFETCH(int, carattere);
    QFETCH(int, byte);
    QCOMPARE(Windows1252::Byte(char16_t(carattere)), byte);
    if (byte >= 0)
        QCOMPARE(Windows1252::Decodifica(QByteArray(1, char(byte))), QString(QChar(carattere)));
}

void tst_Salvataggio::windows1252ComeIlSistema()
{
    // The platform's own converter is the reference, both ways, for every code unit and byte.
    if (CodicePagina::Fonte().isEmpty())
        QSKIP("this platform has no converter of its own for the code page");
    qInfo() << "reference:" << CodicePagina::Fonte();
    for (int c = 0; c <= 0xFFFF; ++c) {
        if (Windows1252::Byte(char16_t(c)) != CodicePagina::Byte(char16_t(c)))
            QFAIL(qPrintable(QStringLiteral("U+%1: %2, the system %3").arg(c, 4, 16, QLatin1Char('0'))
                                 .arg(Windows1252::Byte(char16_t(c))).arg(CodicePagina::Byte(char16_t(c)))));
    }
    QByteArray tutti(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        tutti[b] = char(b);
    QCOMPARE(Windows1252::Decodifica(tutti), CodicePagina::Decodifica(tutti));
}

void tst_Salvataggio::scrivi()
{
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("036140509-36.TXT"));
    ScritturaFile scrittura;
    QCOMPARE(ScriviFile(percorso, QByteArray("01\r\n"), scrittura), 0);
    QCOMPARE(Leggi(percorso), QByteArray("01\r\n"));
    // A second save of the same name replaces the first.
    const QByteArray grande(300 * 1024, 'x');
    QCOMPARE(ScriviFile(percorso, grande, scrittura), 0);
    QCOMPARE(Leggi(percorso), grande);
    QCOMPARE(QDir(cartella.path()).entryList(QDir::Files), QStringList{"036140509-36.TXT"});
}

void tst_Salvataggio::scriviErrori_data()
{
    QTest::addColumn<QString>("caso");
    QTest::addColumn<int>("errore");
    QTest::newRow("folder missing") << "cartella mancante" << 76;
    QTest::newRow("a file where the folder should be") << "file al posto della cartella" << 76;
    QTest::newRow("a folder where the file should be") << "cartella al posto del file" << 75;
    QTest::newRow("write fails part way") << "scrittura interrotta" << 57;
    QTest::newRow("commit fails") << "conferma fallita" << 57;
}

void tst_Salvataggio::scriviErrori()
{
    QFETCH(QString, caso);
    QFETCH(int, errore);
    QTemporaryDir base;
    QString cartella = base.filePath(QStringLiteral("Costruzioni"));
    QDir().mkpath(cartella);
    QString percorso = cartella + QStringLiteral("/001000000-36.TXT");
    {
        QFile vecchio(percorso);
        QVERIFY(vecchio.open(QIODevice::WriteOnly));
        vecchio.write("earlier\r\n");
    }
    std::unique_ptr<ScritturaFile> scrittura = std::make_unique<ScritturaFile>();
    if (caso == QStringLiteral("cartella mancante")) {
        percorso = base.filePath(QStringLiteral("Nessuna/001000000-36.TXT"));
    } else if (caso == QStringLiteral("file al posto della cartella")) {
        QFile f(base.filePath(QStringLiteral("Piatto")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        percorso = base.filePath(QStringLiteral("Piatto/001000000-36.TXT"));
    } else if (caso == QStringLiteral("cartella al posto del file")) {
        percorso = cartella + QStringLiteral("/dir.TXT");
        QDir().mkpath(percorso);
    } else if (caso == QStringLiteral("scrittura interrotta")) {
        scrittura = std::make_unique<ScritturaCheCede>(2);
    } else {
        scrittura = std::make_unique<ScritturaCheCede>(100, true);
    }
    const QByteArray dati(400 * 1024, '7');
    QCOMPARE(ScriviFile(percorso, dati, *scrittura), errore);
    // No partial file; an earlier file of the same name is intact.
    QCOMPARE(Leggi(cartella + QStringLiteral("/001000000-36.TXT")), QByteArray("earlier\r\n"));
    QStringList rimasti = QDir(cartella).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(rimasti, QStringList{"001000000-36.TXT"});
}

QTEST_GUILESS_MAIN(tst_Salvataggio)
#include "tst_salvataggio.moc"
