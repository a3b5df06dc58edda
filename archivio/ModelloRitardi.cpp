#include "archivio/ModelloRitardi.h"

#include "common/mFunzioni.h"

#include <QLocale>

void ModelloRitardi::Imposta(std::vector<Archivio::Ritardo> ritardi, int estrazioni)
{
    beginResetModel();
    m_ritardi = std::move(ritardi);
    m_estrazioni = estrazioni;
    endResetModel();
}

int ModelloRitardi::rowCount(const QModelIndex &genitore) const
{
    return genitore.isValid() ? 0 : int(m_ritardi.size());
}

int ModelloRitardi::columnCount(const QModelIndex &genitore) const
{
    return genitore.isValid() ? 0 : Colonne;
}

QVariant ModelloRitardi::data(const QModelIndex &indice, int ruolo) const
{
    if (!indice.isValid())
        return {};
    const Archivio::Ritardo &r = m_ritardi[std::size_t(indice.row())];
    const int colonna = indice.column();
    if (ruolo == Qt::TextAlignmentRole)
        return int(colonna == Ultima ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    if (ruolo != Qt::DisplayRole && ruolo != RuoloOrdine)
        return {};
    const bool ordine = ruolo == RuoloOrdine;
    switch (colonna) {
    case Numero:
        return ordine ? QVariant(r.numero) : QVariant(mFunzioni::CampoNumero(r.numero));
    case Ritardo:
        return r.ritardo;
    case RitardoMassimo:
        return r.ritardoMassimo;
    case RitardoMedio:
        if (ordine)
            return r.ritardoMedio;
        if (r.ritardoMedio < 0)
            return QString();
        // As the tables players compare with write it: one decimal, the Italian comma.
        return QLocale(QLocale::Italian, QLocale::Italy).toString(r.ritardoMedio, 'f', 1);
    case Frequenza:
        return r.frequenza;
    case Ultima: {
        if (ordine)
            return r.ultima;
        if (r.ultima.isNull())
            return QString();
        QString testo = r.ultima.toString(QStringLiteral("dd/MM/yyyy"));
        for (int ruota = 0; ruota < Archivio::Ruote; ++ruota) {
            if (r.ruoteUltima >> ruota & 1) {
                testo += u' ';
                testo += Archivio::Sigla(ruota);
            }
        }
        return testo;
    }
    default:
        return {};
    }
}

QVariant ModelloRitardi::headerData(int sezione, Qt::Orientation verso, int ruolo) const
{
    if (verso != Qt::Horizontal || ruolo != Qt::DisplayRole)
        return QAbstractTableModel::headerData(sezione, verso, ruolo);
    static const char16_t *const Titoli[Colonne] = {u"Numero",    u"Ritardo",      u"Ritardo massimo", u"Ritardo medio",
                                                     u"Frequenza", u"Ultima uscita"};
    if (sezione < 0 || sezione >= Colonne)
        return {};
    // A frequency means nothing without the draws it was counted over.
    if (sezione == Frequenza && m_estrazioni > 0)
        return QStringLiteral("Frequenza (ultime %1)").arg(m_estrazioni);
    return QString::fromUtf16(Titoli[sezione]);
}
