#include "dialogs/TestiErrore.h"

#include <array>
#include <utility>

namespace mGestioneErrori {

QString TestoErrore(int numero)
{
    static const std::array<std::pair<int, const char16_t *>, 18> tabella{{
        {6, u"Overflow ..!"},
        {7, u"Memoria esaurita ..!"},
        {9, u"Azione negata ..!"},
        {11, u"Divisione per zero ..!"},
        {13, u"Incompatibilità ..!"},
        {14, u"Spazio stringhe esaurito ..!"},
        {28, u"Spazio stack esaurito ..!"},
        {52, u"Nome o numero di file non vadido ..!"},
        {53, u"File non trovato ..!"},
        {54, u"Modalità apertura non valida ..!"},
        {55, u"File già aperto ..!"},
        {61, u"Disco pieno ..!"},
        {62, u"Lettura oltre la fine del file ..!"},
        {68, u"Periferica inaccessibile ..!"},
        {76, u"Impossibile trovare il percorso ..!"},
        {100, u"La lunghezza delle combinazioni|non è conforme al tipo di gioco ..!"},
        {101, u"Il file è vuoto ..!"},
        {102, u"Il file contiene numeri 0|oppure superiori al 90 ..!"},
    }};
    for (const auto &[n, testo] : tabella) {
        if (n == numero)
            return QString::fromUtf16(testo);
    }
    return QStringLiteral("Si è verificato l' errore: ") + QString::number(numero);
}

QString TestoRifiutoLettura(int numero)
{
    switch (numero) {
    case ErrorePermesso:
        return QStringLiteral("Permesso negato ..!");
    case ErroreAccesso:
        return QStringLiteral("Errore di accesso al file ..!");
    default:
        return TestoErrore(numero);
    }
}

} // namespace mGestioneErrori
