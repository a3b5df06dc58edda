#pragma once
// The player's conditions on a line: how many of its numbers lie in each of up to six
// groups, their sum, how many are even, the most in one decade or with one last digit, the
// longest run of consecutive numbers, the smallest distance round the wheel. Each is
// optional, with a minimum and a maximum; all those set must hold, or at least N of them.
// Widget-free: the list's filter, the conditioned development, the file that keeps them.

#include "common/Avanzamento.h"
#include "sviluppo/Sviluppo.h"
#include "verifica/Verifica.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <array>
#include <vector>

class QSettings;

namespace Apertura {
class LetturaFile;
}
namespace Salvataggio {
class ScritturaFile;
}

namespace Condizioni {

constexpr int GruppiMassimi = 6;

// The conditions in the order the window and the file give them.
enum Condizione : int {
    Gruppo1,
    Gruppo2,
    Gruppo3,
    Gruppo4,
    Gruppo5,
    Gruppo6,
    Somma,
    Pari,
    Decine,      // the most numbers in one decade, 1-10, 11-20, ..., 81-90
    Cadenze,     // the most numbers with one last digit
    Consecutivi, // the longest run of consecutive numbers (90 and 1 are not consecutive)
    Distanza,    // the least min(|a-b|, 90-|a-b|) over two numbers; 45 with fewer than two
};
constexpr int Quante = Distanza + 1;

// "Gruppo 1" ... "Gruppo 6", "Somma", "Pari", "Decine", "Cadenze", "Consecutivi", "Distanza".
QString Nome(int condizione);

// The values a condition's minimum and maximum may take: a group and the evens 0 to 90 and
// 0 to 45, the sum 1 to 4095, the decades 1 to 10, the last digits 1 to 9, the runs 1 to 90,
// the distance 1 to 45.
int ValoreMinimo(int condizione);
int ValoreMassimo(int condizione);

struct Limiti
{
    bool attiva = false;
    int minimo = 0;
    int massimo = 0;

    bool operator==(const Limiti &altri) const
    {
        return attiva == altri.attiva && minimo == altri.minimo && massimo == altri.massimo;
    }
};

struct Impostazioni
{
    // Each group's numbers, ascending, each once. A group may hold numbers without its
    // condition being set: they are kept, and count for nothing.
    std::array<std::vector<int>, GruppiMassimi> gruppi;
    std::array<Limiti, Quante> limiti;
    // How many of the conditions set must hold; 0 for all of them ("tutte").
    int almeno = 0;

    bool operator==(const Impostazioni &altre) const
    {
        return gruppi == altre.gruppi && limiti == altre.limiti && almeno == altre.almeno;
    }
    bool operator!=(const Impostazioni &altre) const { return !(*this == altre); }
};

// How many conditions are set.
int Impostate(const Impostazioni &impostazioni);
// How many of them must hold: `almeno`, or all of them.
int Richieste(const Impostazioni &impostazioni);

// ---- Before anything runs --------------------------------------------------------------

// The first thing wrong with the conditions for a board of `numeriGriglia` numbers, as the
// program's message ("|" breaks the line), or an empty string: a value outside its range, a
// minimum above its maximum, a group's number outside 1-90 or off the board, a group with
// fewer numbers than its minimum, no condition set, "almeno" above the conditions set.
QString Controlla(const Impostazioni &impostazioni, int numeriGriglia);

// The same, then for lines of k of `numeri` (ascending, 1 to 90): a condition whose range
// none of those lines can reach, named with the values they do reach.
QString Controlla(const Impostazioni &impostazioni, int numeriGriglia, const std::vector<int> &numeri, int k);

struct Portata
{
    int minimo = 0;
    int massimo = 0;
};

// The least and the most that a condition's measure takes over the lines of k of `numeri`
// (ascending, 1 to 90, at least k of them); some values between them may be out of reach.
Portata Raggiungibili(int condizione, const Impostazioni &impostazioni, const std::vector<int> &numeri, int k);

// ---- One line -------------------------------------------------------------------------

// The conditions made ready for lines: the groups as bit masks.
class Criterio
{
public:
    explicit Criterio(const Impostazioni &impostazioni);

    // A condition's measure of a line, set or not.
    int Misura(int condizione, const Verifica::Numeri &riga) const;
    // Whether at least as many conditions hold as must: true when none is set.
    bool Soddisfa(const Verifica::Numeri &riga) const;

private:
    std::array<Verifica::Numeri, GruppiMassimi> m_gruppi;
    std::array<Limiti, Quante> m_limiti;
    int m_ammessi = 0;        // how many set conditions may fail
    bool m_perNumero = false; // a condition that needs the numbers one by one is set
};

// ---- The list ---------------------------------------------------------------------------

struct Conteggio
{
    int soddisfano = 0; // lines of numbers that satisfy the conditions
    int righe = 0;      // lines of numbers, as Verifica reads them
    int nonNumeri = 0;  // lines that are not numbers
    int vuote = 0;      // lines holding nothing, or spaces only
};

// The count for the live display. The text is the list text, lines separated by CR LF, or
// the list box's raw text (QTextDocument::toRawText), whose paragraph and line separators
// end lines alike: the one copy of the box's text that the window has to make on its own
// thread. False when `avanzamento.annulla` stopped it; it looks at the request every few
// thousand lines, and gives its progress in thousandths of the text.
bool Conta(const Impostazioni &impostazioni, QStringView testo, Conteggio &conteggio, ::Avanzamento &avanzamento);

// "Soddisfano: 3 righe su 10".
QString TestoConteggio(const Conteggio &conteggio);

struct Filtrato
{
    QString testo; // every line kept, as it stands, followed by CR LF
    Conteggio conteggio;
    int tenute = 0; // lines of numbers kept
};

// FILTRA: the lines of numbers that satisfy the conditions, or with `scarta` those that do
// not, in their order; lines that are not numbers stay where they stand; blank lines go.
// The text as for Conta.
Filtrato Filtra(const Impostazioni &impostazioni, QStringView testo, bool scarta);

// ---- The conditioned development -------------------------------------------------------

struct Sviluppato
{
    qint64 righe = 0;    // lines that satisfy the conditions, all counted
    qint64 visitate = 0; // partial lines of 1 to k numbers built and checked
    bool annullato = false;
    // The lines as Sviluppo::Sviluppa writes them; empty when there are more than the
    // limit, or when stopped.
    QString testo;
};

// Every line of k of `numeri` (ascending, 1 to 90) that satisfies the conditions, found by
// an enumeration that does not extend a partial line once fewer conditions than must hold
// can still hold. Past `massimo` lines it goes on counting without writing. Looks at
// `avanzamento.annulla` at every partial line it extends, and gives its progress as the
// share of the lines in lexicographic order left behind.
Sviluppato Sviluppa(const Impostazioni &impostazioni, const std::vector<int> &numeri, int k,
                    ::Avanzamento &avanzamento, qint64 massimo = Sviluppo::RigheMassime);

// ---- The file and the settings ---------------------------------------------------------

// A group as typed or written in the file: numbers and runs such as "1-15 20, 22", separated
// by spaces or commas, each from 1 to 90; a number given twice counts once. Returns the
// reason it does not read ("il numero 91 non è tra 1 e 90"), to follow the group's name in
// a message, or an empty string; `numeri` then holds the group, ascending.
QString LeggiGruppo(QStringView testo, std::vector<int> &numeri);

// The group as LeggiGruppo reads it, a run of three or more as "first-last": "1-15 20 22".
QString ScriviGruppo(const std::vector<int> &gruppo);

// A file of conditions holds a few lines of text; anything larger is no such file.
constexpr qint64 DimensioneFile = 64 * 1024;

// The file's text: a comment, then one line per condition set or group with numbers, then
// the combination, each followed by CR LF.
QString Testo(const Impostazioni &impostazioni);

// How a reading went: accepted, or refused by a run-time error number (the file itself) or at
// a line, with the reason.
struct Lettura
{
    int errore = 0;
    int riga = 0;
    QString motivo;

    bool Accettata() const { return errore == 0 && riga == 0; }
};

// Reads the text of a file of conditions. `impostazioni` changes only when all of it reads.
Lettura Leggi(QStringView testo, Impostazioni &impostazioni);

// "Riga 3: Colore non è una condizione ..!", for a refusal at a line.
QString MessaggioRiga(const Lettura &lettura);

// Writes the file whole or not at all, in ASCII with CR LF; 0 or the run-time error number.
int Salva(const QString &percorso, const Impostazioni &impostazioni, Salvataggio::ScritturaFile &scrittura);

// Reads a file of at most DimensioneFile bytes, UTF-8 or Windows-1252.
Lettura Apri(const QString &percorso, Impostazioni &impostazioni, Apertura::LetturaFile &lettura);

// The conditions under `chiave`, as the file's lines: the last ones remembered.
void Ricorda(QSettings &impostazioni, const QString &chiave, const Impostazioni &condizioni);
// False, leaving `condizioni` as it was, when nothing is kept there or it does not read.
bool Richiama(const QSettings &impostazioni, const QString &chiave, Impostazioni &condizioni);

} // namespace Condizioni
