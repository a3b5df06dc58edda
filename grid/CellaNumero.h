#pragma once
// One cell of the board: a label that knows its index, says so when clicked, and shows
// whether it is selected.

#include "common/Etichetta.h"

class CellaNumero : public Etichetta
{
    Q_OBJECT

public:
    CellaNumero(int indice, QWidget *parent);
    int Indice() const { return m_indice; }

    bool Selezionabile() const override { return true; }
    bool Selezionata() const override { return m_selezionata; }
    // The colours follow the state, so that what is seen and what is read aloud agree.
    void ImpostaSelezionata(bool selezionata);

signals:
    void cliccata(int indice);

private:
    int m_indice;
    bool m_selezionata = false;
};
