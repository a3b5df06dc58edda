#pragma once
// The archive of the real draws: read from the text file the player downloads, then the
// list's lines replayed over it (spoglio) and the numbers' delays (ritardi). Widget-free.

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
constexpr quint16 TutteLeRuote = (1u << Ruote) - 1;
constexpr int Estratti = 5;
// The archive since 1939 is about 2 MB and grows by some 25 kB a year.
constexpr qint64 DimensioneMassima = 16 * 1024 * 1024;

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
// at a line of it, with the reason.
struct Lettura
{
    int errore = 0;
    int riga = 0;
    QString motivo;

    bool Accettata() const { return errore == 0 && riga == 0; }
};

// Reads an archive from its bytes: one row per date and wheel, the date, the wheel and five
// numbers, separated by tabs, ';', ',' or spaces. `dati` changes only when the whole of it
// is accepted.
Lettura Leggi(QByteArrayView byte, const QString &nome, Dati &dati);
Lettura LeggiFile(const QString &percorso, Dati &dati, Apertura::LetturaFile &lettura);

// "Archivio: storico.txt, 7391 estrazioni dal 07/01/1939 al 26/09/2026 (77176 ruote)".
QString Descrizione(const Dati &dati);

// The wheels chosen, a bit each, and how many of the last dates that drew one of them.
struct Scelta
{
    quint16 ruote = TutteLeRuote;
    int ultime = 100;
};

// The chosen draws: the indices into `dati.estrazioni`, oldest first, of the last
// `scelta.ultime` dates on which a chosen wheel was drawn.
std::vector<int> Scelte(const Dati &dati, const Scelta &scelta);

// The lines, read as Verifica reads them, against every chosen wheel of every chosen draw,
// as the window shows it. At most this many winning rows are listed, the newest.
constexpr int RigheVincentiMostrate = 1000;
QString Spoglio(const Dati &dati, const Verifica::Lista &lista, const Scelta &scelta);

struct Ritardo
{
    int numero = 0;
    int ritardo = 0;        // chosen-wheel draws since it last came out on a chosen wheel
    int ritardoMassimo = 0; // the longest run of such draws without it, in the whole archive
    int frequenza = 0;      // times out on the chosen wheels in the chosen last draws
    QDate ultima;           // its last date out, null if never
    quint16 ruoteUltima = 0;
};

// Every number from 1 to 90. A draw counts where a chosen wheel was drawn.
std::vector<Ritardo> Ritardi(const Dati &dati, const Scelta &scelta);

} // namespace Archivio
