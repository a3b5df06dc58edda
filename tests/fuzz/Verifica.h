#pragma once
// What the fuzz targets share: turning the input bytes into list text, and failing loudly.

#include <QLocale>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken property stops the run like a crash, so libFuzzer keeps the input.
#define VERIFICA(condizione)                                                                        \
    do {                                                                                            \
        if (!(condizione)) {                                                                        \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condizione, __FILE__, __LINE__); \
            std::abort();                                                                           \
        }                                                                                           \
    } while (0)

// The first byte chooses how the rest is read: UTF-8 as a paste would arrive, or raw
// UTF-16 code units, which can hold lone surrogates that no UTF-8 decoder produces.
// Its second bit chooses a locale whose decimal separator is not ".".
struct Ingresso
{
    QString testo;
    QLocale locale;
};

inline Ingresso Decodifica(const std::uint8_t *dati, std::size_t quanti)
{
    Ingresso ingresso{QString(), QLocale::c()};
    if (quanti == 0)
        return ingresso;
    const std::uint8_t modo = dati[0];
    const char *resto = reinterpret_cast<const char *>(dati + 1);
    const qsizetype lunghezza = qsizetype(quanti - 1);
    if (modo & 1) {
        ingresso.testo.resize(lunghezza / 2);
        for (qsizetype i = 0; i < lunghezza / 2; ++i)
            ingresso.testo[i] = QChar(char16_t(std::uint8_t(resto[2 * i]) | (std::uint8_t(resto[2 * i + 1]) << 8)));
    } else {
        ingresso.testo = QString::fromUtf8(resto, lunghezza);
    }
    if (modo & 2)
        ingresso.locale = QLocale(QLocale::Italian, QLocale::Italy);
    return ingresso;
}

// The text cut at every CR LF, written out by hand rather than with the routine under test.
inline QStringList Pezzi(const QString &testo)
{
    QStringList pezzi;
    QString corrente;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        if (testo[i] == u'\r' && i + 1 < testo.size() && testo[i + 1] == u'\n') {
            pezzi.append(corrente);
            corrente.clear();
            ++i;
        } else {
            corrente += testo[i];
        }
    }
    pezzi.append(corrente);
    return pezzi;
}

// Text order: 16-bit code units, position by position, a prefix first.
inline bool PrimaInOrdine(const QString &a, const QString &b)
{
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (a[i].unicode() != b[i].unicode())
            return a[i].unicode() < b[i].unicode();
    }
    return a.size() < b.size();
}
