// A long random session on the real window: thousands of user actions from a logged seed,
// with the window checked against a model of what it must show after every one of them.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Etichetta.h"
#include "common/PulsanteComando.h"
#include "common/mFunzioni.h"
#include "dialogs/TestiErrore.h"
#include "grid/CellaNumero.h"
#include "helpers/Dialoghi.h"
#include "helpers/Salvabile.h"
#include "list/ListaTesto.h"
#include "list/Salvataggio.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <functional>
#include <algorithm>
#include <memory>

namespace {

constexpr quint32 SfondoSelezionato = 13681828;

// Answers every dialog as soon as it shows, choosing the button through `Scegli`.
class Risponditore : public QObject
{
public:
    std::function<QString(const DialogoVisto &)> Scegli;
    QList<DialogoVisto> visti;

    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        auto *dialogo = qobject_cast<QDialog *>(oggetto);
        // A dialog may be shown more than once while it loads; it is answered once.
        if (evento->type() != QEvent::Show || !dialogo || !dialogo->isWindow() || dialogo->property("risposto").toBool())
            return false;
        dialogo->setProperty("risposto", true);
        const DialogoVisto visto = Descrivi(dialogo);
        visti.append(visto);
        const QString scelta = Scegli ? Scegli(visto) : QString();
        QPointer<QDialog> guardia(dialogo);
        QTimer::singleShot(0, dialogo, [guardia, scelta] {
            if (!guardia || !guardia->isVisible())
                return;
            QPushButton *premuto = nullptr;
            for (QPushButton *p : guardia->findChildren<QPushButton *>()) {
                if (p->isVisible() && (!premuto || p->text() == scelta))
                    premuto = p;
            }
            if (premuto)
                QTest::mouseClick(premuto, Qt::LeftButton);
        });
        return false;
    }
};

QString Testo(const QString &messaggio)
{
    return QString(messaggio).replace(u'|', u'\n');
}

// No number conversion can read this line: SORT has to keep it as typed.
bool Illeggibile(const QString &riga)
{
    if (riga.startsWith(u' ') || riga.endsWith(u' ') || riga.contains(QStringLiteral("  ")))
        return true;
    return std::any_of(riga.begin(), riga.end(), [](QChar c) {
        return !(c >= u'0' && c <= u'9') && c != u' ' && c != u'.' && c != u',' && c != u'-';
    });
}

} // namespace

class tst_Sessione : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void sessione();

private:
    // The model: what the window must show.
    struct Modello
    {
        int quantita = 36;
        int perRiga = 6;
        int tavola = 0; // cells of the board as generated; 0 before the first
        QList<bool> scelte;
        QString lista;
        bool ordinata = false;
    };

    void Azione();
    QString Verifica() const;
    void Premi(QWidget *controllo);
    QString RigaScelta() const;

    void Stepper();
    void Genera();
    void ClicCella();
    void Cancella();
    void InLista();
    void CancellaLista();
    void Modifica();
    void Ordina();
    void Salva();
    void ChiudiNo();
    void InfoF10();

    quint32 seme = 0;
    QRandomGenerator caso;
    std::unique_ptr<QTemporaryDir> radice;
    std::unique_ptr<frmOmbrazio> finestra;
    Risponditore risponditore;
    Modello m;
    QStringList registro;
    QStringList attesi;          // the dialogs the current action must show
    QString difetto;             // what the action itself found wrong
    qint64 secondi = 0;
    int salvati = 0;
    QElapsedTimer ultimoTasto;
};

void tst_Sessione::initTestCase()
{
    seme = qEnvironmentVariableIsSet("OMBRAZIO_SEME") ? quint32(qEnvironmentVariableIntValue("OMBRAZIO_SEME"))
                                                      : QRandomGenerator::global()->generate();
    qInfo("random seed %u (set OMBRAZIO_SEME to repeat)", seme);
    qApp->installEventFilter(&risponditore);
}

void tst_Sessione::init()
{
    mDichiarazioni::Azzera();
    caso.seed(seme);
    salvati = 0;
    radice = std::make_unique<QTemporaryDir>();
    QVERIFY(radice->isValid());
    QVERIFY(QDir().mkpath(Salvataggio::CartellaSalvataggio(radice->path())));
    const QDateTime inizio(QDate(2026, 3, 1), QTime(8, 0, 0));
    finestra = std::make_unique<frmOmbrazio>(Ambiente{[this, inizio] { return inizio.addSecs(secondi++); },
                                                      radice->path(),
                                                      std::make_shared<Salvataggio::ScritturaFile>()});
    finestra->show();
    QVERIFY(QTest::qWaitForWindowExposed(finestra.get()));
}

void tst_Sessione::cleanup()
{
    finestra.reset();
    radice.reset();
}

void tst_Sessione::Premi(QWidget *controllo)
{
    QTest::mouseClick(controllo, Qt::LeftButton, Qt::NoModifier, controllo->rect().center());
}

QString tst_Sessione::RigaScelta() const
{
    QStringList numeri;
    for (int k = 1; k <= m.tavola; ++k) {
        if (m.scelte[k])
            numeri.append(QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0')));
    }
    return numeri.join(u' ');
}

void tst_Sessione::Stepper()
{
    struct Freccia
    {
        Etichetta *etichetta;
        int *valore;
        int minimo, massimo, passo;
    };
    const Freccia frecce[] = {
        {finestra->lblNumeriMenoMeno, &m.quantita, 9, 90, -10}, {finestra->lblNumeriMeno, &m.quantita, 9, 90, -1},
        {finestra->lblNumeriPiu, &m.quantita, 9, 90, 1},        {finestra->lblNumeriPiuPiu, &m.quantita, 9, 90, 10},
        {finestra->lblSaltoMeno, &m.perRiga, 3, 10, -1},        {finestra->lblSaltoPiu, &m.perRiga, 3, 10, 1},
    };
    const Freccia &f = frecce[caso.bounded(6)];
    registro.append(QStringLiteral("stepper %1 by %2").arg(f.valore == &m.quantita ? "numbers" : "per row").arg(f.passo));
    *f.valore += f.passo;
    if (*f.valore > f.massimo)
        *f.valore = f.minimo;
    else if (*f.valore < f.minimo)
        *f.valore = f.massimo;
    Premi(f.etichetta);
}

void tst_Sessione::Genera()
{
    registro.append(QStringLiteral("GENERA GRIGLIA with %1 numbers, %2 per row").arg(m.quantita).arg(m.perRiga));
    if (m.quantita > 9 * m.perRiga) {
        attesi.append(QStringLiteral("La Griglia non può superare 9 righe ..!\nAdeguare il parametro Numeri per Riga."));
    } else {
        m.tavola = m.quantita;
        m.scelte = QList<bool>(m.tavola + 1, false);
    }
    Premi(finestra->cmdCostruisci);
}

void tst_Sessione::ClicCella()
{
    const int k = 1 + caso.bounded(qMax(1, m.tavola));
    registro.append(QStringLiteral("click cell %1").arg(k));
    if (m.tavola == 0)
        attesi.append(QStringLiteral("Generare la Griglia ..!"));
    else
        m.scelte[k] = !m.scelte[k];
    CellaNumero *cella = finestra->lblNumero(k);
    if (!cella) {
        difetto = QStringLiteral("cell %1 of the board does not exist").arg(k);
        return;
    }
    Premi(cella);
}

void tst_Sessione::Cancella()
{
    registro.append(QStringLiteral("CANCELLA"));
    if (!m.scelte.contains(true))
        attesi.append(QStringLiteral("Nessuna casella selezionata ..!"));
    m.scelte.fill(false);
    Premi(finestra->cmdCancella);
}

void tst_Sessione::InLista()
{
    registro.append(QStringLiteral("IN LISTA"));
    if (!m.scelte.contains(true))
        attesi.append(QStringLiteral("Nessuna casella selezionata ..!"));
    else
        m.lista += RigaScelta() + ListaTesto::FineRiga();
    Premi(finestra->cmdInLista);
}

void tst_Sessione::CancellaLista()
{
    registro.append(QStringLiteral("CANCELLA LA LISTA"));
    m.lista.clear();
    Premi(finestra->lblDelete);
}

void tst_Sessione::Modifica()
{
    // What a user types into the list: mostly numbers, sometimes anything.
    static const QString tasti = QStringLiteral("0123456789012345678901234567890123456789      \n\n\n--.,xé€Ā");
    QPlainTextEdit *box = finestra->txtLista;
    QTextDocument *doc = box->document();
    const int posizione = caso.bounded(doc->characterCount());
    const int blocco = doc->findBlock(posizione).blockNumber();
    // In the list text every break before the caret is CR LF, one character more than in the box.
    const int inTesto = posizione + blocco;
    QTextCursor cursore(doc);
    cursore.setPosition(posizione);
    box->setTextCursor(cursore);
    box->setFocus();
    if (caso.bounded(4) == 0 && posizione > 0) {
        const int quanti = 1 + caso.bounded(qMin(posizione, 6));
        QTextCursor selezione(doc);
        selezione.setPosition(posizione - quanti);
        selezione.setPosition(posizione, QTextCursor::KeepAnchor);
        const QString tolto = selezione.selectedText().replace(QChar::ParagraphSeparator, ListaTesto::FineRiga());
        registro.append(QStringLiteral("backspace %1 at %2").arg(quanti).arg(posizione));
        m.lista.remove(inTesto - tolto.size(), tolto.size());
        for (int i = 0; i < quanti; ++i)
            QTest::keyClick(box, Qt::Key_Backspace);
        return;
    }
    QString digitato;
    for (int i = 1 + caso.bounded(12); i > 0; --i)
        digitato += tasti[caso.bounded(int(tasti.size()))];
    registro.append(QStringLiteral("type \"%1\" at %2").arg(QString(digitato).replace(u'\n', QStringLiteral("\\n"))).arg(posizione));
    m.lista.insert(inTesto, QString(digitato).replace(u'\n', ListaTesto::FineRiga()));
    for (QChar c : std::as_const(digitato)) {
        if (c == u'\n')
            QTest::keyClick(box, Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void tst_Sessione::Ordina()
{
    registro.append(QStringLiteral("SORT"));
    QStringList righe = ListaTesto::RaccogliRighe(m.lista);
    if (righe.isEmpty()) {
        attesi.append(QStringLiteral("L'Area combinazioni è vuota ..!"));
        Premi(finestra->cmdSort);
        return;
    }
    const QStringList prima = righe;
    const mFunzioni::SegnalaErrore segnala = [this](int numero) {
        attesi.append(Testo(mGestioneErrori::TestoErrore(numero)));
    };
    mFunzioni::OrdinaNumeri(righe, segnala);
    mFunzioni::OrdinaRighe(righe, segnala);
    m.lista = ListaTesto::TestoDaRighe(righe);
    m.ordinata = true;
    Premi(finestra->cmdSort);

    // Whatever the routines say: no line lost, and a line no conversion reads kept as typed.
    const QStringList dopo = ListaTesto::RaccogliRighe(finestra->TestoLista());
    if (dopo.size() != prima.size())
        difetto = QStringLiteral("SORT turned %1 lines into %2").arg(prima.size()).arg(dopo.size());
    for (const QString &r : prima) {
        if (Illeggibile(r) && !dopo.contains(r))
            difetto = QStringLiteral("SORT lost the line \"%1\"").arg(r);
    }
}

void tst_Sessione::Salva()
{
    const bool si = caso.bounded(2) == 1;
    registro.append(QStringLiteral("SALVA, answering %1").arg(si ? "SI" : "NO"));
    const QStringList righe = ListaTesto::RaccogliRighe(m.lista);
    const QDir cartella(Salvataggio::CartellaSalvataggio(radice->path()));
    risponditore.Scegli = [si](const DialogoVisto &v) {
        const QString risposta = si ? QStringLiteral("SI") : QStringLiteral("NO");
        return v.pulsanti == QStringList{QStringLiteral("NO"), QStringLiteral("SI")} ? risposta : QString();
    };
    Premi(finestra->cmdSalva);
    risponditore.Scegli = nullptr;

    if (righe.isEmpty()) {
        attesi.append(QStringLiteral("L'Area combinazioni è vuota ..!"));
        return;
    }
    if (!m.ordinata) {
        attesi.append(QStringLiteral("Non è stato eseguito il Sort.\nContinuare comunque?"));
        if (!si)
            return;
    }
    if (const int n = RigaNonSalvabile(m.lista)) {
        attesi.append(QStringLiteral("La riga %1 contiene caratteri\nnon salvabili: nessun file scritto ..!").arg(n));
        return;
    }
    const QStringList file = cartella.entryList(QDir::Files | QDir::Hidden);
    if (file.size() != 1) {
        difetto = QStringLiteral("the save folder holds %1").arg(file.join(u','));
        return;
    }
    attesi.append(QStringLiteral("Combinazioni salvate, col nome:\n") + file[0]);
    if (!file[0].endsWith(QStringLiteral("-%1.TXT").arg(m.quantita, 2, 10, QLatin1Char('0'))))
        difetto = QStringLiteral("the file name %1 does not carry the quantity %2").arg(file[0]).arg(m.quantita);
    QFile salvato(cartella.filePath(file[0]));
    if (!salvato.open(QIODevice::ReadOnly)) {
        difetto = QStringLiteral("the saved file cannot be read");
        return;
    }
    const QString letto = CodicePagina::Decodifica(salvato.readAll());
    salvato.close();
    if (letto != ListaTesto::TestoDaRighe(righe))
        difetto = QStringLiteral("the saved file does not hold the list's lines");
    ++salvati;
    QFile::remove(cartella.filePath(file[0]));
}

void tst_Sessione::ChiudiNo()
{
    registro.append(QStringLiteral("close, answering NO"));
    attesi.append(QStringLiteral("Confermi uscita dal programma?"));
    risponditore.Scegli = [](const DialogoVisto &) { return QStringLiteral("NO"); };
    if (ChiudiComeUtente(finestra.get()))
        difetto = QStringLiteral("the window accepted the close after NO");
    risponditore.Scegli = nullptr;
}

void tst_Sessione::InfoF10()
{
    registro.append(QStringLiteral("F10"));
    // Through the window system, as a real key press arrives. Its timestamp counts in
    // milliseconds, and a press with the timestamp of the one before counts as that same
    // press: no hand presses twice within a millisecond, so neither does the session.
    while (ultimoTasto.isValid() && ultimoTasto.elapsed() < 2)
        QTest::qWait(1);
    ultimoTasto.start();
    QWidget *fuoco = QApplication::focusWidget();
    QTest::keyClick(finestra->windowHandle(), Qt::Key_F10);
    const QString primaRiga = QStringLiteral("OMBRAZIO COSTRUZIONE MATRICI:");
    if (risponditore.visti.size() != 1 || !risponditore.visti[0].testo.startsWith(primaRiga))
        difetto = QStringLiteral("F10 did not show the usage notes: %1 dialogs, \"%2\", focus on %3")
                      .arg(risponditore.visti.size())
                      .arg(risponditore.visti.isEmpty() ? QString() : risponditore.visti[0].testo.left(60))
                      .arg(fuoco ? QString::fromLatin1(fuoco->metaObject()->className()) + u' '
                                 + fuoco->window()->objectName() : QStringLiteral("nothing"));
    else
        attesi.append(risponditore.visti[0].testo);
}

void tst_Sessione::Azione()
{
    attesi.clear();
    difetto.clear();
    risponditore.visti.clear();
    // Weights of the actions, roughly as a user spends a session.
    const int r = caso.bounded(100);
    if (r < 14)
        Stepper();
    else if (r < 20)
        Genera();
    else if (r < 50)
        ClicCella();
    else if (r < 53)
        Cancella();
    else if (r < 63)
        InLista();
    else if (r < 65)
        CancellaLista();
    else if (r < 83)
        Modifica();
    else if (r < 89)
        Ordina();
    else if (r < 95)
        Salva();
    else if (r < 97)
        ChiudiNo();
    else
        InfoF10();
}

QString tst_Sessione::Verifica() const
{
    if (!difetto.isEmpty())
        return difetto;
    QStringList visti;
    for (const DialogoVisto &v : risponditore.visti)
        visti.append(v.testo);
    if (visti != attesi)
        return QStringLiteral("dialogs shown: [%1], expected: [%2]").arg(visti.join(u'|'), attesi.join(u'|'));
    if (QApplication::activeModalWidget())
        return QStringLiteral("a dialog is still open");

    if (gQuantitaNumeri != m.quantita || finestra->lblNumeri->text() != QString::number(m.quantita))
        return QStringLiteral("numbers %1, shown %2, expected %3").arg(gQuantitaNumeri).arg(finestra->lblNumeri->text()).arg(m.quantita);
    if (gNumeriPerRiga != m.perRiga || finestra->lblSalto->text() != QString::number(m.perRiga))
        return QStringLiteral("per row %1, expected %2").arg(gNumeriPerRiga).arg(m.perRiga);

    // The board: exactly the cells generated, each selected as the model says, and painted so.
    if (gCaselle.UBound() != m.tavola)
        return QStringLiteral("the selection array has %1 cells, the board %2").arg(gCaselle.UBound()).arg(m.tavola);
    if (finestra->lblNumero.UBound() != qMax(1, m.tavola) || finestra->lblNumero.Conta() != qMax(1, m.tavola))
        return QStringLiteral("%1 cells on screen for a board of %2").arg(finestra->lblNumero.Conta()).arg(m.tavola);
    int scelte = 0;
    int dipinte = 0;
    for (int k = 1; k <= m.tavola; ++k) {
        if (gCaselle(k) != m.scelte[k])
            return QStringLiteral("cell %1 selected %2, expected %3").arg(k).arg(gCaselle(k)).arg(m.scelte[k]);
        scelte += gCaselle(k) ? 1 : 0;
        const bool dipinta = finestra->lblNumero(k)->BackColor() == SfondoSelezionato;
        dipinte += dipinta ? 1 : 0;
        if (dipinta != m.scelte[k])
            return QStringLiteral("cell %1 painted %2").arg(k).arg(dipinta ? "selected" : "unselected");
        if (finestra->lblNumero(k)->text() != QString::number(k) || !finestra->lblNumero(k)->isVisible())
            return QStringLiteral("cell %1 shows \"%2\"").arg(k).arg(finestra->lblNumero(k)->text());
    }
    if (gSelezionati != scelte || dipinte != scelte || finestra->lblSelezionati->text() != QString::number(scelte))
        return QStringLiteral("count %1, label %2, selected %3, painted %4")
            .arg(gSelezionati).arg(finestra->lblSelezionati->text()).arg(scelte).arg(dipinte);

    if (finestra->TestoLista() != m.lista)
        return QStringLiteral("the list reads \"%1\", expected \"%2\"")
            .arg(finestra->TestoLista().right(200), m.lista.right(200));
    if (gSortEseguito != m.ordinata)
        return QStringLiteral("sorted flag %1").arg(gSortEseguito);
    if (!finestra->isVisible())
        return QStringLiteral("the window has closed");
    return QString();
}

void tst_Sessione::sessione()
{
    const int azioni = qEnvironmentVariableIsSet("OMBRAZIO_AZIONI") ? qEnvironmentVariableIntValue("OMBRAZIO_AZIONI")
                                                                   : 20'000;
    for (int i = 1; i <= azioni; ++i) {
        Azione();
        const QString errore = Verifica();
        if (errore.isEmpty())
            continue;
        // The whole log goes to a file; the end of it, with the seed, to the output.
        const QString percorso = QStringLiteral(OMBRAZIO_BUILD_DIR "/tst_sessione-%1.log").arg(seme);
        QFile log(percorso);
        if (log.open(QIODevice::WriteOnly | QIODevice::Text))
            log.write(registro.join(u'\n').toUtf8());
        qInfo("seed %u, action %d of the log %s; the last actions:", seme, i, qPrintable(percorso));
        for (qsizetype a = qMax<qsizetype>(0, registro.size() - 40); a < registro.size(); ++a)
            qInfo("  %lld: %s", qlonglong(a + 1), qPrintable(registro[a]));
        QFAIL(qPrintable(QStringLiteral("after action %1 (%2): %3").arg(i).arg(registro.last(), errore)));
    }
    qInfo("%d actions from seed %u, %d files saved and checked", azioni, seme, salvati);
    // A session that never reaches a save has not tested what it claims to.
    QVERIFY(azioni < 1000 || salvati > 0);
}

QTEST_MAIN(tst_Sessione)
#include "tst_sessione.moc"
