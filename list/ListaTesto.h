#pragma once
// The combination list as text: lines separated by CR LF.

#include <QString>
#include <QStringList>

#include <vector>

namespace ListaTesto {

inline const QString &FineRiga()
{
    static const QString crlf = QStringLiteral("\r\n");
    return crlf;
}

// The list text split at every CR LF, empty pieces dropped, in list order.
QStringList RaccogliRighe(const QString &testo);

// The board's selection, ascending, as one line: "01 05 12".
QString RigaCombinazione(const std::vector<int> &numeri);

// Every line followed by CR LF, the last one included.
QString TestoDaRighe(const QStringList &righe);

} // namespace ListaTesto
