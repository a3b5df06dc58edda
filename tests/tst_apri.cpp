// Opening saved lists with Ctrl+O and by dropping files on the list: what the list then
// holds, SALVA and back, the refusals that leave the list as it was, and dropped text.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/Etichetta.h"
#include "common/PulsanteComando.h"
#include "helpers/Dialoghi.h"

#include <QDir>
#include <QFileDialog>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <map>
#include <memory>

namespace {

// Failures that a test cannot cause for real on every system: an administrator reads every file.
class LetturaGuasta : public Apertura::LetturaFile
{
public:
    bool apre = true;
    bool leggibile = true;
    bool pronto = true;
    bool cresce = false;
    int cursore = -1; // the override cursor's shape while a file is opened, -1 for none
    bool Apri(QFile &file) override
    {
        cursore = QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : -1;
        // Grows once opened, after its size was asked.
        if (cresce && !QFile(file.fileName()).resize(Apertura::DimensioneMassima + 1))
            return false;
        return apre && LetturaFile::Apri(file);
    }
    bool Leggibile(const QFileInfo &file) override { return leggibile && LetturaFile::Leggibile(file); }
    bool DiscoPronto(const QStorageInfo &disco) override { return pronto && LetturaFile::DiscoPronto(disco); }
};

} // namespace

class tst_Apri : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Caratteri::RegistraSostituzioni(); }
    void init();
    void cleanup() { finestra.reset(); }

    void riapertura_data();
    void riapertura();
    void rifiuti_data();
    void rifiuti();
    void piuFileRilasciati();

private:
    QString Costruzioni() const { return cartella->filePath(QStringLiteral("Shared/Costruzioni")); }
    QString Crea(const QString &nome, const QByteArray &dati);
    // Ctrl+O on `fuoco`, the dialog answered with `file`; returns the messages shown.
    QList<DialogoVisto> CtrlO(QWidget *fuoco, const QStringList &file);
    QString Lista() const { return finestra->TestoLista(); }
    // Drags `dati` over the list and drops it at `dove`, as a window system delivers a drop;
    // returns the action the drop was accepted with.
    Qt::DropAction Trascina(const QMimeData &dati, QPoint dove, Qt::KeyboardModifiers tasti = Qt::NoModifier);

    std::unique_ptr<QTemporaryDir> cartella;
    std::shared_ptr<LetturaGuasta> lettura;
    std::unique_ptr<frmOmbrazio> finestra;
    QStringList scelti;
};

void tst_Apri::init()
{
    cartella = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(Costruzioni()));
    lettura = std::make_shared<LetturaGuasta>();
    Ambiente ambiente{[] { return QDateTime(QDate(2026, 2, 5), QTime(14, 5, 9)); }, cartella->path(),
                      std::make_shared<Salvataggio::ScritturaFile>()};
    ambiente.Lettura = lettura;
    // The dialog as the window sets it up; the choice is the test's.
    ambiente.ScegliFile = [this](QFileDialog &dialogo) {
        [&] {
            QCOMPARE(dialogo.directory().absolutePath(), Costruzioni());
            QCOMPARE(dialogo.nameFilters(), (QStringList{"Liste di combinazioni (*.TXT *.txt)", "Tutti i file (*)"}));
            QCOMPARE(dialogo.fileMode(), QFileDialog::ExistingFiles);
            QCOMPARE(dialogo.acceptMode(), QFileDialog::AcceptOpen);
        }();
        return scelti;
    };
    finestra = ApriFinestra(ambiente);
    QVERIFY(finestra);
}

QString tst_Apri::Crea(const QString &nome, const QByteArray &dati)
{
    const QString percorso = Costruzioni() + u'/' + nome;
    QFile file(percorso);
    if (file.open(QIODevice::WriteOnly))
        file.write(dati);
    return percorso;
}

QList<DialogoVisto> tst_Apri::CtrlO(QWidget *fuoco, const QStringList &file)
{
    scelti = file;
    RispondiDialoghi risposte;
    // Keys go to the active window, which a desktop gives back when a dialog closes and the
    // offscreen platform does not.
    fuoco->window()->activateWindow();
    if (!QTest::qWaitForWindowActive(fuoco->window()))
        return {};
    fuoco->setFocus();
    QTest::keyClick(fuoco, Qt::Key_O, Qt::ControlModifier);
    return risposte.visti;
}

Qt::DropAction tst_Apri::Trascina(const QMimeData &dati, QPoint dove, Qt::KeyboardModifiers tasti)
{
    QWidget *area = finestra->txtLista->viewport();
    const Qt::DropActions azioni = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent entra(dove, azioni, &dati, Qt::LeftButton, tasti);
    QApplication::sendEvent(area, &entra);
    QDragMoveEvent muovi(dove, azioni, &dati, Qt::LeftButton, tasti);
    QApplication::sendEvent(area, &muovi);
    if (!entra.isAccepted() || !muovi.isAccepted())
        return Qt::IgnoreAction;
    QDropEvent rilascia(dove, azioni, &dati, Qt::LeftButton, tasti);
    QApplication::sendEvent(area, &rilascia);
    return rilascia.isAccepted() ? rilascia.dropAction() : Qt::IgnoreAction;
}

void tst_Apri::riapertura_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("lista");
    QTest::newRow("as SALVA writes, CR LF") << QByteArray("01 05 12\r\n03 04 90\r\n") << "01 05 12\r\n03 04 90\r\n";
    QTest::newRow("Windows-1252 accent and euro, spaces and tab kept")
        << QByteArray("  N\xE8 \x80\t7 \r\n\r\n02\r\n") << QStringLiteral("  Nè €\t7 \r\n02\r\n");
    QTest::newRow("lone LF, blank line, lone CR, no final break")
        << QByteArray("01 02\n\n03 04\r05") << "01 02\r\n03 04\r\n05\r\n";
    QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBF" "più 7\r\n") << QStringLiteral("più 7\r\n");
    QTest::newRow("UTF-8 without a mark") << QByteArray("perché\n") << QStringLiteral("perché\r\n");
    QTest::newRow("UTF-8 cut short at the end is Windows-1252")
        << QByteArray("N\xC2\xB0 5\r\n\xC3") << QStringLiteral("NÂ° 5\r\nÃ\r\n");
}

void tst_Apri::riapertura()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, lista);
    // Ctrl+O while typing in the list: the key opens and types nothing.
    QVERIFY(CtrlO(finestra->txtLista, {Crea(QStringLiteral("altro programma.txt"), file)}).isEmpty());
    QCOMPARE(Lista(), lista);
    QVERIFY(finestra->txtLista->textCursor().atEnd());
    // Busy while reading, and no longer once the lines are in.
    QCOMPARE(lettura->cursore, int(Qt::WaitCursor));
    QVERIFY(!QGuiApplication::overrideCursor());

    // SALVA, then open its file into the emptied list: the same lines.
    gSortEseguito = true;
    RispondiDialoghi salvato;
    QTest::mouseClick(finestra->cmdSalva, Qt::LeftButton);
    QCOMPARE(salvato.visti.size(), 1);
    QTest::mouseClick(finestra->lblDelete, Qt::LeftButton);
    QVERIFY(CtrlO(finestra->cmdCostruisci, {Costruzioni() + QStringLiteral("/036140509-36.TXT")}).isEmpty());
    QCOMPARE(Lista(), lista);
}

void tst_Apri::rifiuti_data()
{
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QString>("guasto");
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<QString>("rifiutato");
    const QStringList buono{"buono.TXT"};
    QTest::newRow("vanished") << QStringList{"sparito.TXT"} << "" << "File non trovato ..!" << "sparito.TXT";
    QTest::newRow("no permission") << buono << "permesso" << "Permesso negato ..!" << "buono.TXT";
    QTest::newRow("a folder") << QStringList{"cartella"} << "" << "Errore di accesso al file ..!" << "cartella";
    QTest::newRow("another access failure") << buono << "accesso" << "Errore di accesso al file ..!" << "buono.TXT";
    QTest::newRow("storage not ready") << QStringList{"sparito.TXT"} << "disco" << "Periferica inaccessibile ..!"
                                       << "sparito.TXT";
    QTest::newRow("empty") << QStringList{"vuoto.TXT"} << "" << "Il file è vuoto ..!" << "vuoto.TXT";
    QTest::newRow("line breaks alone") << QStringList{"a-capo.TXT"} << "" << "Il file è vuoto ..!" << "a-capo.TXT";
    QTest::newRow("NUL byte") << QStringList{"nullo.TXT"} << "" << "Incompatibilità ..!" << "nullo.TXT";
    QTest::newRow("DEL") << QStringList{"del.TXT"} << "" << "Incompatibilità ..!" << "del.TXT";
    QTest::newRow("UTF-8 byte-order mark, then no UTF-8")
        << QStringList{"bom.TXT"} << "" << "Incompatibilità ..!" << "bom.TXT";
    QTest::newRow("over the size limit") << QStringList{"grande.TXT"} << "" << "Memoria esaurita ..!" << "grande.TXT";
    QTest::newRow("grown past the limit once its size was asked")
        << buono << "cresce" << "Memoria esaurita ..!" << "buono.TXT";
    // Short lines cost the list box the most: the limit counts them too, over the whole choice.
    QTest::newRow("lines over the limit, together")
        << QStringList{"righe.TXT", "buono.TXT"} << "righe" << "Memoria esaurita ..!" << "righe.TXT";
    // In name order the good file comes first and the NUL one second: neither is appended.
    // ("nul" itself is a device on Windows, whatever its extension.)
    QTest::newRow("several, the first refusal by name")
        << QStringList{"vuoto.TXT", "buono.TXT", "nullo.TXT"} << "" << "Incompatibilità ..!" << "nullo.TXT";
}

void tst_Apri::rifiuti()
{
    QFETCH(QStringList, file);
    QFETCH(QString, guasto);
    QFETCH(QString, messaggio);
    QFETCH(QString, rifiutato);
    for (const auto &[nome, dati] : std::map<QString, QByteArray>{{"buono.TXT", "01 02\r\n"},
                                                                  {"vuoto.TXT", ""},
                                                                  {"a-capo.TXT", "\r\n\n\r"},
                                                                  {"nullo.TXT", QByteArray("01\0 02\r\n", 8)},
                                                                  {"del.TXT", "01\x7F\r\n"},
                                                                  {"bom.TXT", "\xEF\xBB\xBF" "01 N\xB0\r\n"}})
        Crea(nome, dati);
    QVERIFY(QFile(Crea(QStringLiteral("grande.TXT"), "01\r\n")).resize(Apertura::DimensioneMassima + 1));
    QVERIFY(QDir().mkpath(Costruzioni() + QStringLiteral("/cartella")));
    // With buono.TXT's one line, one line too many.
    if (guasto == QStringLiteral("righe"))
        Crea(QStringLiteral("righe.TXT"), QByteArray("1\n").repeated(Apertura::RigheMassime));
    lettura->apre = guasto.isEmpty() || guasto == QStringLiteral("cresce") || guasto == QStringLiteral("righe");
    lettura->leggibile = guasto != QStringLiteral("permesso");
    lettura->pronto = guasto != QStringLiteral("disco");
    lettura->cresce = guasto == QStringLiteral("cresce");

    finestra->txtLista->setPlainText(QStringLiteral("07 08\n09"));
    QStringList percorsi;
    for (const QString &nome : file)
        percorsi << Costruzioni() + u'/' + nome;
    const QList<DialogoVisto> visti = CtrlO(finestra->txtLista, percorsi);
    QCOMPARE(visti.size(), 1);
    QCOMPARE(visti[0].testo, messaggio + u'\n' + rifiutato);
    QCOMPARE(visti[0].pulsanti, QStringList{"OK"});
    QCOMPARE(Lista(), QStringLiteral("07 08\r\n09"));
    QVERIFY(!finestra->txtLista->document()->isUndoAvailable());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void tst_Apri::piuFileRilasciati()
{
    QString lunga;
    for (int i = 0; i < 60; ++i)
        lunga += QStringLiteral("%1 90\r\n").arg(i + 1, 2, 10, QLatin1Char('0'));
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(Crea(QStringLiteral("b.TXT"), "03\r\n")),
                  QUrl::fromLocalFile(Crea(QStringLiteral("C.TXT"), lunga.toLatin1())),
                  QUrl::fromLocalFile(Crea(QStringLiteral("a.txt"), "01\n02"))});
    finestra->txtLista->setFocus();
    QTest::keyClicks(finestra->txtLista, QStringLiteral("x"));
    // Text, rather than files, goes in where it is dropped, as in any text box.
    QMimeData testo;
    testo.setText(QStringLiteral("05 06\n"));
    QCOMPARE(Trascina(testo, QPoint(2, 2)), Qt::CopyAction);
    QCOMPARE(Lista(), QStringLiteral("05 06\r\nx"));

    // Never a move, even with Shift held to ask for one: the program that drags would delete the files.
    QCOMPARE(Trascina(file, finestra->txtLista->viewport()->rect().center(), Qt::ShiftModifier), Qt::CopyAction);
    // In name order, after the last line, which gets its line break first.
    const QString tutto = QStringLiteral("05 06\r\nx\r\n01\r\n02\r\n03\r\n") + lunga;
    QTRY_COMPARE(Lista(), tutto);
    QVERIFY(finestra->txtLista->textCursor().atEnd());
    // Scrolled down far enough to show the caret on the last line.
    QVERIFY(finestra->txtLista->verticalScrollBar()->value() > 0);
    QVERIFY(finestra->txtLista->viewport()->rect().contains(finestra->txtLista->cursorRect()));

    // One undo step for the whole drop.
    QTest::keyClick(finestra->txtLista, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Lista(), QStringLiteral("05 06\r\nx"));
    QTest::keyClick(finestra->txtLista, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Lista(), tutto);
}

QTEST_MAIN(tst_Apri)
#include "tst_apri.moc"
