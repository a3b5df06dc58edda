#pragma once
// The lists the cases work on, and what the program must make of them, computed
// here independently of the program's routines.

#include <QByteArray>
#include <QString>

namespace Dati {

// `righe` combination lines of six distinct numbers from 1 to 90 (ascending inside
// the line, as "IN LISTA" writes them), the lines in random order, each followed by
// CR LF. The same arguments always give the same list.
QString ListaCasuale(int righe, unsigned seme = 20260205);

// The list as SORT leaves it: non-empty lines, numbers ordered, lines ordered by
// code unit, each followed by CR LF. Only for lines of two-digit numbers.
QString ListaOrdinata(const QString &lista);

// The bytes that SALVA writes for a list of ASCII lines: the non-empty lines, each
// followed by CR LF.
QByteArray FileAtteso(const QString &lista);

// Every combination of k of the numbers 1..n, ascending inside the line, the lines in
// ascending text order, each followed by CR LF: what a development of 1..n in k adds.
QString Sviluppo(int n, int k);

} // namespace Dati
