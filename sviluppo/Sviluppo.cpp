#include "sviluppo/Sviluppo.h"

#include "common/Combinazioni.h"
#include "common/mFunzioni.h"

#include <algorithm>
#include <array>

namespace Sviluppo {

QString Righe(int n, int k)
{
    if (k < 0 || k > n)
        return QStringLiteral("0");
    // C(n, i) = C(n, i-1) (n-i+1) / i, each step exact, up to i = min(k, n-k), which gives
    // C(n, k); in base 10^9 digits, lowest first.
    constexpr quint64 Base = 1000000000;
    std::vector<quint64> cifre{1};
    for (int i = 1; i <= std::min(k, n - k); ++i) {
        quint64 riporto = 0;
        for (quint64 &c : cifre) {
            const quint64 v = c * quint64(n - i + 1) + riporto;
            c = v % Base;
            riporto = v / Base;
        }
        if (riporto)
            cifre.push_back(riporto);
        quint64 resto = 0;
        for (auto it = cifre.rbegin(); it != cifre.rend(); ++it) {
            const quint64 v = *it + resto * Base;
            *it = v / quint64(i);
            resto = v % quint64(i);
        }
        while (cifre.size() > 1 && cifre.back() == 0)
            cifre.pop_back();
    }
    QString testo = QString::number(cifre.back());
    for (auto it = cifre.rbegin() + 1; it != cifre.rend(); ++it)
        testo += QStringLiteral("%1").arg(*it, 9, 10, QLatin1Char('0'));
    return testo;
}

qint64 RigheEntroIlMassimo(int n, int k)
{
    if (k < 0 || k > n)
        return 0;
    // C(n, i) grows with i up to n/2: once past the limit, the count stays past it.
    qint64 righe = 1;
    for (int i = 1; i <= std::min(k, n - k); ++i) {
        righe = righe * (n - i + 1) / i;
        if (righe > RigheMassime)
            return RigheMassime + 1;
    }
    return righe;
}

QString Sviluppa(const std::vector<int> &numeri, int k)
{
    const int n = int(numeri.size());
    const qint64 righe = RigheEntroIlMassimo(n, k);
    if (k < 1 || righe < 1 || righe > RigheMassime
        || std::any_of(numeri.begin(), numeri.end(), [](int x) { return x < 1 || x > Combinazioni::NMassimo; }))
        return QString();
    // Each number as IN LISTA writes it; every field of 1 to 90 has two characters.
    std::array<QString, Combinazioni::NMassimo + 1> campi;
    for (int numero : numeri)
        campi[std::size_t(numero)] = mFunzioni::CampoNumero(numero);
    const qsizetype perRiga = 3 * qsizetype(k) + 1;
    QString testo(righe * perRiga, Qt::Uninitialized);
    QChar *scrivi = testo.data();
    // The combinations in lexicographic order: ascending numbers written in two digits, so
    // ascending text order as well.
    Combinazioni::OgniSottoinsieme(numeri.data(), n, k, [&](const int *riga) {
        for (int i = 0; i < k; ++i) {
            const QString &campo = campi[std::size_t(riga[i])];
            *scrivi++ = campo[0];
            *scrivi++ = campo[1];
            *scrivi++ = i + 1 < k ? QChar(u' ') : QChar(u'\r');
        }
        // CR above and LF here: the list's line break.
        *scrivi++ = u'\n';
        return true;
    });
    Q_ASSERT(scrivi == testo.data() + testo.size());
    return testo;
}

} // namespace Sviluppo
