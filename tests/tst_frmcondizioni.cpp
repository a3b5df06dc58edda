// The Condizioni window: opened from the main window's key and menus; the live count; FILTRA
// and the conditioned development given back to the list as one step each; refusals before
// anything runs; a development stopped; the conditions through a file and the settings.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/Etichetta.h"
#include "common/PulsanteComando.h"
#include "condizioni/frmCondizioni.h"
#include "grid/CellaNumero.h"
#include "helpers/Dialoghi.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <numeric>

using Condizioni::Impostazioni;

namespace {

// A condition as the tests set it: the first group is always `da` to `a`.
struct Regola
{
    int condizione;
    int minimo;
    int massimo;
};
struct Regole
{
    int da = 1;
    int a = 30;
    QList<Regola> regole;
    int almeno = 0;
};

// The measures the tests use, from their definitions.
int Misura(int condizione, const std::vector<int> &riga, const Regole &r)
{
    int valore = 0;
    for (int n : riga) {
        if (condizione == Condizioni::Gruppo1)
            valore += n >= r.da && n <= r.a ? 1 : 0;
        else if (condizione == Condizioni::Somma)
            valore += n;
        else if (condizione == Condizioni::Pari)
            valore += n % 2 == 0 ? 1 : 0;
    }
    return valore;
}

bool Soddisfa(const std::vector<int> &riga, const Regole &r)
{
    int valgono = 0;
    for (const Regola &c : r.regole) {
        const int valore = Misura(c.condizione, riga, r);
        valgono += valore >= c.minimo && valore <= c.massimo ? 1 : 0;
    }
    return valgono >= (r.almeno > 0 ? r.almeno : int(r.regole.size()));
}

void Imposta(frmCondizioni *f, const Regole &r)
{
    f->txtGruppo[0]->setText(QStringLiteral("%1-%2").arg(r.da).arg(r.a));
    for (const Regola &c : r.regole) {
        f->chkCondizione[std::size_t(c.condizione)]->setChecked(true);
        f->spnMinimo[std::size_t(c.condizione)]->setValue(c.minimo);
        f->spnMassimo[std::size_t(c.condizione)]->setValue(c.massimo);
    }
    (r.almeno > 0 ? f->optAlmeno : f->optTutte)->setChecked(true);
    f->spnAlmeno->setValue(std::max(1, r.almeno));
}

// A list line: its text, and its numbers, none for a line that is not numbers.
struct Riga
{
    QString testo;
    std::vector<int> numeri;
};

// Lines of six different numbers in no order, with notes, a blank line now and then, and a
// line that is almost numbers.
std::vector<Riga> Lista(int quante, quint32 seme)
{
    QRandomGenerator caso(seme);
    std::vector<Riga> righe;
    for (int i = 0; i < quante; ++i) {
        if (i % 17 == 5) {
            righe.push_back({QStringLiteral("nota %1").arg(i), {}});
            continue;
        }
        if (i % 23 == 7) {
            righe.push_back({QString(), {}});
            continue;
        }
        std::vector<int> numeri;
        while (numeri.size() < 6) {
            const int n = int(caso.bounded(1, 91));
            if (std::find(numeri.begin(), numeri.end(), n) == numeri.end())
                numeri.push_back(n);
        }
        QStringList campi;
        for (int n : numeri)
            campi << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        righe.push_back({campi.join(u' '), numeri});
    }
    righe.push_back({QStringLiteral("01 x2"), {}});
    return righe;
}

QString Testo(const std::vector<Riga> &righe)
{
    QStringList testi;
    for (const Riga &r : righe)
        testi << r.testo;
    return testi.join(QStringLiteral("\r\n"));
}

qint64 Binomiale(int n, int k)
{
    qint64 c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i;
    return c;
}

} // namespace

Q_DECLARE_METATYPE(Regole)

class tst_frmCondizioni : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void filtra_data();
    void filtra();
    void conteggioVivo();
    void sviluppa();
    void rifiuti_data();
    void rifiuti();
    void annulla_data();
    void annulla();
    void fileERicordo();
    void menuETasto();
    void controlli();

private:
    // Not modal: the helper that answers dialogs answers only the messages.
    frmCondizioni *Apri(const QString &lista, const std::vector<int> &selezione, int griglia = 90,
                        frmCondizioni::FunzioneSviluppo sviluppo = {});
    // Through the main window's key: `lavora` works the window; what it did not close, ANNULLA closes.
    QList<DialogoVisto> DaFinestra(const std::function<void(frmCondizioni *)> &lavora);

    QTemporaryDir impostazioni;
    QTemporaryDir cartella;
    QString scelta;
    frmCondizioni::File file;
    std::unique_ptr<frmOmbrazio> finestra;
    std::unique_ptr<frmCondizioni> finestraCondizioni;
};

void tst_frmCondizioni::initTestCase()
{
    Caratteri::RegistraSostituzioni();
    // Never the user's own settings: these stay in a folder of the test's.
    QCoreApplication::setOrganizationName(QStringLiteral("Ombrazio"));
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, impostazioni.path());
    file = {[this](QFileDialog &) { return QStringList{scelta}; }, std::make_shared<Apertura::LetturaFile>(),
            std::make_shared<Salvataggio::ScritturaFile>(), cartella.path()};
}

void tst_frmCondizioni::init()
{
    QSettings().clear();
    Ambiente ambiente = Ambiente::DiSistema();
    ambiente.ScegliFile = file.scegli;
    finestra = ApriFinestra(ambiente);
    QVERIFY(finestra);
}

void tst_frmCondizioni::cleanup()
{
    finestraCondizioni.reset();
    finestra.reset();
}

frmCondizioni *tst_frmCondizioni::Apri(const QString &lista, const std::vector<int> &selezione, int griglia,
                                       frmCondizioni::FunzioneSviluppo sviluppo)
{
    finestraCondizioni = std::make_unique<frmCondizioni>(lista, selezione, griglia, file, nullptr, std::move(sviluppo));
    finestraCondizioni->setWindowModality(Qt::NonModal);
    finestraCondizioni->show();
    if (!QTest::qWaitForWindowActive(finestraCondizioni.get()))
        finestraCondizioni.reset();
    return finestraCondizioni.get();
}

QList<DialogoVisto> tst_frmCondizioni::DaFinestra(const std::function<void(frmCondizioni *)> &lavora)
{
    RispondiDialoghi risposte({QStringLiteral("ANNULLA")});
    risposte.Ispeziona = [&](QDialog *dialogo) {
        if (auto *condizioni = qobject_cast<frmCondizioni *>(dialogo))
            lavora(condizioni);
    };
    // A shortcut reaches only the active window; after a context menu closes, a loaded machine
    // may not have given the activation back yet.
    finestra->activateWindow();
    if (!QTest::qWaitForWindowActive(finestra.get()))
        return {};
    finestra->txtLista->setFocus();
    QTest::keyClick(finestra->txtLista, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    return risposte.visti;
}

void tst_frmCondizioni::filtra_data()
{
    QTest::addColumn<Regole>("regole");
    QTest::addColumn<bool>("scarta");
    const Regole tre{1, 30, {{Condizioni::Gruppo1, 2, 3}, {Condizioni::Somma, 200, 300}, {Condizioni::Pari, 2, 4}}, 0};
    QTest::newRow("all three") << tre << false;
    QTest::newRow("all three, Scarta") << tre << true;
    Regole due = tre;
    due.almeno = 2;
    QTest::newRow("at least two of three") << due << false;
}

void tst_frmCondizioni::filtra()
{
    QFETCH(Regole, regole);
    QFETCH(bool, scarta);
    const std::vector<Riga> righe = Lista(400, 32);
    QString attesa;
    int tenute = 0, tolte = 0, note = 0;
    for (const Riga &r : righe) {
        if (r.testo.isEmpty())
            continue;
        const bool tieni = r.numeri.empty() || Soddisfa(r.numeri, regole) != scarta;
        if (tieni)
            attesa += r.testo + QStringLiteral("\r\n");
        (r.numeri.empty() ? note : tieni ? tenute : tolte) += 1;
    }
    QVERIFY(tenute > 20 && tolte > 20);
    finestra->txtLista->setPlainText(Testo(righe));
    const QString prima = finestra->TestoLista();

    const QList<DialogoVisto> visti = DaFinestra([&](frmCondizioni *f) {
        Imposta(f, regole);
        f->chkScarta->setChecked(scarta);
        QTest::mouseClick(f->cmdFiltra, Qt::LeftButton);
    });
    QCOMPARE(visti.size(), 2);
    QCOMPARE(visti[0].titolo, QStringLiteral("Ombrazio® - Condizioni"));
    QCOMPARE(visti[1].testo, QStringLiteral("Righe tenute: %1\nRighe tolte: %2\nRighe non di numeri, lasciate: %3")
                                 .arg(tenute)
                                 .arg(tolte)
                                 .arg(note));
    QCOMPARE(finestra->TestoLista(), attesa);
    // One step back, whole.
    QTest::keyClick(finestra->txtLista, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(finestra->TestoLista(), prima);
    QVERIFY(!finestra->txtLista->document()->isUndoAvailable());
}

void tst_frmCondizioni::conteggioVivo()
{
    const std::vector<Riga> righe = Lista(120000, 7);
    std::vector<int> somme;
    for (const Riga &r : righe) {
        if (!r.numeri.empty())
            somme.push_back(std::accumulate(r.numeri.begin(), r.numeri.end(), 0));
    }
    const auto atteso = [&](int minimo, int massimo) {
        const auto n = std::count_if(somme.begin(), somme.end(), [&](int s) { return s >= minimo && s <= massimo; });
        return QStringLiteral("Soddisfano: %1 righe su %2").arg(n).arg(somme.size());
    };
    frmCondizioni *f = Apri(Testo(righe), {});
    QVERIFY(f);
    const QString tutte = atteso(0, 9999);
    // No condition set: every line of numbers.
    QTRY_COMPARE(f->lblConteggio->text(), tutte);
    QVERIFY(f->lblConteggio->isEnabled());

    // Changed faster than it counts: whatever shows as current is the count of what is set.
    f->chkCondizione[Condizioni::Somma]->setChecked(true);
    f->spnMinimo[Condizioni::Somma]->setValue(150);
    for (int massimo = 160; massimo <= 450; massimo += 10) {
        f->spnMassimo[Condizioni::Somma]->setValue(massimo);
        QCoreApplication::processEvents();
        if (f->lblConteggio->isEnabled())
            QCOMPARE(f->lblConteggio->text(), atteso(150, massimo));
    }
    QTRY_VERIFY(f->lblConteggio->isEnabled());
    QCOMPARE(f->lblConteggio->text(), atteso(150, 450));
    QVERIFY(!f->ConteggioInCorso());

    // Conditions that cannot hold say so at once.
    f->spnMinimo[Condizioni::Somma]->setValue(500);
    QTRY_VERIFY(f->lblConteggio->isEnabled());
    QCOMPARE(f->lblConteggio->text(), QStringLiteral("Soddisfano: —"));
    QVERIFY(f->lblConteggio->toolTip().contains(QStringLiteral("Somma: il minimo (500) supera il massimo (450)")));
    f->chkCondizione[Condizioni::Somma]->setChecked(false);
    QTRY_VERIFY(f->lblConteggio->isEnabled());
    QCOMPARE(f->lblConteggio->text(), tutte);
}

void tst_frmCondizioni::sviluppa()
{
    // 14 numbers of a board of 90 in fives: 2,002 lines, the brute force keeps some.
    QList<int> clic(14);
    std::iota(clic.rbegin(), clic.rend(), 3);
    Seleziona(*finestra, 90, 10, clic);
    finestra->txtLista->setPlainText(QStringLiteral("x"));
    const Regole regole{1, 6, {{Condizioni::Gruppo1, 1, 2}, {Condizioni::Somma, 40, 55}, {Condizioni::Pari, 2, 3}}, 0};
    QString attesa = QStringLiteral("x\r\n");
    int quante = 0;
    for (int maschera = 0; maschera < 1 << 14; ++maschera) {
        if (qPopulationCount(quint32(maschera)) != 5)
            continue;
        std::vector<int> riga;
        for (int i = 0; i < 14; ++i) {
            if (maschera >> i & 1)
                riga.push_back(3 + i);
        }
        if (Soddisfa(riga, regole)) {
            QStringList campi;
            for (int n : riga)
                campi << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
            attesa += campi.join(u' ') + QStringLiteral("\r\n");
            ++quante;
        }
    }
    QVERIFY(quante > 50 && quante < 1000);
    // Lexicographic order is the text order of the lines.
    QStringList attese = attesa.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    std::sort(attese.begin() + 1, attese.end());
    attesa = attese.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");

    const QList<DialogoVisto> visti = DaFinestra([&](frmCondizioni *f) {
        QCOMPARE(f->lblSelezione->text(), QStringLiteral("Numeri selezionati: 14"));
        Imposta(f, regole);
        f->spnClasse->setValue(5);
        QTest::mouseClick(f->cmdSviluppa, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!f->isVisible(), 20000);
    });
    QCOMPARE(visti.size(), 1);
    QCOMPARE(finestra->TestoLista(), attesa);
    QTest::keyClick(finestra->txtLista, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(finestra->TestoLista(), QStringLiteral("x"));
}

void tst_frmCondizioni::rifiuti_data()
{
    QTest::addColumn<QString>("lista");
    QTest::addColumn<int>("selezionati"); // 1 to this
    QTest::addColumn<int>("griglia");
    QTest::addColumn<Regole>("regole");
    QTest::addColumn<QString>("gruppo"); // the first group's text, as typed
    QTest::addColumn<bool>("sviluppa");  // else FILTRA
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("messaggio");
    const QString lista = QStringLiteral("01 02 03\r\nnota");
    using C = Condizioni::Condizione;
    // The conditions' own checks are tst_condizioni's; here, that they come before anything runs.
    QTest::newRow("minimum above maximum")
        << lista << 0 << 90 << Regole{1, 30, {{C::Pari, 3, 2}}, 0} << "" << false << 0
        << "Pari: il minimo (3)\nsupera il massimo (2) ..!";
    QTest::newRow("a group that does not read")
        << lista << 0 << 90 << Regole{1, 30, {{C::Gruppo1, 0, 1}}, 0} << "1-15 x" << false << 0
        << "Gruppo 1: x non è un numero ..!";
    QTest::newRow("an empty list") << QString() << 0 << 90 << Regole{1, 30, {{C::Pari, 0, 2}}, 0} << "" << false << 0
                                   << "L'Area combinazioni è vuota ..!";
    QTest::newRow("no selection") << lista << 0 << 90 << Regole{1, 30, {{C::Pari, 0, 2}}, 0} << "" << true << 1
                                  << "Nessuna casella selezionata ..!";
    QTest::newRow("a group off the board")
        << lista << 10 << 36 << Regole{30, 40, {{C::Gruppo1, 0, 1}}, 0} << "" << true << 3
        << "Gruppo 1: il numero 37 non è\nnella griglia di 36 numeri ..!";
    // The least and most sum of six of 1 to 12: 1 + ... + 6 and 7 + ... + 12.
    QTest::newRow("a sum no line reaches")
        << lista << 12 << 90 << Regole{1, 30, {{C::Somma, 600, 700}}, 0} << "" << true << 6
        << "Somma da 600 a 700: le righe di 6\ndi questi numeri vanno da 21 a 57 ..!";
    // Each range is reached, not both together: the sum 3 is 1 + 2 alone.
    QTest::newRow("no line satisfies")
        << lista << 10 << 90 << Regole{1, 30, {{C::Somma, 3, 3}, {C::Pari, 2, 2}}, 0} << "" << true << 2
        << "Nessuna riga dello sviluppo\nsoddisfa le condizioni ..!";
    QTest::newRow("more lines than a development adds")
        << lista << 30 << 90 << Regole{1, 30, {{C::Pari, 0, 6}}, 0} << "" << true << 6
        << QStringLiteral("Lo sviluppo con le condizioni darebbe\n%1 righe,\noltre il massimo di 200000 ..!")
               .arg(Binomiale(30, 6));
}

void tst_frmCondizioni::rifiuti()
{
    QFETCH(QString, lista);
    QFETCH(int, selezionati);
    QFETCH(int, griglia);
    QFETCH(Regole, regole);
    QFETCH(QString, gruppo);
    QFETCH(bool, sviluppa);
    QFETCH(int, k);
    QFETCH(QString, messaggio);
    std::vector<int> selezione(std::size_t(selezionati), 0);
    std::iota(selezione.begin(), selezione.end(), 1);
    frmCondizioni *f = Apri(lista, selezione, griglia);
    QVERIFY(f);
    Imposta(f, regole);
    if (!gruppo.isEmpty())
        f->txtGruppo[0]->setText(gruppo);
    f->spnClasse->setValue(k);
    RispondiDialoghi risposte;
    QTest::mouseClick(sviluppa ? f->cmdSviluppa : f->cmdFiltra, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(risposte.visti.size(), 1, 20000);
    QCOMPARE(risposte.visti[0].testo, messaggio);
    // Nothing to do for the list, and the window stays for other conditions.
    QTRY_VERIFY(!f->InCorso());
    QVERIFY(f->isVisible() && f->cmdSviluppa->isEnabled() && f->cmdFiltra->isEnabled());
    QCOMPARE(f->Risultato().azione, frmCondizioni::Esito::Nessuna);
}

void tst_frmCondizioni::annulla_data()
{
    QTest::addColumn<QString>("come");
    QTest::addColumn<bool>("vero"); // the development itself, of 90 numbers in sestine
    QTest::newRow("ANNULLA") << "ANNULLA" << false;
    QTest::newRow("Escape") << "Escape" << false;
    QTest::newRow("close box") << "chiusura" << false;
    QTest::newRow("ANNULLA, 90 in sestine") << "ANNULLA" << true;
}

void tst_frmCondizioni::annulla()
{
    QFETCH(QString, come);
    QFETCH(bool, vero);
    std::atomic<bool> iniziato{false};
    std::atomic<bool> fermato{false};
    frmCondizioni::FunzioneSviluppo sviluppo;
    if (!vero) {
        // Lines that would take a minute unless it is stopped.
        sviluppo = [&](const Impostazioni &, const std::vector<int> &, int, Avanzamento &stato) {
            iniziato.store(true);
            QDeadlineTimer limite(60000);
            while (!stato.Annullato() && !limite.hasExpired())
                QThread::yieldCurrentThread();
            fermato.store(stato.Annullato());
            Condizioni::Sviluppato esito;
            esito.righe = 1;
            esito.annullato = stato.Annullato();
            esito.testo = esito.annullato ? QString() : QStringLiteral("01 02 03 04 05 06\r\n");
            return esito;
        };
    }
    std::vector<int> selezione(90);
    std::iota(selezione.begin(), selezione.end(), 1);
    frmCondizioni *f = Apri(QStringLiteral("01 02 03"), selezione, 90, sviluppo);
    QVERIFY(f);
    // Every line of 622,614,630 holds from 0 to 6 even numbers: all of them are counted.
    Imposta(f, Regole{1, 30, {{Condizioni::Pari, 0, 6}}, 0});
    f->spnClasse->setValue(6);
    RispondiDialoghi risposte;
    QTest::mouseClick(f->cmdSviluppa, Qt::LeftButton);
    QVERIFY(f->InCorso());
    QVERIFY(!f->cmdSviluppa->isEnabled() && !f->cmdFiltra->isEnabled() && !f->chkCondizione[0]->isEnabled()
            && !f->cmdSalva->isEnabled() && f->cmdAnnulla->isEnabled());
    if (vero)
        QTRY_VERIFY_WITH_TIMEOUT(f->prgSviluppo->value() > 0, 20000);
    else
        QTRY_VERIFY_WITH_TIMEOUT(iniziato.load(), 20000);
    Fotografa(f, QStringLiteral("condizioni-sviluppo"));
    if (come == QStringLiteral("ANNULLA"))
        QTest::mouseClick(f->cmdAnnulla, Qt::LeftButton);
    else if (come == QStringLiteral("Escape"))
        QTest::keyClick(f->focusWidget(), Qt::Key_Escape);
    else
        QVERIFY(ChiudiComeUtente(f));
    QTRY_VERIFY_WITH_TIMEOUT(!f->InCorso(), 20000);
    QVERIFY(vero || fermato.load());
    // Stopped is stopped: no word, nothing for the list.
    QCOMPARE(risposte.visti.size(), 0);
    QCOMPARE(f->Risultato().azione, frmCondizioni::Esito::Nessuna);
    QCOMPARE(f->isVisible(), come != QStringLiteral("chiusura"));
    if (f->isVisible())
        QVERIFY(f->cmdSviluppa->isEnabled() && f->chkCondizione[0]->isEnabled()
                && f->spnMinimo[Condizioni::Pari]->isEnabled());
}

void tst_frmCondizioni::fileERicordo()
{
    frmCondizioni *f = Apri(QStringLiteral("01 02 03"), {3, 4, 5, 9});
    QVERIFY(f);
    // The README's example.
    using C = Condizioni::Condizione;
    Imposta(f, Regole{1, 15, {{C::Gruppo1, 3, 3}, {C::Somma, 150, 220}, {C::Pari, 2, 4}, {C::Decine, 1, 2},
                               {C::Consecutivi, 1, 2}}, 0});
    f->txtGruppo[1]->setText(QStringLiteral("46-60"));
    f->chkCondizione[C::Gruppo2]->setChecked(true);
    f->spnMinimo[C::Gruppo2]->setValue(3);
    f->spnMassimo[C::Gruppo2]->setValue(3);
    // A group taken from the board, its condition not set.
    QTest::mouseClick(f->cmdGriglia[2], Qt::LeftButton);
    QCOMPARE(f->txtGruppo[2]->text(), QStringLiteral("3-5 9"));
    Impostazioni salvate;
    QVERIFY(f->Impostazioni(salvate));

    scelta = cartella.filePath(QStringLiteral("mie.txt"));
    RispondiDialoghi risposte;
    QTest::mouseClick(f->cmdSalva, Qt::LeftButton);
    QTRY_COMPARE(risposte.visti.size(), 1);
    QCOMPARE(risposte.visti[0].testo, QStringLiteral("Condizioni salvate, col nome:\nmie.txt"));
    QFile salvato(scelta);
    QVERIFY(salvato.open(QIODevice::ReadOnly));
    QCOMPARE(salvato.readAll(),
             QByteArray("# Condizioni di Ombrazio: una riga per condizione, Nome: da minimo a massimo.\r\n"
                        "# I gruppi coi loro numeri prima: Gruppo 1: 1-15 20 22; da 2 a 3\r\n"
                        "Gruppo 1: 1-15; da 3 a 3\r\nGruppo 2: 46-60; da 3 a 3\r\nGruppo 3: 3-5 9\r\n"
                        "Somma: da 150 a 220\r\nPari: da 2 a 4\r\nDecine: da 1 a 2\r\nConsecutivi: da 1 a 2\r\n"
                        "Combinazione: tutte\r\n"));

    // Opened again into cleared controls, it gives them back.
    f->Mostra(Impostazioni());
    Impostazioni vuote;
    QVERIFY(f->Impostazioni(vuote) && vuote != salvate);
    QTest::mouseClick(f->cmdApri, Qt::LeftButton);
    Impostazioni aperte;
    QVERIFY(f->Impostazioni(aperte));
    QVERIFY(aperte == salvate);

    // A file that does not read changes nothing, and its line is named.
    scelta = cartella.filePath(QStringLiteral("rotto.txt"));
    QFile rotto(scelta);
    QVERIFY(rotto.open(QIODevice::WriteOnly) && rotto.write("Somma: da 1 a 10\r\nColore: rosso\r\n") > 0);
    rotto.close();
    QTest::mouseClick(f->cmdApri, Qt::LeftButton);
    QTRY_COMPARE(risposte.visti.size(), 2);
    QCOMPARE(risposte.visti[1].testo, QStringLiteral("Riga 2: Colore non è una condizione ..!\nrotto.txt"));
    QVERIFY(f->Impostazioni(aperte) && aperte == salvate);

    // Remembered where the archive's place is, and set again in the next window.
    QVERIFY(ChiudiComeUtente(f));
    QVERIFY(QSettings().contains(QStringLiteral("condizioni/ultime")));
    f = Apri(QString(), {});
    QVERIFY(f);
    Impostazioni ricordate;
    QVERIFY(f->Impostazioni(ricordate) && ricordate == salvate);
}

void tst_frmCondizioni::menuETasto()
{
    Seleziona(*finestra, 36, 6, {3});
    const QString voce = QStringLiteral("Condizioni...\tCtrl+Shift+C");
    QCOMPARE(VociMenuContestuale(finestra->lblNumero(5), QPoint(3, 3)).value(2), voce);
    QCOMPARE(VociMenuContestuale(finestra->Frame2, QPoint(3, 3)).value(2), voce);
    QCOMPARE(VociMenuContestuale(finestra->txtLista->viewport(), QPoint(5, 5)).value(6), voce);

    // No standard key of this platform; Ctrl+C copies, which is why Shift.
    const QKeySequence tasto = finestra->mnuCondizioni->shortcut();
    for (int k = QKeySequence::UnknownKey + 1; k <= QKeySequence::Cancel; ++k) {
        for (const QKeySequence &usato : QKeySequence::keyBindings(QKeySequence::StandardKey(k)))
            QVERIFY2(usato != tasto, qPrintable(QStringLiteral("standard key %1").arg(k)));
    }
    // The box itself, past the window's filter, does not claim it.
    QKeyEvent richiesta(QEvent::ShortcutOverride, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    richiesta.setAccepted(false);
    static_cast<QObject *>(finestra->txtLista)->event(&richiesta);
    QVERIFY(!richiesta.isAccepted());

    // From the board, as from the list: the window opens on the selection.
    QString selezione;
    const QList<DialogoVisto> visti = DaFinestra([&](frmCondizioni *f) { selezione = f->lblSelezione->text(); });
    QCOMPARE(visti.value(0).titolo, QStringLiteral("Ombrazio® - Condizioni"));
    QCOMPARE(selezione, QStringLiteral("Numeri selezionati: 1"));
}

void tst_frmCondizioni::controlli()
{
    frmCondizioni *f = Apri(QStringLiteral("01 02 03"), {1, 2, 3});
    QVERIFY(f);
    f->chkCondizione[Condizioni::Distanza]->setChecked(true);
    QTRY_VERIFY(f->lblConteggio->isEnabled());
    Fotografa(f, QStringLiteral("condizioni"));
    // Enter in a field presses no button: not DALLA GRIGLIA, not FILTRA.
    f->txtGruppo[0]->setText(QStringLiteral("7"));
    for (QWidget *campo : std::initializer_list<QWidget *>{f->txtGruppo[0], f->spnMinimo[Condizioni::Distanza]}) {
        campo->setFocus();
        QTest::keyClick(campo, Qt::Key_Return);
    }
    QVERIFY(f->isVisible());
    QCOMPARE(f->txtGruppo[0]->text(), QStringLiteral("7"));
    int visti = 0;
    for (QWidget *w : f->findChildren<QWidget *>()) {
        // A spin box's own line edit is the spin box to a user.
        if (!w->isVisible() || qobject_cast<QAbstractSpinBox *>(w->parentWidget()))
            continue;
        // Everything whole inside what holds it, every caption whole on its line.
        QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable(w->accessibleName()));
        if (auto *etichetta = qobject_cast<Etichetta *>(w))
            QVERIFY2(etichetta->fontMetrics().horizontalAdvance(etichetta->text()) <= etichetta->width(),
                     qPrintable(etichetta->text()));
        if (qobject_cast<QCheckBox *>(w) || qobject_cast<QRadioButton *>(w))
            QVERIFY2(w->sizeHint().width() <= w->width(), qPrintable(w->accessibleName()));
        // Nothing a user can press or type in is nameless to a screen reader.
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        if (w->focusPolicy() == Qt::NoFocus || !iface)
            continue;
        ++visti;
        QVERIFY2(!iface->text(QAccessible::Name).isEmpty(), w->metaObject()->className());
    }
    QVERIFY(visti >= 12 + 6 + 6 + 12 + 12);
}

QTEST_MAIN(tst_frmCondizioni)
#include "tst_frmcondizioni.moc"
