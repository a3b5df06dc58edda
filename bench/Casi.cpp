// Every case drives the real window (or the real routines) and, in the same run,
// the floor that Qt and the machine set for the same work. Only the operation is
// timed; each iteration prepares its window first, and checks the result after.

#include "Casi.h"

#include "Archivio.h"
#include "Condizioni.h"
#include "Dati.h"
#include "Floor.h"
#include "Garanzia.h"
#include "Riduzione.h"
#include "Tabella.h"

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/Memoria.h"
#include "common/PulsanteComando.h"
#include "common/Twips.h"
#include "common/mFunzioni.h"
#include "grid/CellaNumero.h"
#include "list/ListaTesto.h"
#include "list/Salvataggio.h"
#include "sviluppo/frmSviluppo.h"
#include "verifica/frmVerifica.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QTest>
#include <QTextCursor>
#include <QUrl>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <set>

namespace {

constexpr int RigheLista = 32767;
constexpr int RigheInLista = 32000;

const QString &Lista(int righe)
{
    static std::map<int, QString> liste;
    auto it = liste.find(righe);
    if (it == liste.end())
        it = liste.emplace(righe, Dati::ListaCasuale(righe)).first;
    return it->second;
}

const QString &Ordinata(int righe)
{
    static std::map<int, QString> liste;
    auto it = liste.find(righe);
    if (it == liste.end())
        it = liste.emplace(righe, Dati::ListaOrdinata(Lista(righe))).first;
    return it->second;
}

double Secondi(long long da, long long a)
{
    return double(a - da) / 1e9;
}

// CPU time of this thread: what the click costs, whatever else the machine runs.
long long CpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// Lets the window finish what the operation left queued: deferred deletions,
// layout, and the repaint of what changed.
void Completa()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Answers each message dialog as soon as it has painted itself, with "SI" when it
// asks and its only button otherwise: the user's reply, without a timer's delay.
class RispondiSubito : public QObject
{
public:
    RispondiSubito() { qApp->installEventFilter(this); }
    int risposte = 0;

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        // The program's message dialog, or the floor's plain one; a progress window is left to
        // its work.
        if (evento->type() == QEvent::Paint && qobject_cast<QDialog *>(oggetto)
            && !qobject_cast<QProgressDialog *>(oggetto) && oggetto != m_ultimo) {
            auto *dialogo = static_cast<QDialog *>(oggetto);
            m_ultimo = dialogo;
            QMetaObject::invokeMethod(
                this,
                [this, dialogo = QPointer<QDialog>(dialogo)] {
                    if (!dialogo)
                        return;
                    QPushButton *scelto = nullptr;
                    for (QPushButton *p : dialogo->findChildren<QPushButton *>()) {
                        if (p->isVisible() && (!scelto || p->text() == QLatin1String("SI")))
                            scelto = p;
                    }
                    if (scelto) {
                        ++risposte;
                        QTest::mouseClick(scelto, Qt::LeftButton);
                    }
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QPointer<QObject> m_ultimo;
};

QString CartellaProgramma()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/cartella-programma");
}

// The folder that SALVA writes into, made where missing, as the installed program finds it.
// A fresh build has none, and any case may come first in a run: each one that writes or
// reads a list file asks for the folder here.
QString CartellaListe()
{
    const QString cartella = Salvataggio::CartellaSalvataggio(CartellaProgramma());
    QDir().mkpath(cartella);
    return cartella;
}

Ambiente AmbienteBench()
{
    CartellaListe();
    return {[] { return QDateTime(QDate(2026, 2, 5), QTime(14, 5, 9)); }, CartellaProgramma(),
            std::make_shared<Salvataggio::ScritturaFile>()};
}

// A fresh main window, shown, with the shared state of a fresh start.
std::unique_ptr<frmOmbrazio> NuovaFinestra()
{
    mDichiarazioni::Azzera();
    auto finestra = std::make_unique<frmOmbrazio>(AmbienteBench());
    finestra->show();
    if (!QTest::qWaitForWindowExposed(finestra.get()))
        std::fprintf(stderr, "main window not exposed\n");
    Completa();
    return finestra;
}

// The list as a paste leaves it: caret and view at the end.
void Incolla(QPlainTextEdit &lista, const QString &testo)
{
    lista.setPlainText(testo);
    lista.moveCursor(QTextCursor::End);
    lista.ensureCursorVisible();
    Completa();
}

void Incolla(frmOmbrazio &f, const QString &testo)
{
    Incolla(*f.txtLista, testo);
}

void Clicca(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton);
}

// --- SORT -------------------------------------------------------------------

// Pastes the unsorted list, then times `azione` and the repaint it causes, in wall and CPU time.
template<typename Azione, typename Verifica>
void DopoIncolla(benchmark::State &stato, int righe, Azione azione, Verifica verifica)
{
    const QString &lista = Lista(righe);
    auto f = NuovaFinestra();
    for (auto _ : stato) {
        Incolla(*f, lista);
        const long long c0 = CpuNs();
        const long long t0 = OraMonotonaNs();
        azione(*f);
        Completa();
        stato.SetIterationTime(Secondi(t0, OraMonotonaNs()));
        stato.counters[ContatoreCpu] = benchmark::Counter(Secondi(c0, CpuNs()), benchmark::Counter::kAvgIterations);
        verifica(*f);
    }
}

void SortClick(benchmark::State &stato, int righe)
{
    const QString &attesa = Ordinata(righe);
    DopoIncolla(
        stato, righe, [](frmOmbrazio &f) { Clicca(f.cmdSort); },
        [&](frmOmbrazio &f) {
            if (f.TestoLista() != attesa || !gSortEseguito)
                stato.SkipWithError("SORT did not leave the sorted list");
        });
}

void FloorImpostaOrdinata(benchmark::State &stato, int righe)
{
    const QString &attesa = Ordinata(righe);
    DopoIncolla(
        stato, righe, [&](frmOmbrazio &f) { f.txtLista->setPlainText(attesa); }, [](frmOmbrazio &) {});
}

// --- The routines alone -------------------------------------------------------

void Routine(benchmark::State &stato)
{
    const QString &lista = Lista(RigheLista);
    const QString &attesa = Ordinata(RigheLista);
    int errori = 0;
    const mFunzioni::SegnalaErrore segnala = [&errori](int) { ++errori; };
    for (auto _ : stato) {
        const long long t0 = OraMonotonaNs();
        QStringList righe = ListaTesto::RaccogliRighe(lista);
        mFunzioni::OrdinaNumeri(righe, segnala);
        mFunzioni::OrdinaRighe(righe, segnala);
        const QString testo = ListaTesto::TestoDaRighe(righe);
        stato.SetIterationTime(Secondi(t0, OraMonotonaNs()));
        if (testo != attesa || errori)
            stato.SkipWithError("the routines did not give the sorted list");
    }
}

void FloorSortProcesso(benchmark::State &stato)
{
    const QByteArray ingresso = Lista(RigheLista).toLatin1();
    const QByteArray attesa = Ordinata(RigheLista).toLatin1();
    for (auto _ : stato) {
        const EsitoProcesso esito = EseguiProcesso("sort", {}, {"LC_ALL=C"}, ingresso);
        stato.SetIterationTime(Secondi(esito.inizioNs, esito.fineNs));
        if (esito.stato != 0 || esito.uscita != attesa)
            stato.SkipWithError("sort did not give the sorted list");
    }
}

// --- IN LISTA -----------------------------------------------------------------

void InLista(benchmark::State &stato, int righe)
{
    auto f = NuovaFinestra();
    Clicca(f->cmdCostruisci);
    Completa();
    for (int cella : {1, 5, 12, 20, 33, 36})
        Clicca(f->lblNumero(cella));
    const QString riga = QStringLiteral("01 05 12 20 33 36\r\n");
    Incolla(*f, righe ? Lista(righe) : QString());
    for (auto _ : stato) {
        const long long t0 = OraMonotonaNs();
        Clicca(f->cmdInLista);
        Completa();
        stato.SetIterationTime(Secondi(t0, OraMonotonaNs()));
    }
    const QString testo = f->TestoLista();
    if (testo.size() != (righe ? Lista(righe).size() : 0) + riga.size() * stato.iterations() || !testo.endsWith(riga))
        stato.SkipWithError("IN LISTA did not append the line");
}

// --- GENERA GRIGLIA -----------------------------------------------------------

void GeneraGriglia(benchmark::State &stato)
{
    auto f = NuovaFinestra();
    for (auto _ : stato) {
        gQuantitaNumeri = 36;
        gNumeriPerRiga = 6;
        Clicca(f->cmdCostruisci);
        Completa();
        gQuantitaNumeri = 90;
        gNumeriPerRiga = 10;
        const long long t0 = OraMonotonaNs();
        Clicca(f->cmdCostruisci);
        Completa();
        stato.SetIterationTime(Secondi(t0, OraMonotonaNs()));
        if (f->lblNumero.Conta() != 90 || !f->lblNumero(90)->isVisible())
            stato.SkipWithError("the board does not have 90 cells");
    }
}

// The floor's window: plain Qt parts where the main window has its own, one plain
// button of GENERA GRIGLIA's size and face, and the board's frame.
struct FinestraFloor
{
    QWidget finestra;
    QPushButton *pulsante = nullptr;
    QFrame *cornice = nullptr;

    FinestraFloor()
    {
        finestra.setFixedSize(825, 559);
        QFont trebuchet(QStringLiteral("Trebuchet MS"));
        trebuchet.setPointSizeF(8.25);
        pulsante = new QPushButton(QStringLiteral("GENERA GRIGLIA"), &finestra);
        pulsante->setFont(trebuchet);
        pulsante->setGeometry(402, 484, 81, 53);
        cornice = new QFrame(&finestra);
        cornice->setFrameStyle(QFrame::Box | QFrame::Sunken);
        cornice->setGeometry(10, 4, 505, 459);
        finestra.show();
        if (!QTest::qWaitForWindowExposed(&finestra))
            std::fprintf(stderr, "floor window not exposed\n");
        Completa();
    }
};

// The same visible work as GENERA GRIGLIA with plain labels: the click, then 90 cells with
// a one-pixel box, centred numbers in the cells' face and size, in place of the 36 there.
void FloorEtichette(benchmark::State &stato)
{
    FinestraFloor f;
    QFont faccia(QStringLiteral("Trebuchet MS"));
    faccia.setPointSizeF(20.25);
    std::vector<QLabel *> etichette;
    const auto riempi = [&](int quante, int perRiga) {
        qDeleteAll(etichette);
        etichette.clear();
        for (int k = 1; k <= quante; ++k) {
            auto *etichetta = new QLabel(QString::number(k), f.cornice);
            etichetta->setFrameStyle(QFrame::Box | QFrame::Plain);
            etichetta->setLineWidth(1);
            etichetta->setAlignment(Qt::AlignCenter);
            etichetta->setFont(faccia);
            etichetta->setGeometry(10 + (k - 1) % perRiga * 48, 16 + (k - 1) / perRiga * 48, 47, 47);
            etichetta->show();
            etichette.push_back(etichetta);
        }
    };
    const QMetaObject::Connection clic = QObject::connect(f.pulsante, &QPushButton::clicked, [&] { riempi(90, 10); });
    for (auto _ : stato) {
        riempi(36, 6);
        Completa();
        const long long t0 = OraMonotonaNs();
        Clicca(f.pulsante);
        Completa();
        stato.SetIterationTime(Secondi(t0, OraMonotonaNs()));
        if (etichette.size() != 90 || !etichette.back()->isVisible())
            stato.SkipWithError("the floor did not show 90 labels");
    }
    QObject::disconnect(clic);
}

// --- SALVA ----------------------------------------------------------------------

void Salva(benchmark::State &stato, bool ordinata)
{
    const QString &lista = ordinata ? Ordinata(RigheLista) : Lista(RigheLista);
    const QByteArray attesi = Dati::FileAtteso(lista);
    auto f = NuovaFinestra();
    const QString salvato = CartellaListe() + QStringLiteral("/036140509-36.TXT");
    RispondiSubito risponditore;
    for (auto _ : stato) {
        Incolla(*f, lista);
        gSortEseguito = ordinata;
        QFile::remove(salvato);
        risponditore.risposte = 0;
        const long long t0 = OraMonotonaNs();
        Clicca(f->cmdSalva);
        Completa();
        stato.SetIterationTime(Secondi(t0, OraMonotonaNs()));
        QFile file(salvato);
        if (risponditore.risposte != (ordinata ? 1 : 2) || !file.open(QIODevice::ReadOnly) || file.readAll() != attesi)
            stato.SkipWithError("SALVA did not write the list");
    }
}

// The same work as SALVA with plain parts: the click; the list box's text, its line ends made
// CR LF and its characters 8-bit bytes, written through QSaveFile; then a modal dialog of two
// lines and one button, answered once painted. As in SALVA's case, only the paste of the
// list comes before the click.
void FloorQSaveFile(benchmark::State &stato)
{
    const QString &lista = Ordinata(RigheLista);
    const QByteArray attesi = Dati::FileAtteso(lista);
    const QString percorso = CartellaListe() + QStringLiteral("/floor.TXT");
    FinestraFloor f;
    // A list box where the main window has its own, with the same face.
    auto *scatola = new QPlainTextEdit(&f.finestra);
    scatola->setGeometry(Twips::PxRect(7860, 510, 4335, 6345));
    scatola->setFont(Caratteri::Carattere(Caratteri::CourierNew, 12));
    scatola->show();
    RispondiSubito risponditore;
    bool scritto = false;
    const QMetaObject::Connection clic = QObject::connect(f.pulsante, &QPushButton::clicked, [&] {
        QString testo = scatola->toPlainText();
        testo.replace(u'\n', QStringLiteral("\r\n"));
        const QByteArray dati = testo.toLatin1();
        QSaveFile file(percorso);
        scritto = file.open(QIODevice::WriteOnly) && file.write(dati) == dati.size() && file.commit();
        QDialog dialogo(&f.finestra);
        auto *messaggio = new QLabel(QStringLiteral("Combinazioni salvate, col nome:\nfloor.TXT"), &dialogo);
        messaggio->setGeometry(14, 70, 285, 40);
        auto *ok = new QPushButton(QStringLiteral("OK"), &dialogo);
        ok->setGeometry(113, 130, 93, 25);
        QObject::connect(ok, &QPushButton::clicked, &dialogo, &QDialog::accept);
        dialogo.setFixedSize(319, 170);
        dialogo.exec();
    });
    for (auto _ : stato) {
        Incolla(*scatola, lista);
        QFile::remove(percorso);
        risponditore.risposte = 0;
        const long long t0 = OraMonotonaNs();
        Clicca(f.pulsante);
        Completa();
        stato.SetIterationTime(Secondi(t0, OraMonotonaNs()));
        QFile file(percorso);
        if (!scritto || risponditore.risposte != 1 || !file.open(QIODevice::ReadOnly) || file.readAll() != attesi)
            stato.SkipWithError("the floor did not write the list and answer its dialog");
    }
    QObject::disconnect(clic);
}

// --- Opening a list file ---------------------------------------------------------

// The file dropped on the empty list, until the list box has repainted. Ctrl+O reads and
// appends the same way; it only adds Qt's file dialog, whose cost is Qt's.
void Apri(benchmark::State &stato, int righe)
{
    const QString &lista = Lista(righe);
    const QString percorso = CartellaListe() + QStringLiteral("/apri-%1.TXT").arg(righe);
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly) || file.write(Dati::FileAtteso(lista)) < 0 || !file.commit()) {
        stato.SkipWithError("the list file could not be written");
        return;
    }
    QMimeData dati;
    dati.setUrls({QUrl::fromLocalFile(percorso)});
    auto f = NuovaFinestra();
    QWidget *area = f->txtLista->viewport();
    const QPoint dove = area->rect().center();
    for (auto _ : stato) {
        Incolla(*f, QString());
        QDragEnterEvent entra(dove, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &entra);
        QDragMoveEvent muovi(dove, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &muovi);
        Completa();
        QDropEvent rilascia(dove, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        const long long t0 = OraMonotonaNs();
        QApplication::sendEvent(area, &rilascia);
        Completa();
        stato.SetIterationTime(Secondi(t0, OraMonotonaNs()));
        if (f->TestoLista() != lista)
            stato.SkipWithError("opening did not give the saved lines");
    }
}

void FloorImpostaVuota(benchmark::State &stato, int righe)
{
    const QString &lista = Lista(righe);
    auto f = NuovaFinestra();
    for (auto _ : stato) {
        Incolla(*f, QString());
        const long long t0 = OraMonotonaNs();
        f->txtLista->setPlainText(lista);
        Completa();
        stato.SetIterationTime(Secondi(t0, OraMonotonaNs()));
    }
}

// --- Verifica ----------------------------------------------------------------------

const QString EstrazioneBench = QStringLiteral("05 12 33 47 81");

// Ctrl+E reads the list from the box, then the window checks it against the draw when
// VERIFICA is clicked, until the result has painted. Timed: the reading and the check;
// not timed: making and showing the window in between.
void VerificaClick(benchmark::State &stato)
{
    auto f = NuovaFinestra();
    Incolla(*f, Lista(RigheLista));
    const QString attese = QStringLiteral("Estrazione: ") + EstrazioneBench
        + QStringLiteral("\nRighe verificate: %1\n").arg(RigheLista);
    for (auto _ : stato) {
        long long t0 = OraMonotonaNs();
        const QString lista = f->TestoLista();
        const long long letta = OraMonotonaNs() - t0;
        frmVerifica verifica(lista, f.get());
        verifica.show();
        verifica.txtEstrazione->setText(EstrazioneBench);
        Completa();
        t0 = OraMonotonaNs();
        Clicca(verifica.cmdVerifica);
        verifica.txtRisultato->viewport()->repaint();
        Completa();
        stato.SetIterationTime(double(letta + OraMonotonaNs() - t0) / 1e9);
        if (!verifica.txtRisultato->toPlainText().startsWith(attese))
            stato.SkipWithError("VERIFICA did not check the list");
    }
}

// The least that any check must do: the same text taken from a list box, split into lines
// and tokens with QString::split, each token converted with toInt.
void FloorSplitToInt(benchmark::State &stato)
{
    auto f = NuovaFinestra();
    Incolla(*f, Lista(RigheLista));
    for (auto _ : stato) {
        const long long t0 = OraMonotonaNs();
        qint64 somma = 0;
        qsizetype righe = 0;
        for (const QString &riga : f->txtLista->toPlainText().split(u'\n', Qt::SkipEmptyParts)) {
            ++righe;
            for (const QString &token : riga.split(u' ', Qt::SkipEmptyParts))
                somma += token.toInt();
        }
        stato.SetIterationTime(Secondi(t0, OraMonotonaNs()));
        benchmark::DoNotOptimize(somma);
        if (righe != RigheLista)
            stato.SkipWithError("the floor did not read the list");
    }
}

// --- Stampa ------------------------------------------------------------------------

// Page objects in a PDF as QPdfWriter writes them: "/Type /Page" (and "/Pages" once).
int PaginePdf(const QByteArray &pdf)
{
    return int(pdf.count("/Type /Page")) - int(pdf.count("/Type /Pages"));
}

// Ctrl+Shift+P on the real window holding the list, the file window answered with a name in
// the lists' folder: the header with the guarantee, the pages laid out and drawn, the file
// written, until its message is answered.
void EsportaPdf(benchmark::State &stato)
{
    const QString percorso = CartellaListe() + QStringLiteral("/esporta.pdf");
    Ambiente ambiente = AmbienteBench();
    ambiente.ScegliFile = [percorso](QFileDialog &) { return QStringList{percorso}; };
    mDichiarazioni::Azzera();
    frmOmbrazio f(ambiente);
    f.show();
    if (!QTest::qWaitForWindowExposed(&f))
        std::fprintf(stderr, "main window not exposed\n");
    Incolla(f, Lista(RigheLista));
    RispondiSubito risponditore;
    for (auto _ : stato) {
        QFile::remove(percorso);
        risponditore.risposte = 0;
        const long long t0 = OraMonotonaNs();
        QTest::keyClick(f.txtLista, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        Completa();
        stato.SetIterationTime(Secondi(t0, OraMonotonaNs()));
        QFile file(percorso);
        const QByteArray pdf = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        // Lines of six in columns: some 300 a page.
        if (risponditore.risposte != 1 || !pdf.startsWith("%PDF-") || PaginePdf(pdf) < RigheLista / 400)
            stato.SkipWithError("the export did not write the list");
    }
}

// The least that the export must do: the list box's text split into lines, each numbered and
// drawn with QPainter on a QPdfWriter of the same page, face and margins, in the same columns
// filled top to bottom, with no header and no page numbers, then written with QSaveFile.
void FloorPdf(benchmark::State &stato)
{
    auto f = NuovaFinestra();
    Incolla(*f, Lista(RigheLista));
    const QString percorso = CartellaListe() + QStringLiteral("/floor.pdf");
    for (auto _ : stato) {
        const long long t0 = OraMonotonaNs();
        const QStringList righe = f->txtLista->toPlainText().split(u'\n', Qt::SkipEmptyParts);
        QByteArray dati;
        {
            QBuffer buffer(&dati);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter pdf(&buffer);
            pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                          QPageLayout::Millimeter));
            const QFont carattere = Caratteri::Carattere(Caratteri::CourierNew, 10);
            QPainter pittore(&pdf);
            pittore.setFont(carattere);
            const QFontMetricsF misure(carattere, &pdf);
            const int cifre = int(QString::number(righe.size()).size());
            int larghezza = 0;
            for (const QString &riga : righe)
                larghezza = std::max(larghezza, int(riga.size()));
            larghezza += cifre + 2;
            const qreal passo = misure.horizontalAdvance(u'0');
            const int colonne = std::max(1, (int(pdf.width() / passo) + 3) / (larghezza + 3));
            const int altezza = int(pdf.height() / misure.lineSpacing()) - 2;
            for (int i = 0; i < righe.size(); ++i) {
                const int posto = i % (altezza * colonne);
                if (i > 0 && posto == 0)
                    pdf.newPage();
                pittore.drawText(QPointF(posto / altezza * (larghezza + 3) * passo,
                                         posto % altezza * misure.lineSpacing() + misure.ascent()),
                                 QString::number(i + 1).rightJustified(cifre) + QStringLiteral(". ") + righe[i]);
            }
        }
        QSaveFile file(percorso);
        const bool scritto = file.open(QIODevice::WriteOnly) && file.write(dati) == dati.size() && file.commit();
        stato.SetIterationTime(Secondi(t0, OraMonotonaNs()));
        if (!scritto || PaginePdf(dati) < RigheLista / 400)
            stato.SkipWithError("the floor did not write the list");
    }
}

// --- Sviluppo ----------------------------------------------------------------------

// The numbers 1..n selected on the board of 90, the dialog answered with k once it has
// painted: timed from the click on SVILUPPA until the list box has repainted.
void SviluppaClick(benchmark::State &stato, int n, int k)
{
    const QString attese = Dati::Sviluppo(n, k);
    auto f = NuovaFinestra();
    gQuantitaNumeri = 90;
    gNumeriPerRiga = 10;
    Clicca(f->cmdCostruisci);
    for (int i = 1; i <= n; ++i)
        Clicca(f->lblNumero(i));
    Completa();
    long long t0 = 0;
    struct Risposta : QObject
    {
        int classe = 0;
        long long *t0 = nullptr;
        bool eventFilter(QObject *oggetto, QEvent *evento) override
        {
            auto *dialogo = qobject_cast<frmSviluppo *>(oggetto);
            if (evento->type() == QEvent::Paint && dialogo && dialogo != ultimo) {
                ultimo = dialogo;
                QMetaObject::invokeMethod(
                    this,
                    [this, dialogo = QPointer<frmSviluppo>(dialogo)] {
                        if (!dialogo)
                            return;
                        dialogo->spnClasse->setValue(classe);
                        *t0 = OraMonotonaNs();
                        Clicca(dialogo->cmdSviluppa);
                    },
                    Qt::QueuedConnection);
            }
            return false;
        }
        QPointer<QObject> ultimo;
    } risposta;
    risposta.classe = k;
    risposta.t0 = &t0;
    qApp->installEventFilter(&risposta);
    for (auto _ : stato) {
        Incolla(*f, QString());
        t0 = 0;
        f->mnuSviluppa->trigger();
        Completa();
        stato.SetIterationTime(Secondi(t0, OraMonotonaNs()));
        if (t0 == 0 || f->TestoLista() != attese)
            stato.SkipWithError("SVILUPPA did not add the development");
    }
    qApp->removeEventFilter(&risposta);
}

// The same text given to the empty list box with setPlainText, until it has repainted.
void FloorSviluppo(benchmark::State &stato, int n, int k)
{
    const QString testo = Dati::Sviluppo(n, k);
    auto f = NuovaFinestra();
    for (auto _ : stato) {
        Incolla(*f, QString());
        const long long t0 = OraMonotonaNs();
        f->txtLista->setPlainText(testo);
        Completa();
        stato.SetIterationTime(Secondi(t0, OraMonotonaNs()));
    }
}

// --- Start-up ---------------------------------------------------------------------

struct Avviato
{
    double secondi = -1;
    long picco = -1;
};

Avviato Avvia(const char *programma)
{
    const EsitoProcesso esito = EseguiProcesso(programma, {}, {"QT_QPA_PLATFORM=offscreen"}, {});
    long long dipintoNs = 0;
    long picco = 0;
    if (std::sscanf(esito.uscita.constData(), "%lld %ld", &dipintoNs, &picco) != 2 || esito.stato != 0)
        return {};
    return {Secondi(esito.inizioNs, dipintoNs), picco};
}

// The program and its floor are started in pairs, one right after the other, in turns
// first: two starts tens of milliseconds apart meet the same load on the machine, where
// repetitions of two separate cases, minutes apart, met loads that differed by a fifth.
void Avvio(benchmark::State &stato)
{
    bool floorPrima = false;
    double floorSecondi = 0;
    double rapporti = 0;
    for (auto _ : stato) {
        floorPrima = !floorPrima;
        Avviato floor;
        if (floorPrima)
            floor = Avvia(AVVIO_MINIMO);
        const Avviato nostro = Avvia(AVVIO_OMBRAZIO);
        if (!floorPrima)
            floor = Avvia(AVVIO_MINIMO);
        if (nostro.secondi < 0 || floor.secondi < 0) {
            stato.SkipWithError(nostro.secondi < 0 ? "the program did not report its first paint"
                                                   : "the floor did not report its first paint");
            break;
        }
        stato.SetIterationTime(nostro.secondi);
        floorSecondi += floor.secondi;
        rapporti += nostro.secondi / floor.secondi;
        stato.counters[ContatorePicco] = double(nostro.picco);
        stato.counters[ContatoreAvvioFloor] = benchmark::Counter(floorSecondi, benchmark::Counter::kAvgIterations);
        stato.counters[ContatoreAvvioRapporto] = benchmark::Counter(rapporti, benchmark::Counter::kAvgIterations);
        stato.counters[ContatorePiccoFloor] = double(floor.picco);
    }
}

// A run that checks the cases rather than timing them: see main().
bool gVerifica = false;

// Cases that have failed a repetition. Their later repetitions fail at once as well: Google
// Benchmark 1.7.1 (Debian 12's) reads a null pointer, and the run ends in a segmentation
// fault, when it sums up a case whose first repetition failed and two later ones did not.
std::set<std::string> &Falliti()
{
    static std::set<std::string> falliti;
    return falliti;
}

std::set<std::string> &Eseguiti()
{
    static std::set<std::string> eseguiti;
    return eseguiti;
}

} // namespace

void Registra(const std::string &nome, std::function<void(benchmark::State &)> caso, int iterazioni, int ripetizioni)
{
    auto *registrato = benchmark::RegisterBenchmark(nome.c_str(),
                                 [nome, caso](benchmark::State &s) {
                                     Eseguiti().insert(nome);
                                     if (Falliti().count(nome)) {
                                         s.SkipWithError("failed in an earlier repetition");
                                         return;
                                     }
                                     // Each case as if it came first after a fresh build.
                                     if (gVerifica)
                                         QDir(CartellaProgramma()).removeRecursively();
                                     caso(s);
                                     if (s.error_occurred())
                                         Falliti().insert(nome);
                                 })
        ->UseManualTime()
        ->Iterations(iterazioni)
        ->Unit(benchmark::kMillisecond);
    if (ripetizioni > 0)
        registrato->Repetitions(ripetizioni);
}

const std::vector<int> &RigheScala()
{
    static const std::vector<int> righe{1000, 8000, RigheLista, 100000, 200000};
    return righe;
}

double ObiettivoSort(int righe)
{
    // From the list of the main table up: on shorter lists the click's own fixed costs weigh.
    return righe >= RigheLista ? 1.3 : 0;
}

std::string CasoSort(int righe)
{
    return "sort_click/" + std::to_string(righe);
}

std::string CasoFloorSort(int righe)
{
    return "floor/setPlainText_sorted/" + std::to_string(righe);
}

const std::vector<Confronto> &Confronti()
{
    static const std::vector<Confronto> confronti{
        {"SORT click, 32,767 lines, list box updated", CasoSort(RigheLista), CasoFloorSort(RigheLista),
         ObiettivoSort(RigheLista)},
        {"collect+normalise+order 32,767 lines (no widgets)", "routines/32767", "floor/LC_ALL=C_sort_process/32767", 1.0},
        {"IN LISTA, 32,000 lines in the list", "in_lista/32000", "floor/in_lista_empty_list", 2.0},
        {"GENERA GRIGLIA 90 cells, 10 a row, from 36", "genera_griglia/90", "floor/90_qlabels", 1.5},
        {"SALVA 32,767 sorted lines, confirmation answered", "salva/32767", "floor/QSaveFile/32767", 1.5},
        {"open a 32,767-line file, list box updated", "apri/32767", "floor/setPlainText_empty/32767", 1.5},
        {"open a 100,000-line file, list box updated", "apri/100000", "floor/setPlainText_empty/100000", 1.5},
        {"VERIFICA, 32,767 lines, result shown", "verifica/32767", "floor/split_toInt/32767", 1.5},
        {"export 32,767 lines to PDF, header and guarantee", "esporta_pdf/32767", "floor/QPdfWriter/32767", 1.5},
        {"SVILUPPA 20 in 6 (38,760 lines), list box updated", "sviluppa/20_in_6", "floor/setPlainText_38760", 1.5},
        {"SVILUPPA 48 in 4 (194,580 lines), list box updated", "sviluppa/48_in_4", "floor/setPlainText_194580", 1.5},
        {"read an archive of 80,000 wheel rows, sorted by date", CasoArchivioLettura, CasoArchivioFloor, 1.5},
        {"FILTRA 200,000 lines of 6, seven conditions, list box updated", CasoFiltra, CasoFloorFiltra, 1.5},
    };
    return confronti;
}

int main(int argc, char *argv[])
{
    // The program's own process set-up, as its main() makes it, for the window driven here.
    Memoria::TrattieniLiberata();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Caratteri::RegistraSostituzioni();

    for (int righe : RigheScala())
        Registra(CasoSort(righe), [righe](benchmark::State &s) { SortClick(s, righe); }, 1);
    for (int righe : RigheScala())
        Registra(CasoFloorSort(righe), [righe](benchmark::State &s) { FloorImpostaOrdinata(s, righe); }, 1);
    Registra("routines/32767", Routine, 1);
    Registra("floor/LC_ALL=C_sort_process/32767", FloorSortProcesso, 1);
    Registra("in_lista/32000", [](benchmark::State &s) { InLista(s, RigheInLista); }, 20);
    Registra("floor/in_lista_empty_list", [](benchmark::State &s) { InLista(s, 0); }, 20);
    Registra("genera_griglia/90", GeneraGriglia, 3);
    Registra("floor/90_qlabels", FloorEtichette, 3);
    Registra("salva/32767", [](benchmark::State &s) { Salva(s, true); }, 1);
    Registra("salva_unsorted_question_answered/32767", [](benchmark::State &s) { Salva(s, false); }, 1);
    Registra("floor/QSaveFile/32767", FloorQSaveFile, 1);
    for (int righe : {RigheLista, 100000}) {
        const std::string n = std::to_string(righe);
        Registra("apri/" + n, [righe](benchmark::State &s) { Apri(s, righe); }, 1);
        Registra("floor/setPlainText_empty/" + n, [righe](benchmark::State &s) { FloorImpostaVuota(s, righe); }, 1);
    }
    Registra("verifica/32767", VerificaClick, 3);
    Registra("floor/split_toInt/32767", FloorSplitToInt, 3);
    Registra("esporta_pdf/32767", EsportaPdf, 1);
    Registra("floor/QPdfWriter/32767", FloorPdf, 1);
    Registra("sviluppa/20_in_6", [](benchmark::State &s) { SviluppaClick(s, 20, 6); }, 1);
    Registra("floor/setPlainText_38760", [](benchmark::State &s) { FloorSviluppo(s, 20, 6); }, 1);
    Registra("sviluppa/48_in_4", [](benchmark::State &s) { SviluppaClick(s, 48, 4); }, 1);
    Registra("floor/setPlainText_194580", [](benchmark::State &s) { FloorSviluppo(s, 48, 4); }, 1);
    RegistraGaranzia();
    RegistraArchivio();
    // An even number of pairs: the floor starts first in half of them.
    Registra(CasoAvvioNostro, Avvio, 4);

    // Medians of interleaved repetitions: a burst of load on the shared machine then
    // falls on our case and its floor alike instead of on one of them.
    std::vector<char *> argomenti{argv[0]};
    std::string ripetizioni = "--benchmark_repetitions=15";
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    std::string aggregati = "--benchmark_report_aggregates_only=true";
    // --verifica: every case once, in a random order, each starting without the program's
    // folder; what counts is that each does its work and gives the right result (and, in
    // a sanitizer build, that nothing is reported), not how long it takes.
    std::string unaVolta = "--benchmark_repetitions=1";
    argomenti.push_back(ripetizioni.data());
    argomenti.push_back(interleave.data());
    argomenti.push_back(aggregati.data());
    std::vector<char *> altri;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--verifica") == 0)
            gVerifica = true;
        else
            altri.push_back(argv[i]);
    }
    if (gVerifica)
        argomenti.push_back(unaVolta.data());
    argomenti.insert(argomenti.end(), altri.begin(), altri.end());
    // Reduced systems: one repetition each, with a short limit under --verifica.
    RegistraRiduzione(gVerifica);
    RegistraCondizioni(gVerifica);
    int quanti = int(argomenti.size());
    benchmark::Initialize(&quanti, argomenti.data());
    if (benchmark::ReportUnrecognizedArguments(quanti, argomenti.data()))
        return 2;

    Raccoglitore risultati;
    risultati.SetOutputStream(&std::cerr);
    risultati.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&risultati);
    benchmark::Shutdown();
    std::set<std::string> falliti = Falliti();
    falliti.insert(RiduzioneFallite().begin(), RiduzioneFallite().end());
    const std::size_t eseguiti = Eseguiti().size() + RiduzioneEseguite();
    if (gVerifica) {
        StampaCondizioni(risultati, true);
        StampaRiduzione(true);
        StampaFalliti(risultati, eseguiti, falliti);
        return falliti.empty() && eseguiti > 0 ? 0 : 1;
    }
    int mancati = StampaTabella(risultati);
    mancati += StampaCondizioni(risultati, false);
    mancati += StampaRiduzione(false); // printed after the other tables
    if (!falliti.empty())
        StampaFalliti(risultati, eseguiti, falliti);
    return mancati == 0 && falliti.empty() ? 0 : 1;
}
