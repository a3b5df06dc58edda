#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "helpers/Dialoghi.h"
#include "helpers/Pdf.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>

namespace {

class ScritturaInterrotta : public Salvataggio::ScritturaFile
{
public:
    qint64 Scrivi(QIODevice &, const char *, qint64) override { return -1; }
};

// The Fano plane: seven lines of three on seven numbers, every pair in exactly one line.
// Any three numbers hold a pair of some line; the four outside a line hold no line; any
// five hold a whole line. So: ambo for 2, 3 and 4 drawn, terno for 5 and 6, and of the 35
// threes, the 7 lines are whole.
const QStringList Fano{"01 02 04", "02 03 05", "03 04 06", "04 05 07", "05 06 01", "06 07 02", "07 01 03"};
const QStringList GaranziaFano{
    "Se escono 2 numeri: ambo garantito; ambo: 100% dei casi",
    "Se escono 3 numeri: ambo garantito; terno: 20,0% dei casi",
    "Se escono 4 numeri: ambo garantito; quaterna: 0% dei casi",
    "Se escono 5 numeri: terno garantito; cinquina: 0% dei casi",
    "Se escono 6 numeri: terno garantito; sestina: 0% dei casi",
};

// A line as pdftotext gives it back: the mark, the number, the text.
struct Stampata
{
    bool segnata = false;
    int numero = 0;
    QString testo;
};

// The numbered lines of each page, read down each column, the columns from the left.
std::vector<Stampata> RigheStampate(const QString &pagina)
{
    static const QRegularExpression voce(QStringLiteral(R"((\?\s+)?(\d+)\. (\S+(?: \S+)*))"));
    std::map<int, std::vector<std::pair<int, Stampata>>> perColonna; // by where it starts
    const QStringList righe = pagina.split(u'\n');
    for (int r = 0; r < righe.size(); ++r) {
        for (const QRegularExpressionMatch &m : voce.globalMatch(righe[r])) {
            if (m.captured(3).startsWith(QStringLiteral("righe,")))
                continue;
            perColonna[int(m.capturedStart(2) + m.capturedLength(2))].push_back(
                {r, {m.hasCaptured(1), m.captured(2).toInt(), m.captured(3)}});
        }
    }
    // Right-aligned numbers end at the same place in a column, give or take the reader's
    // rounding of the positions.
    std::vector<Stampata> lette;
    std::vector<std::pair<int, Stampata>> colonna;
    int fine = -100;
    auto chiudi = [&] {
        std::stable_sort(colonna.begin(), colonna.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
        for (const auto &[r, s] : colonna)
            lette.push_back(s);
        colonna.clear();
    };
    for (const auto &[dove, voci] : perColonna) {
        if (dove - fine > 3)
            chiudi();
        fine = dove;
        colonna.insert(colonna.end(), voci.begin(), voci.end());
    }
    chiudi();
    return lette;
}

} // namespace

class tst_Stampa : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Caratteri::RegistraSostituzioni(); }
    void init();
    void cleanup();

    void pdf_data();
    void pdf();
    void garanziaOltreIlTempo();
    void listaVuota_data();
    void listaVuota();
    void scritturaFallita();
    void annulla();
    void anteprima();

private:
    QString Costruzioni() const { return cartella->filePath(QStringLiteral("Shared/Costruzioni")); }
    void Crea(std::shared_ptr<Salvataggio::ScritturaFile> scrittura = std::make_shared<Salvataggio::ScritturaFile>());
    // Ctrl+Shift+P, the file window answered with `nome` in the folder of the lists.
    QList<DialogoVisto> Esporta(const QString &nome, const QStringList &risposte = {});

    std::unique_ptr<QTemporaryDir> cartella;
    std::unique_ptr<frmOmbrazio> finestra;
    QStringList proposti; // the name the file window offered, each time it opened
    int stampanti = 0;    // how often a printer was asked for
    std::function<bool(const Verifica::Lista &, Verifica::Garanzia &, Verifica::Avanzamento &)> garanzia;
    int attesa = 2000;
    std::function<QStringList(QFileDialog &)> scegli;
};

void tst_Stampa::init()
{
    QLocale::setDefault(QLocale::c());
    cartella = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(Costruzioni()));
    proposti.clear();
    stampanti = 0;
    garanzia = Verifica::CalcolaGaranzia;
    attesa = 2000;
    Crea();
}

void tst_Stampa::cleanup()
{
    finestra.reset();
    cartella.reset();
    QLocale::setDefault(QLocale::system());
}

void tst_Stampa::Crea(std::shared_ptr<Salvataggio::ScritturaFile> scrittura)
{
    finestra.reset();
    Ambiente ambiente{[] { return QDateTime(QDate(2026, 2, 5), QTime(14, 5, 9)); }, cartella->path(),
                      std::move(scrittura)};
    ambiente.Garanzia = [this](const Verifica::Lista &l, Verifica::Garanzia &g, Verifica::Avanzamento &a) {
        return garanzia(l, g, a);
    };
    ambiente.AttesaGaranzia = attesa;
    ambiente.ScegliFile = [this](QFileDialog &dialogo) { return scegli(dialogo); };
    ambiente.ScegliStampante = [this](QPrinter &stampante, QWidget *) {
        ++stampanti;
        stampante.setOutputFormat(QPrinter::PdfFormat);
        stampante.setOutputFileName(cartella->filePath(QStringLiteral("stampante.pdf")));
        return true;
    };
    finestra = ApriFinestra(ambiente);
    QVERIFY(finestra);
}

QList<DialogoVisto> tst_Stampa::Esporta(const QString &nome, const QStringList &risposte)
{
    scegli = [this, nome](QFileDialog &dialogo) {
        proposti << dialogo.selectedFiles().value(0);
        return nome.isEmpty() ? QStringList() : QStringList{Costruzioni() + u'/' + nome};
    };
    RispondiDialoghi risponditore(risposte);
    QTest::keyClick(finestra->txtLista, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    return risponditore.visti;
}

void tst_Stampa::pdf_data()
{
    QTest::addColumn<QStringList>("lista");
    QTest::addColumn<QStringList>("conti");    // the header's second row and what follows
    QTest::addColumn<int>("pagine");           // 0: as many as the page holds
    QStringList fano = Fano;
    fano.insert(3, QString());
    fano.insert(5, QStringLiteral("  7 x 99"));
    QTest::newRow("a matrix with a blank and an unreadable line")
        << fano << (QStringList{"8 righe, 7 numeri: 01 02 03 04 05 06 07"} + GaranziaFano) << 1;
    QStringList mille;
    for (int i = 0; i < 1000; ++i)
        mille << QStringLiteral("%1 %2 %3").arg(1 + i % 4, 2, 10, QChar(u'0')).arg(5 + i / 4 % 4, 2, 10, QChar(u'0')).arg(9 + i / 16 % 4, 2, 10, QChar(u'0'));
    QTest::newRow("1,000 lines")
        << mille << QStringList{"1000 righe, 12 numeri: 01 02 03 04 05 06 07 08 09 10 11 12"} << 0;
}

void tst_Stampa::pdf()
{
    QFETCH(QStringList, lista);
    QFETCH(QStringList, conti);
    QFETCH(int, pagine);
    finestra->txtLista->setPlainText(lista.join(u'\n'));
    const QString prima = finestra->TestoLista();
    const QList<DialogoVisto> visti = Esporta(QStringLiteral("lista.pdf"));
    // Windows' own file window, not shown, has no name to give; Qt's has.
    if (!proposti.value(0).isEmpty())
        QCOMPARE(proposti, QStringList{Costruzioni() + QStringLiteral("/036140509-36.pdf")});
    else
        QVERIFY(QGuiApplication::platformName() == QStringLiteral("windows"));
    QCOMPARE(visti.size(), 1);
    QCOMPARE(visti[0].testo, QStringLiteral("Lista esportata in PDF, col nome:\nlista.pdf"));
    QCOMPARE(finestra->TestoLista(), prima);
    // Written whole, with nothing left beside it.
    QCOMPARE(QDir(Costruzioni()).entryList(QDir::Files | QDir::Hidden), QStringList{"lista.pdf"});

    const QString testo = TestoPdf(Costruzioni() + QStringLiteral("/lista.pdf"));
    QStringList fogli = testo.split(u'\f');
    if (fogli.last().trimmed().isEmpty())
        fogli.removeLast();
    QVERIFY2(fogli.size() >= 1, qPrintable(testo));
    const int totale = int(fogli.size());
    if (pagine > 0)
        QCOMPARE(totale, pagine);

    // The header: the program and the moment, the counts, the guarantee rows.
    const QStringList testa = fogli[0].split(u'\n');
    QVERIFY2(testa.value(0).simplified() == QStringLiteral("Ombrazio® 05/02/2026 14:05"), qPrintable(testa.value(0)));
    QVERIFY2(testa.value(1).trimmed().startsWith(conti[0]), qPrintable(testa.value(1)));
    for (int i = 1; i < conti.size(); ++i)
        QCOMPARE(testa.value(i + 1).trimmed(), conti[i]);

    // Every line in order, with its number in the list; blank lines skipped, the unreadable
    // one marked. Each page ends with its number.
    std::vector<Stampata> stampate;
    std::vector<int> perPagina;
    for (int p = 0; p < totale; ++p) {
        QVERIFY2(fogli[p].trimmed().endsWith(QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(totale)),
                 qPrintable(fogli[p]));
        const std::vector<Stampata> qui = RigheStampate(fogli[p]);
        perPagina.push_back(int(qui.size()));
        stampate.insert(stampate.end(), qui.begin(), qui.end());
    }
    std::vector<Stampata> attese;
    for (int i = 0; i < lista.size(); ++i) {
        if (!lista[i].trimmed().isEmpty())
            attese.push_back({lista[i].contains(u'x'), i + 1, lista[i].trimmed()});
    }
    QCOMPARE(stampate.size(), attese.size());
    for (std::size_t i = 0; i < attese.size(); ++i) {
        QCOMPARE(stampate[i].numero, attese[i].numero);
        QCOMPARE(stampate[i].testo, attese[i].testo);
        QCOMPARE(stampate[i].segnata, attese[i].segnata);
    }
    if (pagine > 0)
        return;
    // The pages count: A4 less 15 mm each side, in rows and columns of the face at 10
    // points; "1000. 01 05 09" takes 14 characters, with 3 between columns. The foot takes
    // two rows of each page; the header seven on the first (the moment, the counts, the
    // guarantee for 2 to 6 drawn), and one more below it.
    // Measured as a PDF measures it: at its own resolution, not the screen's.
    QBuffer nulla;
    nulla.open(QIODevice::WriteOnly);
    QPdfWriter foglio(&nulla);
    foglio.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                     QPageLayout::Millimeter));
    const QFontMetricsF misure(Caratteri::Carattere(Caratteri::CourierNew, 10), &foglio);
    const int caratteri = int(foglio.width() / misure.horizontalAdvance(u'0'));
    const int righe = int(foglio.height() / misure.lineSpacing()) - 2;
    const int colonne = (caratteri + 3) / (14 + 3);
    const int primaPagina = (righe - 8) * colonne;
    const int previste = 1 + (1000 - primaPagina + righe * colonne - 1) / (righe * colonne);
    QCOMPARE(totale, previste);
    QCOMPARE(perPagina.front(), primaPagina);
}

void tst_Stampa::garanziaOltreIlTempo()
{
    // A guarantee that would go on until it is stopped.
    garanzia = [](const Verifica::Lista &, Verifica::Garanzia &, Verifica::Avanzamento &a) {
        while (!a.annulla.load())
            std::this_thread::yield();
        return false;
    };
    attesa = 50;
    Crea();
    finestra->txtLista->setPlainText(Fano.join(u'\n'));
    const QList<DialogoVisto> visti = Esporta(QStringLiteral("lenta.pdf"));
    QCOMPARE(visti.size(), 1);
    const QStringList testa = TestoPdf(Costruzioni() + QStringLiteral("/lenta.pdf")).split(u'\n');
    QCOMPARE(testa.value(2).trimmed(), QStringLiteral("Garanzia non calcolata (oltre 2 s)"));
    QVERIFY(testa.value(4).contains(QStringLiteral("1. 01 02 04")));
}

void tst_Stampa::listaVuota_data()
{
    QTest::addColumn<bool>("esporta");
    QTest::addColumn<QString>("testo");
    QTest::newRow("print, empty") << false << "";
    QTest::newRow("print, line breaks alone") << false << "\n\n";
    QTest::newRow("export, line breaks alone") << true << "\n\n";
}

void tst_Stampa::listaVuota()
{
    QFETCH(bool, esporta);
    QFETCH(QString, testo);
    finestra->txtLista->setPlainText(testo);
    scegli = [this](QFileDialog &) {
        proposti << QString();
        return QStringList();
    };
    RispondiDialoghi risponditore;
    QTest::keyClick(finestra->txtLista, Qt::Key_P, Qt::ControlModifier | (esporta ? Qt::ShiftModifier : Qt::NoModifier));
    QCOMPARE(risponditore.visti.size(), 1);
    QCOMPARE(risponditore.visti[0].testo, QStringLiteral("L'Area combinazioni è vuota ..!"));
    QCOMPARE(stampanti, 0);
    QVERIFY(proposti.isEmpty());
}

// SALVA's own write and reports: a write that fails leaves what was there. The other
// failures of that write are rows of tst_salva.
void tst_Stampa::scritturaFallita()
{
    const QString nome = QStringLiteral("lista.pdf");
    QFile vecchio(Costruzioni() + u'/' + nome);
    QVERIFY(vecchio.open(QIODevice::WriteOnly));
    vecchio.write("earlier");
    vecchio.close();
    Crea(std::make_shared<ScritturaInterrotta>());
    finestra->txtLista->setPlainText(Fano.join(u'\n'));
    const QList<DialogoVisto> visti = Esporta(nome);
    QCOMPARE(visti.size(), 1);
    QCOMPARE(visti[0].testo, QStringLiteral("Si è verificato l' errore: 57"));
    // Nothing half-written: what was there stays, and no other file appears.
    QCOMPARE(QDir(Costruzioni()).entryList(QDir::Files | QDir::Hidden), QStringList{nome});
    QVERIFY(vecchio.open(QIODevice::ReadOnly));
    QCOMPARE(vecchio.readAll(), QByteArray("earlier"));
}

void tst_Stampa::annulla()
{
    // Long enough for the progress window to come up, and be stopped.
    QStringList lista;
    for (int i = 0; i < 200000; ++i)
        lista << QStringLiteral("%1 %2").arg(1 + i % 45).arg(46 + i % 45);
    finestra->txtLista->setPlainText(lista.join(u'\n'));
    const QList<DialogoVisto> visti = Esporta(QStringLiteral("lunga.pdf"), {QStringLiteral("ANNULLA")});
    QCOMPARE(visti.size(), 1);
    QCOMPARE(visti[0].titolo, QStringLiteral("Ombrazio® - Stampa"));
    QCOMPARE(visti[0].pulsanti, QStringList{"ANNULLA"});
    QVERIFY(QDir(Costruzioni()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    QCOMPARE(finestra->TestoLista(), lista.join(QStringLiteral("\r\n")));
}

void tst_Stampa::anteprima()
{
    finestra->txtLista->setPlainText(Fano.join(u'\n'));
    int pagine = -1;
    QString titolo;
    QTimer guarda;
    connect(&guarda, &QTimer::timeout, this, [&] {
        auto *dialogo = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        if (!dialogo || !dialogo->isVisible())
            return;
        guarda.stop();
        titolo = dialogo->windowTitle();
        QTRY_VERIFY(dialogo->findChild<QPrintPreviewWidget *>()->pageCount() > 0);
        pagine = dialogo->findChild<QPrintPreviewWidget *>()->pageCount();
        dialogo->reject();
    });
    guarda.start(10);
    QTest::keyClick(finestra->txtLista, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(stampanti, 1);
    QCOMPARE(titolo, QStringLiteral("Ombrazio® - Anteprima di stampa"));
    QCOMPARE(pagine, 1);
    QVERIFY(finestra->isVisible());
}

QTEST_MAIN(tst_Stampa)
#include "tst_stampa.moc"
