#pragma once
// The board: its cells, which of them are selected, their colours and the counter of the
// selected, kept in step because every change goes through the selection, which tells the
// board to paint it.

#include "common/ArrayWidget.h"
#include "grid/CellaNumero.h"

#include <QObject>

#include <vector>

class Caselle;
class Etichetta;

class Griglia : public QObject
{
    Q_OBJECT

public:
    // `caselle` is the selection the board paints.
    explicit Griglia(Caselle &caselle, QObject *parent = nullptr);
    ~Griglia() override;

    // The cells stand in `cornice`, starting from cell 1 at its place in the layout;
    // `contatore` shows how many are selected.
    void Prepara(QWidget *cornice, Etichetta *contatore);

    ArrayWidget<CellaNumero> &Celle() { return m_celle; }
    const Caselle &Selezione() const { return m_caselle; }

    // A fresh board of `quantita` cells, `perRiga` to a row, none selected.
    void Genera(int quantita, int perRiga);
    // A click on the cell showing `numero`: selected if it was not, and the other way round.
    void Commuta(int numero);
    void Deseleziona();
    // Selects the numbers the board holds, as clicks would; returns those it does not hold.
    std::vector<int> Seleziona(const std::vector<int> &numeri);

signals:
    void cliccata(int numero);

private:
    void Dipingi(int cella);
    void Collega(CellaNumero *cella);

    Caselle &m_caselle;
    Etichetta *m_contatore = nullptr;
    ArrayWidget<CellaNumero> m_celle;
};
