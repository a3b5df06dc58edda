#pragma once
// State shared by the windows and routines; everything runs on the GUI thread.

#include <QString>
#include <QtGlobal>
#include <vector>

// Selection state of the board as generated: index k is the cell showing k.
// Index 0 is unused so that the indices read as the cell numbers.
class Caselle
{
public:
    // Discards the old contents: cells 1..quantita, all unselected.
    void Ridimensiona(qint16 quantita) { m_stato.assign(std::size_t(quantita) + 1, false); }
    // The board's size as it was generated: the steppers never change it.
    qint16 UBound() const { return m_stato.empty() ? 0 : qint16(m_stato.size() - 1); }
    bool Contiene(int k) const { return k >= 1 && k <= UBound(); }
    bool operator()(int k) const { return Contiene(k) && m_stato[std::size_t(k)]; }
    void Imposta(int k, bool valore)
    {
        if (Contiene(k))
            m_stato[std::size_t(k)] = valore;
    }

private:
    std::vector<bool> m_stato;
};

namespace mDichiarazioni {

extern qint16 gQuantitaNumeri;
extern qint16 gNumeriPerRiga;
extern Caselle gCaselle;
extern qint16 gSelezionati;
extern bool gGrigliaGenerata;
extern bool gSortEseguito;
extern qint16 gContaTab;

extern QString gMessaggio;
extern QString gPulsanti;
extern qint16 gRisposta;
extern QString gInformazione;

// Back to the state of a fresh start; tests use it to begin each case clean.
void Azzera();

} // namespace mDichiarazioni

using namespace mDichiarazioni;
