#include "grid/CellaNumero.h"

CellaNumero::CellaNumero(int indice, QWidget *parent)
    : Etichetta(parent)
    , m_indice(indice)
{
    connect(this, &Etichetta::clicked, this, [this] { emit cliccata(m_indice); });
}
