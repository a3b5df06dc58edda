#pragma once
// Windows-1252 as the platform itself converts it: the reference that the program's own
// table is checked against. Windows' own converter in the Windows build (run under Wine,
// Wine's), Qt's ICU converter where Qt has one.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace CodicePagina {

// Which converter answers; empty when this platform has none.
inline QString Fonte()
{
#ifdef Q_OS_WIN
    return QStringLiteral("WideCharToMultiByte/MultiByteToWideChar, code page 1252");
#else
    return QStringEncoder("windows-1252").isValid() ? QStringLiteral("ICU") : QString();
#endif
}

// The byte for one UTF-16 code unit, or -1 where the code page has none.
inline int Byte(char16_t unita)
{
    // Asked once for every code unit: the tests ask about every character of long lists.
    static const std::array<short, 0x10000> tabella = [] {
        std::array<short, 0x10000> t{};
        for (int c = 0; c <= 0xFFFF; ++c) {
            const char16_t u = char16_t(c);
#ifdef Q_OS_WIN
            char b[4];
            BOOL sostituito = FALSE;
            const int n = WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t *>(&u), 1, b,
                                              int(sizeof b), nullptr, &sostituito);
            t[c] = short(n == 1 && !sostituito ? static_cast<unsigned char>(b[0]) : -1);
#else
            QStringEncoder icu("windows-1252", QStringConverter::Flag::Stateless);
            const QByteArray b = icu.encode(QStringView(&u, 1));
            t[c] = short(!icu.isValid() || icu.hasError() || b.size() != 1 ? -1 : static_cast<unsigned char>(b.at(0)));
#endif
        }
        return t;
    }();
    return tabella[unita];
}

inline QString Decodifica(QByteArrayView dati)
{
#ifdef Q_OS_WIN
    if (dati.isEmpty())
        return QString();
    QString testo(dati.size(), Qt::Uninitialized);
    const int n = MultiByteToWideChar(1252, 0, dati.data(), int(dati.size()), reinterpret_cast<wchar_t *>(testo.data()),
                                      int(testo.size()));
    testo.truncate(n);
    return testo;
#else
    return QStringDecoder("windows-1252").decode(dati);
#endif
}

} // namespace CodicePagina
