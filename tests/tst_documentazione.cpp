// The pictures and the facts of README.md: a session played the way the README tells it,
// photographed at each step (tools/update-screenshots.sh copies the pictures into docs/),
// and the README's file names and pictures checked against what the program does.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "archivio/GraficoAndamento.h"
#include "archivio/frmArchivio.h"
#include "common/Caratteri.h"
#include "common/PulsanteComando.h"
#include "condizioni/frmCondizioni.h"
#include "grid/CellaNumero.h"
#include "helpers/Dialoghi.h"
#include "helpers/Estrazioni.h"
#include "helpers/Pdf.h"
#include "list/Salvataggio.h"
#include "riduzione/frmRiduzione.h"
#include "verifica/frmVerifica.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// The moment of the README's example: 5 February, 14:05:09.
const QDateTime Adesso(QDate(2025, 2, 5), QTime(14, 5, 9));

QString Leggi(const QString &percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

} // namespace

class tst_Documentazione : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sessioneFotografata();
    void nomiDelReadme();
    void immaginiDelReadme();

private:
    void Clicca(const QList<int> &celle);

    QTemporaryDir impostazioni;
    std::unique_ptr<QTemporaryDir> cartella;
    std::unique_ptr<frmOmbrazio> finestra;
    QString readme;
};

void tst_Documentazione::initTestCase()
{
    Caratteri::RegistraSostituzioni();
    // The archive read last is remembered: in a folder of the test's, never the user's.
    QCoreApplication::setOrganizationName(QStringLiteral("Ombrazio"));
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, impostazioni.path());
    readme = Leggi(QStringLiteral(OMBRAZIO_SOURCE_DIR "/README.md"));
}

void tst_Documentazione::init()
{
    mDichiarazioni::Azzera();
    cartella = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(cartella->path()).mkpath(QStringLiteral("Shared/Costruzioni")));
    finestra = std::make_unique<frmOmbrazio>(
        Ambiente{[] { return Adesso; }, cartella->path(), std::make_shared<Salvataggio::ScritturaFile>(),
                 [this](QFileDialog &dialogo) {
                     // The archive to open, or where the list goes as PDF.
                     return QStringList{cartella->filePath(dialogo.acceptMode() == QFileDialog::AcceptSave
                                                               ? QStringLiteral("Shared/Costruzioni/readme.pdf")
                                                               : QStringLiteral("storico.txt"))};
                 }});
    finestra->show();
    QVERIFY(QTest::qWaitForWindowExposed(finestra.get()));
}

void tst_Documentazione::cleanup()
{
    finestra.reset();
    cartella.reset();
}

void tst_Documentazione::Clicca(const QList<int> &celle)
{
    for (int k : celle)
        QTest::mouseClick(finestra->lblNumero(k), Qt::LeftButton);
}

void tst_Documentazione::sessioneFotografata()
{
    frmOmbrazio &f = *finestra;
    // The README's session: a board of 36 in rows of 6, a few combinations, SORT, SALVA.
    QTest::mouseClick(f.cmdCostruisci, Qt::LeftButton);
    const QList<QList<int>> combinazioni{{12, 1, 5}, {3, 4, 30, 22}, {7, 8, 9}, {2, 14, 26, 36}};
    for (const QList<int> &c : combinazioni) {
        Clicca(c);
        QTest::mouseClick(f.cmdInLista, Qt::LeftButton);
        QTest::mouseClick(f.cmdCancella, Qt::LeftButton);
    }
    QTest::mouseClick(f.cmdSort, Qt::LeftButton);
    QCOMPARE(f.TestoLista(), QStringLiteral("01 05 12\r\n02 14 26 36\r\n03 04 22 30\r\n07 08 09\r\n"));
    Clicca({6, 11, 16, 21, 31});
    QCOMPARE(f.lblSelezionati->text(), QStringLiteral("5"));
    Fotografa(&f, QStringLiteral("readme-finestra"));

    { // SALVA, confirmed as the README shows it.
        RispondiDialoghi risposte;
        risposte.Ispeziona = [](QDialog *d) {
            if (d->objectName() == QStringLiteral("frmMessage"))
                Fotografa(d, QStringLiteral("readme-messaggio"));
        };
        QTest::mouseClick(f.cmdSalva, Qt::LeftButton);
        QTRY_COMPARE(risposte.visti.size(), 1);
        QCOMPARE(risposte.visti[0].testo, QStringLiteral("Combinazioni salvate, col nome:\n036140509-36.TXT"));

        // The file is what the README says: the lines, each with CR LF, nothing else.
        QFile salvato(cartella->filePath(QStringLiteral("Shared/Costruzioni/036140509-36.TXT")));
        QVERIFY(salvato.open(QIODevice::ReadOnly));
        QCOMPARE(salvato.readAll(), QByteArray("01 05 12\r\n02 14 26 36\r\n03 04 22 30\r\n07 08 09\r\n"));
    }

    { // F10 for the notes.
        RispondiDialoghi note;
        note.Ispeziona = [](QDialog *d) { Fotografa(d, QStringLiteral("readme-informazioni")); };
        f.txtLista->setFocus();
        QTest::keyClick(f.txtLista, Qt::Key_F10);
        QTRY_COMPARE(note.visti.size(), 1);
        QCOMPARE(note.visti[0].classe, QStringLiteral("frmInfo"));
    }

    { // Ctrl+E: the list against a draw, as the README shows it.
        RispondiDialoghi verifica;
        QString risultato;
        verifica.Ispeziona = [&risultato](QDialog *d) {
            auto *v = qobject_cast<frmVerifica *>(d);
            if (!v)
                return;
            QTest::keyClicks(v->txtEstrazione, QStringLiteral("1, 5, 12, 22, 30"));
            QTest::keyClick(v->txtEstrazione, Qt::Key_Return);
            risultato = v->txtRisultato->toPlainText();
            Fotografa(v, QStringLiteral("readme-verifica"));
            v->reject();
        };
        // The window has the focus back from the notes, as on a desktop.
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTest::keyClick(f.txtLista, Qt::Key_E, Qt::ControlModifier);
        QTRY_COMPARE(verifica.visti.size(), 1);
        QCOMPARE(risultato, QStringLiteral("Estrazione: 01 05 12 22 30\nRighe verificate: 4\nRighe con 4 punti: 0\nRighe con 3 punti: 1\n"
                                           "Righe con 2 punti: 1\nAmbi: 4  Terni: 1  Quaterne: 0  Cinquine: 0\n"
                                           "Riga 1: [01] [05] [12]\nRiga 3: 03 04 [22] [30]"));
    }

    { // Ctrl+R: nine numbers in terzine with the ambo guaranteed, found at its lower bound.
        QTest::mouseClick(f.cmdCancella, Qt::LeftButton);
        Clicca({3, 7, 12, 18, 22, 25, 29, 33, 35});
        RispondiDialoghi riduzione({QStringLiteral("IN LISTA")});
        QString trovate;
        riduzione.Ispeziona = [&trovate](QDialog *d) {
            auto *r = qobject_cast<frmRiduzione *>(d);
            if (!r)
                return;
            QTest::mouseClick(r->cmdRiduci, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(r->cmdInLista->isEnabled(), 20000);
            trovate = r->lblTrovate->text();
            Fotografa(r, QStringLiteral("readme-riduzione"));
        };
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTest::keyClick(f.txtLista, Qt::Key_R, Qt::ControlModifier);
        QTRY_COMPARE(riduzione.visti.size(), 1);
        QCOMPARE(trovate, QStringLiteral("Trovate: 12 righe (ottimo)"));
        QCOMPARE(f.TestoLista().count(QStringLiteral("\r\n")), 4 + 12);
    }

    { // Ctrl+K: the list replayed over two years of made-up draws.
        QFile storico(cartella->filePath(QStringLiteral("storico.txt")));
        QVERIFY(storico.open(QIODevice::WriteOnly));
        QVERIFY(storico.write(InventaEstrazioni(312, 0, 20250205, QDate(2024, 1, 2)).File()) > 0);
        storico.close();
        RispondiDialoghi archivio;
        QString descrizione;
        int punti = 0;
        archivio.Ispeziona = [&descrizione, &punti](QDialog *d) {
            auto *a = qobject_cast<frmArchivio *>(d);
            if (!a)
                return;
            // Its own buttons show the focus, as on a desktop, where the window opens active.
            a->activateWindow();
            QTRY_VERIFY(a->isActiveWindow());
            QTest::mouseClick(a->cmdApri, Qt::LeftButton);
            descrizione = a->lblArchivio->text();
            QTest::mouseClick(a->cmdVerifica, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!a->InCorso(), 60000);
            // The curve is the picture: a player looks at it rather than reads the figures.
            a->tabRisultati->setCurrentWidget(a->grfAndamento);
            punti = int(a->grfAndamento->Punti().size());
            Fotografa(a, QStringLiteral("readme-archivio"));
            a->reject();
        };
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTest::keyClick(f.txtLista, Qt::Key_K, Qt::ControlModifier);
        QTRY_COMPARE(archivio.visti.size(), 1);
        QCOMPARE(descrizione,
                 QStringLiteral("Archivio: storico.txt, 312 estrazioni dal 02/01/2024 al 27/12/2025 (3432 ruote)"));
        QCOMPARE(punti, 100);
    }

    { // Ctrl+Shift+C: the lines with 2 or 3 of the nine numbers selected and a sum from 40 to 70.
        const QStringList righe = f.TestoLista().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        const QList<int> nove{3, 7, 12, 18, 22, 25, 29, 33, 35};
        int soddisfano = 0;
        for (const QString &riga : righe) {
            int somma = 0, nelGruppo = 0;
            for (const QString &campo : riga.split(u' ')) {
                somma += campo.toInt();
                nelGruppo += nove.contains(campo.toInt()) ? 1 : 0;
            }
            soddisfano += somma >= 40 && somma <= 70 && nelGruppo >= 2 ? 1 : 0;
        }
        RispondiDialoghi condizioni({QStringLiteral("ANNULLA")});
        QString conteggio;
        condizioni.Ispeziona = [&conteggio](QDialog *d) {
            auto *c = qobject_cast<frmCondizioni *>(d);
            if (!c)
                return;
            QTest::mouseClick(c->cmdGriglia[0], Qt::LeftButton);
            c->chkCondizione[Condizioni::Gruppo1]->setChecked(true);
            c->spnMinimo[Condizioni::Gruppo1]->setValue(2);
            c->spnMassimo[Condizioni::Gruppo1]->setValue(3);
            c->chkCondizione[Condizioni::Somma]->setChecked(true);
            c->spnMinimo[Condizioni::Somma]->setValue(40);
            c->spnMassimo[Condizioni::Somma]->setValue(70);
            QTRY_VERIFY(c->lblConteggio->isEnabled());
            conteggio = c->lblConteggio->text();
            c->cmdFiltra->setFocus();
            Fotografa(c, QStringLiteral("readme-condizioni"));
        };
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTest::keyClick(f.txtLista, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(condizioni.visti.size(), 1);
        QCOMPARE(conteggio, QStringLiteral("Soddisfano: %1 righe su %2").arg(soddisfano).arg(righe.size()));
        // ANNULLA: the list as it was.
        QCOMPARE(f.TestoLista().count(QStringLiteral("\r\n")), 4 + 12);
    }

    // Ctrl+Shift+P: the list as PDF, its first page as the README shows it.
    RispondiDialoghi esporta;
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QTest::keyClick(f.txtLista, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_COMPARE(esporta.visti.size(), 1);
    QCOMPARE(esporta.visti[0].testo, QStringLiteral("Lista esportata in PDF, col nome:\nreadme.pdf"));
    const QString pdf = cartella->filePath(QStringLiteral("Shared/Costruzioni/readme.pdf"));
    // The four lines of the session and the twelve of the reduction, on 14 + 5 numbers.
    QVERIFY(TestoPdf(pdf).contains(QStringLiteral("16 righe, 19 numeri: 01 02 03 04 05 07 08 09 12 14 18 22")));
    const QString pagina = PrimaPaginaPng(pdf, 60);
    QVERIFY(!pagina.isEmpty());
    QDir().mkpath(QStringLiteral(OMBRAZIO_BUILD_DIR "/screenshots"));
    QFile::remove(QStringLiteral(OMBRAZIO_BUILD_DIR "/screenshots/readme-stampa.png"));
    QVERIFY(QFile::copy(pagina, QStringLiteral(OMBRAZIO_BUILD_DIR "/screenshots/readme-stampa.png")));
}

void tst_Documentazione::nomiDelReadme()
{
    // The names the README gives as examples are the ones the program makes.
    QVERIFY2(!readme.isEmpty(), "README.md not found");
    const QString ventiquattro = Salvataggio::NomeFile(Adesso, 36, QLocale::c()) + QStringLiteral(".TXT");
    QCOMPARE(ventiquattro, QStringLiteral("036140509-36.TXT"));
    QVERIFY(readme.contains(ventiquattro));
    const QString dodici =
        Salvataggio::NomeFile(Adesso, 36, QLocale(QLocale::English, QLocale::UnitedStates)) + QStringLiteral(".TXT");
    QVERIFY2(readme.contains(QStringLiteral("`") + dodici + QStringLiteral("`")), qPrintable(dodici));
    QVERIFY(readme.contains(Salvataggio::NomeFile(QDateTime(QDate(2024, 1, 1), QTime(9, 0, 0)), 9, QLocale::c())
                            + QStringLiteral(".TXT")));
}

void tst_Documentazione::immaginiDelReadme()
{
    // Each picture the README shows is committed, and is a picture of this program's size.
    QVERIFY2(!readme.isEmpty(), "README.md not found");
    static const QRegularExpression immagine(QStringLiteral(R"(\]\((docs/[^)]+\.png)\))"));
    int trovate = 0;
    for (const QRegularExpressionMatch &m : immagine.globalMatch(readme)) {
        ++trovate;
        const QImage foto(QStringLiteral(OMBRAZIO_SOURCE_DIR "/") + m.captured(1));
        QVERIFY2(!foto.isNull(), qPrintable(m.captured(1)));
        QVERIFY(foto.width() >= 200 && foto.height() >= 100);
    }
    QCOMPARE(trovate, 8);
    const QImage principale(QStringLiteral(OMBRAZIO_SOURCE_DIR "/docs/finestra.png"));
    QCOMPARE(principale.size(), finestra->size());
}

QTEST_MAIN(tst_Documentazione)
#include "tst_documentazione.moc"
