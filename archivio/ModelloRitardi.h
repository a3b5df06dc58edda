#pragma once
// The numbers' delays as the Archivio window's table shows them: one row per number, the
// text to read and, for sorting, the value behind it.

#include "archivio/Archivio.h"

#include <QAbstractTableModel>

#include <vector>

class ModelloRitardi : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Colonna { Numero, Ritardo, RitardoMassimo, RitardoMedio, Frequenza, Ultima, Colonne };
    // Numbers and delays sort as numbers, the last date out by date, never out before any;
    // a mean delay that has none before every other.
    static constexpr int RuoloOrdine = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    // `estrazioni`: how many draws the frequencies were counted over, which the column's
    // header says; 0 when there is nothing to count.
    void Imposta(std::vector<Archivio::Ritardo> ritardi, int estrazioni);
    int NumeroDi(int riga) const { return m_ritardi[std::size_t(riga)].numero; }

    int rowCount(const QModelIndex &genitore = QModelIndex()) const override;
    int columnCount(const QModelIndex &genitore = QModelIndex()) const override;
    QVariant data(const QModelIndex &indice, int ruolo = Qt::DisplayRole) const override;
    QVariant headerData(int sezione, Qt::Orientation verso, int ruolo = Qt::DisplayRole) const override;

private:
    std::vector<Archivio::Ritardo> m_ritardi;
    int m_estrazioni = 0;
};
