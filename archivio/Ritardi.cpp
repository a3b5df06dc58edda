// The numbers' delays over the chosen wheels. A draw counts only where one of them was drawn
// that day: the Nazionale alone starts in 2005, not in 1939.

#include "archivio/Archivio.h"

#include <algorithm>

namespace Archivio {

std::vector<Ritardo> Ritardi(const Dati &dati, const Scelta &scelta)
{
    std::vector<Ritardo> ritardi(90);
    std::array<int, 91> ultimo;
    ultimo.fill(-1);
    std::array<int, 91> primo;
    primo.fill(-1);
    std::array<int, 91> volte{};
    // The chosen last draws, for the frequency: from the first of them on.
    const std::vector<int> scelte = Scelte(dati, scelta);
    const int primaScelta = scelte.empty() ? int(dati.estrazioni.size()) : scelte.front();
    int contate = 0;
    for (int i = 0; i < int(dati.estrazioni.size()); ++i) {
        const Estrazione &estrazione = dati.estrazioni[std::size_t(i)];
        const quint16 ruote = estrazione.ruote & scelta.ruote;
        if (ruote == 0)
            continue;
        std::array<quint16, 91> uscite{};
        for (int ruota = 0; ruota < Ruote; ++ruota) {
            if ((ruote >> ruota & 1) == 0)
                continue;
            for (quint8 n : estrazione.numeri[std::size_t(ruota)]) {
                uscite[n] |= quint16(1u << ruota);
                if (i >= primaScelta)
                    ++ritardi[std::size_t(n - 1)].frequenza;
            }
        }
        for (int n = 1; n <= 90; ++n) {
            if (uscite[std::size_t(n)] == 0)
                continue;
            Ritardo &r = ritardi[std::size_t(n - 1)];
            r.ritardoMassimo = std::max(r.ritardoMassimo, contate - ultimo[std::size_t(n)] - 1);
            if (primo[std::size_t(n)] < 0)
                primo[std::size_t(n)] = contate;
            ultimo[std::size_t(n)] = contate;
            ++volte[std::size_t(n)];
            r.ultima = estrazione.data;
            r.ruoteUltima = uscite[std::size_t(n)];
        }
        ++contate;
    }
    for (int n = 1; n <= 90; ++n) {
        Ritardo &r = ritardi[std::size_t(n - 1)];
        r.numero = n;
        r.ritardo = contate - ultimo[std::size_t(n)] - 1;
        r.ritardoMassimo = std::max(r.ritardoMassimo, r.ritardo);
        // Between its first and its last draw: the draws without it, over the runs they make.
        const int corse = volte[std::size_t(n)] - 1;
        if (corse > 0)
            r.ritardoMedio = double(ultimo[std::size_t(n)] - primo[std::size_t(n)] - corse) / corse;
    }
    return ritardi;
}

} // namespace Archivio
