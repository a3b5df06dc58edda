#pragma once
// What a matrix is worth: its lines checked against a draw, and the guarantee of the whole
// matrix. Widget-free, so that the window only shows what these routines compute.

#include "common/Avanzamento.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <array>
#include <atomic>
#include <vector>

namespace Verifica {

constexpr int NumeroMassimo = 90;
constexpr int EstrattiMassimi = 20;
// The guarantee is worked out for draws of 2 up to this many numbers.
constexpr int EstrattiGaranzia = 6;

// A set of numbers from 1 to 90: bit k stands for the number k.
struct Numeri
{
    std::array<quint64, 2> bit{};

    void Aggiungi(int numero);
    bool Contiene(int numero) const;
    int Quanti() const;
    // In ascending order.
    std::vector<int> Elenco() const;
    Numeri operator&(const Numeri &altri) const;
    Numeri operator|(const Numeri &altri) const;
    bool operator==(const Numeri &altri) const { return bit == altri.bit; }
    bool operator!=(const Numeri &altri) const { return bit != altri.bit; }
};

// The one reading of a list line's numbers: its space-separated tokens, empty tokens
// ignored, each a whole number from 1 to 90 in ASCII digits; a number repeated counts
// once. False, with `numeri` unspecified, when a token is anything else.
bool LeggiRiga(QStringView riga, Numeri &numeri);

struct RigaLetta
{
    int numero = 0; // its place in the list text, from 1; empty lines are counted too
    Numeri numeri;
};

struct Lista
{
    std::vector<RigaLetta> righe;  // the checked lines, in list order
    int nonVerificate = 0;         // non-empty lines holding a token that is no number 1-90
    int primaNonVerificata = 0;    // the first of them, 0 when there is none
    bool vuota = true;             // no line holds anything at all
};

// The list text, lines separated by CR LF as the list box gives it. A line of spaces alone
// holds nothing, like an empty one.
Lista LeggiLista(QStringView testo);

// ---- The draw ------------------------------------------------------------------------

struct Estrazione
{
    enum Esito { Valida, NessunNumero, FuoriIntervallo, Ripetuto, Troppi };
    Esito esito = NessunNumero;
    std::vector<int> numeri;  // as typed, when valid
    QString numero;           // the number refused, as typed (FuoriIntervallo, Ripetuto)
};

// Numbers separated by anything that is not an ASCII digit; 1 to 20 distinct numbers
// from 1 to 90. The first number out of range or repeated, in reading order, is refused.
Estrazione LeggiEstrazione(QStringView testo);

// The message that refuses a draw, in the program's style ("|" breaks the line).
QString MessaggioEstrazione(const Estrazione &estrazione);

// A line as the results show it: " 01 [05] [12] 33", its numbers ascending in two digits,
// those in `presi` in brackets, each after a space; appended to `testo`.
void ScriviRiga(QString &testo, const Numeri &riga, const Numeri &presi);

// The result of a valid draw against the lines, as the window shows it.
QString TestoVerifica(const Lista &lista, const Estrazione &estrazione);

// ---- The guarantee -------------------------------------------------------------------

struct Livello
{
    int estratti = 0;   // t: how many of the matrix's numbers come out
    int garantiti = 0;  // g(t): the hits that the best line has in every case
    quint64 coperti = 0; // the t-subsets that lie whole inside some line
    quint64 casi = 0;    // C(n, t)
};

struct Garanzia
{
    Numeri numeri;               // N: every number the checked lines use
    int righe = 0;               // the checked lines
    std::vector<Livello> livelli; // t from 2 to min(6, |N|)
};

using Avanzamento = ::Avanzamento;

// The exact guarantee of the lines. False when `avanzamento.annulla` stopped it first;
// `esito` is then unspecified. Needs at least one line and two distinct numbers: without
// them there is no level to give. Exact, so a matrix of long lines by the thousand can take
// seconds; memory stays under 100 MiB, and std::bad_alloc is thrown where even that fails.
bool CalcolaGaranzia(const Lista &lista, Garanzia &esito, Avanzamento &avanzamento);

// "45,5%": one decimal after a comma, rounded to nearest, a tie upwards; "100%" and "0%"
// only when exact. Where one decimal would show 100,0 or 0,0 for a share that is neither,
// two digits from the first decimal that tells it apart, the second left out when it is 0:
// "99,97%", "0,0021%".
QString Percentuale(quint64 parte, quint64 tutto);

QString TestoGaranzia(const Garanzia &garanzia);

} // namespace Verifica
