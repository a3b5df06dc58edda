#include "common/Windows1252.h"

#include <array>

namespace Windows1252 {

namespace {

// Bytes 0x80..0x9F; 0 marks the five that are unassigned, which stand for themselves.
constexpr std::array<char16_t, 32> Alti{
    u'\u20AC', 0,        u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', 0,        u'\u017D', 0,
    0,        u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', 0,        u'\u017E', u'\u0178',
};

constexpr char16_t Carattere(unsigned char b)
{
    if (b < 0x80 || b > 0x9F)
        return b;
    const char16_t c = Alti[b - 0x80];
    return c ? c : char16_t(b);
}

} // namespace

int Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < int(Alti.size()); ++i) {
        // An unassigned byte's C1 control maps back to it; the other C1 controls have none.
        if (Alti[i] == c || (Alti[i] == 0 && c == 0x80 + i))
            return 0x80 + i;
    }
    return -1;
}

QString Decodifica(QByteArrayView dati)
{
    // The code page is Latin-1 but for bytes 0x80 to 0x9F: Qt's own fast conversion first,
    // then those few characters.
    QString testo = QString::fromLatin1(dati);
    for (QChar &c : testo) {
        if (c.unicode() >= 0x80 && c.unicode() <= 0x9F)
            c = QChar(Carattere(static_cast<unsigned char>(c.unicode())));
    }
    return testo;
}

} // namespace Windows1252
