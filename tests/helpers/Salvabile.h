#pragma once
// Which line SALVA refuses, worked out from what the file has to do: give back, when it is
// opened, exactly the non-empty lines of the list.

#include "common/Windows1252.h"
#include "list/Apertura.h"
#include "list/ListaTesto.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// 0 when the list saves. Else the first line holding a character the file cannot carry
// (outside Windows-1252, or a control character other than tab, which makes it no text),
// or, when the bytes would open as something else, the first line beyond ASCII.
inline int RigaNonSalvabile(const QString &lista)
{
    const QStringList pezzi = lista.split(ListaTesto::FineRiga());
    QByteArray byte;
    int primaNonAscii = 0;
    for (int n = 0; n < pezzi.size(); ++n) {
        if (pezzi[n].isEmpty())
            continue;
        for (QChar c : pezzi[n]) {
            const int b = Windows1252::Byte(c.unicode());
            if (b < 0 || (b < 0x20 && b != '\t') || b == 0x7F)
                return n + 1;
            if (b >= 0x80 && !primaNonAscii)
                primaNonAscii = n + 1;
            byte.append(char(b));
        }
        byte.append("\r\n");
    }
    QString letto;
    Apertura::TestoDaDati(byte, letto);
    return letto == ListaTesto::TestoDaRighe(ListaTesto::RaccogliRighe(lista)) ? 0 : primaNonAscii;
}
