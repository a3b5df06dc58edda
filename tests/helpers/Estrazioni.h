#pragma once
// An archive of draws made up for the tests, and its file in the official layout: the date
// as yyyy/mm/dd, the wheel's code and five numbers, a tab between fields.

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>
#include <array>

inline const QStringList SigleRuote{"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"};

struct Estrazioni
{
    QList<QDate> date;
    QList<std::array<std::array<int, 5>, 11>> numeri; // all 0 where the wheel was not drawn
    int righe = 0;

    bool Estratta(int d, int ruota) const { return numeri[d][ruota][0] != 0; }
    bool Uscito(int d, int ruota, int n) const
    {
        return std::find(numeri[d][ruota].begin(), numeri[d][ruota].end(), n) != numeri[d][ruota].end();
    }

    QByteArray File() const
    {
        QByteArray testo;
        for (int d = 0; d < date.size(); ++d) {
            for (int r = 0; r < 11; ++r) {
                if (!Estratta(d, r))
                    continue;
                testo += date[d].toString(u"yyyy/MM/dd").toLatin1() + '\t' + SigleRuote[r].toLatin1();
                for (int n : numeri[d][r])
                    testo += '\t' + QByteArray::number(n);
                testo += "\r\n";
            }
        }
        return testo;
    }
};

// `quante` dates on Tuesdays, Thursdays and Saturdays from `prima`, a Tuesday; the Nazionale
// only from the date `conNazionale` on, as it started later than the others.
inline Estrazioni InventaEstrazioni(int quante, int conNazionale, quint32 seme, QDate prima)
{
    QRandomGenerator caso(seme);
    Estrazioni e;
    e.numeri.resize(quante);
    for (int d = 0; d < quante; ++d) {
        e.date << prima.addDays(d / 3 * 7 + d % 3 * 2);
        for (int r = 0; r < 11 && !(r == 10 && d < conNazionale); ++r, ++e.righe) {
            for (int i = 0; i < 5;) {
                const int n = int(caso.bounded(1, 91));
                if (!e.Uscito(d, r, n))
                    e.numeri[d][r][std::size_t(i++)] = n;
            }
        }
    }
    return e;
}
