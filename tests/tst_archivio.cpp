#include "archivio/Archivio.h"
#include "common/NumeriErrore.h"
#include "list/Apertura.h"
#include "verifica/Verifica.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <map>
#include <vector>

using namespace Archivio;

namespace {

const char *const Codici[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"};

// An archive made here: for each date, the wheels drawn and their five numbers.
struct Generato
{
    std::map<QDate, std::map<int, std::vector<int>>> estrazioni;
    int righe = 0;
};

// `date` dates three or four days apart; the Nazionale only in the last third.
Generato Genera(int date, quint32 seme)
{
    QRandomGenerator caso(seme);
    Generato g;
    QDate data(1939, 1, 7);
    for (int d = 0; d < date; ++d) {
        for (int r = 0; r < 11; ++r) {
            if (r == 10 && d < date * 2 / 3)
                continue;
            std::vector<int> numeri;
            while (numeri.size() < 5) {
                const int n = 1 + int(caso.bounded(90));
                if (std::find(numeri.begin(), numeri.end(), n) == numeri.end())
                    numeri.push_back(n);
            }
            g.estrazioni[data][r] = numeri;
            ++g.righe;
        }
        data = data.addDays(d % 2 ? 4 : 3);
    }
    return g;
}

// The official form, the rows in a shuffled order.
QByteArray Testo(const Generato &g, quint32 seme)
{
    QList<QByteArray> righe;
    for (const auto &[data, ruote] : g.estrazioni) {
        for (const auto &[r, numeri] : ruote) {
            QByteArray riga = data.toString(QStringLiteral("yyyy/MM/dd")).toLatin1() + '\t' + Codici[r];
            for (int n : numeri)
                riga += '\t' + QByteArray::number(n);
            righe << riga;
        }
    }
    std::shuffle(righe.begin(), righe.end(), QRandomGenerator(seme));
    return righe.join("\r\n") + "\r\n";
}

Dati Letti(const Generato &g)
{
    Dati dati;
    const Lettura lettura = Leggi(Testo(g, 1), QStringLiteral("prova.txt"), dati);
    return lettura.Accettata() ? dati : Dati();
}

int Coppie(int h, int k)
{
    int c = 1;
    for (int i = 0; i < k; ++i)
        c = c * (h - i) / (i + 1);
    return h < k ? 0 : c;
}

} // namespace

class tst_Archivio : public QObject
{
    Q_OBJECT

private slots:
    void lettura_data();
    void lettura();
    void andataERitorno();
    void rifiutoConservaArchivio();
    void leggiFile();
    void spoglio_data();
    void spoglio();
    void ritardi_data();
    void ritardi();
};

void tst_Archivio::lettura_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("riga");      // of the refusal; 0 when accepted
    QTest::addColumn<QString>("atteso"); // the reason, or "date wheels first-date first-wheel n1..n5"

    QTest::newRow("official") << QByteArray("1939/01/07\tBA\t58\t22\t47\t49\t69\r\n") << 0 << "1 1 1939-01-07 BA 58 22 47 49 69";
    QTest::newRow("semicolons, dashes") << QByteArray("1939-01-07;ca;1;2;3;4;5") << 0 << "1 1 1939-01-07 CA 1 2 3 4 5";
    QTest::newRow("commas, day first, names")
        << QByteArray("07/01/1939, Firenze, 1, 2, 3, 4, 5\n8/1/1939, NAZIONALE, 90, 89, 88, 87, 86\n") << 0
        << "2 2 1939-01-07 FI 1 2 3 4 5";
    QTest::newRow("runs of spaces, blank lines, a header")
        << QByteArray("Data  Ruota  Numeri\n\n   \n2026/09/26   RM   05   7  012 18 33  \r\n\r\n") << 0
        << "1 1 2026-09-26 RM 5 7 12 18 33";
    QTest::newRow("UTF-8 with its mark, a header with an accent")
        << QByteArray("\xEF\xBB\xBF" "Città;Estrazione\n2026/09/26;VE;1;2;3;4;5\n") << 0 << "1 1 2026-09-26 VE 1 2 3 4 5";
    QTest::newRow("Windows-1252 header") << QByteArray("Citt\xE0\tRuota\n2026/09/26\tVE\t1\t2\t3\t4\t5") << 0
                                         << "1 1 2026-09-26 VE 1 2 3 4 5";
    QTest::newRow("out of order, a row twice")
        << QByteArray("2000/01/08\tTO\t1\t2\t3\t4\t5\n1999/12/30\tGE\t6\t7\t8\t9\t10\n2000/01/08\tTO\t1\t2\t3\t4\t5\n") << 0
        << "2 2 1999-12-30 GE 6 7 8 9 10";

    QTest::newRow("unknown wheel") << QByteArray("1939/01/07\tXX\t1\t2\t3\t4\t5") << 1 << "la ruota XX non esiste";
    QTest::newRow("four numbers") << QByteArray("h\n\n1939/01/07\tBA\t1\t2\t3\t4") << 3 << "servono 5 numeri, ce ne sono 4";
    QTest::newRow("six numbers") << QByteArray("1939/01/07 BA 1 2 3 4 5 6") << 1 << "servono 5 numeri, ce ne sono 6";
    QTest::newRow("above 90") << QByteArray("1939/01/07\tBA\t1\t2\t95\t4\t5") << 1 << "il numero 95 non è tra 1 e 90";
    QTest::newRow("zero") << QByteArray("1939/01/07\tBA\t0\t2\t3\t4\t5") << 1 << "il numero 0 non è tra 1 e 90";
    QTest::newRow("not a number") << QByteArray("1939/01/07\tBA\t1a\t2\t3\t4\t5") << 1 << "1a non è un numero";
    QTest::newRow("twice") << QByteArray("1939/01/07\tBA\t12\t2\t3\t12\t5") << 1 << "il numero 12 è ripetuto";
    QTest::newRow("impossible date") << QByteArray("2026/02/30\tBA\t1\t2\t3\t4\t5") << 1 << "la data 2026/02/30 non esiste";
    QTest::newRow("a second header") << QByteArray("Data\n1939/01/07\tBA\t1\t2\t3\t4\t5\nFine") << 3 << "Fine non è una data";
    QTest::newRow("no wheel") << QByteArray("1939/01/07") << 1 << "manca la ruota";
    QTest::newRow("same date and wheel, other numbers")
        << QByteArray("1939/01/07\tBA\t1\t2\t3\t4\t5\n1939/01/14\tBA\t1\t2\t3\t4\t5\n07/01/1939;bari;1;2;3;4;6") << 3
        << "BA del 07/01/1939 è già alla riga 1 con altri numeri";
}

void tst_Archivio::lettura()
{
    QFETCH(QByteArray, file);
    QFETCH(int, riga);
    QFETCH(QString, atteso);
    Dati dati;
    const Lettura lettura = Leggi(file, QStringLiteral("storico.txt"), dati);
    QCOMPARE(lettura.errore, 0);
    QCOMPARE(lettura.riga, riga);
    if (riga > 0) {
        QCOMPARE(lettura.motivo, atteso);
        QVERIFY(dati.estrazioni.empty());
        return;
    }
    QVERIFY(lettura.motivo.isEmpty());
    const Estrazione &prima = dati.estrazioni.front();
    int ruota = 0;
    while (!prima.Ha(ruota))
        ++ruota;
    QString letto = QStringLiteral("%1 %2 %3 %4").arg(dati.estrazioni.size()).arg(dati.righe).arg(prima.data.toString(Qt::ISODate), Sigla(ruota));
    for (quint8 n : prima.numeri[std::size_t(ruota)])
        letto += QStringLiteral(" %1").arg(n);
    QCOMPARE(letto, atteso);
    QCOMPARE(dati.nome, QStringLiteral("storico.txt"));
}

void tst_Archivio::andataERitorno()
{
    const Generato g = Genera(400, 20261208);
    const Dati dati = Letti(g);
    QCOMPARE(dati.righe, g.righe);
    QCOMPARE(dati.estrazioni.size(), g.estrazioni.size());
    std::size_t i = 0;
    for (const auto &[data, ruote] : g.estrazioni) {
        const Estrazione &e = dati.estrazioni[i++];
        QCOMPARE(e.data, data);
        quint16 attese = 0;
        for (const auto &[r, numeri] : ruote) {
            attese |= quint16(1u << r);
            QCOMPARE(std::vector<int>(e.numeri[std::size_t(r)].begin(), e.numeri[std::size_t(r)].end()), numeri);
        }
        QCOMPARE(e.ruote, attese);
    }
    const QDate primo = g.estrazioni.begin()->first;
    const QDate ultimo = g.estrazioni.rbegin()->first;
    QCOMPARE(Descrizione(dati), QStringLiteral("Archivio: prova.txt, 400 estrazioni dal %1 al %2 (%3 ruote)")
                                    .arg(primo.toString(QStringLiteral("dd/MM/yyyy")), ultimo.toString(QStringLiteral("dd/MM/yyyy")))
                                    .arg(g.righe));
}

void tst_Archivio::rifiutoConservaArchivio()
{
    Dati dati = Letti(Genera(20, 5));
    QCOMPARE(dati.estrazioni.size(), std::size_t(20));
    const QString prima = Descrizione(dati);
    const Lettura lettura = Leggi("1939/01/07\tBA\t1\t2\t3\t4\t5\n1939/01/10\tBA\t1\t2\t3\t4\t99\n", QStringLiteral("altro.txt"), dati);
    QCOMPARE(lettura.riga, 2);
    QCOMPARE(Descrizione(dati), prima);
    QCOMPARE(Leggi("Solo un titolo\r\n\r\n", QStringLiteral("vuoto.txt"), dati).errore, NumeriErrore::ErroreFileVuoto);
    QCOMPARE(Descrizione(dati), prima);
}

void tst_Archivio::leggiFile()
{
    QTemporaryDir cartella;
    Apertura::LetturaFile lettura;
    Dati dati;
    QCOMPARE(LeggiFile(cartella.filePath(QStringLiteral("manca.txt")), dati, lettura).errore, NumeriErrore::ErroreFileMancante);
    QFile grande(cartella.filePath(QStringLiteral("grande.txt")));
    QVERIFY(grande.open(QIODevice::WriteOnly) && grande.resize(DimensioneMassima + 1));
    grande.close();
    QCOMPARE(LeggiFile(grande.fileName(), dati, lettura).errore, NumeriErrore::ErroreMemoria);
    QFile buono(cartella.filePath(QStringLiteral("storico.txt")));
    QVERIFY(buono.open(QIODevice::WriteOnly));
    buono.write(Testo(Genera(30, 9), 2));
    buono.close();
    QVERIFY(LeggiFile(buono.fileName(), dati, lettura).Accettata());
    QCOMPARE(dati.nome, QStringLiteral("storico.txt"));
    QCOMPARE(dati.estrazioni.size(), std::size_t(30));
}

void tst_Archivio::spoglio_data()
{
    QTest::addColumn<quint16>("ruote");
    QTest::addColumn<int>("ultime");
    QTest::addColumn<int>("righe");
    QTest::addColumn<int>("lunghezza");
    QTest::newRow("every wheel, the last 40") << quint16(TutteLeRuote) << 40 << 30 << 10;
    QTest::newRow("the Nazionale alone, all of it") << quint16(1u << 10) << 1000 << 30 << 10;
    QTest::newRow("Bari and Napoli, the last 7") << quint16((1u << 0) | (1u << 5)) << 7 << 30 << 10;
    QTest::newRow("beyond the rows listed") << quint16(TutteLeRuote) << 1000 << 400 << 10;
    QTest::newRow("long lines among short ones") << quint16(TutteLeRuote) << 200 << 60 << 40;
}

void tst_Archivio::spoglio()
{
    QFETCH(quint16, ruote);
    QFETCH(int, ultime);
    QFETCH(int, righe);
    QFETCH(int, lunghezza);
    const Generato g = Genera(120, 77);
    // Lines of 2 to `lunghezza` numbers, and one that is not read.
    QRandomGenerator caso(righe);
    std::vector<std::vector<int>> linee;
    QString lista;
    for (int r = 0; r < righe; ++r) {
        std::vector<int> linea;
        const int quanti = 2 + int(caso.bounded(lunghezza - 1));
        while (int(linea.size()) < quanti) {
            const int n = 1 + int(caso.bounded(90));
            if (std::find(linea.begin(), linea.end(), n) == linea.end())
                linea.push_back(n);
        }
        std::sort(linea.begin(), linea.end());
        linee.push_back(linea);
        for (int n : linea)
            lista += QString::number(n) + u' ';
        lista += QStringLiteral("\r\n");
    }
    lista += QStringLiteral("1 x 2\r\n");

    // The chosen draws: the last `ultime` dates with a chosen wheel, newest first.
    std::vector<QDate> date;
    for (auto it = g.estrazioni.rbegin(); it != g.estrazioni.rend() && int(date.size()) < ultime; ++it) {
        const bool scelta = std::any_of(it->second.begin(), it->second.end(), [&](const auto &r) { return ruote >> r.first & 1; });
        if (scelta)
            date.push_back(it->first);
    }
    std::array<long, 6> vincite{};
    std::vector<int> migliori; // newest first
    QStringList vincenti;
    for (const QDate &data : date) {
        int migliore = 0;
        for (const auto &[r, numeri] : g.estrazioni.at(data)) {
            if (!(ruote >> r & 1))
                continue;
            for (std::size_t l = 0; l < linee.size(); ++l) {
                int h = 0;
                QString riga = data.toString(QStringLiteral("dd/MM/yyyy")) + u' ' + QLatin1String(Codici[r])
                    + QStringLiteral("  riga %1:").arg(l + 1);
                for (int n : linee[l]) {
                    const bool preso = std::find(numeri.begin(), numeri.end(), n) != numeri.end();
                    h += preso ? 1 : 0;
                    riga += preso ? QStringLiteral(" [%1]").arg(n, 2, 10, QLatin1Char('0')) : QStringLiteral(" %1").arg(n, 2, 10, QLatin1Char('0'));
                }
                for (int k = 2; k <= 5; ++k)
                    vincite[std::size_t(k)] += Coppie(h, k);
                if (h >= 2)
                    vincenti << riga;
                migliore = std::max(migliore, h);
            }
        }
        migliori.push_back(migliore);
    }
    QStringList sigle;
    for (int r = 0; r < 11; ++r)
        if (ruote >> r & 1)
            sigle << QLatin1String(Codici[r]);
    QString atteso = QStringLiteral("Spoglio: %1 righe su %2, ultime %3 estrazioni (dal %4 al %5)\n")
                         .arg(righe)
                         .arg(sigle.join(u' '))
                         .arg(date.size())
                         .arg(date.back().toString(QStringLiteral("dd/MM/yyyy")), date.front().toString(QStringLiteral("dd/MM/yyyy")));
    atteso += QStringLiteral("Righe non verificate: 1, la prima è la riga %1\n").arg(righe + 1);
    atteso += QStringLiteral("Vincite: Ambi %1  Terni %2  Quaterne %3  Cinquine %4").arg(vincite[2]).arg(vincite[3]).arg(vincite[4]).arg(vincite[5]);
    const char *const nomi[] = {"Ambo", "Terno", "Quaterna", "Cinquina"};
    for (int k = 2; k <= 5; ++k) {
        int quante = 0;
        int attuale = -1;
        int massimo = 0;
        int corsa = 0;
        // Newest first: the current delay is the run before the first draw with the tier.
        for (int migliore : migliori) {
            if (migliore >= k) {
                ++quante;
                if (attuale < 0)
                    attuale = corsa;
                corsa = 0;
            } else {
                massimo = std::max(massimo, ++corsa);
            }
        }
        atteso += QStringLiteral("\n%1: in %2 estrazioni su %3").arg(QLatin1String(nomi[k - 2])).arg(quante).arg(date.size());
        if (quante > 0)
            atteso += QStringLiteral("; ritardo attuale %1, ritardo massimo %2").arg(attuale).arg(massimo);
    }
    for (int i = 0; i < std::min<int>(int(vincenti.size()), RigheVincentiMostrate); ++i)
        atteso += u'\n' + vincenti[i];
    if (vincenti.size() > RigheVincentiMostrate)
        atteso += QStringLiteral("\n... e altre %1 righe vincenti").arg(vincenti.size() - RigheVincentiMostrate);

    Scelta scelta;
    scelta.ruote = ruote;
    scelta.ultime = ultime;
    const QString testo = Spoglio(Letti(g), Verifica::LeggiLista(lista), scelta);
    QCOMPARE(testo.split(u'\n'), atteso.split(u'\n'));
}

void tst_Archivio::ritardi_data()
{
    QTest::addColumn<quint16>("ruote");
    QTest::addColumn<int>("ultime");
    QTest::newRow("every wheel, the last 30") << quint16(TutteLeRuote) << 30;
    QTest::newRow("Roma alone, all of it") << quint16(1u << 7) << 1000;
    QTest::newRow("the Nazionale and Venezia, the last 5") << quint16((1u << 10) | (1u << 9)) << 5;
}

void tst_Archivio::ritardi()
{
    QFETCH(quint16, ruote);
    QFETCH(int, ultime);
    const Generato g = Genera(200, 3);
    Scelta scelta;
    scelta.ruote = ruote;
    scelta.ultime = ultime;
    const std::vector<Ritardo> ritardi = Ritardi(Letti(g), scelta);
    QCOMPARE(ritardi.size(), std::size_t(90));

    // The dates that count, oldest first, and on which chosen wheels each number came out.
    std::vector<std::map<int, quint16>> uscite;
    std::vector<QDate> date;
    for (const auto &[data, estrazione] : g.estrazioni) {
        std::map<int, quint16> qui;
        bool conta = false;
        for (const auto &[r, numeri] : estrazione) {
            if (!(ruote >> r & 1))
                continue;
            conta = true;
            for (int n : numeri)
                qui[n] |= quint16(1u << r);
        }
        if (conta) {
            uscite.push_back(qui);
            date.push_back(data);
        }
    }
    const int tutte = int(uscite.size());
    for (int n = 1; n <= 90; ++n) {
        const Ritardo &r = ritardi[std::size_t(n - 1)];
        QCOMPARE(r.numero, n);
        int ritardo = 0;
        while (ritardo < tutte && !uscite[std::size_t(tutte - 1 - ritardo)].count(n))
            ++ritardo;
        QCOMPARE(r.ritardo, ritardo);
        int massimo = 0;
        int corsa = 0;
        for (const auto &qui : uscite) {
            corsa = qui.count(n) ? 0 : corsa + 1;
            massimo = std::max(massimo, corsa);
        }
        QCOMPARE(r.ritardoMassimo, massimo);
        int frequenza = 0;
        for (int d = std::max(0, tutte - ultime); d < tutte; ++d)
            frequenza += uscite[std::size_t(d)].count(n) ? qPopulationCount(uscite[std::size_t(d)].at(n)) : 0;
        QCOMPARE(r.frequenza, frequenza);
        if (ritardo == tutte) {
            QVERIFY(r.ultima.isNull());
        } else {
            QCOMPARE(r.ultima, date[std::size_t(tutte - 1 - ritardo)]);
            QCOMPARE(r.ruoteUltima, uscite[std::size_t(tutte - 1 - ritardo)].at(n));
        }
    }
}

QTEST_MAIN(tst_Archivio)
#include "tst_archivio.moc"
