// The Archivio window: an archive read through the file window and found again at the next
// start, the wheels it starts with, the list replayed over it off the window's thread with its
// balance and curve, the delays sorted and copied, numbers taken to the board.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "archivio/Archivio.h"
#include "archivio/GraficoAndamento.h"
#include "archivio/frmArchivio.h"
#include "common/Caratteri.h"
#include "common/Etichetta.h"
#include "common/PulsanteComando.h"
#include "dialogs/frmMessage.h"
#include "grid/CellaNumero.h"
#include "helpers/Dialoghi.h"
#include "helpers/Estrazioni.h"
#include "verifica/Verifica.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDoubleSpinBox>
#include <QFile>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

namespace {

constexpr int Date = 300;
constexpr int ConNazionale = 40;
// Long lines, so that most draws have hits; the third has nothing to check.
const QString Lista = QStringLiteral("01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20\r\n"
                                     "21 24 27 30 33 36 39 42 45 48 51 54 57 60 63\r\nx 5\r\n90 85 80 75 70 02");
constexpr quint16 Dieci = 0x3FF;
constexpr quint16 Undici = 0x7FF;

// Three dates, the ten city wheels each, figures to work a balance by hand: 81 to 85 on every
// wheel but these. Bari: 1 2 on the 7th, 1 2 3 on the 9th; Napoli: 4 5 on the 11th.
QByteArray Piccolo()
{
    QByteArray testo;
    const char *const date[] = {"2025/01/07", "2025/01/09", "2025/01/11"};
    for (int d = 0; d < 3; ++d) {
        for (int r = 0; r < 10; ++r) {
            QByteArray numeri = "81\t82\t83\t84\t85";
            if (r == 0 && d == 0)
                numeri = "1\t2\t60\t61\t62";
            else if (r == 0 && d == 1)
                numeri = "1\t2\t3\t63\t64";
            else if (r == 5 && d == 2)
                numeri = "4\t5\t65\t66\t67";
            testo += QByteArray(date[d]) + '\t' + SigleRuote[r].toLatin1() + '\t' + numeri + "\r\n";
        }
    }
    return testo;
}

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

QString Intestazione(QTableView *tabella, int colonna)
{
    return tabella->model()->headerData(colonna, Qt::Horizontal).toString();
}

// The mean run without `numero` between two of its draws over the whole archive, on the
// wheels of `ruote`, counted draw by draw: one decimal and a comma, nothing below two draws.
QString RitardoMedio(const Estrazioni &e, quint16 ruote, int numero)
{
    int contate = 0;
    QList<int> uscite;
    for (int d = 0; d < e.date.size(); ++d) {
        bool estratta = false;
        bool uscito = false;
        for (int r = 0; r < 11; ++r) {
            if ((ruote >> r & 1) && e.Estratta(d, r)) {
                estratta = true;
                uscito = uscito || e.Uscito(d, r, numero);
            }
        }
        if (uscito)
            uscite << contate;
        contate += estratta ? 1 : 0;
    }
    if (uscite.size() < 2)
        return {};
    int vuote = 0;
    for (int i = 1; i < uscite.size(); ++i)
        vuote += uscite[i] - uscite[i - 1] - 1;
    return QString::number(double(vuote) / (uscite.size() - 1), 'f', 1).replace(u'.', u',');
}

// Waits for the replay to end, as long as a loaded machine may need.
bool Finita(frmArchivio *f)
{
    return QTest::qWaitFor([f] { return !f->InCorso(); }, 60000);
}

} // namespace

class tst_frmArchivio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { finestraArchivio.reset(); }

    void ruote_data();
    void ruote();
    void spoglioERitardi_data();
    void spoglioERitardi();
    void bilancio_data();
    void bilancio();
    void sorteDellaLista_data();
    void sorteDellaLista();
    void ritardoMedioVuoto();
    void ogniControlloHaUnNome();
    void annulla_data();
    void annulla();
    void rifiuto_data();
    void rifiuto();
    void ricordatoDopoIlRiavvio();
    void seleziona_data();
    void seleziona();

private:
    // Not modal: the helper that answers dialogs answers only the messages.
    frmArchivio *Apri(const QString &lista = Lista, frmArchivio::Riproduzione riproduci = Archivio::Riproduci);
    // Through the main window's Ctrl+K: `lavora` works the window, which is then closed.
    QList<DialogoVisto> DaFinestra(frmOmbrazio &finestra, const std::function<void(frmArchivio *)> &lavora);

    QTemporaryDir impostazioni;
    QTemporaryDir cartella;
    Estrazioni storico;
    QString percorso;
    QString piccolo;
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
    piccolo = cartella.filePath(QStringLiteral("piccolo.txt"));
    QFile file2(piccolo);
    QVERIFY(file2.open(QIODevice::WriteOnly) && file2.write(Piccolo()) > 0);
    ambiente.ScegliFile = [this](QFileDialog &) { return QStringList{scelta}; };
}

void tst_frmArchivio::init()
{
    QSettings().clear();
    scelta = percorso;
}

frmArchivio *tst_frmArchivio::Apri(const QString &lista, frmArchivio::Riproduzione riproduci)
{
    finestraArchivio = std::make_unique<frmArchivio>(lista, ambiente.ScegliFile, ambiente.Lettura,
                                                      [](const std::vector<int> &) {}, nullptr, std::move(riproduci));
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

void tst_frmArchivio::ruote_data()
{
    // Clicks in order: a wheel's box by its number from 0 (10 the Nazionale), -1 TUTTE, -2 NESSUNA.
    QTest::addColumn<QList<int>>("clic");
    QTest::addColumn<quint16>("scelte");
    QTest::addColumn<QString>("nome"); // as the spoglio's header names them, empty for a refusal
    QTest::addColumn<QString>("per");
    QTest::newRow("at the start: the ten") << QList<int>{} << Dieci << "Tutte"
                                           << "per riga su Tutte";
    QTest::newRow("the Nazionale added") << QList<int>{10} << Undici << "BA CA FI GE MI NA PA RM TO VE RN"
                                         << "per riga e ruota";
    QTest::newRow("one of the ten off") << QList<int>{5} << quint16(Dieci & ~(1u << 5)) << "BA CA FI GE MI PA RM TO VE"
                                        << "per riga e ruota";
    QTest::newRow("TUTTE puts it back") << QList<int>{5, 3, -1} << Dieci << "Tutte"
                                        << "per riga su Tutte";
    QTest::newRow("NESSUNA, then two") << QList<int>{-2, 0, 10} << quint16(0x401) << "BA RN"
                                       << "per riga e ruota";
    // The Nazionale is a choice of its own: TUTTE leaves it as it is, NESSUNA clears it too.
    QTest::newRow("TUTTE after the Nazionale alone") << QList<int>{-2, 10, -1} << Undici
                                                     << "BA CA FI GE MI NA PA RM TO VE RN"
                                                     << "per riga e ruota";
    QTest::newRow("NESSUNA clears the Nazionale") << QList<int>{10, -2} << quint16(0) << ""
                                                  << "per riga e ruota";
}

void tst_frmArchivio::ruote()
{
    QFETCH(QList<int>, clic);
    QFETCH(quint16, scelte);
    QFETCH(QString, nome);
    QFETCH(QString, per);
    frmArchivio *f = Apri();
    QVERIFY(f);
    // The window opens with the ten chosen, before any archive is read.
    for (int r = 0; r < 11; ++r)
        QCOMPARE(f->chkRuota[std::size_t(r)]->isChecked(), r < 10);
    QTest::mouseClick(f->cmdApri, Qt::LeftButton);
    for (int c : clic) {
        QWidget *dove = c == -1   ? static_cast<QWidget *>(f->cmdTutte)
                        : c == -2 ? static_cast<QWidget *>(f->cmdNessuna)
                                  : f->chkRuota[std::size_t(c)];
        QTest::mouseClick(dove, Qt::LeftButton, {}, QPoint(8, dove->height() / 2));
    }
    QCOMPARE(f->Scelta().ruote, scelte);
    QCOMPARE(f->lblPostaPer->text(), per);

    RispondiDialoghi risposte;
    QTest::mouseClick(f->cmdVerifica, Qt::LeftButton);
    if (nome.isEmpty()) {
        QTRY_COMPARE(risposte.visti.size(), 1);
        QCOMPARE(risposte.visti[0].testo, QStringLiteral("Nessuna ruota scelta ..!"));
        QVERIFY(!f->InCorso());
        return;
    }
    QVERIFY(Finita(f));
    QVERIFY(risposte.visti.isEmpty());
    const QString spoglio = f->txtSpoglio->toPlainText();
    QVERIFY2(spoglio.startsWith(QStringLiteral("Spoglio: 3 righe su %1, ultime 100 estrazioni").arg(nome)),
             qPrintable(spoglio.section(u'\n', 0, 0)));
}

void tst_frmArchivio::spoglioERitardi_data()
{
    QTest::addColumn<quint16>("ruote");
    QTest::addColumn<int>("ultime");
    QTest::newRow("every wheel, the last 100") << Undici << 100;
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
    QVERIFY(Finita(f));
    QCOMPARE(f->tabRisultati->currentWidget(), f->txtSpoglio);
    QCOMPARE(f->txtSpoglio->toPlainText(), Archivio::Spoglio(dati, Verifica::LeggiLista(Lista), chiesta));
    QVERIFY(f->txtSpoglio->toPlainText().contains(QStringLiteral("Vincite: Estratti ")));
    QCOMPARE(f->prgVerifica->value(), f->prgVerifica->maximum());

    QTest::mouseClick(f->cmdRitardi, Qt::LeftButton);
    QCOMPARE(f->tabRisultati->currentWidget(), f->tblRitardi);
    // The frequency's header names the draws it counts over; the mean delay, worked out here
    // draw by draw, is the whole archive's.
    const QStringList intestazioni{"Numero",    "Ritardo", "Ritardo massimo", "Ritardo medio",
                                   QStringLiteral("Frequenza (ultime %1)").arg(ultime), "Ultima uscita"};
    QStringList viste;
    for (int c = 0; c < f->tblRitardi->model()->columnCount(); ++c)
        viste << Intestazione(f->tblRitardi, c);
    QCOMPARE(viste, intestazioni);
    for (const Archivio::Ritardo &r : Archivio::Ritardi(dati, chiesta)) {
        QStringList sigle;
        for (int w = 0; w < 11; ++w) {
            if (r.ruoteUltima >> w & 1)
                sigle << SigleRuote[w];
        }
        const QString ultima = r.ultima.isNull() ? QString() : r.ultima.toString(u"dd/MM/yyyy ") + sigle.join(u' ');
        const QStringList attesa{Due(r.numero),
                                 QString::number(r.ritardo),
                                 QString::number(r.ritardoMassimo),
                                 RitardoMedio(storico, ruote, r.numero),
                                 QString::number(r.frequenza),
                                 ultima};
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
                          QPoint(intestazione->sectionViewportPosition(5) + 10, intestazione->height() / 2));
        QList<QDate> date;
        for (int r = 0; r < 90; ++r)
            date << QDate::fromString(m->index(r, 5).data().toString().left(10), u"dd/MM/yyyy");
        QVERIFY(std::is_sorted(date.cbegin(), date.cend()) || std::is_sorted(date.crbegin(), date.crend()));
        QVERIFY(date.first() != date.last() && (prima.isEmpty() || date.first() == prima.last()));
        prima = date;
    }
    // The mean delay sorts by its value, not its text ("10,5" after "9,5").
    QTest::mouseClick(intestazione->viewport(), Qt::LeftButton, {},
                      QPoint(intestazione->sectionViewportPosition(3) + 10, intestazione->height() / 2));
    QList<double> medi;
    for (int r = 0; r < 90; ++r)
        medi << m->index(r, 3).data().toString().replace(u',', u'.').toDouble();
    QVERIFY(std::is_sorted(medi.cbegin(), medi.cend()) || std::is_sorted(medi.crbegin(), medi.crend()));
    QVERIFY(medi.first() != medi.last());

    // Ctrl+C: the rows chosen, or all of them, under a header, a tab between fields.
    const QString testata = intestazioni.join(u'\t') + u'\n';
    QTest::mouseClick(f->tblRitardi->viewport(), Qt::LeftButton, {},
                      f->tblRitardi->visualRect(m->index(2, 1)).center());
    QTest::mouseClick(f->tblRitardi->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      f->tblRitardi->visualRect(m->index(0, 3)).center());
    QTest::keyClick(f->tblRitardi, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             testata + Riga(f->tblRitardi, 0).join(u'\t') + u'\n' + Riga(f->tblRitardi, 2).join(u'\t') + u'\n');
    f->tblRitardi->clearSelection();
    QTest::keyClick(f->tblRitardi, Qt::Key_C, Qt::ControlModifier);
    const QStringList tutte = QApplication::clipboard()->text().split(u'\n');
    QCOMPARE(tutte.size(), 92);
    QCOMPARE(tutte[89], Riga(f->tblRitardi, 88).join(u'\t'));
    QCOMPARE(tutte[89].count(u'\t'), 5);

    // Fewer draws asked for: the header follows at the next RITARDI, not before.
    f->spnUltime->setValue(7);
    QCOMPARE(Intestazione(f->tblRitardi, 4), intestazioni[4]);
    QTest::mouseClick(f->cmdRitardi, Qt::LeftButton);
    QCOMPARE(Intestazione(f->tblRitardi, 4), QStringLiteral("Frequenza (ultime 7)"));
}

void tst_frmArchivio::bilancio_data()
{
    QTest::addColumn<QString>("lista");
    QTest::addColumn<quint16>("ruote");
    QTest::addColumn<int>("sorte"); // the box's row: 0 the estratto ... 4 the cinquina
    QTest::addColumn<QString>("posta"); // typed into its box
    QTest::addColumn<QString>("bilancio");
    QTest::addColumn<QList<qint64>>("saldi"); // cents, at each of the three dates
    QTest::addColumn<QList<int>>("sorti");    // the tier each date reached
    // Worked by hand over Piccolo(). A line of 5 for ambo wins P × 250 × C(h,2) / C(5,2):
    // 25,00 € for 2 hits, 75,00 € for 3, less 8 % each; 1,00 € a draw on one wheel.
    QTest::newRow("a line of 5 for ambo, on Bari, 2 then 3 hits")
        << "01 02 03 04 05" << quint16(1) << 1 << "1"
        << "Bilancio ai premi di oggi: ambo a 1,00 € per riga e ruota\n"
           "Costo 3,00 €  Vincite lorde 100,00 €  Ritenuta (8%) 8,00 €  Netto 92,00 €  Saldo 89,00 €"
        << QList<qint64>{-100 + 2500 - 200, 2200 - 100 + 7500 - 600, 9000 - 100} << QList<int>{2, 3, 0};
    // Terno at 2,50 €: 2,50 × 4.500 × C(3,3) / C(5,3) = 1.125,00 €, 90,00 € withheld.
    QTest::newRow("the same for terno at 2,50 €")
        << "01 02 03 04 05" << quint16(1) << 2 << "2,50"
        << "Bilancio ai premi di oggi: terno a 2,50 € per riga e ruota\n"
           "Costo 7,50 €  Vincite lorde 1.125,00 €  Ritenuta (8%) 90,00 €  Netto 1.035,00 €  Saldo 1.027,50 €"
        << QList<qint64>{-250, -250 - 250 + 112500 - 9000, 103000 - 250} << QList<int>{0, 3, 0};
    // On Tutte a tenth of the posta on each wheel: 2,50 € for 2 hits (0,20 € withheld), 7,50 €
    // for 3 (0,60 €), the Napoli ambo of the 11th too; 1,00 € a draw in all.
    QTest::newRow("ambo on Tutte")
        << "01 02 03 04 05" << Dieci << 1 << "1,00"
        << "Bilancio ai premi di oggi: ambo a 1,00 € per riga su Tutte, divisi tra le 10 ruote\n"
           "Costo 3,00 €  Vincite lorde 12,50 €  Ritenuta (8%) 1,00 €  Netto 11,50 €  Saldo 8,50 €"
        << QList<qint64>{-100 + 250 - 20, 130 - 100 + 750 - 60, 720 - 100 + 250 - 20} << QList<int>{2, 3, 2};
    // Single numbers for the estratto on Bari and Napoli: 11,23 € a hit, 0,90 € of it withheld;
    // three lines on two wheels cost 6,00 € a draw. 1 comes out on Bari twice, 4 on Napoli once.
    QTest::newRow("the estratto, single numbers on two wheels")
        << "01\r\n04\r\n77" << quint16(0x21) << 0 << "1"
        << "Bilancio ai premi di oggi: estratto a 1,00 € per riga e ruota\n"
           "Costo 18,00 €  Vincite lorde 33,69 €  Ritenuta (8%) 2,70 €  Netto 30,99 €  Saldo 12,99 €"
        << QList<qint64>{-600 + 1123 - 90, 433 - 600 + 1033, 866 - 600 + 1033} << QList<int>{1, 1, 1};
}

void tst_frmArchivio::sorteDellaLista_data()
{
    QTest::addColumn<QString>("lista");
    QTest::addColumn<bool>("sceltaDalGiocatore");
    QTest::addColumn<QString>("sorte");
    QTest::newRow("single numbers") << "05\r\n33\r\n" << false << "estratto";
    QTest::newRow("single numbers, the ambo picked") << "05\r\n33\r\n" << true << "ambo";
    QTest::newRow("pairs") << "05 33\r\n" << false << "ambo";
}

void tst_frmArchivio::sorteDellaLista()
{
    QFETCH(QString, lista);
    QFETCH(bool, sceltaDalGiocatore);
    QFETCH(QString, sorte);
    scelta = piccolo;
    frmArchivio *f = Apri(lista);
    QVERIFY(f);
    QTest::mouseClick(f->cmdApri, Qt::LeftButton);
    if (sceltaDalGiocatore) {
        // Down and up again with the keyboard: the player's own choice of the ambo.
        f->cboSorte->setFocus();
        QTest::keyClick(f->cboSorte, Qt::Key_Down);
        QTest::keyClick(f->cboSorte, Qt::Key_Up);
    }
    QCOMPARE(f->cboSorte->currentText(), QStringLiteral("ambo"));
    QTest::mouseClick(f->cmdVerifica, Qt::LeftButton);
    QVERIFY(Finita(f));
    QCOMPARE(f->cboSorte->currentText(), sorte);
}

void tst_frmArchivio::bilancio()
{
    QFETCH(QString, lista);
    QFETCH(quint16, ruote);
    QFETCH(int, sorte);
    QFETCH(QString, posta);
    QFETCH(QString, bilancio);
    QFETCH(QList<qint64>, saldi);
    QFETCH(QList<int>, sorti);
    scelta = piccolo;
    frmArchivio *f = Apri(lista);
    QVERIFY(f);
    // What the balance starts with: the ambo, 1,00 €.
    QCOMPARE(f->cboSorte->currentText(), QStringLiteral("ambo"));
    QCOMPARE(f->cboSorte->count(), 5);
    QCOMPARE(f->spnPosta->text(), QStringLiteral("1,00 €"));
    // No replay yet, no curve.
    QVERIFY(!f->tabRisultati->isTabEnabled(f->tabRisultati->indexOf(f->grfAndamento)));
    QTest::mouseClick(f->cmdApri, Qt::LeftButton);
    QCOMPARE(f->spnUltime->maximum(), 3);
    QCOMPARE(f->spnUltime->value(), 3);
    QTest::mouseClick(f->cmdNessuna, Qt::LeftButton);
    for (int r = 0; r < 11; ++r) {
        if (ruote >> r & 1)
            QTest::mouseClick(f->chkRuota[std::size_t(r)], Qt::LeftButton);
    }
    f->cboSorte->setCurrentIndex(sorte);
    // Typed as a player types it, with the Italian comma.
    f->spnPosta->setFocus();
    f->spnPosta->selectAll();
    QTest::keyClicks(f->spnPosta, posta);
    QTest::keyClick(f->spnPosta, Qt::Key_Tab);

    QTest::mouseClick(f->cmdVerifica, Qt::LeftButton);
    QVERIFY(Finita(f));
    const QString spoglio = f->txtSpoglio->toPlainText();
    QVERIFY2(spoglio.contains(u'\n' + bilancio + u'\n'), qPrintable(spoglio));
    Fotografa(f, QStringLiteral("archivio-spoglio"));

    // The curve has the replay's draws, with the balance and the tier at each.
    const std::vector<Archivio::PuntoAndamento> &punti = f->grfAndamento->Punti();
    QCOMPARE(int(punti.size()), 3);
    const QList<QDate> date{QDate(2025, 1, 7), QDate(2025, 1, 9), QDate(2025, 1, 11)};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(punti[std::size_t(i)].data, date[i]);
        QCOMPARE(punti[std::size_t(i)].saldo, saldi[i]);
        QCOMPARE(punti[std::size_t(i)].sorte, sorti[i]);
    }
    const int andamento = f->tabRisultati->indexOf(f->grfAndamento);
    QCOMPARE(f->tabRisultati->tabText(andamento), QStringLiteral("Andamento"));
    QVERIFY(f->tabRisultati->isTabEnabled(andamento));
    // Watched there, the curve stays in sight at the next replay.
    f->tabRisultati->setCurrentIndex(andamento);
    QTest::mouseClick(f->cmdVerifica, Qt::LeftButton);
    QVERIFY(Finita(f));
    QCOMPARE(f->tabRisultati->currentWidget(), f->grfAndamento);
    QCOMPARE(int(f->grfAndamento->Punti().size()), 3);
    QCOMPARE(f->grfAndamento->Punti().back().saldo, saldi.back());
    Fotografa(f, QStringLiteral("archivio-andamento"));
}

void tst_frmArchivio::ritardoMedioVuoto()
{
    // Over Bari in Piccolo(): 1 and 2 in two draws in a row, no run between them; 3 and 60
    // once, 81 once (the 11th): no mean; 90 never.
    scelta = piccolo;
    frmArchivio *f = Apri();
    QVERIFY(f);
    QTest::mouseClick(f->cmdApri, Qt::LeftButton);
    QTest::mouseClick(f->cmdNessuna, Qt::LeftButton);
    QTest::mouseClick(f->chkRuota[0], Qt::LeftButton);
    QTest::mouseClick(f->cmdRitardi, Qt::LeftButton);
    QCOMPARE(Intestazione(f->tblRitardi, 4), QStringLiteral("Frequenza (ultime 3)"));
    const QList<QPair<int, QStringList>> attese{
        {1, {"01", "1", "1", "0,0", "2", "09/01/2025 BA"}},
        {3, {"03", "1", "1", "", "1", "09/01/2025 BA"}},
        {81, {"81", "0", "2", "", "1", "11/01/2025 BA"}},
        {90, {"90", "3", "3", "", "0", ""}},
    };
    for (const auto &[numero, riga] : attese)
        QCOMPARE(Riga(f->tblRitardi, RigaDi(f->tblRitardi, numero)), riga);
}

void tst_frmArchivio::ogniControlloHaUnNome()
{
    // What a screen reader finds: nothing a user can press or type in is nameless, in each tab.
    frmArchivio *f = Apri();
    QVERIFY(f);
    QTest::mouseClick(f->cmdApri, Qt::LeftButton);
    QTest::mouseClick(f->cmdVerifica, Qt::LeftButton);
    QVERIFY(Finita(f));
    QStringList senzaNome;
    int visti = 0;
    for (int scheda = 0; scheda < f->tabRisultati->count(); ++scheda) {
        f->tabRisultati->setCurrentIndex(scheda);
        for (QWidget *w : f->findChildren<QWidget *>()) {
            if (w->focusPolicy() == Qt::NoFocus || !w->isVisible())
                continue;
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
            // A spin box's own field is part of it, which has the name.
            if (!iface || qobject_cast<QAbstractSpinBox *>(w->parentWidget()))
                continue;
            ++visti;
            if (iface->text(QAccessible::Name).isEmpty())
                senzaNome << QString::fromLatin1(w->metaObject()->className());
        }
    }
    QVERIFY2(senzaNome.isEmpty(), qPrintable(senzaNome.join(u' ')));
    QVERIFY(visti >= 3 * (11 + 11));
}

void tst_frmArchivio::annulla_data()
{
    QTest::addColumn<bool>("chiudi");
    QTest::newRow("ANNULLA") << false;
    QTest::newRow("close box") << true;
}

void tst_frmArchivio::annulla()
{
    QFETCH(bool, chiudi);
    // The replay itself, unless held: then it says it is halfway, scribbles on its result, and
    // waits for the request to stop, for a minute at most.
    std::atomic<bool> trattieni{false};
    std::atomic<bool> iniziata{false};
    std::atomic<bool> fuori{false};
    const auto riproduci = [&](const Archivio::Dati &dati, const Verifica::Lista &lista, const Archivio::Scelta &s,
                               const Archivio::Giocata &g, Archivio::Spogliato &esito, Avanzamento &stato) {
        if (!trattieni.load())
            return Archivio::Riproduci(dati, lista, s, g, esito, stato);
        fuori.store(QThread::currentThread() != QCoreApplication::instance()->thread());
        stato.millesimi.store(500);
        esito.testo = QStringLiteral("a metà");
        esito.bilancio.andamento.assign(2, Archivio::PuntoAndamento{});
        iniziata.store(true);
        QDeadlineTimer limite(60000);
        while (!stato.Annullato() && !limite.hasExpired())
            QThread::yieldCurrentThread();
        return !stato.Annullato();
    };
    frmArchivio *f = Apri(Lista, riproduci);
    QVERIFY(f);
    QTest::mouseClick(f->cmdApri, Qt::LeftButton);
    QTest::mouseClick(f->cmdVerifica, Qt::LeftButton);
    QVERIFY(Finita(f));
    const QString spoglio = f->txtSpoglio->toPlainText();
    const std::vector<Archivio::PuntoAndamento> punti = f->grfAndamento->Punti();
    QVERIFY(spoglio.startsWith(QStringLiteral("Spoglio: 3 righe su Tutte, ultime 100")));
    QCOMPARE(int(punti.size()), 100);

    trattieni.store(true);
    f->spnUltime->setValue(50);
    f->cboSorte->setCurrentIndex(2);
    QTest::mouseClick(f->cmdVerifica, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(iniziata.load(), 60000);
    QVERIFY(fuori.load());
    QVERIFY(f->InCorso());
    // What the replay works on stays as it is: no other archive, no second replay.
    QVERIFY(!f->cmdApri->isEnabled() && !f->cmdVerifica->isEnabled() && f->cmdAnnulla->isEnabled());
    // The window answers meanwhile: the bar moves, the delays come, the choices change.
    QTRY_COMPARE_WITH_TIMEOUT(f->prgVerifica->value(), 500, 60000);
    QTest::mouseClick(f->cmdRitardi, Qt::LeftButton);
    QCOMPARE(f->tabRisultati->currentWidget(), f->tblRitardi);
    QCOMPARE(f->tblRitardi->model()->rowCount(), 90);
    QCOMPARE(Intestazione(f->tblRitardi, 4), QStringLiteral("Frequenza (ultime 50)"));
    QTest::mouseClick(f->chkRuota[Archivio::Nazionale], Qt::LeftButton);
    QVERIFY(f->chkRuota[Archivio::Nazionale]->isChecked());
    QVERIFY(f->InCorso());

    if (chiudi) {
        QVERIFY(ChiudiComeUtente(f));
        QVERIFY(!f->isVisible());
    } else {
        QTest::mouseClick(f->cmdAnnulla, Qt::LeftButton);
    }
    // Stopped at once, and the result before it left exactly as it was.
    QVERIFY(!f->InCorso());
    QCOMPARE(f->txtSpoglio->toPlainText(), spoglio);
    QCOMPARE(f->grfAndamento->Punti().size(), punti.size());
    for (std::size_t i = 0; i < punti.size(); ++i) {
        QCOMPARE(f->grfAndamento->Punti()[i].data, punti[i].data);
        QCOMPARE(f->grfAndamento->Punti()[i].saldo, punti[i].saldo);
    }
    QCOMPARE(f->prgVerifica->value(), 0);
    if (chiudi)
        return;
    QVERIFY(f->cmdApri->isEnabled() && f->cmdVerifica->isEnabled() && !f->cmdAnnulla->isEnabled());

    // And the next replay runs to its end with the choices as they are now.
    trattieni.store(false);
    QTest::mouseClick(f->cmdVerifica, Qt::LeftButton);
    QVERIFY(Finita(f));
    QVERIFY(f->txtSpoglio->toPlainText().startsWith(
        QStringLiteral("Spoglio: 3 righe su BA CA FI GE MI NA PA RM TO VE RN, ultime 50")));
    QVERIFY(f->txtSpoglio->toPlainText().contains(QStringLiteral("Bilancio ai premi di oggi: terno a 1,00 €")));
    QCOMPARE(int(f->grfAndamento->Punti().size()), 50);
}

void tst_frmArchivio::rifiuto_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<qint64>("dimensione"); // the file grown to it with zeros, when more than its content
    QTest::addColumn<QString>("messaggio"); // its lines joined by spaces
    const QByteArray buona = "2024/01/05\tBA\t1\t2\t3\t4\t5\r\n";
    // Too long for one line of the message: broken at spaces.
    QTest::newRow("a wheel twice") << buona + "\r\n2024/01/05\tBA\t1\t2\t3\t4\t6\r\n" << qint64(0)
                                   << "Riga 3: BA del 05/01/2024 è già alla riga 1 con 5 al posto di 6 ..! rotto.txt";
    // A refusal of the whole file, told by its error's text.
    QTest::newRow("an empty file") << QByteArray("\r\n \r\n") << qint64(0) << "Il file è vuoto ..! rotto.txt";
    // As opening a list refuses it.
    QTest::newRow("a zip") << QByteArray("PK\x03\x04\x14\x00\x00\x00\x08\x00", 10) << qint64(0)
                           << "Incompatibilità ..! rotto.txt";
    // The limit named, not the memory.
    QTest::newRow("a byte over 16 MiB") << buona << qint64(16 * 1024 * 1024 + 1)
                                        << "Il file supera i 16 MiB, il massimo per un archivio ..! rotto.txt";
}

void tst_frmArchivio::rifiuto()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(qint64, dimensione);
    QFETCH(QString, messaggio);
    frmArchivio *f = Apri();
    QVERIFY(f);
    QTest::mouseClick(f->cmdApri, Qt::LeftButton);
    f->spnUltime->setValue(57);
    QTest::mouseClick(f->cmdVerifica, Qt::LeftButton);
    QVERIFY(Finita(f));
    QTest::mouseClick(f->cmdRitardi, Qt::LeftButton);
    const QString archivio = f->lblArchivio->text();
    const QString spoglio = f->txtSpoglio->toPlainText();
    const QStringList ritardi = Riga(f->tblRitardi, 0);

    QTemporaryDir altrove;
    scelta = altrove.filePath(QStringLiteral("rotto.txt"));
    QFile file(scelta);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contenuto) > 0);
    QVERIFY(dimensione == 0 || file.resize(dimensione));
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
    QCOMPARE(int(f->grfAndamento->Punti().size()), 57);
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
