#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/Caratteri.h"
#include "common/Etichetta.h"
#include "common/PulsanteComando.h"
#include "grid/CellaNumero.h"
#include "helpers/Dialoghi.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

class ScritturaInterrotta : public Salvataggio::ScritturaFile
{
public:
    qint64 Scrivi(QIODevice &, const char *, qint64) override { return -1; }
};

} // namespace

class tst_Salva : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Caratteri::RegistraSostituzioni(); }
    void init();
    void cleanup();

    void contenuto();
    void nome_data();
    void nome();
    void nomeDopoCambioQuantita();
    void domandaSort_data();
    void domandaSort();
    void nessunaDomandaDopoSort();
    void listaVuota_data();
    void listaVuota();
    void guasti_data();
    void guasti();
    void carattereNonSalvabile();
    void stessoSecondoSostituisce();

private:
    QList<DialogoVisto> Salva(const QStringList &risposte = {});
    QStringList FileSalvati() const { return QDir(Costruzioni()).entryList(QDir::Files | QDir::Hidden); }
    QString Costruzioni() const { return cartella->filePath(QStringLiteral("Shared/Costruzioni")); }
    QByteArray Leggi(const QString &nome) const;
    void Crea(std::shared_ptr<Salvataggio::ScritturaFile> scrittura = std::make_shared<Salvataggio::ScritturaFile>());

    std::unique_ptr<QTemporaryDir> cartella;
    QDateTime adesso;
    std::unique_ptr<frmOmbrazio> finestra;
};

void tst_Salva::init()
{
    mDichiarazioni::Azzera();
    QLocale::setDefault(QLocale::c());
    cartella = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(Costruzioni()));
    adesso = QDateTime(QDate(2026, 2, 5), QTime(14, 5, 9));
    Crea();
}

void tst_Salva::Crea(std::shared_ptr<Salvataggio::ScritturaFile> scrittura)
{
    finestra.reset();
    finestra = ApriFinestra(Ambiente{[this] { return adesso; }, cartella->path(), std::move(scrittura)});
    QVERIFY(finestra);
}

void tst_Salva::cleanup()
{
    finestra.reset();
    cartella.reset();
    QLocale::setDefault(QLocale::system());
}

QList<DialogoVisto> tst_Salva::Salva(const QStringList &risposte)
{
    RispondiDialoghi risponditore(risposte);
    QTest::mouseClick(finestra->cmdSalva, Qt::LeftButton);
    return risponditore.visti;
}

QByteArray tst_Salva::Leggi(const QString &nome) const
{
    QFile f(Costruzioni() + u'/' + nome);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void tst_Salva::contenuto()
{
    finestra->txtLista->setPlainText(QStringLiteral("\n01 05 12\n\n\n  hand  typed \n03 04 90"));
    const QString prima = finestra->TestoLista();
    const QList<DialogoVisto> visti = Salva({QStringLiteral("SI")});
    QCOMPARE(visti.size(), 2);
    QCOMPARE(visti[0].testo, QStringLiteral("Non è stato eseguito il Sort.\nContinuare comunque?"));
    QCOMPARE(visti[0].pulsanti, (QStringList{"NO", "SI"}));
    QCOMPARE(visti[1].testo, QStringLiteral("Combinazioni salvate, col nome:\n036140509-36.TXT"));
    QCOMPARE(visti[1].pulsanti, QStringList{"OK"});
    QCOMPARE(FileSalvati(), QStringList{"036140509-36.TXT"});
    QCOMPARE(Leggi(QStringLiteral("036140509-36.TXT")), QByteArray("01 05 12\r\n  hand  typed \r\n03 04 90\r\n"));
    // Saving changes nothing else.
    QCOMPARE(finestra->TestoLista(), prima);
    QVERIFY(!gSortEseguito);
}

void tst_Salva::nome_data()
{
    QTest::addColumn<QDateTime>("quando");
    QTest::addColumn<int>("quantita");
    QTest::addColumn<QString>("nome");
    QTest::newRow("1 January") << QDateTime(QDate(2027, 1, 1), QTime(8, 30, 0)) << 36 << "001083000-36.TXT";
    QTest::newRow("31 December, leap year") << QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)) << 36
                                            << "366235959-36.TXT";
    QTest::newRow("nine numbers") << QDateTime(QDate(2026, 2, 5), QTime(14, 5, 9)) << 9 << "036140509-09.TXT";
}

void tst_Salva::nome()
{
    QFETCH(QDateTime, quando);
    QFETCH(int, quantita);
    QFETCH(QString, nome);
    adesso = quando;
    gQuantitaNumeri = qint16(quantita);
    gSortEseguito = true;
    // Lines typed before any board exists are saved too.
    finestra->txtLista->setPlainText(QStringLiteral("01 02\n"));
    const QList<DialogoVisto> visti = Salva();
    QCOMPARE(visti.size(), 1);
    QCOMPARE(FileSalvati(), QStringList{nome});
}

void tst_Salva::nomeDopoCambioQuantita()
{
    gNumeriPerRiga = 10;
    QTest::mouseClick(finestra->cmdCostruisci, Qt::LeftButton);
    QTest::mouseClick(finestra->lblNumero(3), Qt::LeftButton);
    QTest::mouseClick(finestra->cmdInLista, Qt::LeftButton);
    QTest::mouseClick(finestra->lblNumeriPiuPiu, Qt::LeftButton);
    Salva({QStringLiteral("SI")});
    QCOMPARE(FileSalvati(), QStringList{"036140509-46.TXT"});
    QCOMPARE(Leggi(QStringLiteral("036140509-46.TXT")), QByteArray("03\r\n"));
}

void tst_Salva::domandaSort_data()
{
    QTest::addColumn<bool>("tasto");
    QTest::newRow("SALVA") << false;
    QTest::newRow("Ctrl+S while typing in the list") << true;
}

void tst_Salva::domandaSort()
{
    QFETCH(bool, tasto);
    finestra->txtLista->setPlainText(QStringLiteral("02 01\n"));
    finestra->txtLista->setFocus();
    const auto salva = [&](const QStringList &risposte) {
        if (!tasto)
            return Salva(risposte);
        RispondiDialoghi risponditore(risposte);
        finestra->activateWindow();
        if (QTest::qWaitForWindowActive(finestra.get()))
            QTest::keyClick(finestra->txtLista, Qt::Key_S, Qt::ControlModifier);
        return risponditore.visti;
    };
    const QList<DialogoVisto> visti = salva({QStringLiteral("NO")});
    QCOMPARE(visti.size(), 1);
    QCOMPARE(visti[0].testo, QStringLiteral("Non è stato eseguito il Sort.\nContinuare comunque?"));
    QVERIFY(FileSalvati().isEmpty());
    QCOMPARE(salva({QStringLiteral("SI")}).size(), 2);
    // The key typed nothing into the list.
    QCOMPARE(finestra->TestoLista(), QStringLiteral("02 01\r\n"));
    QCOMPARE(Leggi(QStringLiteral("036140509-36.TXT")), QByteArray("02 01\r\n"));
}

void tst_Salva::nessunaDomandaDopoSort()
{
    finestra->txtLista->setPlainText(QStringLiteral("02 01\n"));
    QTest::mouseClick(finestra->cmdSort, Qt::LeftButton);
    QVERIFY(gSortEseguito);
    // New lines after the sort are saved as they are, with no question.
    finestra->txtLista->moveCursor(QTextCursor::End);
    finestra->txtLista->insertPlainText(QStringLiteral("9 7\n"));
    const QList<DialogoVisto> visti = Salva();
    QCOMPARE(visti.size(), 1);
    QVERIFY(visti[0].testo.startsWith(QStringLiteral("Combinazioni salvate")));
    QCOMPARE(Leggi(QStringLiteral("036140509-36.TXT")), QByteArray("01 02\r\n9 7\r\n"));
}

void tst_Salva::listaVuota_data()
{
    QTest::addColumn<QString>("testo");
    QTest::newRow("empty") << "";
    QTest::newRow("line breaks alone") << "\n\n";
}

void tst_Salva::listaVuota()
{
    QFETCH(QString, testo);
    finestra->txtLista->setPlainText(testo);
    const QList<DialogoVisto> visti = Salva({QStringLiteral("SI")});
    QCOMPARE(visti.size(), 1);
    QCOMPARE(visti[0].testo, QStringLiteral("L'Area combinazioni è vuota ..!"));
    QVERIFY(FileSalvati().isEmpty());
}

void tst_Salva::guasti_data()
{
    QTest::addColumn<QString>("caso");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("folder missing") << "mancante" << "Impossibile trovare il percorso ..!";
    QTest::newRow("a file where the folder should be") << "file" << "Impossibile trovare il percorso ..!";
    QTest::newRow("a folder where the file should be") << "cartella" << "Si è verificato l' errore: 75";
    QTest::newRow("write fails") << "scrittura" << "Si è verificato l' errore: 57";
}

void tst_Salva::guasti()
{
    QFETCH(QString, caso);
    QFETCH(QString, messaggio);
    const QString nome = QStringLiteral("036140509-36.TXT");
    if (caso == QStringLiteral("mancante")) {
        QVERIFY(QDir(Costruzioni()).removeRecursively());
    } else if (caso == QStringLiteral("file")) {
        QVERIFY(QDir(Costruzioni()).removeRecursively());
        QFile f(Costruzioni());
        QVERIFY(f.open(QIODevice::WriteOnly));
    } else if (caso == QStringLiteral("cartella")) {
        QVERIFY(QDir().mkpath(Costruzioni() + u'/' + nome));
    } else {
        QFile vecchio(Costruzioni() + u'/' + nome);
        QVERIFY(vecchio.open(QIODevice::WriteOnly));
        vecchio.write("earlier\r\n");
        vecchio.close();
        Crea(std::make_shared<ScritturaInterrotta>());
    }
    gSortEseguito = true;
    finestra->txtLista->setPlainText(QStringLiteral("01 02\n03 04\n"));
    const QList<DialogoVisto> visti = Salva();
    QCOMPARE(visti.size(), 1);
    QCOMPARE(visti[0].testo, messaggio);
    QCOMPARE(visti[0].pulsanti, QStringList{"OK"});
    QCOMPARE(finestra->TestoLista(), QStringLiteral("01 02\r\n03 04\r\n"));
    QVERIFY(finestra->isVisible());
    if (caso == QStringLiteral("scrittura")) {
        QCOMPARE(FileSalvati(), QStringList{nome});
        QCOMPARE(Leggi(nome), QByteArray("earlier\r\n"));
    } else if (caso == QStringLiteral("cartella")) {
        QVERIFY(FileSalvati().isEmpty());
    }
}

void tst_Salva::carattereNonSalvabile()
{
    gSortEseguito = true;
    finestra->txtLista->setPlainText(QStringLiteral("01 02\n\n03 ł\n"));
    const QList<DialogoVisto> visti = Salva();
    QCOMPARE(visti.size(), 1);
    QCOMPARE(visti[0].testo, QStringLiteral("La riga 3 contiene caratteri\nnon salvabili: nessun file scritto ..!"));
    QVERIFY(FileSalvati().isEmpty());
    QCOMPARE(finestra->TestoLista(), QStringLiteral("01 02\r\n\r\n03 ł\r\n"));
}

void tst_Salva::stessoSecondoSostituisce()
{
    gSortEseguito = true;
    finestra->txtLista->setPlainText(QStringLiteral("01\n"));
    Salva();
    finestra->txtLista->setPlainText(QStringLiteral("02\n"));
    Salva();
    QCOMPARE(FileSalvati(), QStringList{"036140509-36.TXT"});
    QCOMPARE(Leggi(QStringLiteral("036140509-36.TXT")), QByteArray("02\r\n"));
}

QTEST_MAIN(tst_Salva)
#include "tst_salva.moc"
