#pragma once
// The list on paper, before any painter: which lines go where on which page, in character
// cells of the list's fixed-width face. Widget-free, so that the columns, the pages and the
// header can be checked without a printer.

#include "verifica/Verifica.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace Stampa {

// A line of the list with something on it, as it is printed.
struct Voce
{
    int numero = 0;        // its place in the list text, from 1, as Verifica counts it
    QString testo;         // as it stands, without the spaces at its ends
    bool leggibile = true; // Verifica reads it; the others are printed marked with "?"
};

// The lines of `testo` (CR LF between them) that hold anything, with how Verifica read them.
std::vector<Voce> Voci(QStringView testo, const Verifica::Lista &lista);

// Whether the guarantee can be given for these lines: some line read, two numbers at least.
bool HaGaranzia(const Verifica::Lista &lista);

// The header's rows: the program and the moment, the counts and the numbers, then the
// guarantee rows as Verifica writes them, or `garanzia` as it stands when it is no list of
// rows (not computed in time).
QStringList Intestazione(const QDateTime &adesso, const Verifica::Lista &lista, int voci, const QStringList &garanzia);

// Verifica's rows of a computed guarantee, without its first row (the numbers, which the
// header already names).
QStringList RigheGaranzia(const Verifica::Garanzia &garanzia);

// Said instead of the guarantee when it takes longer than printing should wait for it.
QString GaranziaNonCalcolata();

// The printable part of a page, in cells of the face: characters across, lines down.
struct Foglio
{
    int colonne = 0;
    int righe = 0;
};

// A piece of text at a cell of the page.
struct Pezzo
{
    int riga = 0;
    int colonna = 0;
    QString testo;
};

struct Pagina
{
    std::vector<Pezzo> pezzi;
};

// Characters between two columns of lines.
constexpr int Spaziatura = 3;

// The header at the top of the first page; the lines numbered, in as many columns as the
// page holds, filled top to bottom, then left to right, none split across a column or page
// (a line wider than a column wraps within it at its spaces); "Pagina x di y" at the foot of
// every page. Always at least one page.
std::vector<Pagina> Impagina(const QStringList &intestazione, const std::vector<Voce> &voci, Foglio foglio);

} // namespace Stampa
