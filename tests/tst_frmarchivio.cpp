// The Archivio window: an archive read through the file window and found again at the next
// start, the list replayed over it, the delays sorted and copied, numbers taken to the board.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "archivio/Archivio.h"
#include "archivio/frmArchivio.h"
#include "common/Caratteri.h"
#include "common/Etichetta.h"
#include "common/PulsanteComando.h"
#include "dialogs/frmMessage.h"
#include "grid/CellaNumero.h"
#include "helpers/Dialoghi.h"
#include "helpers/Estrazioni.h"
#include "verifica/Verifica.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

constexpr int Date = 300;
constexpr int ConNazionale = 40;
// Long lines, so that most draws have hits; the third has nothing to check.
const QString Lista = QStringLiteral("01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20\r\n"
                                     "21 24 27 30 33 36 39 42 45 48 51 54 57 60 63\r\nx 5\r\n90 85 80 75 70 02");

QString Due(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QStringList Riga(QTableView *tabella, int riga)
{
    QStringList campi;
    for (int c = 0; c < tabella->model()->columnCount(); ++c)
        campi << tabella->model()->index(riga, c).data().toString();
    return campi;
}

int RigaDi(QTableView *tabella, int numero)
{
    for (int r = 0; r < tabella->model()->rowCount(); ++r) {
        if (tabella->model()->index(r, 0).data().toString() == Due(numero))
            return r;
    }
    return -1;
}

} // namespace

class tst_frmArchivio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { finestraArchivio.reset(); }

    void spoglioERitardi_data();
    void spoglioERitardi();
    void rifiuto_data();
    void rifiuto();
    void ricordatoDopoIlRiavvio();
    void seleziona_data();
    void seleziona();

private:
    // Not modal: the helper that answers dialogs answers only the messages.
    frmArchivio *Apri();
    // Through the main window's Ctrl+K: `lavora` works the window, which is then closed.
    QList<DialogoVisto> DaFinestra(frmOmbrazio &finestra, const std::function<void(frmArchivio *)> &lavora);

    QTemporaryDir impostazioni;
    QTemporaryDir cartella;
    Estrazioni storico;
    QString percorso;
    QString scelta;
    Ambiente ambiente = Ambiente::DiSistema();
    std::unique_ptr<frmArchivio> finestraArchivio;
};

void tst_frmArchivio::initTestCase()
{
    Caratteri::RegistraSostituzioni();
    // Never the user's own settings: these stay in a folder of the test's.
    QCoreApplication::setOrganizationName(QStringLiteral("Ombrazio"));
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, impostazioni.path());
    storico = InventaEstrazioni(Date, ConNazionale, 19390107, QDate(2024, 1, 2));
    percorso = cartella.filePath(QStringLiteral("storico.txt"));
    QFile file(percorso);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(storico.File()) > 0);
    ambiente.ScegliFile = [this](QFileDialog &) { return QStringList{scelta}; };
}

void tst_frmArchivio::init()
{
    QSettings().clear();
    scelta = percorso;
}

frmArchivio *tst_frmArchivio::Apri()
{
    finestraArchivio = std::make_unique<frmArchivio>(Lista, ambiente.ScegliFile, ambiente.Lettura,
                                                      [](const std::vector<int> &) {});
    finestraArchivio->setWindowModality(Qt::NonModal);
    finestraArchivio->show();
    if (!QTest::qWaitForWindowActive(finestraArchivio.get()))
        finestraArchivio.reset();
    return finestraArchivio.get();
}

QList<DialogoVisto> tst_frmArchivio::DaFinestra(frmOmbrazio &finestra, const std::function<void(frmArchivio *)> &lavora)
{
    RispondiDialoghi risposte;
    risposte.Ispeziona = [&](QDialog *dialogo) {
        if (auto *archivio = qobject_cast<frmArchivio *>(dialogo)) {
            lavora(archivio);
            archivio->reject();
        }
    };
    finestra.activateWindow();
    if (!QTest::qWaitForWindowActive(&finestra))
        return {};
    finestra.txtLista->setFocus();
    QTest::keyClick(finestra.txtLista, Qt::Key_K, Qt::ControlModifier);
    return risposte.visti;
}

void tst_frmArchivio::spoglioERitardi_data()
{
    QTest::addColumn<quint16>("ruote");
    QTest::addColumn<int>("ultime");
    QTest::newRow("every wheel, the last 100") << quint16(0x7FF) << 100;
    // The Nazionale's first dates have no draw of it: they do not count.
    QTest::newRow("Bari and the Nazionale, the last 30") << quint16(0x401) << 30;
}

void tst_frmArchivio::spoglioERitardi()
{
    QFETCH(quint16, ruote);
    QFETCH(int, ultime);
    frmArchivio *f = Apri();
    QVERIFY(f);
    QVERIFY(!f->cmdVerifica->isEnabled() && !f->cmdRitardi->isEnabled() && !f->spnUltime->isEnabled());
    QTest::mouseClick(f->cmdApri, Qt::LeftButton);
    // 300 dates of Tuesdays, Thursdays and Saturdays; 11 wheels, but the first 40 without the Nazionale.
    QCOMPARE(f->lblArchivio->text(),
             QStringLiteral("Archivio: storico.txt, 300 estrazioni dal 02/01/2024 al 29/11/2025 (3260 ruote)"));
    QCOMPARE(f->spnUltime->value(), 100);
    QCOMPARE(f->spnUltime->maximum(), Date);
    QTest::mouseClick(f->cmdNessuna, Qt::LeftButton);
    for (int r = 0; r < 11; ++r) {
        if (ruote >> r & 1)
            QTest::mouseClick(f->chkRuota[std::size_t(r)], Qt::LeftButton);
    }
    f->spnUltime->setValue(ultime);

    // The window shows what the spoglio and the delay table give for this file, this list
    // and the wheels and draws chosen, both checked against a brute force in tst_archivio.
    Archivio::Dati dati;
    QVERIFY(Archivio::Leggi(storico.File(), QStringLiteral("storico.txt"), dati).Accettata());
    const Archivio::Scelta chiesta{ruote, ultime};
    QTest::mouseClick(f->cmdVerifica, Qt::LeftButton);
    QCOMPARE(f->tabRisultati->currentWidget(), f->txtSpoglio);
    QCOMPARE(f->txtSpoglio->toPlainText(), Archivio::Spoglio(dati, Verifica::LeggiLista(Lista), chiesta));
    QVERIFY(f->txtSpoglio->toPlainText().contains(QStringLiteral("Vincite: Estratti ")));

    QTest::mouseClick(f->cmdRitardi, Qt::LeftButton);
    QCOMPARE(f->tabRisultati->currentWidget(), f->tblRitardi);
    for (const Archivio::Ritardo &r : Archivio::Ritardi(dati, chiesta)) {
        QStringList sigle;
        for (int w = 0; w < 11; ++w) {
            if (r.ruoteUltima >> w & 1)
                sigle << SigleRuote[w];
        }
        const QString ultima = r.ultima.isNull() ? QString() : r.ultima.toString(u"dd/MM/yyyy ") + sigle.join(u' ');
        const QStringList attesa{Due(r.numero), QString::number(r.ritardo), QString::number(r.ritardoMassimo),
                                 QString::number(r.frequenza), ultima};
        QCOMPARE(Riga(f->tblRitardi, RigaDi(f->tblRitardi, r.numero)), attesa);
    }
    Fotografa(f, QStringLiteral("archivio-ritardi"));

    // The longest delay first; a click on a header sorts by it, one way, then back.
    const QAbstractItemModel *m = f->tblRitardi->model();
    for (int r = 1; r < 90; ++r)
        QVERIFY(m->index(r - 1, 1).data().toInt() >= m->index(r, 1).data().toInt());
    QHeaderView *intestazione = f->tblRitardi->horizontalHeader();
    QList<QDate> prima;
    for (int volta = 0; volta < 2; ++volta) {
        QTest::mouseClick(intestazione->viewport(), Qt::LeftButton, {},
                          QPoint(intestazione->sectionViewportPosition(4) + 10, intestazione->height() / 2));
        QList<QDate> date;
        for (int r = 0; r < 90; ++r)
            date << QDate::fromString(m->index(r, 4).data().toString().left(10), u"dd/MM/yyyy");
        QVERIFY(std::is_sorted(date.cbegin(), date.cend()) || std::is_sorted(date.crbegin(), date.crend()));
        QVERIFY(date.first() != date.last() && (prima.isEmpty() || date.first() == prima.last()));
        prima = date;
    }

    // Ctrl+C: the rows chosen, or all of them, under a header, a tab between fields.
    const QString intestazioni = QStringLiteral("Numero\tRitardo\tRitardo massimo\tFrequenza\tUltima uscita\n");
    QTest::mouseClick(f->tblRitardi->viewport(), Qt::LeftButton, {},
                      f->tblRitardi->visualRect(m->index(2, 1)).center());
    QTest::mouseClick(f->tblRitardi->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      f->tblRitardi->visualRect(m->index(0, 3)).center());
    QTest::keyClick(f->tblRitardi, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             intestazioni + Riga(f->tblRitardi, 0).join(u'\t') + u'\n' + Riga(f->tblRitardi, 2).join(u'\t') + u'\n');
    f->tblRitardi->clearSelection();
    QTest::keyClick(f->tblRitardi, Qt::Key_C, Qt::ControlModifier);
    const QStringList tutte = QApplication::clipboard()->text().split(u'\n');
    QCOMPARE(tutte.size(), 92);
    QCOMPARE(tutte[89], Riga(f->tblRitardi, 88).join(u'\t'));
}

void tst_frmArchivio::rifiuto_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<QString>("messaggio"); // its lines joined by spaces
    const QByteArray buona = "2024/01/05\tBA\t1\t2\t3\t4\t5\r\n";
    // Too long for one line of the message: broken at spaces.
    QTest::newRow("a wheel twice") << buona + "\r\n2024/01/05\tBA\t1\t2\t3\t4\t6\r\n"
                                   << "Riga 3: BA del 05/01/2024 è già alla riga 1 con 5 al posto di 6 ..! rotto.txt";
    // A refusal of the whole file, told by its error's text.
    QTest::newRow("an empty file") << QByteArray("\r\n \r\n") << "Il file è vuoto ..! rotto.txt";
}

void tst_frmArchivio::rifiuto()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, messaggio);
    frmArchivio *f = Apri();
    QVERIFY(f);
    QTest::mouseClick(f->cmdApri, Qt::LeftButton);
    f->spnUltime->setValue(57);
    QTest::mouseClick(f->cmdVerifica, Qt::LeftButton);
    QTest::mouseClick(f->cmdRitardi, Qt::LeftButton);
    const QString archivio = f->lblArchivio->text();
    const QString spoglio = f->txtSpoglio->toPlainText();
    const QStringList ritardi = Riga(f->tblRitardi, 0);

    QTemporaryDir altrove;
    scelta = altrove.filePath(QStringLiteral("rotto.txt"));
    QFile file(scelta);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contenuto) > 0);
    file.close();
    RispondiDialoghi risposte;
    bool entra = true;
    risposte.Ispeziona = [&entra](QDialog *d) {
        const auto *testo = d->findChild<Etichetta *>();
        for (const QString &riga : testo->text().split(u'\n'))
            entra = entra && testo->fontMetrics().horizontalAdvance(riga) <= testo->width();
    };
    QTest::mouseClick(f->cmdApri, Qt::LeftButton);
    QCOMPARE(risposte.visti.size(), 1);
    QCOMPARE(risposte.visti[0].testo.replace(u'\n', u' '), messaggio);
    QVERIFY(entra);
    // The archive read before stays, with all that was shown of it.
    QCOMPARE(f->lblArchivio->text(), archivio);
    QCOMPARE(f->txtSpoglio->toPlainText(), spoglio);
    QCOMPARE(Riga(f->tblRitardi, 0), ritardi);
    QCOMPARE(f->spnUltime->value(), 57);
    QCOMPARE(QSettings().value(QStringLiteral("archivio/percorso")).toString(), percorso);
}

void tst_frmArchivio::ricordatoDopoIlRiavvio()
{
    QString letto;
    const auto leggi = [&letto](frmArchivio *a) { letto = a->lblArchivio->text(); };
    {
        std::unique_ptr<frmOmbrazio> finestra = ApriFinestra(ambiente);
        QVERIFY(finestra);
        DaFinestra(*finestra, [&](frmArchivio *a) {
            leggi(a);
            QTest::mouseClick(a->cmdApri, Qt::LeftButton);
        });
        QCOMPARE(letto, QStringLiteral("Nessun archivio aperto"));
    }

    // A new start: the archive is there at once, without the file window.
    scelta.clear();
    std::unique_ptr<frmOmbrazio> finestra = ApriFinestra(ambiente);
    QVERIFY(finestra);
    QCOMPARE(VociMenuContestuale(finestra->txtLista->viewport(), QPoint(5, 5)).value(5),
             QStringLiteral("Archivio...\tCtrl+K"));
    // As on X11, where the list box would take Ctrl+K to delete to the end of the line.
    struct VuoleIlTasto : QObject
    {
        bool eventFilter(QObject *, QEvent *evento) override
        {
            if (evento->type() == QEvent::ShortcutOverride)
                evento->accept();
            return false;
        }
    } vuole;
    finestra->txtLista->setPlainText(QStringLiteral("01 02 03"));
    finestra->txtLista->installEventFilter(&vuole);
    QList<DialogoVisto> visti = DaFinestra(*finestra, leggi);
    QVERIFY2(letto.startsWith(QStringLiteral("Archivio: storico.txt, 300 estrazioni")), qPrintable(letto));
    QCOMPARE(visti.value(0).titolo, QStringLiteral("Ombrazio® - Archivio"));
    QCOMPARE(finestra->TestoLista(), QStringLiteral("01 02 03"));

    // Gone since: the window says so, then opens with no archive.
    QVERIFY(QFile::rename(percorso, percorso + QStringLiteral(".via")));
    visti = DaFinestra(*finestra, leggi);
    QVERIFY(QFile::rename(percorso + QStringLiteral(".via"), percorso));
    QCOMPARE(visti.value(0).testo, QStringLiteral("File non trovato ..!\nstorico.txt"));
    QCOMPARE(letto, QStringLiteral("Nessun archivio aperto"));
}

void tst_frmArchivio::seleziona_data()
{
    QTest::addColumn<int>("griglia"); // its numbers, none generated for 0; 5 selected on it first
    QTest::addColumn<QList<int>>("righe");
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<QList<int>>("selezionati");
    QTest::newRow("no board") << 0 << QList<int>{5, 88} << "Generare la Griglia ..!" << QList<int>{};
    QTest::newRow("two beyond the board")
        << 36 << QList<int>{88, 5, 20, 77} << "I numeri 77, 88 non sono nella griglia ..!" << QList<int>{5, 20};
    QTest::newRow("one beyond") << 36 << QList<int>{37, 36} << "Il numero 37 non è nella griglia ..!"
                                << QList<int>{5, 36};
    QTest::newRow("all on the board") << 90 << QList<int>{90, 1} << "" << QList<int>{1, 5, 90};
    QTest::newRow("no row") << 36 << QList<int>{} << "Selezionare nei Ritardi\ni numeri da portare nella griglia ..!"
                            << QList<int>{5};
}

void tst_frmArchivio::seleziona()
{
    QFETCH(int, griglia);
    QFETCH(QList<int>, righe);
    QFETCH(QString, messaggio);
    QFETCH(QList<int>, selezionati);
    std::unique_ptr<frmOmbrazio> finestra = ApriFinestra(ambiente);
    QVERIFY(finestra);
    if (griglia > 0)
        Seleziona(*finestra, griglia, 10, {5});
    QStringList visti;
    bool aperta = false;
    DaFinestra(*finestra, [&](frmArchivio *a) {
        QTest::mouseClick(a->cmdApri, Qt::LeftButton);
        QTest::mouseClick(a->cmdRitardi, Qt::LeftButton);
        for (int n : righe)
            a->tblRitardi->selectionModel()->select(a->tblRitardi->model()->index(RigaDi(a->tblRitardi, n), 0),
                                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
        // The board's messages come up over this window: only they are answered here.
        QTimer messaggi;
        connect(&messaggi, &QTimer::timeout, [&visti] {
            if (auto *m = qobject_cast<frmMessage *>(QApplication::activeModalWidget()); m && m->isVisible()) {
                visti << Descrivi(m).testo;
                m->cmdPulsante(1)->click();
            }
        });
        messaggi.start(5);
        QTest::mouseClick(a->cmdSeleziona, Qt::LeftButton);
        aperta = a->isVisible();
    });
    QCOMPARE(visti, messaggio.isEmpty() ? QStringList() : QStringList{messaggio});
    QVERIFY(aperta);
    QList<int> sulla;
    for (int k = 1; k <= griglia; ++k) {
        if (gCaselle(k))
            sulla << k;
    }
    QCOMPARE(sulla, selezionati);
    QCOMPARE(finestra->lblSelezionati->text(), QString::number(selezionati.size()));
}

QTEST_MAIN(tst_frmArchivio)
#include "tst_frmarchivio.moc"
