#pragma once
// The board's selection: which cells are selected, and how many. Index k is the cell that
// shows k; index 0 is unused so that the indices read as the cell numbers. The count and
// the cells change together, and whoever paints them is told of every change.

#include <QtGlobal>

#include <functional>
#include <vector>

class Caselle
{
public:
    // A cell whose state changed, or 0 when every cell went back to unselected.
    using Avviso = std::function<void(int cella)>;

    Caselle() = default;
    // One board, one selection: a copy would not be painted.
    Caselle(const Caselle &) = delete;
    Caselle &operator=(const Caselle &) = delete;

    // Discards the old contents: cells 1..quantita, all unselected.
    void Ridimensiona(qint16 quantita);
    // The board's size as it was generated: the steppers never change it.
    qint16 UBound() const { return m_stato.empty() ? 0 : qint16(m_stato.size() - 1); }
    bool Contiene(int k) const { return k >= 1 && k <= UBound(); }
    bool operator()(int k) const { return Contiene(k) && m_stato[std::size_t(k)]; }
    // Outside the board nothing is ever read or written.
    void Imposta(int k, bool valore);
    // Every cell unselected, the size kept.
    void Deseleziona();

    qint16 Selezionati() const { return m_selezionati; }
    // The selected cells, ascending: what IN LISTA writes.
    std::vector<int> Selezione() const;

    void Osserva(Avviso avviso) { m_avviso = std::move(avviso); }

private:
    void Avvisa(int cella) const
    {
        if (m_avviso)
            m_avviso(cella);
    }

    std::vector<bool> m_stato;
    qint16 m_selezionati = 0;
    Avviso m_avviso;
};
