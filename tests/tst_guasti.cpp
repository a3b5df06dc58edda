// Saving when the file system fails: the right message, the list kept, nothing half-written,
// and an earlier file of the same name left as it was.

#include "app/frmOmbrazio.h"
#include "app/mDichiarazioni.h"
#include "common/PulsanteComando.h"
#include "dialogs/TestiErrore.h"
#include "helpers/Dialoghi.h"
#include "list/Salvataggio.h"

#include <QDirIterator>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// The file-writing seam with a fault that can be switched on.
class ScritturaGuasta : public Salvataggio::ScritturaFile
{
public:
    qint64 accettati = -1;      // bytes written before every further write fails; -1: never fails
    bool rifiutaConferma = false;
    bool discoPieno = false;
    qint64 scritti = 0;

    qint64 Scrivi(QIODevice &file, const char *dati, qint64 quanti) override
    {
        if (accettati >= 0 && scritti + quanti > accettati) {
            // A short write first, as a device gives when it fills up, then the failure.
            const qint64 parte = accettati - scritti;
            if (parte <= 0)
                return -1;
            quanti = parte;
        }
        const qint64 fatti = ScritturaFile::Scrivi(file, dati, quanti);
        scritti += qMax<qint64>(fatti, 0);
        return fatti;
    }
    bool Conferma(QSaveFile &file) override { return !rifiutaConferma && ScritturaFile::Conferma(file); }
    qint64 SpazioLibero(const QStorageInfo &disco) override
    {
        return discoPieno ? 0 : ScritturaFile::SpazioLibero(disco);
    }
};

// Every file and folder beneath `radice`, with the bytes of the files.
QMap<QString, QByteArray> Contenuto(const QString &radice)
{
    QMap<QString, QByteArray> contenuto;
    QDirIterator it(radice, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString percorso = it.next();
        const QString relativo = QDir(radice).relativeFilePath(percorso);
        if (it.fileInfo().isDir()) {
            contenuto.insert(relativo + u'/', QByteArray());
        } else {
            QFile f(percorso);
            contenuto.insert(relativo, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>"));
        }
    }
    return contenuto;
}

QString Messaggio(int errore)
{
    return mGestioneErrori::TestoErrore(errore).replace(u'|', u'\n');
}

// Lines as the board writes them, enough to fill `byte` bytes of the file.
QString Lista(qint64 byte)
{
    QString testo;
    for (int i = 0; testo.size() < byte; ++i)
        testo += QStringLiteral("%1 %2 %3\n").arg(1 + i % 30, 2, 10, QChar(u'0')).arg(31 + i % 29, 2, 10, QChar(u'0')).arg(61 + i % 30, 2, 10, QChar(u'0'));
    return testo;
}

QByteArray ComeSalvato(const QString &lista)
{
    QByteArray dati = lista.toLatin1();
    return dati.replace("\n", "\r\n");
}

} // namespace

class tst_Guasti : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void cartellaMancante_data();
    void cartellaMancante();
    void cartellaAlPostoDelFile();
    void scritturaInterrotta_data();
    void scritturaInterrotta();
    void discoPienoVero();
    void discoPienoIniettato();

private:
    // Presses SALVA, answers SI to the unsorted-list question, and returns the message shown after it.
    QString Salva();
    void VerificaListaIntatta();
    // Presses SALVA expecting `messaggio`, then checks that neither the list nor any file changed.
    void VerificaRifiuto(const QString &messaggio);
    // An earlier save of the same name, which a failed save must leave as it is.
    void SalvataggioPrecedente(const QString &percorso);
    QString Cartella() const { return Salvataggio::CartellaSalvataggio(radice->path()); }
    QString PercorsoAtteso() const
    {
        return Cartella() + u'/' + Salvataggio::NomeFile(adesso, gQuantitaNumeri) + QStringLiteral(".TXT");
    }

    const QDateTime adesso{QDate(2026, 2, 5), QTime(14, 5, 9)};
    std::unique_ptr<QTemporaryDir> radice;
    ScritturaGuasta *scrittura = nullptr;
    std::unique_ptr<frmOmbrazio> finestra;
    QString lista;
    QString montato;
};

void tst_Guasti::init()
{
    mDichiarazioni::Azzera();
    radice = std::make_unique<QTemporaryDir>();
    QVERIFY(radice->isValid());
    auto guasta = std::make_shared<ScritturaGuasta>();
    scrittura = guasta.get();
    finestra = std::make_unique<frmOmbrazio>(Ambiente{[this] { return adesso; }, radice->path(), guasta});
    finestra->show();
    QVERIFY(QTest::qWaitForWindowExposed(finestra.get()));
    lista = QStringLiteral("01 05 12\n03 04 90\n");
    finestra->txtLista->setPlainText(lista);
}

void tst_Guasti::cleanup()
{
    finestra.reset();
    if (!montato.isEmpty()) {
        QProcess::execute(QStringLiteral("umount"), {montato});
        montato.clear();
    }
    radice.reset();
}

QString tst_Guasti::Salva()
{
    RispondiDialoghi risposte({QStringLiteral("SI"), QStringLiteral("OK")});
    QTest::mouseClick(finestra->cmdSalva, Qt::LeftButton);
    [&] {
        QCOMPARE(risposte.visti.size(), 2);
        QCOMPARE(risposte.visti[0].testo, QStringLiteral("Non è stato eseguito il Sort.\nContinuare comunque?"));
        QCOMPARE(risposte.visti[1].pulsanti, QStringList{QStringLiteral("OK")});
    }();
    return risposte.visti.size() == 2 ? risposte.visti[1].testo : QString();
}

void tst_Guasti::VerificaListaIntatta()
{
    QCOMPARE(finestra->txtLista->toPlainText(), lista);
    QVERIFY(!gSortEseguito);
}

void tst_Guasti::VerificaRifiuto(const QString &messaggio)
{
    const QMap<QString, QByteArray> prima = Contenuto(radice->path());
    QCOMPARE(Salva(), messaggio);
    VerificaListaIntatta();
    QCOMPARE(Contenuto(radice->path()), prima);
}

void tst_Guasti::SalvataggioPrecedente(const QString &percorso)
{
    QFile precedente(percorso);
    QVERIFY(precedente.open(QIODevice::WriteOnly));
    precedente.write("07 08 09\r\n");
}

void tst_Guasti::cartellaMancante_data()
{
    QTest::addColumn<QStringList>("cartelle");
    QTest::addColumn<QStringList>("file");
    QTest::newRow("no Shared") << QStringList{} << QStringList{};
    QTest::newRow("Shared without Costruzioni") << QStringList{"Shared"} << QStringList{};
    QTest::newRow("a file named Costruzioni") << QStringList{"Shared"} << QStringList{"Shared/Costruzioni"};
    QTest::newRow("a file named Shared") << QStringList{} << QStringList{"Shared"};
}

void tst_Guasti::cartellaMancante()
{
    QFETCH(QStringList, cartelle);
    QFETCH(QStringList, file);
    for (const QString &c : cartelle)
        QVERIFY(QDir(radice->path()).mkpath(c));
    for (const QString &f : file) {
        QFile ostacolo(radice->filePath(f));
        QVERIFY(ostacolo.open(QIODevice::WriteOnly));
        ostacolo.write("not a folder");
    }
    VerificaRifiuto(QStringLiteral("Impossibile trovare il percorso ..!"));
    QCOMPARE(Messaggio(76), QStringLiteral("Impossibile trovare il percorso ..!"));

    // Once the folder is there, the same list saves without retyping anything.
    for (const QString &f : file)
        QVERIFY(QFile::remove(radice->filePath(f)));
    QVERIFY(QDir().mkpath(Cartella()));
    QCOMPARE(Salva(), QStringLiteral("Combinazioni salvate, col nome:\n") + QFileInfo(PercorsoAtteso()).fileName());
    QFile salvato(PercorsoAtteso());
    QVERIFY(salvato.open(QIODevice::ReadOnly));
    QCOMPARE(salvato.readAll(), ComeSalvato(lista));
}

void tst_Guasti::cartellaAlPostoDelFile()
{
    QVERIFY(QDir().mkpath(PercorsoAtteso() + QStringLiteral("/dentro")));
    SalvataggioPrecedente(PercorsoAtteso() + QStringLiteral("/dentro/vecchio.TXT"));

    // No table entry for an access failure: the general text with its number.
    VerificaRifiuto(QStringLiteral("Si è verificato l' errore: 75"));
}

void tst_Guasti::scritturaInterrotta_data()
{
    QTest::addColumn<qint64>("dimensione");
    QTest::addColumn<qint64>("accettati");
    QTest::addColumn<bool>("rifiutaConferma");
    // The file is written in blocks of 64 KiB.
    QTest::newRow("first write") << qint64(20) << qint64(0) << false;
    QTest::newRow("short write inside the first block") << qint64(20) << qint64(7) << false;
    QTest::newRow("second block") << qint64(200'000) << qint64(64 * 1024) << false;
    QTest::newRow("inside the third block") << qint64(200'000) << qint64(150'001) << false;
    QTest::newRow("commit refused") << qint64(200'000) << qint64(-1) << true;
}

void tst_Guasti::scritturaInterrotta()
{
    QFETCH(qint64, dimensione);
    QFETCH(qint64, accettati);
    QFETCH(bool, rifiutaConferma);
    lista = Lista(dimensione);
    finestra->txtLista->setPlainText(lista);
    scrittura->accettati = accettati;
    scrittura->rifiutaConferma = rifiutaConferma;
    QVERIFY(QDir().mkpath(Cartella()));
    SalvataggioPrecedente(PercorsoAtteso());

    VerificaRifiuto(QStringLiteral("Si è verificato l' errore: 57"));
}

void tst_Guasti::discoPienoVero()
{
    // Only root on Linux may mount a small file system; elsewhere mount fails or is missing.
    QVERIFY(QDir().mkpath(Cartella()));
    if (QProcess::execute(QStringLiteral("mount"),
                          {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                           QStringLiteral("size=64k"), QStringLiteral("tmpfs"), Cartella()})
        != 0)
        QSKIP("mount is not allowed here; discoPienoIniettato covers this");
    montato = Cartella();

    SalvataggioPrecedente(PercorsoAtteso());
    lista = Lista(300'000);
    finestra->txtLista->setPlainText(lista);

    VerificaRifiuto(QStringLiteral("Disco pieno ..!"));
    QCOMPARE(Messaggio(61), QStringLiteral("Disco pieno ..!"));

    // A list that fits still saves on the same disk once the failed attempt is gone.
    lista = QStringLiteral("01 02 03\n");
    finestra->txtLista->setPlainText(lista);
    QCOMPARE(Salva(), QStringLiteral("Combinazioni salvate, col nome:\n") + QFileInfo(PercorsoAtteso()).fileName());
    QFile salvato(PercorsoAtteso());
    QVERIFY(salvato.open(QIODevice::ReadOnly));
    QCOMPARE(salvato.readAll(), ComeSalvato(lista));
}

void tst_Guasti::discoPienoIniettato()
{
    lista = Lista(100'000);
    finestra->txtLista->setPlainText(lista);
    scrittura->accettati = 70'000;
    scrittura->discoPieno = true;
    QVERIFY(QDir().mkpath(Cartella()));
    SalvataggioPrecedente(PercorsoAtteso());

    VerificaRifiuto(QStringLiteral("Disco pieno ..!"));
}

QTEST_MAIN(tst_Guasti)
#include "tst_guasti.moc"
