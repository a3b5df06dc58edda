#pragma once
// Which line SALVA refuses, worked out from what the file has to do: give back, when it is
// opened, exactly the non-empty lines of the list. The bytes come from the platform's own
// converter, not from the program's table.

#include "helpers/CodicePagina.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// 0 when the list saves. Else the first line holding a character the file cannot carry
// (outside Windows-1252, or a control character other than tab, which makes it no text),
// or, when the bytes would open as UTF-8 (a byte-order mark, or valid UTF-8 beyond ASCII),
// the first line beyond ASCII.
inline int RigaNonSalvabile(const QString &lista)
{
    const QStringList pezzi = lista.split(QStringLiteral("\r\n"));
    QByteArray byte;
    int primaNonAscii = 0;
    for (int n = 0; n < pezzi.size(); ++n) {
        if (pezzi[n].isEmpty())
            continue;
        for (QChar c : pezzi[n]) {
            const int b = CodicePagina::Byte(c.unicode());
            if (b < 0 || (b < 0x20 && b != '\t') || b == 0x7F)
                return n + 1;
            if (b >= 0x80 && !primaNonAscii)
                primaNonAscii = n + 1;
            byte.append(char(b));
        }
        byte.append("\r\n");
    }
    const bool utf8 = byte.startsWith("\xEF\xBB\xBF") || (primaNonAscii && QString::fromUtf8(byte).toUtf8() == byte);
    return utf8 ? primaNonAscii : 0;
}
