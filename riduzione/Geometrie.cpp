// Systems from finite geometry: the lines of projective and affine spaces of any dimension,
// and the circles (sub-lines) of the projective line, all over GF(q) built here.

#include "riduzione/Costruzioni.h"

#include <algorithm>

namespace Riduzione::Interno {

bool FaiCampo(int q, Campo &campo)
{
    if (q < 2)
        return false;
    int p = 2;
    while (q % p != 0)
        ++p;
    int n = 0;
    for (int r = q; r > 1; r /= p) {
        if (r % p != 0)
            return false;
        ++n;
    }
    const auto cifra = [&](int e, int i) {
        for (int j = 0; j < i; ++j)
            e /= p;
        return e % p;
    };
    // x^n = -(c_{n-1} x^{n-1} + ... + c_0), the c_i the digits of f.
    const auto perX = [&](int e, int f) {
        const int alto = cifra(e, n - 1);
        int risultato = 0;
        int peso = 1;
        for (int i = 0; i < n; ++i, peso *= p) {
            const int sotto = i == 0 ? 0 : cifra(e, i - 1);
            const int c = ((sotto - alto * cifra(f, i)) % p + p) % p;
            risultato += c * peso;
        }
        return risultato;
    };
    std::vector<int> esponenziale;
    for (int f = 0; f < q && esponenziale.empty(); ++f) {
        std::vector<int> potenze{1};
        int e = 1;
        for (int i = 1; i < q; ++i) {
            e = perX(e, f);
            if (e == 1 || e == 0)
                break;
            potenze.push_back(e);
        }
        if (int(potenze.size()) == q - 1 && perX(potenze.back(), f) == 1)
            esponenziale = potenze;
    }
    if (esponenziale.empty())
        return false;
    std::vector<int> logaritmo(static_cast<std::size_t>(q), 0);
    for (int i = 0; i < q - 1; ++i)
        logaritmo[std::size_t(esponenziale[std::size_t(i)])] = i;
    campo.q = q;
    campo.primitivo = esponenziale[std::size_t(q > 2 ? 1 : 0)];
    campo.somma.assign(std::size_t(q * q), 0);
    campo.prodotto.assign(std::size_t(q * q), 0);
    campo.opposto.assign(std::size_t(q), 0);
    campo.inverso.assign(std::size_t(q), 0);
    for (int a = 0; a < q; ++a) {
        for (int b = 0; b < q; ++b) {
            int s = 0;
            int o = 0;
            for (int i = 0, peso = 1; i < n; ++i, peso *= p) {
                s += (cifra(a, i) + cifra(b, i)) % p * peso;
                o += (p - cifra(a, i)) % p * peso;
            }
            campo.somma[std::size_t(a * q + b)] = s;
            campo.opposto[std::size_t(a)] = o;
            if (a != 0 && b != 0) {
                const int l = (logaritmo[std::size_t(a)] + logaritmo[std::size_t(b)]) % (q - 1);
                campo.prodotto[std::size_t(a * q + b)] = esponenziale[std::size_t(l)];
            }
        }
        if (a != 0)
            campo.inverso[std::size_t(a)] = esponenziale[std::size_t((q - 1 - logaritmo[std::size_t(a)]) % (q - 1))];
    }
    return true;
}

namespace {

int Potenza(int base, int esponente)
{
    int r = 1;
    for (int i = 0; i < esponente; ++i)
        r *= base;
    return r;
}

// The vectors of GF(q)^d, as their base-q digits.
std::vector<int> Coordinate(int codice, int q, int d)
{
    std::vector<int> c(static_cast<std::size_t>(d));
    for (int i = 0; i < d; ++i, codice /= q)
        c[std::size_t(i)] = codice % q;
    return c;
}

int Codice(const std::vector<int> &c, int q)
{
    int codice = 0;
    for (int i = int(c.size()) - 1; i >= 0; --i)
        codice = codice * q + c[std::size_t(i)];
    return codice;
}

// Lines through every pair of the v places, each given by `retta` for a pair not yet on one.
template<typename Retta>
std::vector<Riga> Rette(int v, Retta retta)
{
    std::vector<bool> coperta(std::size_t(v) * std::size_t(v), false);
    std::vector<Riga> righe;
    for (int a = 0; a < v; ++a) {
        for (int b = a + 1; b < v; ++b) {
            if (coperta[std::size_t(a) * std::size_t(v) + std::size_t(b)])
                continue;
            Riga riga = retta(a, b);
            std::sort(riga.begin(), riga.end());
            for (int x : riga) {
                for (int y : riga)
                    coperta[std::size_t(x) * std::size_t(v) + std::size_t(y)] = true;
            }
            righe.push_back(riga);
        }
    }
    return righe;
}

} // namespace

bool PotenzaDiPrimo(int q)
{
    if (q < 2)
        return false;
    int p = 2;
    while (q % p != 0)
        ++p;
    while (q % p == 0)
        q /= p;
    return q == 1;
}

std::vector<Riga> RetteProiettive(int n, int q)
{
    Campo campo;
    if (n < 2 || q < 2 || (Potenza(q, n + 1) - 1) / (q - 1) > PostiMassimi || !FaiCampo(q, campo))
        return {};
    const int d = n + 1;
    const int tutti = Potenza(q, d);
    // The points: vectors whose first non-zero coordinate is 1.
    std::vector<int> posto(static_cast<std::size_t>(tutti), -1);
    std::vector<std::vector<int>> punti;
    const auto normale = [&](std::vector<int> c) {
        for (int x : c) {
            if (x != 0) {
                for (int &y : c)
                    y = campo.Diviso(y, x);
                break;
            }
        }
        return c;
    };
    for (int codice = 1; codice < tutti; ++codice) {
        const std::vector<int> c = Coordinate(codice, q, d);
        if (normale(c) == c) {
            posto[std::size_t(codice)] = int(punti.size());
            punti.push_back(c);
        }
    }
    return Rette(int(punti.size()), [&](int a, int b) {
        Riga riga{a, b};
        for (int l = 1; l < q; ++l) {
            std::vector<int> c(static_cast<std::size_t>(d));
            for (int i = 0; i < d; ++i)
                c[std::size_t(i)] = campo.Piu(punti[std::size_t(a)][std::size_t(i)],
                                              campo.Per(l, punti[std::size_t(b)][std::size_t(i)]));
            riga.push_back(posto[std::size_t(Codice(normale(c), q))]);
        }
        return riga;
    });
}

std::vector<Riga> RetteAffini(int n, int q)
{
    Campo campo;
    if (n < 2 || q < 2 || Potenza(q, n) > PostiMassimi || !FaiCampo(q, campo))
        return {};
    const int v = Potenza(q, n);
    return Rette(v, [&](int a, int b) {
        const std::vector<int> pa = Coordinate(a, q, n);
        const std::vector<int> pb = Coordinate(b, q, n);
        Riga riga;
        for (int l = 0; l < q; ++l) {
            std::vector<int> c(static_cast<std::size_t>(n));
            for (int i = 0; i < n; ++i)
                c[std::size_t(i)] = campo.Piu(pa[std::size_t(i)], campo.Per(l, campo.Meno(pb[std::size_t(i)], pa[std::size_t(i)])));
            riga.push_back(Codice(c, q));
        }
        return riga;
    });
}

std::vector<Riga> Sottorette(int q, int n)
{
    Campo campo;
    if (n < 2 || q < 2 || Potenza(q, n) + 1 > PostiMassimi || !PotenzaDiPrimo(q) || !FaiCampo(Potenza(q, n), campo))
        return {};
    const int Q = campo.q;
    const int infinito = Q;
    const int v = Q + 1;
    // The subfield GF(q): the roots of x^q = x.
    std::vector<int> sotto;
    for (int x = 0; x < Q; ++x) {
        int y = x;
        for (int i = 1; i < q; ++i)
            y = campo.Per(y, x);
        if (y == x)
            sotto.push_back(x);
    }
    if (int(sotto.size()) != q)
        return {};
    // The circle through a, b, c: the image of GF(q) and infinity under the Möbius map that
    // sends infinity, 0 and 1 to them.
    std::vector<bool> tenuta(std::size_t(v) * std::size_t(v) * std::size_t(v), false);
    const auto indice = [&](int a, int b, int c) {
        return (std::size_t(a) * std::size_t(v) + std::size_t(b)) * std::size_t(v) + std::size_t(c);
    };
    std::vector<Riga> righe;
    for (int a = v - 1; a >= 0; --a) {
        for (int b = 0; b < a; ++b) {
            for (int c = b + 1; c < a; ++c) {
                if (tenuta[indice(a, b, c)])
                    continue;
                Riga riga{a};
                for (int t : sotto) {
                    if (a == infinito) {
                        riga.push_back(campo.Piu(b, campo.Per(t, campo.Meno(c, b))));
                        continue;
                    }
                    const int numeratore = campo.Piu(campo.Per(a, campo.Per(t, campo.Meno(c, b))), campo.Per(b, campo.Meno(a, c)));
                    const int denominatore = campo.Piu(campo.Per(t, campo.Meno(c, b)), campo.Meno(a, c));
                    riga.push_back(denominatore == 0 ? infinito : campo.Diviso(numeratore, denominatore));
                }
                std::sort(riga.begin(), riga.end());
                if (std::adjacent_find(riga.begin(), riga.end()) != riga.end())
                    return {};
                for (int x : riga) {
                    for (int y : riga) {
                        for (int z : riga)
                            tenuta[indice(x, y, z)] = true;
                    }
                }
                righe.push_back(riga);
            }
        }
    }
    return righe;
}

} // namespace Riduzione::Interno
