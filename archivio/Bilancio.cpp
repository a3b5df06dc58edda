// The balance in words and euro: what the spoglio says of it.

#include "archivio/Archivio.h"

#include <QLocale>

namespace Archivio {

namespace {

const char16_t *const Sorti[] = {u"estratto", u"ambo", u"terno", u"quaterna", u"cinquina"};
const char16_t *const SortiPlurale[] = {u"estratti", u"ambi", u"terni", u"quaterne", u"cinquine"};
const char16_t *const PerSorte[] = {u"per l'estratto", u"per l'ambo", u"per il terno", u"per la quaterna",
                                    u"per la cinquina"};

} // namespace

QString NomeSorte(int sorte)
{
    return sorte >= Estratto && sorte <= Cinquina ? QString::fromUtf16(Sorti[sorte - 1]) : QString();
}

QString Euro(qint64 centesimi)
{
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    // From the magnitude as unsigned: the most negative value has no positive counterpart.
    const quint64 valore = centesimi < 0 ? 0 - quint64(centesimi) : quint64(centesimi);
    QString testo = italiano.toString(qulonglong(valore / 100));
    testo += italiano.decimalPoint();
    testo += QStringLiteral("%1").arg(valore % 100, 2, 10, QLatin1Char('0'));
    if (centesimi < 0)
        testo.prepend(italiano.negativeSign());
    return testo + QStringLiteral(" €");
}

QString TestoBilancio(const Bilancio &b)
{
    const int sorte = b.giocata.sorte;
    QString testo = QStringLiteral("Bilancio ai premi di oggi: %1 a %2 per riga ")
                        .arg(NomeSorte(sorte), Euro(b.giocata.posta));
    testo += b.suTutte ? QStringLiteral("su Tutte, divisi tra le %1 ruote").arg(Nazionale) : QStringLiteral("e ruota");
    testo += QStringLiteral("\nCosto %1  Vincite lorde %2  Ritenuta (%3%) %4  Netto %5  Saldo %6")
                 .arg(Euro(b.costo), Euro(b.lorde))
                 .arg(PremiDiOggi.ritenutaPercento)
                 .arg(Euro(b.ritenuta), Euro(b.netto), Euro(b.Saldo()));
    if (b.righeCorte > 0) {
        testo += QStringLiteral("\nRighe con meno di %1 numeri, non giocate %2: %3")
                     .arg(sorte)
                     .arg(QString::fromUtf16(PerSorte[sorte - 1]))
                     .arg(b.righeCorte);
    }
    if (b.righeSviluppate > 0) {
        testo += QStringLiteral("\nRighe di più di %1 numeri, contate come il loro sviluppo in %2: %3")
                     .arg(PremiDiOggi.numeriMassimi)
                     .arg(QString::fromUtf16(SortiPlurale[sorte - 1]))
                     .arg(b.righeSviluppate);
    }
    return testo;
}

} // namespace Archivio
