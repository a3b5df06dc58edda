#pragma once
// The integral development of a selection: every combination of k of its n numbers, as
// list lines. Widget-free.

#include <QString>
#include <QtGlobal>

#include <vector>

namespace Sviluppo {

// One development adds at most this many lines.
constexpr qint64 RigheMassime = 200000;

// C(n, k) in decimal digits, whatever its size (C(90, 45) has 27).
QString Righe(int n, int k);

// C(n, k), or RigheMassime + 1 for anything larger.
qint64 RigheEntroIlMassimo(int n, int k);

// Every combination of k of `numeri` (ascending, 1 to 90) as a line that IN LISTA would
// write, each followed by CR LF, in ascending text order.
QString Sviluppa(const std::vector<int> &numeri, int k);

} // namespace Sviluppo
