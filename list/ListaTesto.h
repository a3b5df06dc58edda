#pragma once
// The combination list as text: lines separated by CR LF.

#include <QString>
#include <QStringList>

class Caselle;

namespace ListaTesto {

inline const QString &FineRiga()
{
    static const QString crlf = QStringLiteral("\r\n");
    return crlf;
}

// The list text split at every CR LF, empty pieces dropped, in list order.
QStringList RaccogliRighe(const QString &testo);

// The selected cells of the board as generated, ascending: "01 05 12".
QString RigaCombinazione(const Caselle &caselle);

// Every line followed by CR LF, the last one included.
QString TestoDaRighe(const QStringList &righe);

} // namespace ListaTesto
