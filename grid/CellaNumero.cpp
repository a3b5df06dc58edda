#include "grid/CellaNumero.h"

#include "common/ColoriSistema.h"

namespace {

constexpr quint32 SfondoSelezionato = 13681828; // red 164, green 196, blue 208
constexpr quint32 TestoSelezionato = ColoriSistema::Rgb(255, 255, 255);

} // namespace

CellaNumero::CellaNumero(int indice, QWidget *parent)
    : Etichetta(parent)
    , m_indice(indice)
{
    connect(this, &Etichetta::clicked, this, [this] { emit cliccata(m_indice); });
}

void CellaNumero::ImpostaSelezionata(bool selezionata)
{
    m_selezionata = selezionata;
    if (selezionata)
        ImpostaColori(SfondoSelezionato, TestoSelezionato);
    else
        ImpostaColori(ColoriSistema::FacciaPulsante, ColoriSistema::TestoPulsante);
}
