// Encoding a list for the save file, from arbitrary text.

#include "Verifica.h"

#include "list/Salvataggio.h"

#include <QByteArray>

namespace {

// Windows-1252 from 0x80 to 0x9F; the five bytes it leaves undefined stand for themselves.
constexpr char16_t Alti[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                               0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The byte for one UTF-16 unit, or -1 when the code page has none (surrogates included).
int Byte(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (Alti[i] == u)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dati, std::size_t quanti)
{
    const Ingresso ingresso = Decodifica(dati, quanti);
    // The list box's paragraph and line separators end lines as CR LF does.
    QString righe = ingresso.testo;
    righe.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n")).replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    const QStringList pezzi = Pezzi(righe);

    QByteArray attesi;
    int primaNonSalvabile = 0;
    int primaNonAscii = 0;
    for (qsizetype n = 0; n < pezzi.size() && !primaNonSalvabile; ++n) {
        const QString &riga = pezzi[n];
        if (riga.isEmpty())
            continue;
        for (QChar c : riga) {
            const int b = Byte(c);
            // A control character other than tab would make the file no text when opened.
            if (b < 0 || (b < 0x20 && b != '\t') || b == 0x7F) {
                primaNonSalvabile = int(n + 1);
                break;
            }
            if (b >= 0x80 && !primaNonAscii)
                primaNonAscii = int(n + 1);
            attesi.append(char(b));
        }
        attesi.append("\r\n");
    }
    // Bytes that open as UTF-8 (a byte-order mark, or valid UTF-8 beyond ASCII: it decodes and
    // encodes back to itself) would not give the list back.
    if (!primaNonSalvabile && primaNonAscii
        && (attesi.startsWith("\xEF\xBB\xBF") || QString::fromUtf8(attesi).toUtf8() == attesi))
        primaNonSalvabile = primaNonAscii;

    QByteArray prodotti("leftover");
    const int esito = Salvataggio::CodificaLista(ingresso.testo, prodotti);
    if (primaNonSalvabile) {
        // Nothing half-written, and the message names the line that holds the character.
        VERIFICA(esito == primaNonSalvabile);
        VERIFICA(prodotti.isEmpty());
    } else {
        VERIFICA(esito == 0);
        VERIFICA(prodotti == attesi);
    }
    return 0;
}
