#include "grid/CellaNumero.h"

#include "app/mDichiarazioni.h"

CellaNumero::CellaNumero(int indice, QWidget *parent)
    : Etichetta(parent)
    , m_indice(indice)
{
    connect(this, &Etichetta::clicked, this, [this] { emit cliccata(m_indice); });
}

bool CellaNumero::Selezionata() const
{
    // The board's selection state is the truth; the colours only show it.
    return gGrigliaGenerata && gCaselle(m_indice);
}
