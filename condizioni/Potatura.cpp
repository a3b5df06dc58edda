// The conditioned development: the lines of k of the chosen numbers in lexicographic order,
// depth first, a partial line extended only while enough conditions can still hold.
//
// Each condition gives a test of what a partial line can still become, from the numbers
// after its last: the least and most sum the picks left can add, the least and most of them
// that can fall in a group, whether the picks left fit under a decade's or a run's maximum,
// how early the line can end with its numbers spaced as the distance asks. A test that fails
// means the condition cannot hold in any line that starts so; on a complete line each test is
// the condition itself. Where no more conditions may fail, each of them also narrows the
// next number at once (a range of places, places left out), so that most of the partial
// lines built are kept; for the last number, where that settles every condition, the places
// left are counted at once.

#include "condizioni/Condizioni.h"

#include "common/Bit.h"
#include "common/mFunzioni.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace Condizioni {

namespace {

constexpr int Giro = 90;
constexpr int DistanzaSenzaCoppie = Giro / 2;
constexpr int Nessuno = std::numeric_limits<int>::max() / 2;
// Groups 0 to 5, then the even numbers: each is counted the same way.
constexpr int Insiemi = GruppiMassimi + 1;
constexpr int InsiemePari = GruppiMassimi;

// Places 0 to v-1 among the numbers developed, as bits of two words.
struct Posti
{
    quint64 w[2] = {0, 0};

    static quint64 DaBit(int i) { return i <= 0 ? ~quint64(0) : i >= 64 ? 0 : ~quint64(0) << i; }

    // The places from `primo` to `ultimo`, both included.
    static Posti Da(int primo, int ultimo)
    {
        Posti p;
        if (primo > ultimo)
            return p;
        p.w[0] = DaBit(primo) & ~DaBit(ultimo + 1);
        p.w[1] = DaBit(primo - 64) & ~DaBit(ultimo + 1 - 64);
        return p;
    }

    void Metti(int i) { w[i >> 6] |= quint64(1) << (i & 63); }
    Posti &operator&=(const Posti &o)
    {
        w[0] &= o.w[0];
        w[1] &= o.w[1];
        return *this;
    }
    Posti &operator|=(const Posti &o)
    {
        w[0] |= o.w[0];
        w[1] |= o.w[1];
        return *this;
    }
    Posti operator~() const
    {
        Posti p;
        p.w[0] = ~w[0];
        p.w[1] = ~w[1];
        return p;
    }
};

// A partial line: what the tests need of it.
struct Stato
{
    int ultimo = -1; // the place of its last number
    int somma = 0;
    std::array<int, Insiemi> conta{};
    int decine = 0;  // the most in one decade
    int cadenze = 0; // the most with one last digit
    int serie = 0;   // the run that ends at the last number
    int serieMassima = 0;
    int passo = Nessuno; // the least difference of two neighbours
    int primo = 0;       // its first number
    Posti pieneDecine;   // places whose decade is at its maximum
    Posti pieneCadenze;
    unsigned falliti = 0; // the conditions it can no longer satisfy
};

class Potatura
{
public:
    Potatura(const Impostazioni &impostazioni, const std::vector<int> &numeri, int k, ::Avanzamento &avanzamento,
             qint64 massimo)
        : a(numeri)
        , v(int(numeri.size()))
        , k(k)
        , m_limiti(impostazioni.limiti)
        , m_avanzamento(avanzamento)
        , m_massimo(massimo)
    {
        // The cheapest tests first: a line is left as soon as too many have failed.
        for (int c : {Gruppo1, Gruppo2, Gruppo3, Gruppo4, Gruppo5, Gruppo6, Pari, Somma, Consecutivi, Decine, Cadenze,
                      Distanza}) {
            if (m_limiti[std::size_t(c)].attiva) {
                m_attive.push_back(c);
                m_maschera |= 1u << c;
            }
        }
        m_ammessi = std::max(0, Impostate(impostazioni) - Richieste(impostazioni));
        for (int g = 0; g < Insiemi; ++g) {
            if (m_limiti[std::size_t(g == InsiemePari ? Pari : Gruppo1 + g)].attiva)
                m_insiemiAttivi.push_back(g);
        }
        // Places are bits of two words, and each number two digits of a line.
        m_valido = k >= 1 && k <= v && v <= Giro && a[0] >= 1 && a.back() <= Giro
                   && std::adjacent_find(a.begin(), a.end(), std::greater_equal<int>()) == a.end();
        if (m_valido)
            Prepara(impostazioni);
    }

    Sviluppato Esegui()
    {
        Sviluppato esito;
        Stato radice;
        if (m_valido && Prova(radice, 0)) {
            m_scelti.assign(std::size_t(k), 0);
            Estendi(0, radice, 0);
        }
        esito.righe = m_righe;
        esito.visitate = m_visitate;
        esito.annullato = m_annullato;
        if (!m_annullato && m_righe > 0 && m_righe <= m_massimo)
            esito.testo = Testo();
        if (!m_annullato)
            m_avanzamento.millesimi = 1000;
        return esito;
    }

private:
    void Prepara(const Impostazioni &impostazioni)
    {
        m_prefissi.assign(std::size_t(v + 1), 0);
        for (int i = 0; i < v; ++i)
            m_prefissi[std::size_t(i + 1)] = m_prefissi[std::size_t(i)] + a[std::size_t(i)];

        // Each group and the evens: its places, and how many of them from each place on.
        for (int g = 0; g < Insiemi; ++g) {
            Insieme &ins = m_insiemi[std::size_t(g)];
            ins.dopo.assign(std::size_t(v + 1), 0);
            for (int i = v - 1; i >= 0; --i) {
                const int n = a[std::size_t(i)];
                const bool dentro = g == InsiemePari
                                        ? n % 2 == 0
                                        : std::binary_search(impostazioni.gruppi[std::size_t(g)].begin(),
                                                             impostazioni.gruppi[std::size_t(g)].end(), n);
                ins.dopo[std::size_t(i)] = ins.dopo[std::size_t(i + 1)] + (dentro ? 1 : 0);
            }
            for (int i = 0; i < v; ++i) {
                const bool dentro = ins.dopo[std::size_t(i)] != ins.dopo[std::size_t(i + 1)];
                if (dentro)
                    ins.posti.Metti(i);
                (dentro ? ins.dentro : ins.fuori).push_back(i);
            }
        }

        // Decades and last digits: each place's class, and each class's places from each place on.
        m_decina.resize(std::size_t(v));
        m_cadenza.resize(std::size_t(v));
        m_decineDopo.assign(std::size_t(v + 1), {});
        m_cadenzeDopo.assign(std::size_t(v + 1), {});
        for (int i = v - 1; i >= 0; --i) {
            const int n = a[std::size_t(i)];
            m_decina[std::size_t(i)] = (n - 1) / 10;
            m_cadenza[std::size_t(i)] = n % 10;
            m_decineDopo[std::size_t(i)] = m_decineDopo[std::size_t(i + 1)];
            ++m_decineDopo[std::size_t(i)][std::size_t(m_decina[std::size_t(i)])];
            m_cadenzeDopo[std::size_t(i)] = m_cadenzeDopo[std::size_t(i + 1)];
            ++m_cadenzeDopo[std::size_t(i)][std::size_t(m_cadenza[std::size_t(i)])];
            m_postiDecina[std::size_t(m_decina[std::size_t(i)])].Metti(i);
            m_postiCadenza[std::size_t(m_cadenza[std::size_t(i)])].Metti(i);
        }

        // Runs: how far the consecutive numbers go from each place, the longest from there on,
        // and how many numbers from there on fit without a run above the maximum.
        m_catena.assign(std::size_t(v + 1), 0);
        m_catenaMassima.assign(std::size_t(v + 1), 0);
        m_capienzaSerie.assign(std::size_t(v + 1), 0);
        const int serieMassima = m_limiti[Consecutivi].attiva ? m_limiti[Consecutivi].massimo : Giro;
        for (int i = v - 1; i >= 0; --i) {
            const bool segue = i + 1 < v && a[std::size_t(i + 1)] == a[std::size_t(i)] + 1;
            const int catena = segue ? m_catena[std::size_t(i + 1)] + 1 : 1;
            m_catena[std::size_t(i)] = catena;
            m_catenaMassima[std::size_t(i)] = std::max(catena, m_catenaMassima[std::size_t(i + 1)]);
            // Of a run of L, all but every (m+1)-th.
            m_capienzaSerie[std::size_t(i)] =
                catena - catena / (serieMassima + 1) + m_capienzaSerie[std::size_t(i + catena)];
        }

        // Distance: the least gap of neighbours from each place on, and for its minimum d the
        // earliest place r picks spaced by d can reach from each place.
        m_passoDopo.assign(std::size_t(v + 1), Nessuno);
        for (int i = v - 2; i >= 0; --i)
            m_passoDopo[std::size_t(i)] =
                std::min(m_passoDopo[std::size_t(i + 1)], a[std::size_t(i + 1)] - a[std::size_t(i)]);
        if (m_limiti[Distanza].attiva && k >= 2) {
            const int d = m_limiti[Distanza].minimo;
            m_salti.assign(std::size_t(k), std::vector<int>(std::size_t(v + 1), v));
            for (int i = 0; i <= v; ++i)
                m_salti[0][std::size_t(i)] = i;
            std::vector<int> prossimo(std::size_t(v + 1), v);
            for (int i = 0, j = 0; i < v; ++i) {
                while (j < v && a[std::size_t(j)] < a[std::size_t(i)] + d)
                    ++j;
                prossimo[std::size_t(i)] = j;
            }
            for (int r = 1; r < k; ++r) {
                for (int i = 0; i <= v; ++i)
                    m_salti[std::size_t(r)][std::size_t(i)] = prossimo[std::size_t(m_salti[std::size_t(r - 1)][std::size_t(i)])];
            }
            m_prossimo = std::move(prossimo);
        }

        for (int i = 0; i < v; ++i) {
            const QString campo = mFunzioni::CampoNumero(a[std::size_t(i)]);
            m_campi.push_back({campo[0].unicode(), campo[1].unicode()});
        }
        m_binomiali.assign(std::size_t(v + 1), std::vector<double>(std::size_t(k + 1), 0));
        for (int n = 0; n <= v; ++n) {
            m_binomiali[std::size_t(n)][0] = 1;
            for (int r = 1; r <= k && n > 0; ++r)
                m_binomiali[std::size_t(n)][std::size_t(r)] =
                    m_binomiali[std::size_t(n - 1)][std::size_t(r - 1)] + m_binomiali[std::size_t(n - 1)][std::size_t(r)];
        }
    }

    // Whether the picks left can keep a class (decade, last digit) count within its range.
    static bool Classi(int piu, const int *conteggi, const quint8 *dopo, int classi, int r, int minimo, int massimo)
    {
        if (piu > massimo)
            return false;
        if (piu + r > massimo) {
            int posti = 0;
            for (int c = 0; c < classi; ++c)
                posti += std::min(int(dopo[c]), massimo - conteggi[c]);
            if (posti < r)
                return false;
        }
        if (piu >= minimo)
            return true;
        for (int c = 0; c < classi; ++c) {
            if (conteggi[c] + std::min(r, int(dopo[c])) >= minimo)
                return true;
        }
        return false;
    }

    // Whether condition c can still hold in a line that starts with the partial line `s` of
    // i numbers; on a complete line, whether it holds.
    bool Possibile(int c, const Stato &s, int i) const
    {
        const int r = k - i;
        const int t = s.ultimo + 1;
        const Limiti &l = m_limiti[std::size_t(c)];
        switch (c) {
        case Somma: {
            const int meno = s.somma + m_prefissi[std::size_t(t + r)] - m_prefissi[std::size_t(t)];
            const int piu = s.somma + m_prefissi[std::size_t(v)] - m_prefissi[std::size_t(v - r)];
            return meno <= l.massimo && piu >= l.minimo;
        }
        case Decine:
            return Classi(s.decine, m_decine.data(), m_decineDopo[std::size_t(t)].data(), 9, r, l.minimo, l.massimo);
        case Cadenze:
            return Classi(s.cadenze, m_cadenze.data(), m_cadenzeDopo[std::size_t(t)].data(), 10, r, l.minimo,
                          l.massimo);
        case Consecutivi: {
            if (s.serieMassima > l.massimo || r > m_capienzaSerie[std::size_t(t)])
                return false;
            if (s.serieMassima >= l.minimo)
                return true;
            if (r == 0)
                return false;
            int estesa = 0;
            if (s.ultimo >= 0 && t < v && a[std::size_t(t)] == a[std::size_t(s.ultimo)] + 1)
                estesa = s.serie + std::min(r, m_catena[std::size_t(t)]);
            return std::max(estesa, std::min(r, m_catenaMassima[std::size_t(t)])) >= l.minimo;
        }
        case Distanza:
            return PossibileDistanza(s, i, l);
        default: {
            const int g = c == Pari ? InsiemePari : c - Gruppo1;
            const Insieme &ins = m_insiemi[std::size_t(g)];
            const int dentro = ins.dopo[std::size_t(t)];
            const int fuori = v - t - dentro;
            const int conta = s.conta[std::size_t(g)];
            return conta + std::max(0, r - fuori) <= l.massimo && conta + std::min(r, dentro) >= l.minimo;
        }
        }
    }

    bool PossibileDistanza(const Stato &s, int i, const Limiti &l) const
    {
        if (k < 2)
            return l.minimo <= DistanzaSenzaCoppie && DistanzaSenzaCoppie <= l.massimo;
        if (i == 0)
            return true;
        const int r = k - i;
        const int t = s.ultimo + 1;
        const int ultimo = a[std::size_t(s.ultimo)];
        // At least the minimum: every gap so far, and the picks left spaced by it, as early as
        // they can come, still far enough from the first round the wheel.
        if (i >= 2 && s.passo < l.minimo)
            return false;
        const int fine = m_salti[std::size_t(r)][std::size_t(s.ultimo)];
        if (fine >= v || a[std::size_t(fine)] > s.primo + Giro - l.minimo)
            return false;
        // At most the maximum: a close pair already, or one the picks left can still make, as
        // the next number, two numbers after it, or the last one close to the first round the wheel.
        if (i >= 2 && (s.passo <= l.massimo || Giro - (ultimo - s.primo) <= l.massimo))
            return true;
        if (r >= 1
            && ((t < v && a[std::size_t(t)] - ultimo <= l.massimo) || a[std::size_t(v - 1)] - s.primo >= Giro - l.massimo))
            return true;
        return r >= 2 && m_passoDopo[std::size_t(t)] <= l.massimo;
    }

    // Marks the conditions that can no longer hold; false once more than may fail.
    bool Prova(Stato &s, int i) const
    {
        s.falliti = 0;
        int falliti = 0;
        for (int c : m_attive) {
            if (!Possibile(c, s, i)) {
                s.falliti |= 1u << c;
                if (++falliti > m_ammessi)
                    return false;
            }
        }
        return true;
    }

    // The conditions that must hold in every line that starts with `s`: all those not failed
    // yet, once as many have failed as may. Candidati narrows the next number by them, and
    // UltimoSenzaProve counts on it.
    unsigned Obbligate(const Stato &s) const
    {
        return Bit::Conta(s.falliti) == m_ammessi ? m_maschera & ~s.falliti : 0;
    }

    // The places the next number may take, as narrowed by the conditions that must hold.
    bool Candidati(const Stato &s, int i, Posti &posti) const
    {
        const int m = k - i; // picks left, the next one included
        const int r = m - 1;
        int primo = s.ultimo + 1;
        int ultimo = v - m;
        Posti esclusi;
        Posti soli = ~Posti();
        const unsigned obbligate = Obbligate(s);
        for (int c : m_attive) {
            if ((obbligate >> c & 1) == 0)
                continue;
            const Limiti &l = m_limiti[std::size_t(c)];
            switch (c) {
            case Somma: {
                // The next number with the largest picks after it must reach the minimum...
                const int serve = l.minimo - s.somma - (m_prefissi[std::size_t(v)] - m_prefissi[std::size_t(v - r)]);
                primo = std::max(primo, int(std::lower_bound(a.begin(), a.end(), serve) - a.begin()));
                // ...and with the smallest after it stay within the maximum: the sum grows with the place.
                const int resta = l.massimo - s.somma;
                int basso = primo - 1;
                int alto = ultimo;
                while (basso < alto) {
                    const int medio = basso + (alto - basso + 1) / 2;
                    const int meno = a[std::size_t(medio)] + m_prefissi[std::size_t(medio + 1 + r)]
                                     - m_prefissi[std::size_t(medio + 1)];
                    if (meno <= resta)
                        basso = medio;
                    else
                        alto = medio - 1;
                }
                ultimo = basso;
                break;
            }
            case Decine:
                esclusi |= s.pieneDecine;
                break;
            case Cadenze:
                esclusi |= s.pieneCadenze;
                break;
            case Consecutivi:
                if (s.ultimo >= 0 && s.serie >= l.massimo && s.ultimo + 1 < v
                    && a[std::size_t(s.ultimo + 1)] == a[std::size_t(s.ultimo)] + 1)
                    esclusi.Metti(s.ultimo + 1);
                break;
            case Distanza:
                if (k >= 2 && i >= 1) {
                    primo = std::max(primo, m_prossimo[std::size_t(s.ultimo)]);
                    // The picks after the next, spaced by the minimum, end later the later it is.
                    const int limite = s.primo + Giro - l.minimo;
                    int basso = primo - 1;
                    int alto = ultimo;
                    while (basso < alto) {
                        const int medio = basso + (alto - basso + 1) / 2;
                        const int fine = m_salti[std::size_t(r)][std::size_t(medio)];
                        if (fine < v && a[std::size_t(fine)] <= limite)
                            basso = medio;
                        else
                            alto = medio - 1;
                    }
                    ultimo = basso;
                }
                break;
            default: {
                const int g = c == Pari ? InsiemePari : c - Gruppo1;
                const Insieme &ins = m_insiemi[std::size_t(g)];
                const int conta = s.conta[std::size_t(g)];
                if (conta >= l.massimo)
                    esclusi |= ins.posti;
                // The next number and those after it must hold the numbers of the set still
                // missing, and the numbers outside it that the maximum leaves over.
                const int dentro = l.minimo - conta;
                if (dentro >= m)
                    soli &= ins.posti;
                const int fuori = m - (l.massimo - conta);
                for (const auto &[servono, posti] : {std::pair{dentro, &ins.dentro}, std::pair{fuori, &ins.fuori}}) {
                    if (servono < 1)
                        continue;
                    if (servono > int(posti->size()))
                        return false;
                    ultimo = std::min(ultimo, (*posti)[posti->size() - std::size_t(servono)]);
                }
            }
            }
        }
        if (primo > ultimo)
            return false;
        posti = Posti::Da(primo, ultimo);
        posti &= ~esclusi;
        posti &= soli;
        return true;
    }

    // Whether, for the last number, the places Candidati leaves are exactly those that
    // complete a line: every condition that must hold is then settled by the narrowing, and
    // the lines are counted without being built one by one.
    bool UltimoSenzaProve(const Stato &s) const
    {
        const unsigned obbligate = Obbligate(s);
        for (int c : m_attive) {
            if ((obbligate >> c & 1) == 0) {
                // Failed already, or free to fail: the places left must be tried one by one.
                if ((s.falliti >> c & 1) == 0)
                    return false;
                continue;
            }
            const Limiti &l = m_limiti[std::size_t(c)];
            // The narrowing keeps these under their maximum; the minimum must be met already.
            if ((c == Decine && s.decine < l.minimo) || (c == Cadenze && s.cadenze < l.minimo)
                || (c == Consecutivi && s.serieMassima < l.minimo))
                return false;
            // It keeps the distance at least its minimum; a close pair must be there already.
            if (c == Distanza && k >= 2 && s.passo > l.massimo)
                return false;
        }
        return true;
    }

    void Estendi(int i, const Stato &s, double prima)
    {
        if (m_annullato || (m_annullato = m_avanzamento.Annullato()))
            return;
        Posti posti;
        if (!Candidati(s, i, posti))
            return;
        if (i + 1 == k && UltimoSenzaProve(s)) {
            for (int parola = 0; parola < 2; ++parola) {
                const int quante = Bit::Conta(posti.w[parola]);
                m_visitate += quante;
                if (m_righe + quante > m_massimo) {
                    Oltre(quante);
                    continue;
                }
                for (quint64 resto = posti.w[parola]; resto != 0; resto &= resto - 1) {
                    m_scelti[std::size_t(i)] = quint8(parola * 64 + Bit::Primo(resto));
                    Scrivi();
                }
            }
            return;
        }
        const bool decine = m_limiti[Decine].attiva;
        const bool cadenze = m_limiti[Cadenze].attiva;
        for (int parola = 0; parola < 2; ++parola) {
            for (quint64 resto = posti.w[parola]; resto != 0; resto &= resto - 1) {
                const int j = parola * 64 + Bit::Primo(resto);
                const int n = a[std::size_t(j)];
                Stato figlio = s;
                figlio.ultimo = j;
                figlio.somma += n;
                for (int g : m_insiemiAttivi) {
                    if (m_insiemi[std::size_t(g)].posti.w[parola] >> (j & 63) & 1)
                        ++figlio.conta[std::size_t(g)];
                }
                const int decina = m_decina[std::size_t(j)];
                const int cadenza = m_cadenza[std::size_t(j)];
                if (decine) {
                    figlio.decine = std::max(figlio.decine, ++m_decine[std::size_t(decina)]);
                    if (m_decine[std::size_t(decina)] >= m_limiti[Decine].massimo)
                        figlio.pieneDecine |= m_postiDecina[std::size_t(decina)];
                }
                if (cadenze) {
                    figlio.cadenze = std::max(figlio.cadenze, ++m_cadenze[std::size_t(cadenza)]);
                    if (m_cadenze[std::size_t(cadenza)] >= m_limiti[Cadenze].massimo)
                        figlio.pieneCadenze |= m_postiCadenza[std::size_t(cadenza)];
                }
                if (i == 0) {
                    figlio.primo = n;
                    figlio.serie = 1;
                } else {
                    const int precedente = a[std::size_t(s.ultimo)];
                    figlio.serie = n == precedente + 1 ? s.serie + 1 : 1;
                    figlio.passo = std::min(s.passo, n - precedente);
                }
                figlio.serieMassima = std::max(s.serieMassima, figlio.serie);
                m_scelti[std::size_t(i)] = quint8(j);
                ++m_visitate;
                if (Prova(figlio, i + 1)) {
                    if (i + 1 == k) {
                        Scrivi();
                    } else {
                        // The lines in lexicographic order before the first that starts so.
                        const double inizio = prima + m_binomiali[std::size_t(v - 1 - s.ultimo)][std::size_t(k - i)]
                                              - m_binomiali[std::size_t(v - j)][std::size_t(k - i)];
                        if (i < 3)
                            m_avanzamento.millesimi = int(1000 * inizio / m_binomiali[std::size_t(v)][std::size_t(k)]);
                        Estendi(i + 1, figlio, inizio);
                    }
                }
                if (decine)
                    --m_decine[std::size_t(decina)];
                if (cadenze)
                    --m_cadenze[std::size_t(cadenza)];
                if (m_annullato)
                    return;
            }
        }
    }

    // A complete line, kept as the places of its numbers; past the limit only counted.
    void Scrivi()
    {
        if (m_righe + 1 > m_massimo) {
            Oltre(1);
            return;
        }
        ++m_righe;
        m_righeScelte.insert(m_righeScelte.end(), m_scelti.begin(), m_scelti.end());
    }

    void Oltre(qint64 righe)
    {
        m_righe += righe;
        if (!m_righeScelte.empty()) {
            m_righeScelte.clear();
            m_righeScelte.shrink_to_fit();
        }
    }

    // The lines as Sviluppo::Sviluppa writes them, in one string of the exact size: grown
    // line by line, it was copied and its fresh pages touched again at each doubling.
    QString Testo() const
    {
        const qsizetype perRiga = 3 * qsizetype(k) + 1;
        QString testo(qsizetype(m_righeScelte.size() / std::size_t(k)) * perRiga, Qt::Uninitialized);
        QChar *scrivi = testo.data();
        for (std::size_t i = 0; i < m_righeScelte.size(); ++i) {
            const auto &campo = m_campi[m_righeScelte[i]];
            *scrivi++ = QChar(campo[0]);
            *scrivi++ = QChar(campo[1]);
            if ((i + 1) % std::size_t(k) != 0) {
                *scrivi++ = u' ';
            } else {
                *scrivi++ = u'\r';
                *scrivi++ = u'\n';
            }
        }
        return testo;
    }

    struct Insieme
    {
        Posti posti;
        std::vector<int> dopo;   // how many of its places from each place on
        std::vector<int> dentro; // its places, ascending
        std::vector<int> fuori;  // the other places, ascending
    };

    const std::vector<int> &a;
    const int v;
    const int k;
    const std::array<Limiti, Quante> m_limiti;
    ::Avanzamento &m_avanzamento;
    const qint64 m_massimo;
    bool m_valido = false;
    std::vector<int> m_attive;
    std::vector<int> m_insiemiAttivi; // the groups and the evens whose condition is set
    unsigned m_maschera = 0;
    int m_ammessi = 0;

    std::vector<int> m_prefissi;
    std::array<Insieme, Insiemi> m_insiemi;
    std::vector<int> m_decina;
    std::vector<int> m_cadenza;
    std::vector<std::array<quint8, 9>> m_decineDopo;
    std::vector<std::array<quint8, 10>> m_cadenzeDopo;
    std::array<Posti, 9> m_postiDecina;
    std::array<Posti, 10> m_postiCadenza;
    std::array<int, 9> m_decine{};
    std::array<int, 10> m_cadenze{};
    std::vector<int> m_catena;
    std::vector<int> m_catenaMassima;
    std::vector<int> m_capienzaSerie;
    std::vector<int> m_passoDopo;
    std::vector<int> m_prossimo;
    std::vector<std::vector<int>> m_salti;
    std::vector<std::array<char16_t, 2>> m_campi;
    std::vector<std::vector<double>> m_binomiali;

    std::vector<quint8> m_scelti;
    std::vector<quint8> m_righeScelte; // the places of the lines' numbers, k a line
    qint64 m_righe = 0;
    qint64 m_visitate = 0;
    bool m_annullato = false;
};

} // namespace

Sviluppato Sviluppa(const Impostazioni &impostazioni, const std::vector<int> &numeri, int k, ::Avanzamento &avanzamento,
                    qint64 massimo)
{
    return Potatura(impostazioni, numeri, k, avanzamento, massimo).Esegui();
}

} // namespace Condizioni
