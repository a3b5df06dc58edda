#pragma once
// The 8-bit Windows code page the list files are written in, both ways, from a table of
// its own: Qt builds without ICU (Qt's own Windows builds among them) have no converter
// for it, and the files must read and write alike on every platform.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace Windows1252 {

// The byte for one UTF-16 code unit, or -1 where the code page has none (surrogates
// included: nothing beyond the BMP is in it).
int Byte(char16_t c);

// Every byte has a character: the five bytes the code page leaves unassigned read as the
// C1 controls of the same value, as Windows itself reads them.
QString Decodifica(QByteArrayView dati);

} // namespace Windows1252
