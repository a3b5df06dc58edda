#pragma once
// The archive of the real draws: read from the text file the player downloads, then the
// list's lines replayed over it (spoglio) with what they would have paid (bilancio), and
// the numbers' delays (ritardi). Widget-free.

#include "common/Avanzamento.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>

#include <array>
#include <vector>

namespace Apertura {
class LetturaFile;
}
namespace Verifica {
struct Lista;
}

namespace Archivio {

// The wheels in their usual order, the Nazionale last.
constexpr int Ruote = 11;
constexpr int Nazionale = 10;
// "Tutte" is the ten city wheels: the Nazionale is no part of a bet on Tutte.
constexpr quint16 Tutte = (1u << Nazionale) - 1;
constexpr quint16 OgniRuota = (1u << Ruote) - 1;
constexpr int Estratti = 5;
// The archive since 1939 is about 2 MB and grows by some 25 kB a year.
constexpr qint64 DimensioneMassima = 16 * 1024 * 1024;
// The first weekly draw of the national game, 7 January 1871, where the archives that go
// furthest back begin: nothing older is a draw of this game.
inline const QDate PrimaEstrazione(1871, 1, 7);

QString Sigla(int ruota); // "BA" ... "RN"
QString Nome(int ruota);  // "Bari" ... "Nazionale"

// One date of the archive: the wheels drawn that day and their numbers in the order drawn.
struct Estrazione
{
    QDate data;
    quint16 ruote = 0;
    std::array<std::array<quint8, Estratti>, Ruote> numeri{};

    bool Ha(int ruota) const { return (ruote >> ruota & 1) != 0; }
};

struct Dati
{
    QString nome;                        // the file's name, without its folder
    std::vector<Estrazione> estrazioni;  // by date, oldest first
    int righe = 0;                       // wheel rows
};

// How a reading went: accepted, or refused by a run-time error number (the file itself) or
// at a line of it, with the reason. A refusal of the whole file may have a reason too.
struct Lettura
{
    int errore = 0;
    int riga = 0;
    QString motivo;

    bool Accettata() const { return errore == 0 && riga == 0; }
};

// Reads an archive from its bytes: one row per date and wheel, the date, the wheel and five
// numbers, separated by tabs, ';', ',' or spaces. `dati` changes only when the whole of it
// is accepted. `oggi` is the last date a draw may have.
Lettura Leggi(QByteArrayView byte, const QString &nome, Dati &dati, QDate oggi = QDate::currentDate());
Lettura LeggiFile(const QString &percorso, Dati &dati, Apertura::LetturaFile &lettura,
                  QDate oggi = QDate::currentDate());

// The refusal as the message shows it, ending in " ..!": "Riga 12: il numero 95 non è tra 1
// e 90 ..!", the limit of a file too large, or the text of the error number.
QString TestoRifiuto(const Lettura &lettura);

// "Archivio: storico.txt, 7391 estrazioni dal 07/01/1939 al 26/09/2026 (77176 ruote)".
QString Descrizione(const Dati &dati);

// The wheels chosen, a bit each, and how many of the last dates that drew one of them.
struct Scelta
{
    quint16 ruote = Tutte;
    int ultime = 100;
};

// The chosen draws: the indices into `dati.estrazioni`, oldest first, of the last
// `scelta.ultime` dates on which a chosen wheel was drawn.
std::vector<int> Scelte(const Dati &dati, const Scelta &scelta);

// "Tutte" for exactly the ten city wheels, their codes otherwise: "BA NA RN".
QString NomeScelta(quint16 ruote);

// ---- The balance -----------------------------------------------------------------------

// What a line is played for: hits from 1 (estratto) to 5 (cinquina).
enum Sorte { Estratto = 1, Ambo, Terno, Quaterna, Cinquina };

QString NomeSorte(int sorte); // "estratto" ... "cinquina"

// The game's rules as they pay today, in one place. A win of a line of n numbers played for
// sorte s, with h of them drawn on a wheel, is posta × moltiplicatore(s) × C(h,s) / C(n,s);
// a bet on Tutte has a tenth of its posta on each of the ten wheels; the withholding is
// taken from every win.
struct Regolamento
{
    std::array<qint64, Estratti + 1> moltiplicatoreCentesimi; // the multiplier × 100, by sorte
    int ritenutaPercento;
    int numeriMassimi; // in one bet: a longer line is counted as its development
};
inline constexpr Regolamento PremiDiOggi{{0, 1123, 25000, 450000, 12000000, 600000000}, 8, 10};

// The sums of money are whole cents.
constexpr qint64 PostaPredefinita = 100;
constexpr qint64 PostaMassima = 20000; // 200 €, the most one bet slip takes

// The replay takes the posta between 0 and PostaMassima.
struct Giocata
{
    int sorte = Ambo;
    qint64 posta = PostaPredefinita; // per line and wheel, or per line on Tutte
};

// "1.234,56 €", "-0,05 €": Italian figures from whole cents, nothing rounded.
QString Euro(qint64 centesimi);

// One chosen draw on the running balance: its date, the net wins less the cost from the
// first chosen draw up to it, what it paid net, and the highest hits of a paying line there
// (the tier reached: 0 when nothing paid).
struct PuntoAndamento
{
    QDate data;
    qint64 saldo = 0;
    qint64 vinto = 0;
    int sorte = 0;
};

struct Bilancio
{
    Giocata giocata;
    bool suTutte = false;      // the posta divided over the ten wheels
    qint64 costo = 0;
    qint64 lorde = 0;
    qint64 ritenuta = 0;
    qint64 netto = 0;
    int righeCorte = 0;        // lines with fewer numbers than the sorte: not played
    int righeSviluppate = 0;   // lines longer than one bet allows: counted as their development
    std::vector<PuntoAndamento> andamento; // the chosen draws, oldest first

    qint64 Saldo() const { return netto - costo; }
};

// The balance's lines of text, for the spoglio: the header with the sorte, the posta and "ai
// premi di oggi", the figures, and what was done with lines too short or too long.
QString TestoBilancio(const Bilancio &bilancio);

// ---- The replay ------------------------------------------------------------------------

// The lines, read as Verifica reads them, against every chosen wheel of every chosen draw,
// as the window shows it. At most this many winning rows are listed, the newest.
constexpr int RigheVincentiMostrate = 1000;

struct Spogliato
{
    QString testo;     // the spoglio as the window shows it
    Bilancio bilancio; // for `giocata`, over the same draws and wheels
};

// The whole replay. Its cost grows with the chosen wheel rows times the kinds of line
// length, and with the lines only through reading them, for lines short enough to be
// counted by the sets of numbers they hold; longer ones add their count times the rows.
// False when `avanzamento.annulla` stopped it: `esito` is then as it was.
bool Riproduci(const Dati &dati, const Verifica::Lista &lista, const Scelta &scelta, const Giocata &giocata,
               Spogliato &esito, Avanzamento &avanzamento);

// The spoglio's text alone, for the default giocata.
QString Spoglio(const Dati &dati, const Verifica::Lista &lista, const Scelta &scelta);

// ---- The delays ------------------------------------------------------------------------

struct Ritardo
{
    int numero = 0;
    int ritardo = 0;        // chosen-wheel draws since it last came out on a chosen wheel
    int ritardoMassimo = 0; // the longest run of such draws without it, in the whole archive
    int frequenza = 0;      // times out on the chosen wheels in the chosen last draws
    // The mean of the runs between two of its draws in the whole archive, the runs before
    // its first and after its last left out; negative when it came out fewer than twice.
    double ritardoMedio = -1;
    QDate ultima;           // its last date out, null if never
    quint16 ruoteUltima = 0;
};

// Every number from 1 to 90. A draw counts where a chosen wheel was drawn.
std::vector<Ritardo> Ritardi(const Dati &dati, const Scelta &scelta);

} // namespace Archivio
