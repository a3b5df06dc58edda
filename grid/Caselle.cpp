#include "grid/Caselle.h"

#include <algorithm>

void Caselle::Ridimensiona(qint16 quantita)
{
    m_stato.assign(std::size_t(std::max<qint16>(quantita, 0)) + 1, false);
    if (quantita <= 0)
        m_stato.clear();
    m_selezionati = 0;
    Avvisa(0);
}

void Caselle::Imposta(int k, bool valore)
{
    if (!Contiene(k) || m_stato[std::size_t(k)] == valore)
        return;
    m_stato[std::size_t(k)] = valore;
    m_selezionati = qint16(m_selezionati + (valore ? 1 : -1));
    Avvisa(k);
}

void Caselle::Deseleziona()
{
    std::fill(m_stato.begin(), m_stato.end(), false);
    m_selezionati = 0;
    Avvisa(0);
}

std::vector<int> Caselle::Selezione() const
{
    std::vector<int> numeri;
    numeri.reserve(std::size_t(m_selezionati));
    for (int k = 1; k <= UBound(); ++k) {
        if (m_stato[std::size_t(k)])
            numeri.push_back(k);
    }
    return numeri;
}
