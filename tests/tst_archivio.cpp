#include "archivio/Archivio.h"
#include "common/NumeriErrore.h"
#include "list/Apertura.h"
#include "verifica/Verifica.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <limits>
#include <numeric>
#include <map>
#include <vector>

using namespace Archivio;

namespace {

const char *const Codici[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"};
// The day the readings take for today.
const QDate Oggi(2026, 12, 8);

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

// Whole cents as Italian euro, worked here digit by digit.
QString Soldi(qint64 centesimi)
{
    QString cifre = QString::number(std::abs(centesimi) / 100);
    for (qsizetype i = cifre.size() - 3; i > 0; i -= 3)
        cifre.insert(i, u'.');
    return (centesimi < 0 ? QStringLiteral("-") : QString()) + cifre
        + QStringLiteral(",%1 €").arg(std::abs(centesimi) % 100, 2, 10, QLatin1Char('0'));
}

// One date with the first `quante` wheels, each drawing 1 to 5.
QByteArray UnaDataSu(int quante)
{
    QByteArray testo;
    for (int r = 0; r < quante; ++r)
        testo += QByteArray("2026/09/26\t") + Codici[r] + "\t1\t2\t3\t4\t5\r\n";
    return testo;
}

// Text as a spreadsheet saves it as "Testo Unicode": UTF-16 after its byte-order mark.
QByteArray Utf16(const char *testo, bool piccola)
{
    QByteArray byte = piccola ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (QChar c : QString::fromUtf8(testo)) {
        const char alto = char(c.unicode() >> 8);
        const char basso = char(c.unicode() & 0xFF);
        byte += piccola ? basso : alto;
        byte += piccola ? alto : basso;
    }
    return byte;
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
    void bilancio_data();
    void bilancio();
    void euro_data();
    void euro();
    void annullato();
};

void tst_Archivio::lettura_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("errore"); // of the whole file; 0 when accepted or refused at a line
    QTest::addColumn<int>("riga");   // of the refusal; 0 when accepted
    // The reason, or "dates rows first-date wheels-of-that-date first-wheel n1..n5".
    QTest::addColumn<QString>("atteso");

    QTest::newRow("official") << QByteArray("1939/01/07\tBA\t58\t22\t47\t49\t69\r\n") << 0 << 0 << "1 1 1939-01-07 BA BA 58 22 47 49 69";
    QTest::newRow("semicolons, dashes") << QByteArray("1939-01-07;ca;1;2;3;4;5") << 0 << 0 << "1 1 1939-01-07 CA CA 1 2 3 4 5";
    QTest::newRow("commas, day first, names")
        << QByteArray("07/01/1939, Firenze, 1, 2, 3, 4, 5\n8/1/1939, NAZIONALE, 90, 89, 88, 87, 86\n") << 0 << 0
        << "2 2 1939-01-07 FI FI 1 2 3 4 5";
    QTest::newRow("runs of spaces, blank lines, a header")
        << QByteArray("Data  Ruota  Numeri\n\n   \n2026/09/26   RM   05   7  012 18 33  \r\n\r\n") << 0 << 0
        << "1 1 2026-09-26 RM RM 5 7 12 18 33";
    QTest::newRow("UTF-8 with its mark, a header with an accent")
        << QByteArray("\xEF\xBB\xBF" "Città;Estrazione\n2026/09/26;VE;1;2;3;4;5\n") << 0 << 0 << "1 1 2026-09-26 VE VE 1 2 3 4 5";
    QTest::newRow("Windows-1252 header") << QByteArray("Citt\xE0\tRuota\n2026/09/26\tVE\t1\t2\t3\t4\t5") << 0 << 0
                                         << "1 1 2026-09-26 VE VE 1 2 3 4 5";
    QTest::newRow("out of order, a row twice")
        << QByteArray("2000/01/08\tTO\t1\t2\t3\t4\t5\n1999/12/30\tGE\t6\t7\t8\t9\t10\n2000/01/08\tTO\t1\t2\t3\t4\t5\n") << 0 << 0
        << "2 2 1999-12-30 GE GE 6 7 8 9 10";
    // The ten city wheels are "Tutte"; with the Nazionale they are eleven codes.
    QTest::newRow("ten wheels") << UnaDataSu(10) << 0 << 0 << "1 10 2026-09-26 Tutte BA 1 2 3 4 5";
    QTest::newRow("eleven wheels") << UnaDataSu(11) << 0 << 0 << "1 11 2026-09-26 BA CA FI GE MI NA PA RM TO VE RN BA 1 2 3 4 5";
    QTest::newRow("UTF-16 little-endian with its mark")
        << Utf16("Città\tRuota\r\n2026/09/26\tNA\t1\t2\t3\t4\t5\r\n", true) << 0 << 0 << "1 1 2026-09-26 NA NA 1 2 3 4 5";
    QTest::newRow("UTF-16 big-endian with its mark")
        << Utf16("2026/09/26\tPA\t1\t2\t3\t4\t5", false) << 0 << 0 << "1 1 2026-09-26 PA PA 1 2 3 4 5";
    QTest::newRow("non-breaking spaces, UTF-8 and Windows-1252")
        << QByteArray("1939/01/07\xC2\xA0" "FI\xC2\xA0" "4\xC2\xA0" "14 22\xE2\x80\xAF" "83 30\n") << 0 << 0
        << "1 1 1939-01-07 FI FI 4 14 22 83 30";
    QTest::newRow("non-breaking spaces, Windows-1252") << QByteArray("1939/01/07\xA0MI\xA0" "1\xA0" "2\xA0" "3\xA0" "4\xA0" "5")
                                                       << 0 << 0 << "1 1 1939-01-07 MI MI 1 2 3 4 5";
    QTest::newRow("CR alone ends a line")
        << QByteArray("Data\r1939/01/07\tBA\t1\t2\t3\t4\t5\r1939/01/10\tBA\t6\t7\t8\t9\t10\r") << 0 << 0
        << "2 2 1939-01-07 BA BA 1 2 3 4 5";
    QTest::newRow("today is no future") << QByteArray("2026/12/08\tBA\t1\t2\t3\t4\t5") << 0 << 0 << "1 1 2026-12-08 BA BA 1 2 3 4 5";
    QTest::newRow("the first draw there is") << QByteArray("1871/01/07\tNA\t1\t2\t3\t4\t5") << 0 << 0 << "1 1 1871-01-07 NA NA 1 2 3 4 5";

    QTest::newRow("unknown wheel") << QByteArray("1939/01/07\tXX\t1\t2\t3\t4\t5") << 0 << 1 << "la ruota XX non esiste";
    QTest::newRow("four numbers") << QByteArray("h\n\n1939/01/07\tBA\t1\t2\t3\t4") << 0 << 3 << "servono 5 numeri, ce ne sono 4";
    QTest::newRow("six numbers") << QByteArray("1939/01/07 BA 1 2 3 4 5 6") << 0 << 1 << "servono 5 numeri, ce ne sono 6";
    QTest::newRow("above 90") << QByteArray("1939/01/07\tBA\t1\t2\t95\t4\t5") << 0 << 1 << "il numero 95 non è tra 1 e 90";
    QTest::newRow("zero") << QByteArray("1939/01/07\tBA\t0\t2\t3\t4\t5") << 0 << 1 << "il numero 0 non è tra 1 e 90";
    QTest::newRow("not a number") << QByteArray("1939/01/07\tBA\t1a\t2\t3\t4\t5") << 0 << 1 << "1a non è un numero";
    QTest::newRow("twice") << QByteArray("1939/01/07\tBA\t12\t2\t3\t12\t5") << 0 << 1 << "il numero 12 è ripetuto";
    QTest::newRow("impossible date") << QByteArray("2026/02/30\tBA\t1\t2\t3\t4\t5") << 0 << 1 << "la data 2026/02/30 non esiste";
    QTest::newRow("a second header") << QByteArray("Data\n1939/01/07\tBA\t1\t2\t3\t4\t5\nFine") << 0 << 3 << "Fine non è una data";
    QTest::newRow("no wheel") << QByteArray("1939/01/07") << 0 << 1 << "manca la ruota";
    QTest::newRow("same date and wheel, another number")
        << QByteArray("1939/01/07\tBA\t1\t2\t3\t4\t5\n1939/01/14\tBA\t1\t2\t3\t4\t5\n07/01/1939;bari;1;2;3;4;6") << 0 << 3
        << "BA del 07/01/1939 è già alla riga 1 con 5 al posto di 6";
    QTest::newRow("same date and wheel, two other numbers")
        << QByteArray("1939/01/07\tRM\t10\t20\t30\t40\t50\n\n1939/01/07\tRM\t10\t21\t30\t40\t51") << 0 << 3
        << "RM del 07/01/1939 è già alla riga 1 con 20, 50 al posto di 21, 51";
    QTest::newRow("same date and wheel, the numbers in another order")
        << QByteArray("1939/01/07\tTO\t1\t2\t3\t4\t5\n1939/01/07\tTO\t5\t4\t3\t2\t1") << 0 << 2
        << "TO del 07/01/1939 è già alla riga 1 con gli stessi numeri in un altro ordine";
    // A first line with a field shaped like a date is a row, and judged as one.
    QTest::newRow("a typo in the first row's date") << QByteArray("1939/01/O7\tBA\t1\t2\t3\t4\t5\n1939/01/10\tBA\t1\t2\t3\t4\t5")
                                                     << 0 << 1 << "1939/01/O7 non è una data";
    QTest::newRow("a first row with the date elsewhere") << QByteArray("BA 1939/01/07 1 2 3 4 5") << 0 << 1 << "BA non è una data";
    QTest::newRow("a date of eight digits") << QByteArray("19390107 BA 1 2 3 4 5") << 0 << 1 << "19390107 non è una data";
    QTest::newRow("a date with dots") << QByteArray("07.01.1939 BA 1 2 3 4 5") << 0 << 1 << "07.01.1939 non è una data";
    QTest::newRow("after today") << QByteArray("2026/09/26\tBA\t1\t2\t3\t4\t5\r\n2062/01/07\tBA\t1\t2\t3\t4\t5\r\n") << 0 << 2
                                 << "la data 2062/01/07 viene dopo oggi, 08/12/2026";
    QTest::newRow("before the first draw")
        << QByteArray("0999/01/07\tBA\t1\t2\t3\t4\t5") << 0 << 1
        << "la data 0999/01/07 è prima del 07/01/1871, la prima estrazione del Lotto nazionale negli archivi storici";
    QTest::newRow("the day before the first draw") << QByteArray("06/01/1871;NA;1;2;3;4;5") << 0 << 1
                                                   << "la data 06/01/1871 è prima del 07/01/1871, la prima estrazione del Lotto nazionale negli archivi storici";
    QTest::newRow("CR alone, a refusal on the third line")
        << QByteArray("1939/01/07\tBA\t1\t2\t3\t4\t5\r\r1939/01/10\tBA\t1\t2\t3\t4\t99\r") << 0 << 3
        << "il numero 99 non è tra 1 e 90";

    // Refused as opening a list refuses what is not text.
    QTest::newRow("a zip") << QByteArray("PK\x03\x04\x14\x00\x00\x00\x08\x00", 10) << 13 << 0 << "";
    QTest::newRow("a PNG") << QByteArray("\x89PNG\r\n\x1A\n\x00\x00\x00\rIHDR", 16) << 13 << 0 << "";
    QTest::newRow("a NUL among rows") << QByteArray("1939/01/07\tBA\t1\t2\t3\t4\t5\r\n\x00", 26) << 13 << 0 << "";
    QTest::newRow("UTF-8's mark over bytes that are not") << QByteArray("\xEF\xBB\xBF" "1939/01/07\tBA\t1\t2\t3\t4\t5\xFF") << 13 << 0 << "";
    QTest::newRow("UTF-16 with an odd byte") << Utf16("1939/01/07\tBA\t1\t2\t3\t4\t5", true) + 'x' << 13 << 0 << "";
    QTest::newRow("UTF-16 with a lone surrogate") << QByteArray("\xFF\xFE\x31\x00\x00\xD8\x32\x00", 8) << 13 << 0 << "";
    QTest::newRow("UTF-16 with a control character") << QByteArray("\xFF\xFE\x31\x00\x07\x00\x32\x00", 8) << 13 << 0 << "";
    QTest::newRow("UTF-16 without its mark") << Utf16("1939/01/07\tBA\t1\t2\t3\t4\t5", true).sliced(2) << 13 << 0 << "";
    QTest::newRow("a header alone") << QByteArray("Data;Ruota\r\n") << 101 << 0 << "";
}

void tst_Archivio::lettura()
{
    QFETCH(QByteArray, file);
    QFETCH(int, errore);
    QFETCH(int, riga);
    QFETCH(QString, atteso);
    Dati dati;
    const Lettura lettura = Leggi(file, QStringLiteral("storico.txt"), dati, Oggi);
    QCOMPARE(lettura.errore, errore);
    QCOMPARE(lettura.riga, riga);
    if (errore != 0 || riga > 0) {
        QCOMPARE(lettura.motivo, atteso);
        QVERIFY(dati.estrazioni.empty());
        return;
    }
    QVERIFY(lettura.motivo.isEmpty());
    const Estrazione &prima = dati.estrazioni.front();
    int ruota = 0;
    while (!prima.Ha(ruota))
        ++ruota;
    QString letto = QStringLiteral("%1 %2 %3 %4 %5")
                        .arg(dati.estrazioni.size())
                        .arg(dati.righe)
                        .arg(prima.data.toString(Qt::ISODate), NomeScelta(prima.ruote), Sigla(ruota));
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
    const Lettura manca = LeggiFile(cartella.filePath(QStringLiteral("manca.txt")), dati, lettura);
    QCOMPARE(manca.errore, NumeriErrore::ErroreFileMancante);
    QCOMPARE(TestoRifiuto(manca), QStringLiteral("File non trovato ..!"));
    QFile grande(cartella.filePath(QStringLiteral("grande.txt")));
    QVERIFY(grande.open(QIODevice::WriteOnly) && grande.resize(DimensioneMassima + 1));
    grande.close();
    // The limit named, where the error's own text would say the memory ran out.
    const Lettura troppo = LeggiFile(grande.fileName(), dati, lettura);
    QCOMPARE(troppo.errore, NumeriErrore::ErroreMemoria);
    QCOMPARE(TestoRifiuto(troppo), QStringLiteral("Il file supera i 16 MiB, il massimo per un archivio ..!"));
    QFile buono(cartella.filePath(QStringLiteral("storico.txt")));
    QVERIFY(buono.open(QIODevice::WriteOnly));
    buono.write(Testo(Genera(30, 9), 2));
    buono.close();
    QVERIFY(LeggiFile(buono.fileName(), dati, lettura).Accettata());
    QCOMPARE(dati.nome, QStringLiteral("storico.txt"));
    QCOMPARE(dati.estrazioni.size(), std::size_t(30));
    // Its last date is after the day taken for today.
    const Lettura presto = LeggiFile(buono.fileName(), dati, lettura, dati.estrazioni[28].data);
    QCOMPARE(presto.riga > 0, true);
    QCOMPARE(TestoRifiuto(presto), QStringLiteral("Riga %1: %2 ..!").arg(presto.riga).arg(presto.motivo));
    QVERIFY(presto.motivo.contains(QStringLiteral("viene dopo oggi")));
}

void tst_Archivio::spoglio_data()
{
    QTest::addColumn<quint16>("ruote");
    QTest::addColumn<int>("ultime");
    QTest::addColumn<int>("righe");
    QTest::addColumn<int>("minimo"); // numbers in a line, at least and at most
    QTest::addColumn<int>("massimo");
    QTest::addColumn<int>("sorte");
    QTest::addColumn<int>("copie"); // of each line, one after the other
    QTest::newRow("Tutte, the last 40") << Tutte << 40 << 30 << 2 << 10 << int(Ambo) << 1;
    QTest::newRow("eleven wheels, the last 40") << OgniRuota << 40 << 30 << 2 << 10 << int(Terno) << 1;
    QTest::newRow("the Nazionale alone, all of it") << quint16(1u << 10) << 1000 << 30 << 2 << 10 << int(Quaterna) << 1;
    QTest::newRow("Bari and Napoli, the last 7") << quint16((1u << 0) | (1u << 5)) << 7 << 30 << 2 << 10 << int(Estratto) << 1;
    QTest::newRow("beyond the rows listed") << Tutte << 1000 << 400 << 2 << 10 << int(Ambo) << 1;
    QTest::newRow("long lines among short ones") << OgniRuota << 200 << 60 << 2 << 40 << int(Cinquina) << 1;
    QTest::newRow("long lines alone") << Tutte << 300 << 20 << 30 << 60 << int(Ambo) << 1;
    QTest::newRow("single numbers, listed from one hit") << Tutte << 100 << 50 << 1 << 1 << int(Estratto) << 1;
    QTest::newRow("every line three times") << OgniRuota << 100 << 40 << 2 << 7 << int(Terno) << 3;
    QTest::newRow("single numbers among pairs") << OgniRuota << 60 << 40 << 1 << 2 << int(Ambo) << 1;
}

void tst_Archivio::spoglio()
{
    QFETCH(quint16, ruote);
    QFETCH(int, ultime);
    QFETCH(int, righe);
    QFETCH(int, minimo);
    QFETCH(int, massimo);
    QFETCH(int, sorte);
    QFETCH(int, copie);
    const Generato g = Genera(120, 77);
    const qint64 posta = 150;
    // Lines of `minimo` to `massimo` numbers, and one that is not read.
    QRandomGenerator caso(righe);
    std::vector<std::vector<int>> linee;
    QString lista;
    for (int r = 0; r < righe; ++r) {
        std::vector<int> linea;
        const int quanti = minimo + int(caso.bounded(massimo - minimo + 1));
        while (int(linea.size()) < quanti) {
            const int n = 1 + int(caso.bounded(90));
            if (std::find(linea.begin(), linea.end(), n) == linea.end())
                linea.push_back(n);
        }
        std::sort(linea.begin(), linea.end());
        for (int c = 0; c < copie; ++c) {
            linee.push_back(linea);
            for (int n : linea)
                lista += QString::number(n) + u' ';
            lista += QStringLiteral("\r\n");
        }
    }
    lista += QStringLiteral("1 x 2\r\n");
    const bool singoli = std::all_of(linee.begin(), linee.end(), [](const std::vector<int> &l) { return l.size() == 1; });

    // The chosen draws: the last `ultime` dates with a chosen wheel, newest first.
    std::vector<QDate> date;
    for (auto it = g.estrazioni.rbegin(); it != g.estrazioni.rend() && int(date.size()) < ultime; ++it) {
        const bool scelta = std::any_of(it->second.begin(), it->second.end(), [&](const auto &r) { return ruote >> r.first & 1; });
        if (scelta)
            date.push_back(it->first);
    }
    // Every line against every chosen wheel of every chosen draw, one at a time; the balance
    // from each payment on its own, rounded as it is paid.
    std::array<long, 6> vincite{};
    std::vector<int> migliori; // newest first
    QStringList vincenti;
    const int divisore = ruote == Tutte ? 10 : 1;
    const qint64 moltiplicatori[] = {0, 1123, 25000, 450000, 12000000, 600000000};
    qint64 costo = 0;
    qint64 lorde = 0;
    qint64 ritenuta = 0;
    const long giocate = std::count_if(linee.begin(), linee.end(), [&](const std::vector<int> &l) { return int(l.size()) >= sorte; });
    for (const QDate &data : date) {
        int migliore = 0;
        int puntate = 0;
        for (const auto &[r, numeri] : g.estrazioni.at(data)) {
            if (!(ruote >> r & 1))
                continue;
            ++puntate;
            for (std::size_t l = 0; l < linee.size(); ++l) {
                int h = 0;
                QString riga = data.toString(QStringLiteral("dd/MM/yyyy")) + u' ' + QLatin1String(Codici[r])
                    + QStringLiteral("  riga %1:").arg(l + 1);
                for (int n : linee[l]) {
                    const bool preso = std::find(numeri.begin(), numeri.end(), n) != numeri.end();
                    h += preso ? 1 : 0;
                    riga += preso ? QStringLiteral(" [%1]").arg(n, 2, 10, QLatin1Char('0')) : QStringLiteral(" %1").arg(n, 2, 10, QLatin1Char('0'));
                }
                for (int k = 1; k <= 5; ++k)
                    vincite[std::size_t(k)] += Coppie(h, k);
                if (h >= (singoli ? 1 : 2))
                    vincenti << riga;
                migliore = std::max(migliore, h);
                const int n = int(linee[l].size());
                if (h >= sorte && n >= sorte) {
                    const qint64 vinto = posta * moltiplicatori[sorte] * Coppie(h, sorte) / (100 * divisore * Coppie(n, sorte));
                    lorde += vinto;
                    ritenuta += (vinto * 8 + 50) / 100;
                }
            }
        }
        costo += giocate * (ruote == Tutte ? 1 : puntate) * posta;
        migliori.push_back(migliore);
    }
    QStringList sigle;
    for (int r = 0; r < 11; ++r)
        if (ruote >> r & 1)
            sigle << QLatin1String(Codici[r]);
    QString atteso = QStringLiteral("Spoglio: %1 righe su %2, ultime %3 estrazioni (dal %4 al %5)\n")
                         .arg(linee.size())
                         .arg(ruote == Tutte ? QStringLiteral("Tutte") : sigle.join(u' '))
                         .arg(date.size())
                         .arg(date.back().toString(QStringLiteral("dd/MM/yyyy")), date.front().toString(QStringLiteral("dd/MM/yyyy")));
    atteso += QStringLiteral("Righe non verificate: 1, la prima è la riga %1\n").arg(linee.size() + 1);
    atteso += QStringLiteral("Vincite: Estratti %1  Ambi %2  Terni %3  Quaterne %4  Cinquine %5")
                  .arg(vincite[1]).arg(vincite[2]).arg(vincite[3]).arg(vincite[4]).arg(vincite[5]);
    const char *const nomi[] = {"Estratto", "Ambo", "Terno", "Quaterna", "Cinquina"};
    for (int k = 1; k <= 5; ++k) {
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
        atteso += QStringLiteral("\n%1: in %2 estrazioni su %3").arg(QLatin1String(nomi[k - 1])).arg(quante).arg(date.size());
        if (quante > 0)
            atteso += QStringLiteral("; ritardo attuale %1, ritardo massimo %2").arg(attuale).arg(massimo);
    }
    const char *const sorti[] = {"", "estratto", "ambo", "terno", "quaterna", "cinquina"};
    atteso += QStringLiteral("\nBilancio ai premi di oggi: %1 a 1,50 € per riga %2").arg(QLatin1String(sorti[sorte]))
                  .arg(ruote == Tutte ? QStringLiteral("su Tutte, divisi tra le 10 ruote") : QStringLiteral("e ruota"));
    atteso += QStringLiteral("\nCosto %1  Vincite lorde %2  Ritenuta (8%) %3  Netto %4  Saldo %5")
                  .arg(Soldi(costo), Soldi(lorde), Soldi(ritenuta), Soldi(lorde - ritenuta), Soldi(lorde - ritenuta - costo));
    const long corte = long(linee.size()) - giocate;
    const char *const perSorte[] = {"", "per l'estratto", "per l'ambo", "per il terno", "per la quaterna", "per la cinquina"};
    if (corte > 0)
        atteso += QStringLiteral("\nRighe con meno di %1 numeri, non giocate %2: %3").arg(sorte).arg(QLatin1String(perSorte[sorte])).arg(corte);
    const long lunghe = std::count_if(linee.begin(), linee.end(), [](const std::vector<int> &l) { return l.size() > 10; });
    const char *const plurali[] = {"", "estratti", "ambi", "terni", "quaterne", "cinquine"};
    if (lunghe > 0)
        atteso += QStringLiteral("\nRighe di più di 10 numeri, contate come il loro sviluppo in %1: %2").arg(QLatin1String(plurali[sorte])).arg(lunghe);
    for (int i = 0; i < std::min<int>(int(vincenti.size()), RigheVincentiMostrate); ++i)
        atteso += u'\n' + vincenti[i];
    if (vincenti.size() > RigheVincentiMostrate)
        atteso += QStringLiteral("\n... e altre %1 righe vincenti").arg(vincenti.size() - RigheVincentiMostrate);

    Scelta scelta;
    scelta.ruote = ruote;
    scelta.ultime = ultime;
    Spogliato esito;
    Avanzamento avanzamento;
    QVERIFY(Riproduci(Letti(g), Verifica::LeggiLista(lista), scelta, Giocata{sorte, posta}, esito, avanzamento));
    QCOMPARE(esito.testo.split(u'\n'), atteso.split(u'\n'));
    QCOMPARE(avanzamento.millesimi.load(), 1000);
    QCOMPARE(esito.bilancio.andamento.size(), date.size());
    QCOMPARE(esito.bilancio.andamento.back().saldo, lorde - ritenuta - costo);
}

void tst_Archivio::ritardi_data()
{
    QTest::addColumn<quint16>("ruote");
    QTest::addColumn<int>("ultime");
    QTest::newRow("Tutte, the last 30") << Tutte << 30;
    QTest::newRow("eleven wheels, the last 30") << OgniRuota << 30;
    QTest::newRow("Roma alone, all of it") << quint16(1u << 7) << 1000;
    QTest::newRow("the Nazionale and Venezia, the last 5") << quint16((1u << 10) | (1u << 9)) << 5;
    // Some numbers come out once or never on the Nazionale's 67 dates: no mean for them.
    QTest::newRow("the Nazionale alone") << quint16(1u << 10) << 100;
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
        // The runs between two dates it came out on, each run the dates without it there.
        std::vector<int> corse;
        int precedente = -1;
        for (int d = 0; d < tutte; ++d) {
            if (!uscite[std::size_t(d)].count(n))
                continue;
            if (precedente >= 0)
                corse.push_back(d - precedente - 1);
            precedente = d;
        }
        if (corse.empty())
            QVERIFY(r.ritardoMedio < 0);
        else
            QCOMPARE(r.ritardoMedio, double(std::accumulate(corse.begin(), corse.end(), 0)) / double(corse.size()));
        if (ritardo == tutte) {
            QVERIFY(r.ultima.isNull());
        } else {
            QCOMPARE(r.ultima, date[std::size_t(tutte - 1 - ritardo)]);
            QCOMPARE(r.ruoteUltima, uscite[std::size_t(tutte - 1 - ritardo)].at(n));
        }
    }
}

void tst_Archivio::bilancio_data()
{
    QTest::addColumn<QByteArray>("archivio");
    QTest::addColumn<QString>("lista");
    QTest::addColumn<quint16>("ruote");
    QTest::addColumn<int>("sorte");
    QTest::addColumn<qint64>("posta");
    QTest::addColumn<QList<qint64>>("cifre");    // cost, gross wins, withholding: worked by hand, in cents
    QTest::addColumn<QList<qint64>>("saldi");    // the running balance after each draw
    QTest::addColumn<QList<int>>("sorti");       // the tier a paying line reached at each draw
    QTest::addColumn<QString>("testo");

    // 1 € on the ambo with five numbers: one ambo of ten pays 250 / 10 = 25 €; three hits hold
    // three ambi, 75 €; 8 % of each is withheld.
    const QByteArray treDate = "2026/01/03\tBA\t1\t2\t60\t61\t62\r\n2026/01/06\tBA\t1\t2\t3\t70\t71\r\n"
                               "2026/01/08\tBA\t80\t81\t82\t83\t84\r\n";
    QTest::newRow("a line of five for the ambo, with 2 hits, then 3, then none")
        << treDate << "1 2 3 4 5" << quint16(1) << int(Ambo) << qint64(100) << QList<qint64>{300, 10000, 800}
        << QList<qint64>{2200, 9000, 8900} << QList<int>{2, 3, 0}
        << "Bilancio ai premi di oggi: ambo a 1,00 € per riga e ruota\n"
           "Costo 3,00 €  Vincite lorde 100,00 €  Ritenuta (8%) 8,00 €  Netto 92,00 €  Saldo 89,00 €";

    // 10 and 20 together on Bari, Roma and the Nazionale: on Tutte a tenth of the euro on
    // each of the ten, 0,10 × 250 = 25 € on Bari and on Roma, nothing on the Nazionale.
    QByteArray undici;
    for (int r = 0; r < 11; ++r) {
        const bool coppia = r == 0 || r == 7 || r == 10;
        undici += QByteArray("2026/01/03\t") + Codici[r] + (coppia ? "\t10\t20" : "\t10\t21") + "\t30\t31\t32\r\n";
    }
    QTest::newRow("an ambo secco on Tutte, out on Bari, Roma and the Nazionale")
        << undici << "10 20" << Tutte << int(Ambo) << qint64(100) << QList<qint64>{100, 5000, 400}
        << QList<qint64>{4500} << QList<int>{2}
        << "Bilancio ai premi di oggi: ambo a 1,00 € per riga su Tutte, divisi tra le 10 ruote\n"
           "Costo 1,00 €  Vincite lorde 50,00 €  Ritenuta (8%) 4,00 €  Netto 46,00 €  Saldo 45,00 €";
    // The same on eleven wheels: a euro on each, 250 € where it came out.
    QTest::newRow("the same ambo on each of the eleven wheels")
        << undici << "10 20" << OgniRuota << int(Ambo) << qint64(100) << QList<qint64>{1100, 75000, 6000}
        << QList<qint64>{67900} << QList<int>{2}
        << "Bilancio ai premi di oggi: ambo a 1,00 € per riga e ruota\n"
           "Costo 11,00 €  Vincite lorde 750,00 €  Ritenuta (8%) 60,00 €  Netto 690,00 €  Saldo 679,00 €";

    // The estratto pays 11,23 times the posta; 8 % of 11,23 is 0,8984, withheld as 0,90.
    QTest::newRow("the estratto of one number, out twice in three draws")
        << QByteArray("2026/01/03\tBA\t7\t1\t2\t3\t4\n2026/01/06\tBA\t8\t1\t2\t3\t4\n2026/01/08\tBA\t1\t2\t3\t4\t7\n") << "7"
        << quint16(1) << int(Estratto) << qint64(100) << QList<qint64>{300, 2246, 180} << QList<qint64>{933, 833, 1766}
        << QList<int>{1, 0, 1}
        << "Bilancio ai premi di oggi: estratto a 1,00 € per riga e ruota\n"
           "Costo 3,00 €  Vincite lorde 22,46 €  Ritenuta (8%) 1,80 €  Netto 20,66 €  Saldo 17,66 €";
    // Three numbers for the estratto, two out: 11,23 × 2 / 3 = 7,4866…, paid as 7,48.
    QTest::newRow("the estratto of a line of three, two out")
        << QByteArray("2026/01/03\tMI\t7\t8\t50\t51\t52\n") << "7 8 9" << quint16(1u << 4) << int(Estratto) << qint64(100)
        << QList<qint64>{100, 748, 60} << QList<qint64>{588} << QList<int>{2}
        << "Bilancio ai premi di oggi: estratto a 1,00 € per riga e ruota\n"
           "Costo 1,00 €  Vincite lorde 7,48 €  Ritenuta (8%) 0,60 €  Netto 6,88 €  Saldo 5,88 €";
    // Twelve numbers, four out, for the terno: 4 of the C(12,3) = 220 terni, 4.500 × 4 / 220 =
    // 81,8181… €; the line of two plays no terno and costs nothing.
    QTest::newRow("a line of twelve for the terno, and one too short")
        << QByteArray("2026/01/03\tGE\t1\t2\t3\t4\t60\n") << "1 2 3 4 5 6 7 8 9 10 11 12\r\n1 2" << quint16(1u << 3)
        << int(Terno) << qint64(100) << QList<qint64>{100, 8181, 654} << QList<qint64>{7427} << QList<int>{4}
        << "Bilancio ai premi di oggi: terno a 1,00 € per riga e ruota\n"
           "Costo 1,00 €  Vincite lorde 81,81 €  Ritenuta (8%) 6,54 €  Netto 75,27 €  Saldo 74,27 €\n"
           "Righe con meno di 3 numeri, non giocate per il terno: 1\n"
           "Righe di più di 10 numeri, contate come il loro sviluppo in terni: 1";
    // 1,50 € on Tutte is 0,15 € a wheel: a quaterna secca pays 0,15 × 120.000 = 18.000 €.
    QTest::newRow("a quaterna secca on Tutte at 1,50 €")
        << QByteArray("2026/01/03\tPA\t5\t6\t7\t8\t9\n2026/01/03\tRN\t5\t6\t7\t8\t9\n") << "5 6 7 8" << Tutte << int(Quaterna)
        << qint64(150) << QList<qint64>{150, 1800000, 144000} << QList<qint64>{1655850} << QList<int>{4}
        << "Bilancio ai premi di oggi: quaterna a 1,50 € per riga su Tutte, divisi tra le 10 ruote\n"
           "Costo 1,50 €  Vincite lorde 18.000,00 €  Ritenuta (8%) 1.440,00 €  Netto 16.560,00 €  Saldo 16.558,50 €";
}

void tst_Archivio::bilancio()
{
    QFETCH(QByteArray, archivio);
    QFETCH(QString, lista);
    QFETCH(quint16, ruote);
    QFETCH(int, sorte);
    QFETCH(qint64, posta);
    QFETCH(QList<qint64>, cifre);
    QFETCH(QList<qint64>, saldi);
    QFETCH(QList<int>, sorti);
    QFETCH(QString, testo);
    Dati dati;
    QVERIFY(Leggi(archivio, QStringLiteral("a mano.txt"), dati, Oggi).Accettata());
    Spogliato esito;
    Avanzamento avanzamento;
    QVERIFY(Riproduci(dati, Verifica::LeggiLista(lista), Scelta{ruote, 100}, Giocata{sorte, posta}, esito, avanzamento));
    const Bilancio &b = esito.bilancio;
    QCOMPARE((QList<qint64>{b.costo, b.lorde, b.ritenuta}), cifre);
    QCOMPARE(b.netto, b.lorde - b.ritenuta);
    QCOMPARE(b.Saldo(), saldi.back());
    QList<qint64> andamento;
    QList<int> raggiunte;
    for (const PuntoAndamento &punto : b.andamento) {
        andamento << punto.saldo;
        raggiunte << punto.sorte;
    }
    QCOMPARE(andamento, saldi);
    QCOMPARE(raggiunte, sorti);
    QCOMPARE(b.andamento.front().data, QDate::fromString(QString::fromLatin1(archivio.left(10)), u"yyyy/MM/dd"));
    QCOMPARE(TestoBilancio(b), testo);
    QVERIFY(esito.testo.contains(u'\n' + testo + u'\n') || esito.testo.endsWith(u'\n' + testo));
}

void tst_Archivio::euro_data()
{
    QTest::addColumn<qint64>("centesimi");
    QTest::addColumn<QString>("testo");
    QTest::newRow("nothing") << qint64(0) << "0,00 €";
    QTest::newRow("five cents") << qint64(5) << "0,05 €";
    QTest::newRow("a loss of a cent") << qint64(-1) << "-0,01 €";
    QTest::newRow("thousands") << qint64(123456) << "1.234,56 €";
    QTest::newRow("a loss in thousands") << qint64(-100000) << "-1.000,00 €";
    QTest::newRow("billions") << qint64(123456789012) << "1.234.567.890,12 €";
    QTest::newRow("the least there is") << std::numeric_limits<qint64>::min() << "-92.233.720.368.547.758,08 €";
}

void tst_Archivio::euro()
{
    QFETCH(qint64, centesimi);
    QFETCH(QString, testo);
    QCOMPARE(Euro(centesimi), testo);
}

void tst_Archivio::annullato()
{
    const Dati dati = Letti(Genera(300, 11));
    const Verifica::Lista lista = Verifica::LeggiLista(QStringLiteral("1 2 3\r\n4 5 6 7\r\n"));
    Spogliato esito;
    Avanzamento prima;
    QVERIFY(Riproduci(dati, lista, Scelta(), Giocata(), esito, prima));
    const QString testo = esito.testo;
    const qint64 saldo = esito.bilancio.Saldo();
    // Asked to stop before it starts: the earlier result stays whole.
    Avanzamento fermo;
    fermo.annulla = true;
    QVERIFY(!Riproduci(dati, Verifica::LeggiLista(QStringLiteral("8 9\r\n")), Scelta{OgniRuota, 300},
                       Giocata{Estratto, 500}, esito, fermo));
    QCOMPARE(esito.testo, testo);
    QCOMPARE(esito.bilancio.Saldo(), saldo);
    QCOMPARE(esito.bilancio.giocata.sorte, int(Ambo));
}

QTEST_MAIN(tst_Archivio)
#include "tst_archivio.moc"
