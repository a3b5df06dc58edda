// The Riduzione window: reached from the main window, a reduced system searched off the
// window's thread, stopped on request, checked before it is offered, appended in one step.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/Etichetta.h"
#include "common/PulsanteComando.h"
#include "condizioni/Condizioni.h"
#include "grid/CellaNumero.h"
#include "helpers/Dialoghi.h"
#include "riduzione/frmRiduzione.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <new>
#include <numeric>

namespace {

const QString Nessuna = QStringLiteral("Trovate: —");

quint64 Binomiale(int n, int k)
{
    quint64 c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * quint64(n - k + i) / quint64(i);
    return c;
}

// What is wrong with the lines: each must be k of `numeri` in two digits, ascending, the lines
// ascending, and every draw of p of the numbers, tried one by one, must find m in some line.
QString Difetto(const QStringList &righe, const QList<int> &numeri, int k, int m, int p)
{
    QList<quint32> linee;
    for (int r = 0; r < righe.size(); ++r) {
        const QStringList campi = righe[r].split(u' ');
        quint32 bit = 0;
        for (int c = 0; c < campi.size(); ++c) {
            if (campi[c].size() != 2 || !numeri.contains(campi[c].toInt()) || (c > 0 && campi[c - 1] >= campi[c]))
                return righe[r];
            bit |= 1u << numeri.indexOf(campi[c].toInt());
        }
        if (campi.size() != k || (r > 0 && righe[r - 1] >= righe[r]))
            return righe[r];
        linee << bit;
    }
    for (quint32 estratti = 0; estratti < (1u << numeri.size()); ++estratti) {
        const auto servita = [&](quint32 l) { return qPopulationCount(l & estratti) >= m; };
        if (qPopulationCount(estratti) == p && std::none_of(linee.cbegin(), linee.cend(), servita))
            return QStringLiteral("draw %1 unserved").arg(estratti, 0, 2);
    }
    return {};
}

void Imposta(frmRiduzione *f, int k, int m, int p)
{
    f->spnClasse->setValue(k);
    f->cboGaranzia->setCurrentIndex(m - 2);
    f->spnEstratti->setValue(p);
}

} // namespace

class tst_frmRiduzione : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Caratteri::RegistraSostituzioni(); }
    void init();
    void cleanup();

    void riduzione_data();
    void riduzione();
    void nienteCambia_data();
    void nienteCambia();
    void pocheCaselle_data();
    void pocheCaselle();
    void rifiuti_data();
    void rifiuti();
    void primoSistemaSubito();
    void condizionato_data();
    void condizionato();
    void annullaIlControllo_data();
    void annullaIlControllo();
    void sceltePossibili_data();
    void sceltePossibili();
    void menuETasto();

private:
    // The board of 90 with 6, 12, ... selected, `quanti` of them, clicked from the last.
    QList<int> Seleziona(int quanti);
    // Ctrl+R from the list; `lavora` works the window, then the dialogs are answered with `risposte`.
    QList<DialogoVisto> Riduci(const std::function<void(frmRiduzione *)> &lavora, const QStringList &risposte);
    // The window on 1 to `quanti`, not modal, so that the helper answers only the messages.
    frmRiduzione *Apri(int quanti, frmRiduzione::Ricerca ricerca = Riduzione::Riduci,
                       frmRiduzione::Controllo controllo = Riduzione::Garantito);

    std::unique_ptr<frmOmbrazio> finestra;
    std::unique_ptr<frmRiduzione> finestraRiduzione;
};

void tst_frmRiduzione::init()
{
    finestra = ApriFinestra();
    QVERIFY(finestra);
}

void tst_frmRiduzione::cleanup()
{
    finestraRiduzione.reset();
    finestra.reset();
}

QList<int> tst_frmRiduzione::Seleziona(int quanti)
{
    // Clicked from the highest down: the selection is ascending whatever the clicks' order.
    QList<int> clic;
    for (int i = quanti; i >= 1; --i)
        clic << 6 * i;
    ::Seleziona(*finestra, 90, 10, clic);
    const QList<int> numeri(clic.rbegin(), clic.rend());
    finestra->txtLista->setPlainText(QStringLiteral("x"));
    return numeri;
}

QList<DialogoVisto> tst_frmRiduzione::Riduci(const std::function<void(frmRiduzione *)> &lavora,
                                               const QStringList &risposte)
{
    RispondiDialoghi risponditore(risposte);
    risponditore.Ispeziona = [&](QDialog *dialogo) {
        auto *riduzione = qobject_cast<frmRiduzione *>(dialogo);
        if (!riduzione)
            return;
        lavora(riduzione);
        // Queued behind the answer: should its button be disabled, the window closes rather
        // than wait for ever.
        QMetaObject::invokeMethod(
            riduzione,
            [riduzione] { QMetaObject::invokeMethod(riduzione, &QDialog::reject, Qt::QueuedConnection); },
            Qt::QueuedConnection);
    };
    finestra->txtLista->setFocus();
    QTest::keyClick(finestra->txtLista, Qt::Key_R, Qt::ControlModifier);
    return risponditore.visti;
}

frmRiduzione *tst_frmRiduzione::Apri(int quanti, frmRiduzione::Ricerca ricerca, frmRiduzione::Controllo controllo)
{
    std::vector<int> numeri(static_cast<std::size_t>(quanti));
    std::iota(numeri.begin(), numeri.end(), 1);
    finestraRiduzione = std::make_unique<frmRiduzione>(numeri, nullptr, std::move(ricerca), std::move(controllo));
    finestraRiduzione->setWindowModality(Qt::NonModal);
    finestraRiduzione->show();
    if (!QTest::qWaitForWindowActive(finestraRiduzione.get()))
        finestraRiduzione.reset();
    return finestraRiduzione.get();
}

void tst_frmRiduzione::riduzione_data()
{
    QTest::addColumn<int>("quanti");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("minimo");
    QTest::addColumn<QString>("ferma");
    // Each reaches its lower bound, so the search ends by itself.
    QTest::newRow("9 in terzine, ambo: a resolvable triple system") << 9 << 3 << 2 << 2 << 12 << "";
    QTest::newRow("13 in quartine, ambo: the plane of order 3") << 13 << 4 << 2 << 2 << 13 << "";
    QTest::newRow("10 in quartine, terno: a quadruple system") << 10 << 4 << 3 << 3 << 30 << "";
    // 15 in quartine, ambo if 3 come out: the bound of 10 lies below the best system known, 11,
    // so the search goes on until it is stopped, and keeps what it found.
    QTest::newRow("stopped by ANNULLA") << 15 << 4 << 2 << 3 << 10 << "ANNULLA";
    QTest::newRow("stopped by Escape") << 15 << 4 << 2 << 3 << 10 << "Escape";
}

void tst_frmRiduzione::riduzione()
{
    QFETCH(int, quanti);
    QFETCH(int, k);
    QFETCH(int, m);
    QFETCH(int, p);
    QFETCH(int, minimo);
    QFETCH(QString, ferma);
    const QList<int> numeri = Seleziona(quanti);
    QString minimoMostrato, trovate;
    bool ferme = true;
    const QList<DialogoVisto> visti = Riduci(
        [&](frmRiduzione *f) {
            Imposta(f, k, m, p);
            f->spnTempo->setValue(600);
            minimoMostrato = f->lblMinimo->text();
            QTest::mouseClick(f->cmdRiduci, Qt::LeftButton);
            if (!ferma.isEmpty()) {
                ferme = f->InCorso() && !f->spnClasse->isEnabled() && !f->cboGaranzia->isEnabled()
                    && !f->spnEstratti->isEnabled() && !f->spnTempo->isEnabled() && !f->cmdRiduci->isEnabled();
                QTRY_VERIFY_WITH_TIMEOUT(f->lblTrovate->text() != Nessuna, 30000);
                Fotografa(f, QStringLiteral("riduzione-ricerca"));
                if (ferma == QStringLiteral("Escape"))
                    QTest::keyClick(f->focusWidget(), Qt::Key_Escape);
                else
                    QTest::mouseClick(f->cmdAnnulla, Qt::LeftButton);
            }
            QTRY_VERIFY_WITH_TIMEOUT(f->cmdInLista->isEnabled(), 20000);
            trovate = f->lblTrovate->text();
            if (ferma.isEmpty())
                Fotografa(f, QStringLiteral("riduzione"));
        },
        {QStringLiteral("IN LISTA")});
    QCOMPARE(visti.size(), 1);
    QCOMPARE(visti[0].titolo, QStringLiteral("Ombrazio® - Riduzione"));
    QVERIFY(ferme);
    QCOMPARE(minimoMostrato, QStringLiteral("Minimo teorico: %1 righe").arg(minimo));
    const QString lista = finestra->TestoLista();
    QVERIFY(lista.startsWith(QStringLiteral("x\r\n")) && lista.endsWith(QStringLiteral("\r\n")));
    const QStringList aggiunte = lista.mid(3).chopped(2).split(QStringLiteral("\r\n"));
    if (ferma.isEmpty()) {
        QCOMPARE(trovate, QStringLiteral("Trovate: %1 righe (ottimo)").arg(minimo));
        QCOMPARE(aggiunte.size(), minimo);
    } else {
        QCOMPARE(trovate, QStringLiteral("Trovate: %1 righe").arg(aggiunte.size()));
        QVERIFY(aggiunte.size() > minimo);
    }
    const QString difetto = Difetto(aggiunte, numeri, k, m, p);
    QVERIFY2(difetto.isEmpty(), qPrintable(difetto));
    QCOMPARE(int(gSelezionati), quanti);
    // The whole system is one step back.
    QTest::keyClick(finestra->txtLista, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(finestra->TestoLista(), QStringLiteral("x"));
}

void tst_frmRiduzione::nienteCambia_data()
{
    QTest::addColumn<int>("estratti"); // 0: no search; 2: one that ends with a result; 3: one that goes on
    QTest::addColumn<QString>("azione");
    QTest::newRow("ANNULLA") << 0 << "ANNULLA";
    QTest::newRow("Escape") << 0 << "Escape";
    QTest::newRow("close box") << 0 << "chiusura";
    QTest::newRow("ANNULLA after a result") << 2 << "ANNULLA";
    QTest::newRow("Escape after a result") << 2 << "Escape";
    QTest::newRow("close box while searching") << 3 << "chiusura";
}

void tst_frmRiduzione::nienteCambia()
{
    QFETCH(int, estratti);
    QFETCH(QString, azione);
    Seleziona(15);
    finestra->txtLista->setPlainText(QStringLiteral("01 02\n"));
    bool chiusa = false;
    Riduci(
        [&](frmRiduzione *f) {
            if (estratti > 0) {
                // In terzine with the ambo on 2 it ends at its bound; in quartine on 3 it goes on.
                Imposta(f, estratti == 3 ? 4 : 3, 2, estratti);
                f->spnTempo->setValue(600);
                QTest::mouseClick(f->cmdRiduci, Qt::LeftButton);
                QTRY_VERIFY_WITH_TIMEOUT(estratti == 3 ? f->InCorso() : f->cmdInLista->isEnabled(), 20000);
            }
            if (azione == QStringLiteral("ANNULLA"))
                QTest::mouseClick(f->cmdAnnulla, Qt::LeftButton);
            else if (azione == QStringLiteral("Escape"))
                QTest::keyClick(f->focusWidget(), Qt::Key_Escape);
            else
                QVERIFY(ChiudiComeUtente(f));
            chiusa = !f->isVisible() && !f->InCorso();
        },
        {});
    QVERIFY(chiusa);
    QCOMPARE(finestra->TestoLista(), QStringLiteral("01 02\r\n"));
    QVERIFY(!finestra->txtLista->document()->isUndoAvailable());
}

void tst_frmRiduzione::pocheCaselle_data()
{
    QTest::addColumn<int>("quanti");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("none") << 0 << "Nessuna casella selezionata ..!";
    QTest::newRow("two") << 2 << "Per la riduzione servono\nalmeno 3 caselle selezionate ..!";
}

void tst_frmRiduzione::pocheCaselle()
{
    QFETCH(int, quanti);
    QFETCH(QString, messaggio);
    Seleziona(quanti);
    const QList<DialogoVisto> visti = Riduci([](frmRiduzione *) {}, {});
    QCOMPARE(visti.size(), 1);
    QCOMPARE(visti[0].testo, messaggio);
    QCOMPARE(finestra->TestoLista(), QStringLiteral("x"));
}

void tst_frmRiduzione::rifiuti_data()
{
    QTest::addColumn<int>("quanti");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("finta"); // 0: the search itself; else a stand-in's lines, -1 when it runs out of memory
    QTest::addColumn<QString>("messaggio");
    // 90 in decine with a cinquina if 5 come out: the bound, 183,078, fits a list, but the first
    // system does not; it is refused at once, naming its size, before any search.
    QTest::newRow("a first system above the cap")
        << 90 << 10 << 5 << 0
        << QStringLiteral("Il primo sistema trovato ha\n%1 righe,\noltre il massimo di 200000 ..!")
               .arg(Riduzione::RighePrime({90, 10, 5, 5}));
    // In cinquine, a cinquina if 5 come out: each of the C(90, 5) needs a line of its own.
    QTest::newRow("too many lines at least")
        << 90 << 5 << 5 << 0 << "Il sistema avrebbe almeno\n43949268 righe,\noltre il massimo di 200000 ..!";
    // One line of 9 numbers cannot give an ambo on every draw of 2.
    QTest::newRow("a system without the guarantee")
        << 9 << 3 << 2 << 1 << "Errore interno: il sistema trovato\nnon mantiene la garanzia ..!";
    QTest::newRow("more lines than a list takes")
        << 9 << 3 << 2 << 200001 << "Il sistema trovato ha\n200001 righe,\noltre il massimo di 200000 ..!";
    QTest::newRow("out of memory") << 9 << 3 << 2 << -1 << "Memoria esaurita ..!";
}

void tst_frmRiduzione::rifiuti()
{
    QFETCH(int, quanti);
    QFETCH(int, k);
    QFETCH(int, m);
    QFETCH(int, finta);
    QFETCH(QString, messaggio);
    std::atomic<bool> fuori{finta == 0};
    frmRiduzione::Ricerca ricerca = Riduzione::Riduci;
    if (finta != 0) {
        ricerca = [&](const Riduzione::Richiesta &, quint64, qint64, Riduzione::Avanzamento &) {
            fuori.store(QThread::currentThread() != QCoreApplication::instance()->thread());
            if (finta < 0)
                throw std::bad_alloc();
            Riduzione::Esito esito;
            esito.stato = Riduzione::Esito::Trovato;
            esito.righe.assign(std::size_t(finta), Riduzione::Riga{0, 1, 2});
            return esito;
        };
    }
    frmRiduzione *f = Apri(quanti, ricerca);
    QVERIFY(f);
    Imposta(f, k, m, m);
    RispondiDialoghi risposte;
    QTest::mouseClick(f->cmdRiduci, Qt::LeftButton);
    if (messaggio.startsWith(QStringLiteral("Il primo sistema"))) {
        // Refused within the click itself, before any search, naming a size above the cap.
        QCOMPARE(risposte.visti.size(), 1);
        QVERIFY(messaggio.section(u'\n', 1, 1).section(u' ', 0, 0).toLongLong() > Riduzione::RigheMassime);
    }
    QTRY_COMPARE_WITH_TIMEOUT(risposte.visti.size(), 1, 20000);
    QCOMPARE(risposte.visti[0].testo, messaggio);
    QTRY_VERIFY(!f->InCorso());
    QVERIFY(fuori.load());
    // Nothing offered, and the window stays for another choice.
    QVERIFY(f->isVisible() && f->cmdRiduci->isEnabled() && f->spnClasse->isEnabled() && !f->cmdInLista->isEnabled());
    QCOMPARE(f->lblTrovate->text(), Nessuna);
}

void tst_frmRiduzione::primoSistemaSubito()
{
    // The affine plane of order 3: 12 lines holding every pair of 9 numbers once.
    const std::vector<Riduzione::Riga> piano{{0, 1, 2}, {3, 4, 5}, {6, 7, 8}, {0, 3, 6}, {1, 4, 7}, {2, 5, 8},
                                             {0, 4, 8}, {1, 5, 6}, {2, 3, 7}, {0, 5, 7}, {1, 3, 8}, {2, 4, 6}};
    // A search that announces its first system and then takes its time over constructions
    // that never end, as a search on many numbers may.
    const auto ricerca = [&piano](const Riduzione::Richiesta &, quint64, qint64, Riduzione::Avanzamento &avanzamento) {
        avanzamento.righe.store(int(piano.size()));
        QDeadlineTimer limite(60000);
        while (!avanzamento.Annullato() && !limite.hasExpired())
            QThread::yieldCurrentThread();
        Riduzione::Esito esito;
        esito.stato = Riduzione::Esito::Trovato;
        esito.righe = piano;
        return esito;
    };
    frmRiduzione *f = Apri(9, ricerca);
    QVERIFY(f);
    Imposta(f, 3, 2, 2);
    QTest::mouseClick(f->cmdRiduci, Qt::LeftButton);
    // Shown while the search goes on, in the window's first turns.
    QTRY_COMPARE(f->lblTrovate->text(), QStringLiteral("Trovate: 12 righe"));
    QVERIFY(f->InCorso());
    // Stopped, it is checked and offered.
    QTest::mouseClick(f->cmdAnnulla, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(f->cmdInLista->isEnabled(), 20000);
    QCOMPARE(f->lblTrovate->text(), QStringLiteral("Trovate: 12 righe"));
    QCOMPARE(f->Testo().count(QStringLiteral("\r\n")), 12);
}

void tst_frmRiduzione::condizionato_data()
{
    // 1 to 12 in lines of 3 whose sum lies between `da` and `a`, with `pari` even numbers
    // (-1: any); the draws to cover are the m-sets inside those lines.
    QTest::addColumn<int>("da");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("pari");
    QTest::addColumn<int>("m");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("sum 15 to 21, ambo") << 15 << 21 << -1 << 2 << "";
    QTest::newRow("sum 10 to 30, two even, ambo") << 10 << 30 << 2 << 2 << "";
    QTest::newRow("sum 12 to 18, terno") << 12 << 18 << -1 << 3 << "";
    // Each reachable alone, never together: 6 or 7 is 1+2+3 or 1+2+4, never three even numbers.
    QTest::newRow("no line") << 6 << 7 << 3 << 2 << "Nessuna riga dello sviluppo\nsoddisfa le condizioni ..!";
    QTest::newRow("a sum out of reach") << 40 << 45 << -1 << 2
                                        << "Somma da 40 a 45: le righe di 3\ndi questi numeri vanno da 6 a 33 ..!";
}

void tst_frmRiduzione::condizionato()
{
    QFETCH(int, da);
    QFETCH(int, a);
    QFETCH(int, pari);
    QFETCH(int, m);
    QFETCH(QString, messaggio);
    Condizioni::Impostazioni condizioni;
    condizioni.limiti[Condizioni::Somma] = {true, da, a};
    if (pari >= 0)
        condizioni.limiti[Condizioni::Pari] = {true, pari, pari};
    frmRiduzione *f = Apri(12);
    QVERIFY(f);
    QVERIFY(!f->chkCondizionato->isEnabled());
    f->ImpostaCondizioni(condizioni, 90);
    QVERIFY(f->chkCondizionato->isEnabled());
    Imposta(f, 3, m, m);
    // The bound here is seldom reached: the search ends with its time.
    f->spnTempo->setValue(1);
    f->chkCondizionato->setChecked(true);
    // Only the draws inside a line count: no more numbers drawn than a line holds.
    QCOMPARE(f->spnEstratti->maximum(), 3);
    QCOMPARE(f->lblSviluppo->text(), QStringLiteral("Sviluppo condizionato: —"));
    QCOMPARE(f->lblMinimo->text(), QStringLiteral("Minimo teorico: —"));

    // The conditioned development and its draws, the long way.
    std::vector<quint32> linee;
    for (quint32 l = 0; l < (1u << 12); ++l) {
        int somma = 0, quantiPari = 0;
        for (int i = 0; i < 12; ++i) {
            if (l >> i & 1) {
                somma += i + 1;
                quantiPari += (i + 1) % 2 == 0 ? 1 : 0;
            }
        }
        if (qPopulationCount(l) == 3 && somma >= da && somma <= a && (pari < 0 || quantiPari == pari))
            linee.push_back(l);
    }

    RispondiDialoghi risposte;
    QTest::mouseClick(f->cmdRiduci, Qt::LeftButton);
    if (!messaggio.isEmpty()) {
        QTRY_COMPARE_WITH_TIMEOUT(risposte.visti.size(), 1, 20000);
        QCOMPARE(risposte.visti[0].testo, messaggio);
        QTRY_VERIFY(!f->InCorso());
        QVERIFY(!f->cmdInLista->isEnabled() && f->cmdRiduci->isEnabled());
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(f->cmdInLista->isEnabled(), 30000);
    QVERIFY(risposte.visti.isEmpty());
    QCOMPARE(f->lblSviluppo->text(), QStringLiteral("Sviluppo condizionato: %1 righe").arg(linee.size()));
    // Every line offered is one of the development's, and every m-set inside one of them
    // lies in an offered line.
    std::vector<quint32> offerte;
    for (const QString &riga : f->Testo().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        quint32 l = 0;
        for (const QString &n : riga.split(u' '))
            l |= 1u << (n.toInt() - 1);
        QVERIFY2(std::find(linee.begin(), linee.end(), l) != linee.end(), qPrintable(riga));
        offerte.push_back(l);
    }
    for (quint32 estratti = 0; estratti < (1u << 12); ++estratti) {
        if (qPopulationCount(estratti) != m
            || std::none_of(linee.begin(), linee.end(), [&](quint32 l) { return (l & estratti) == estratti; }))
            continue;
        QVERIFY2(std::any_of(offerte.begin(), offerte.end(), [&](quint32 l) { return (l & estratti) == estratti; }),
                 qPrintable(QString::number(estratti, 2)));
    }
    // The bound shown is one no system can beat: at most C(3, m) of the draws in each line.
    const QString minimo = f->lblMinimo->text();
    QVERIFY2(minimo.startsWith(QStringLiteral("Minimo teorico: ")), qPrintable(minimo));
    QVERIFY(minimo.section(u' ', 2, 2).toInt() <= int(offerte.size()));
}

void tst_frmRiduzione::annullaIlControllo_data()
{
    QTest::addColumn<bool>("chiudi");
    QTest::newRow("ANNULLA") << false;
    QTest::newRow("close box") << true;
}

void tst_frmRiduzione::annullaIlControllo()
{
    QFETCH(bool, chiudi);
    // A system found at once, then a check that would take a minute unless it is stopped:
    // the stop must reach the check, not only the search.
    const auto ricerca = [](const Riduzione::Richiesta &, quint64, qint64, Riduzione::Avanzamento &avanzamento) {
        avanzamento.righe.store(3);
        Riduzione::Esito esito;
        esito.stato = Riduzione::Esito::Trovato;
        esito.righe = {{0, 1, 2}, {0, 3, 4}, {1, 3, 5}};
        return esito;
    };
    std::atomic<bool> iniziato{false};
    std::atomic<bool> fermato{false};
    const auto controllo = [&](const std::vector<int> &, const std::vector<Riduzione::Riga> &, int, int,
                               Avanzamento &stato) {
        iniziato.store(true);
        QDeadlineTimer limite(60000);
        while (!stato.Annullato() && !limite.hasExpired())
            QThread::yieldCurrentThread();
        fermato.store(stato.Annullato());
        return true;
    };
    frmRiduzione *f = Apri(9, ricerca, controllo);
    QVERIFY(f);
    QTest::mouseClick(f->cmdRiduci, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(iniziato.load(), 20000);
    QVERIFY(f->InCorso());
    QElapsedTimer attesa;
    attesa.start();
    if (chiudi)
        QVERIFY(ChiudiComeUtente(f));
    else
        QTest::mouseClick(f->cmdAnnulla, Qt::LeftButton);
    // Far longer than the stop takes, far shorter than the check would.
    QTRY_VERIFY_WITH_TIMEOUT(!f->InCorso(), 10000);
    qInfo("check stopped %lld ms after the request", qint64(attesa.elapsed()));
    QVERIFY(fermato.load());
    // What the check did not finish is not offered.
    QVERIFY(!f->cmdInLista->isEnabled());
    QCOMPARE(f->lblTrovate->text(), Nessuna);
    QCOMPARE(f->isVisible(), !chiudi);
    if (!chiudi)
        QVERIFY(f->cmdRiduci->isEnabled() && f->spnClasse->isEnabled());
}

void tst_frmRiduzione::sceltePossibili_data()
{
    QTest::addColumn<int>("quanti");
    QTest::newRow("3") << 3;
    QTest::newRow("5") << 5;
    QTest::newRow("90") << 90;
}

void tst_frmRiduzione::sceltePossibili()
{
    QFETCH(int, quanti);
    frmRiduzione *f = Apri(quanti);
    QVERIFY(f);
    QTRY_VERIFY(f->spnClasse->hasFocus());
    QCOMPARE(f->spnClasse->value(), std::min(quanti - 1, 3));
    QCOMPARE(f->spnEstratti->value(), 2);
    QCOMPARE(f->spnTempo->value(), 10);
    QCOMPARE(f->spnClasse->minimum(), 2);
    QCOMPARE(f->spnClasse->maximum(), std::min(quanti - 1, 10));
    const QStringList nomi{"ambo", "terno", "quaterna", "cinquina", "sestina"};
    // Every k, each guarantee it allows, the numbers drawn from it: nothing impossible is offered.
    for (int k = 2; k <= f->spnClasse->maximum(); ++k) {
        f->spnClasse->setValue(k);
        QCOMPARE(f->lblSviluppo->text(), QStringLiteral("Sviluppo integrale: %1 righe").arg(Binomiale(quanti, k)));
        QCOMPARE(f->cboGaranzia->count(), std::min(k, 6) - 1);
        for (int i = 0; i < f->cboGaranzia->count(); ++i) {
            f->cboGaranzia->setCurrentIndex(i);
            QCOMPARE(f->cboGaranzia->currentText(), nomi[i]);
            QCOMPARE(f->spnEstratti->minimum(), i + 2);
            QCOMPARE(f->spnEstratti->maximum(), std::min(quanti, 6));
            QVERIFY(f->spnEstratti->value() >= i + 2);
        }
    }
    // The numbers drawn follow a guarantee up; a guarantee above a new k comes down to it.
    f->cboGaranzia->setCurrentIndex(0);
    f->spnEstratti->setValue(2);
    f->cboGaranzia->setCurrentIndex(f->cboGaranzia->count() - 1);
    QCOMPARE(f->spnEstratti->value(), f->cboGaranzia->count() + 1);
    f->spnClasse->setValue(2);
    QCOMPARE(f->cboGaranzia->currentText(), QStringLiteral("ambo"));
}

void tst_frmRiduzione::menuETasto()
{
    Seleziona(3);
    const QStringList voci{QStringLiteral("Sviluppa i selezionati...\tCtrl+L"),
                           QStringLiteral("Riduci i selezionati...\tCtrl+R")};
    QCOMPARE(VociMenuContestuale(finestra->lblNumero(5), QPoint(3, 3)).mid(0, 2), voci);
    QCOMPARE(VociMenuContestuale(finestra->Frame2, QPoint(3, 3)).mid(0, 2), voci);
    QCOMPARE(VociMenuContestuale(finestra->txtLista->viewport(), QPoint(5, 5)).mid(3, 2), voci);

    // No standard key here, nor on Windows. GNOME and macOS make it Refresh and KDE Replace,
    // neither of them an edit that the list box makes.
    const QKeySequence tasto = finestra->mnuRiduci->shortcut();
    QCOMPARE(tasto, QKeySequence(Qt::CTRL | Qt::Key_R));
    for (int k = QKeySequence::UnknownKey + 1; k <= QKeySequence::Cancel; ++k) {
        for (const QKeySequence &usato : QKeySequence::keyBindings(QKeySequence::StandardKey(k)))
            QVERIFY2(usato != tasto, qPrintable(QStringLiteral("standard key %1").arg(k)));
    }
    // The box itself, past the window's filter, claims Ctrl+Z for its own use and not Ctrl+R.
    for (const auto &[chiave, voluto] : {std::pair{Qt::Key_Z, true}, std::pair{Qt::Key_R, false}}) {
        QKeyEvent richiesta(QEvent::ShortcutOverride, chiave, Qt::ControlModifier);
        richiesta.setAccepted(false);
        static_cast<QObject *>(finestra->txtLista)->event(&richiesta);
        QCOMPARE(richiesta.isAccepted(), voluto);
    }
}

QTEST_MAIN(tst_frmRiduzione)
#include "tst_frmriduzione.moc"
