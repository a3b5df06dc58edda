#pragma once
// One cell of the board: a label that knows its index and says so when clicked.

#include "common/Etichetta.h"

class CellaNumero : public Etichetta
{
    Q_OBJECT

public:
    CellaNumero(int indice, QWidget *parent);
    int Indice() const { return m_indice; }

    bool Selezionabile() const override { return true; }
    bool Selezionata() const override;

signals:
    void cliccata(int indice);

private:
    int m_indice;
};
