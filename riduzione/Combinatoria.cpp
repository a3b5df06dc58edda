#include "riduzione/Combinatoria.h"

namespace Riduzione::Interno {

namespace {

quint64 SplitMix(quint64 &x)
{
    quint64 z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

quint64 Ruota(quint64 x, int k)
{
    return (x << k) | (x >> (64 - k));
}

} // namespace

bool Primo(int n)
{
    if (n < 2)
        return false;
    for (int d = 2; d * d <= n; ++d) {
        if (n % d == 0)
            return false;
    }
    return true;
}

Maschera MascheraDi(const Riga &riga)
{
    Maschera maschera;
    for (int posto : riga)
        maschera.Metti(posto);
    return maschera;
}

Riga RigaDi(Maschera maschera)
{
    Riga riga;
    maschera.OgniPosto([&](int posto) { riga.push_back(posto); });
    return riga;
}

void DaRango(quint64 rango, int quanti, int *posti)
{
    // The largest place first: the greatest c with C(c, i+1) <= what is left.
    int c = PostiMassimi;
    for (int i = quanti - 1; i >= 0; --i) {
        while (C(c, i + 1) > rango)
            --c;
        posti[i] = c;
        rango -= C(c, i + 1);
        --c;
    }
}

Generatore::Generatore(quint64 seme)
{
    for (quint64 &parola : s)
        parola = SplitMix(seme);
}

quint64 Generatore::Prossimo()
{
    const quint64 risultato = Ruota(s[1] * 5, 7) * 9;
    const quint64 t = s[1] << 17;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = Ruota(s[3], 45);
    return risultato;
}

} // namespace Riduzione::Interno
