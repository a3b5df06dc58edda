// Hostile input through the real list box: huge pastes, endless lines, control and
// right-to-left characters, half-numbers. SORT and SALVA must either do the right thing
// or say why not, and never lose a line.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/PulsanteComando.h"
#include "common/mFunzioni.h"
#include "helpers/Dialoghi.h"
#include "helpers/Salvabile.h"
#include "list/ListaTesto.h"
#include "list/Salvataggio.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

namespace {

// The pieces a paste becomes in the box: every break the box knows splits a line. Written
// without regular expressions, which give up on text holding lone surrogates.
QStringList RigheIncollate(const QString &testo)
{
    QStringList righe;
    QString corrente;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const char16_t c = testo[i].unicode();
        if (c == u'\r' || c == u'\n' || c == 0x2028 || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1) {
            if (c == u'\r' && i + 1 < testo.size() && testo[i + 1] == u'\n')
                ++i;
            if (!corrente.isEmpty())
                righe.append(corrente);
            corrente.clear();
        } else {
            corrente += testo[i];
        }
    }
    if (!corrente.isEmpty())
        righe.append(corrente);
    return righe;
}

// What SORT must leave: each line normalised or, from the first one that cannot be, as typed.
QString DopoSort(const QString &testo, int *errori)
{
    QStringList righe = ListaTesto::RaccogliRighe(testo);
    const mFunzioni::SegnalaErrore conta = [errori](int) { ++*errori; };
    mFunzioni::OrdinaNumeri(righe, conta);
    mFunzioni::OrdinaRighe(righe, conta);
    return ListaTesto::TestoDaRighe(righe);
}

bool Cifra(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Fields of at least two digits, a minus allowed, one space between them.
bool Normalizzata(const QString &riga)
{
    const QStringList campi = riga.split(u' ');
    for (const QString &c : campi) {
        const QStringView cifre = c.startsWith(u'-') ? QStringView(c).mid(1) : QStringView(c);
        if (cifre.size() < 2 || !std::all_of(cifre.begin(), cifre.end(), Cifra))
            return false;
    }
    return true;
}

// No number conversion can read this line: SORT has to keep it as typed.
bool Illeggibile(const QString &riga)
{
    if (riga.startsWith(u' ') || riga.endsWith(u' ') || riga.contains(QStringLiteral("  ")))
        return true;
    return std::any_of(riga.begin(), riga.end(),
                       [](QChar c) { return !Cifra(c) && c != u' ' && c != u'.' && c != u',' && c != u'-'; });
}

QString Casuale(QRandomGenerator &caso, qsizetype byte, bool utf16)
{
    QByteArray dati(byte, Qt::Uninitialized);
    caso.fillRange(reinterpret_cast<quint32 *>(dati.data()), byte / 4);
    if (!utf16)
        return QString::fromUtf8(dati);
    // Raw code units, lone surrogates included, as a careless program may put on the clipboard.
    return QString(reinterpret_cast<const QChar *>(dati.constData()), byte / 2);
}

QtMessageHandler gestorePrecedente = nullptr;

// Shaping random scripts makes the font engine complain once per font and script.
void FiltraCaratteri(QtMsgType tipo, const QMessageLogContext &contesto, const QString &testo)
{
    if (tipo == QtWarningMsg && testo.contains(QStringLiteral("OpenType support missing")))
        return;
    gestorePrecedente(tipo, contesto, testo);
}

} // namespace

class tst_Ostile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void incollaCasuale_data();
    void incollaCasuale();
    void duecentomilaRighe();
    void righeEstreme_data();
    void righeEstreme();
    void scrittureInsidiose_data();
    void scrittureInsidiose();
    void tokenAmbigui_data();
    void tokenAmbigui();

private:
    void Incolla(const QString &testo);
    // Presses a button and answers every dialog with its first button; returns the texts shown.
    QStringList Premi(PulsanteComando *pulsante);
    // SORT, checked against what it must leave and against losing any line.
    QStringList Ordina();
    // SALVA after a sort: either the file holds exactly the list's lines, or the message says
    // which line cannot be written and no file exists.
    void SalvaEVerifica();
    QString Percorso() const
    {
        return Salvataggio::CartellaSalvataggio(radice->path()) + u'/'
            + Salvataggio::NomeFile(adesso, gQuantitaNumeri) + QStringLiteral(".TXT");
    }

    const QDateTime adesso{QDate(2026, 12, 31), QTime(23, 59, 59)};
    quint32 seme = 0;
    std::unique_ptr<QTemporaryDir> radice;
    std::unique_ptr<frmOmbrazio> finestra;
};

void tst_Ostile::initTestCase()
{
    gestorePrecedente = qInstallMessageHandler(FiltraCaratteri);
    seme = qEnvironmentVariableIsSet("OMBRAZIO_SEME") ? quint32(qEnvironmentVariableIntValue("OMBRAZIO_SEME"))
                                                      : QRandomGenerator::global()->generate();
    qInfo("random seed %u (set OMBRAZIO_SEME to repeat)", seme);
}

void tst_Ostile::init()
{
    mDichiarazioni::Azzera();
    QLocale::setDefault(QLocale::c());
    radice = std::make_unique<QTemporaryDir>();
    QVERIFY(radice->isValid());
    QVERIFY(QDir().mkpath(Salvataggio::CartellaSalvataggio(radice->path())));
    finestra = std::make_unique<frmOmbrazio>(
        Ambiente{[this] { return adesso; }, radice->path(), std::make_shared<Salvataggio::ScritturaFile>()});
    finestra->show();
    QVERIFY(QTest::qWaitForWindowExposed(finestra.get()));
}

void tst_Ostile::cleanup()
{
    finestra.reset();
    radice.reset();
    QLocale::setDefault(QLocale::c());
}

void tst_Ostile::Incolla(const QString &testo)
{
    QGuiApplication::clipboard()->setText(testo);
    finestra->txtLista->setFocus();
    QTest::keyClick(finestra->txtLista, Qt::Key_V, Qt::ControlModifier);
    // The box may split lines but must keep every character of them.
    QCOMPARE(ListaTesto::RaccogliRighe(finestra->TestoLista()), RigheIncollate(testo));
}

QStringList tst_Ostile::Premi(PulsanteComando *pulsante)
{
    RispondiDialoghi risposte;
    QTest::mouseClick(pulsante, Qt::LeftButton);
    QStringList testi;
    for (const DialogoVisto &v : std::as_const(risposte.visti))
        testi.append(v.testo);
    return testi;
}

QStringList tst_Ostile::Ordina()
{
    const QString prima = finestra->TestoLista();
    int errori = 0;
    const QString attesa = DopoSort(prima, &errori);
    const QStringList messaggi = Premi(finestra->cmdSort);
    const QString dopo = finestra->TestoLista();
    [&] {
        QCOMPARE(messaggi.size(), errori);
        QCOMPARE(dopo, attesa);
        QVERIFY(gSortEseguito);

        // Independently of the routines: as many lines as before; a line that no number
        // conversion can read stands in the list exactly as typed; every other line is either
        // as typed or in the normalised format.
        QStringList righePrima = ListaTesto::RaccogliRighe(prima);
        QStringList righeDopo = ListaTesto::RaccogliRighe(dopo);
        QCOMPARE(righeDopo.size(), righePrima.size());
        std::sort(righePrima.begin(), righePrima.end());
        std::sort(righeDopo.begin(), righeDopo.end());
        QStringList strane;
        for (const QString &r : std::as_const(righePrima)) {
            if (Illeggibile(r))
                strane.append(r);
        }
        QVERIFY(std::includes(righeDopo.begin(), righeDopo.end(), strane.begin(), strane.end()));
        for (const QString &r : std::as_const(righeDopo))
            QVERIFY2(Normalizzata(r)
                         || std::binary_search(righePrima.begin(), righePrima.end(), r),
                     qPrintable(r.left(80)));
    }();
    return messaggi;
}

void tst_Ostile::SalvaEVerifica()
{
    const QString lista = finestra->TestoLista();
    const QStringList messaggi = Premi(finestra->cmdSalva);
    QCOMPARE(finestra->TestoLista(), lista);
    QCOMPARE(messaggi.size(), 1);

    const QStringList pezzi = lista.split(ListaTesto::FineRiga());
    static const QRegularExpression rifiuto(
        QStringLiteral("^La riga (\\d+) contiene caratteri\nnon salvabili: nessun file scritto \\.\\.!$"));
    const QRegularExpressionMatch m = rifiuto.match(messaggi[0]);
    if (m.hasMatch()) {
        QVERIFY(!QFile::exists(Percorso()));
        QVERIFY(QDir(Salvataggio::CartellaSalvataggio(radice->path())).isEmpty());
        // The line named is the first one the file could not give back.
        const int n = m.captured(1).toInt();
        QVERIFY(n >= 1 && n <= pezzi.size());
        QCOMPARE(n, RigaNonSalvabile(lista));
        return;
    }
    QCOMPARE(RigaNonSalvabile(lista), 0);
    QCOMPARE(messaggi[0], QStringLiteral("Combinazioni salvate, col nome:\n") + QFileInfo(Percorso()).fileName());
    QFile file(Percorso());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString letto = CodicePagina::Decodifica(file.readAll());
    QCOMPARE(letto.split(ListaTesto::FineRiga()), ListaTesto::RaccogliRighe(lista) << QString());
}

void tst_Ostile::incollaCasuale_data()
{
    QTest::addColumn<qsizetype>("byte");
    QTest::addColumn<bool>("utf16");
    QTest::newRow("5 MB read as UTF-8") << qsizetype(5 * 1024 * 1024) << false;
    QTest::newRow("256 KB read as UTF-16") << qsizetype(256 * 1024) << true;
}

void tst_Ostile::incollaCasuale()
{
    QFETCH(qsizetype, byte);
    QFETCH(bool, utf16);
    QRandomGenerator caso(seme);
    Incolla(Casuale(caso, byte, utf16));
    Ordina();
    SalvaEVerifica();
}

void tst_Ostile::duecentomilaRighe()
{
    QRandomGenerator caso(seme);
    QStringList righe;
    QString testo;
    for (int i = 0; i < 200'000; ++i) {
        QList<int> numeri;
        for (int k = 0; k < 6; ++k)
            numeri.append(caso.bounded(1, 91));
        std::sort(numeri.begin(), numeri.end());
        QString riga;
        for (int n : numeri)
            riga += mFunzioni::CampoNumero(n) + u' ';
        riga.chop(1);
        righe.append(riga);
        testo += riga + u'\n';
    }
    Incolla(testo);
    QCOMPARE(Ordina(), QStringList());
    std::sort(righe.begin(), righe.end());
    QCOMPARE(ListaTesto::RaccogliRighe(finestra->TestoLista()), righe);
    SalvaEVerifica();
}

void tst_Ostile::righeEstreme_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QStringList>("messaggi");
    const QString cifre = QString(100'000, u'9');
    const QStringList incompatibile{QStringLiteral("Incompatibilità ..!")};
    QTest::newRow("100,000 digits") << QStringLiteral("01 02\n") + cifre + QStringLiteral("\n03 04\n")
                                    << QStringList{QStringLiteral("Overflow ..!")};
    QTest::newRow("100,000 zeros then 7") << QString(100'000, u'0') + QStringLiteral("7 05\n") << QStringList{};
    QTest::newRow("100,000 spaces") << QString(100'000, u' ') + u'\n' << incompatibile;
    QTest::newRow("NUL inside a line") << QStringLiteral("01 02\n01") + QChar(0) + QStringLiteral("02\n") << incompatibile;
    QTest::newRow("NUL alone") << QString(QChar(0)) + u'\n' << incompatibile;
    QTest::newRow("control characters") << QStringLiteral("\t01 02\n\a\n01 02\v\n\x1b[31m05\n\f\n\x7f\n")
                                        << incompatibile;
    QTest::newRow("lone CR and LF") << QStringLiteral("01\r02\n03\r\r\n") << QStringList{};
    QTest::newRow("right to left") << QStringLiteral("\u05E9\u05DC\u05D5\u05DD 01\n\u202E03 02\n01 02\n")
                                   << incompatibile;
    QTest::newRow("surrogate pairs") << QStringLiteral("01 02 \U0001F600\n\U0001D7D9 \U0001D7DA\n") << incompatibile;
    QTest::newRow("lone surrogates") << QStringLiteral("01 02\n") + QChar(0xD83D) + QStringLiteral(" 05\n03 ")
            + QChar(0xDE00) + u'\n'
                                     << incompatibile;
    QTest::newRow("lone high surrogate ending a line") << QStringLiteral("01 02\n05 ") + QChar(0xD83D)
            + QStringLiteral("\n03\n")
                                                       << incompatibile;
    QTest::newRow("line and paragraph separators")
        << QStringLiteral("01\u202802\u202903\uFDD004\n") << QStringList{};
}

void tst_Ostile::righeEstreme()
{
    QFETCH(QString, testo);
    QFETCH(QStringList, messaggi);
    Incolla(testo);
    QCOMPARE(Ordina(), messaggi);
    SalvaEVerifica();
}

void tst_Ostile::scrittureInsidiose_data()
{
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("dopo");
    QTest::addColumn<QString>("messaggio");
    const QString inc = QStringLiteral("Incompatibilità ..!");
    const QString ovf = QStringLiteral("Overflow ..!");
    const auto riga = [](const char *nome, const QString &digitato, const char *locale, const QString &dopo,
                         const QString &messaggio) {
        QTest::newRow(nome) << digitato << QString::fromLatin1(locale) << dopo << messaggio;
    };
    // Kept as typed, with the reason.
    riga("exponent", "1e3", "C", "1e3", inc);
    riga("hexadecimal", "0x10", "C", "0x10", inc);
    riga("plus sign", "+5", "C", "+5", inc);
    riga("leading space", " 5", "C", " 5", inc);
    riga("trailing space", "5 ", "C", "5 ", inc);
    riga("comma in C", "5,5", "C", "5,5", inc);
    riga("Arabic-Indic digit", "\u0663", "C", "\u0663", inc);
    riga("fullwidth digit", "\uFF15", "C", "\uFF15", inc);
    riga("no-break space", "5\u00A006", "C", "5\u00A006", inc);
    riga("point without digits", "5.", "C", "5.", inc);
    riga("fraction alone", ".5", "C", ".5", inc);
    riga("minus alone", "-", "C", "-", inc);
    riga("halfway above the range", "32767.5", "C", "32767.5", ovf);
    riga("below the range", "-32769", "C", "-32769", ovf);
    // Read as numbers.
    riga("minus zero", "-0", "C", "00", "");
    riga("comma in Italian", "5,5", "it_IT", "06", "");
    riga("point in Italian", "4.5", "it_IT", "04", "");
    riga("halfway to even", "2.5 3.5", "C", "02 04", "");
    riga("just below the top", "32767.4", "C", "32767", "");
    riga("bottom of the range", "-32768", "C", "-32768", "");
    riga("leading zeros", "0000000000000000000000012", "C", "12", "");
}

void tst_Ostile::scrittureInsidiose()
{
    QFETCH(QString, digitato);
    QFETCH(QString, locale);
    QFETCH(QString, dopo);
    QFETCH(QString, messaggio);
    QLocale::setDefault(QLocale(locale));
    // Typed key by key, the way a user puts it there.
    finestra->txtLista->setFocus();
    for (QChar c : digitato)
        QTest::sendKeyEvent(QTest::Click, finestra->txtLista, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(finestra->TestoLista(), digitato);
    QCOMPARE(Premi(finestra->cmdSort), messaggio.isEmpty() ? QStringList() : QStringList{messaggio});
    QCOMPARE(finestra->TestoLista(), dopo + ListaTesto::FineRiga());
    SalvaEVerifica();
}

void tst_Ostile::tokenAmbigui_data()
{
    QTest::addColumn<QString>("lista");
    QTest::newRow("one bad line among good ones") << QStringLiteral("05 12\n1e3 01\n0x10\n+5\n02 01\n");
    QTest::newRow("bad line first") << QStringLiteral("\u0663 01\n5 12\n-0 7\n");
    QTest::newRow("all of them") << QStringLiteral("1e3\n0x10\n+5\n 5\n5,5\n\u0663\n-0\n32767.5\n");
}

void tst_Ostile::tokenAmbigui()
{
    // Several half-numbers in one list: one message at most, and every line still there.
    QFETCH(QString, lista);
    Incolla(lista);
    QVERIFY(Ordina().size() <= 1);
    SalvaEVerifica();
}

QTEST_MAIN(tst_Ostile)
#include "tst_ostile.moc"
