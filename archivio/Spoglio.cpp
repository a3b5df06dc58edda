// The list over the archive, and what it would have paid. A draw counts here only where one
// of the chosen wheels was drawn that day: the Nazionale alone starts in 2005, not in 1939.
//
// What a wheel row does to a line depends only on h, how many of the row's five numbers the
// line holds, and on n, how many numbers the line has. So the replay never asks which lines
// won, only how many lines of each length won with each h: for lines short enough, the
// counts of lines holding each set of k numbers give A(k) = Σ C(h,k) over the lines from the
// 31 sets a row's five numbers make, and the counts by h follow from them by inversion:
// N(h) = Σ_k (−1)^(k−h) C(k,h) A(k). Longer lines are counted one by one, their numbers laid
// out a byte each so that a row's hits add up for many lines at once. Only the winning rows
// that are listed are looked for line by line.

#include "archivio/Archivio.h"

#include "common/Bit.h"
#include "common/Combinazioni.h"
#include "verifica/Verifica.h"

#include <algorithm>
#include <numeric>

namespace Archivio {

namespace {

constexpr int Numeri = Verifica::NumeroMassimo;
// Sets of up to five of the 90 numbers, read straight from the one table of binomials.
constexpr const Combinazioni::Tavola &C = Combinazioni::Binomiali;
// What the counts of sets may take, all lengths together; longer lines beyond it are
// counted one by one instead.
constexpr qint64 MemoriaInsiemi = 40 * 1024 * 1024;
constexpr int PassoAvanzamento = 256;

QString DataTesto(const QDate &data)
{
    return data.toString(QStringLiteral("dd/MM/yyyy"));
}

const char16_t *const NomiSorti[] = {u"Estratto", u"Ambo", u"Terno", u"Quaterna", u"Cinquina"};
const char16_t *const NomiVincite[] = {u"Estratti", u"Ambi", u"Terni", u"Quaterne", u"Cinquine"};

// How often a tier or better came out over the chosen draws, oldest first: in how many, how
// many draws since the last, the longest run of draws without it.
struct Statistica
{
    int estrazioni = 0;
    int attuale = 0;
    int massimo = 0;
};

Statistica Conta(const std::vector<int> &migliori, int sorte)
{
    Statistica s;
    int corsa = 0;
    for (int migliore : migliori) {
        if (migliore >= sorte) {
            ++s.estrazioni;
            corsa = 0;
        } else {
            s.massimo = std::max(s.massimo, ++corsa);
        }
    }
    s.attuale = corsa;
    return s;
}

// The place of a set of k numbers among all sets of k of the 90 (combinatorial number
// system): Σ C(a_j, j) over its numbers, less one each, ascending, j from 1.
quint32 Posto(const int *numeri, int k)
{
    quint64 posto = 0;
    for (int j = 0; j < k; ++j)
        posto += C.c[std::size_t(numeri[j] - 1)][std::size_t(j + 1)];
    return quint32(posto);
}

// How many lines hold each set of k numbers: a count for every set where many sets are
// held, else the places of the sets held, sorted, one for each line holding it. Most sets
// of a row are held by no line: a filter of a byte a place answers most of them at once.
class Tabella
{
public:
    std::vector<quint32> densa;
    std::vector<quint32> sparsa;

    void Ordina()
    {
        if (sparsa.empty())
            return;
        std::sort(sparsa.begin(), sparsa.end());
        bitFiltro = 6;
        while (bitFiltro < 32 && (quint64(1) << bitFiltro) < 8 * quint64(sparsa.size()))
            ++bitFiltro;
        filtro.assign(std::size_t(1) << (bitFiltro - 6), 0);
        for (quint32 posto : sparsa) {
            const quint32 h = Hash(posto);
            filtro[h >> 6] |= quint64(1) << (h & 63);
        }
    }

    quint32 Conta(quint32 posto) const
    {
        if (!densa.empty())
            return densa[posto];
        if (sparsa.empty())
            return 0;
        const quint32 h = Hash(posto);
        if ((filtro[h >> 6] >> (h & 63) & 1) == 0)
            return 0;
        // Without branches on the data: the sets looked for come in no order.
        const quint32 *base = sparsa.data();
        for (std::size_t n = sparsa.size(); n > 1;) {
            const std::size_t meta = n / 2;
            base = base[meta - 1] < posto ? base + meta : base;
            n -= meta;
        }
        const quint32 *fine = sparsa.data() + sparsa.size();
        base += *base < posto ? 1 : 0;
        if (base == fine || *base != posto)
            return 0;
        return quint32(std::upper_bound(base, fine, posto) - base);
    }

private:
    quint32 Hash(quint32 posto) const { return quint32(posto * 0x9E3779B1u) >> (32 - bitFiltro); }

    int bitFiltro = 6;
    std::vector<quint64> filtro;
};

// Sets of up to three numbers are counted in full (117,480 of three); of four, where the lines
// hold half as many as there are; of five, never (43,949,268 of them).
bool Densa(qint64 insiemi, int k)
{
    return k <= 3 || (k == 4 && insiemi * 2 >= qint64(C.c[Numeri][std::size_t(k)]));
}

// The lines of one length.
struct Classe
{
    int n = 0;
    std::vector<int> righe; // indices into the list, in its order
    bool perInsiemi = false;
    std::array<Tabella, Estratti + 1> tabelle; // by k, when counted by sets
    int inizio = 0;                            // its place among the lines counted one by one
    std::array<qint64, Estratti + 1> lordo{};  // by h: what one line wins on one wheel
    std::array<qint64, Estratti + 1> ritenuta{};

    qint64 Memoria() const
    {
        qint64 byte = 0;
        for (int k = 1; k <= std::min(n, Estratti); ++k) {
            const qint64 insiemi = qint64(righe.size()) * qint64(C.c[std::size_t(n)][std::size_t(k)]);
            // Sparse: the place and a byte of filter for each set a line holds.
            byte += Densa(insiemi, k) ? 4 * qint64(C.c[Numeri][std::size_t(k)]) : 5 * insiemi;
        }
        return byte;
    }
};

// Every set of one to five of a line's numbers, by size, through its callback.
template<typename Fai>
void Insiemi(const std::vector<int> &numeri, int k, Fai fai)
{
    std::array<int, Estratti> scelti{};
    std::array<int, Estratti> indici{};
    const int n = int(numeri.size());
    for (int j = 0; j < k; ++j)
        indici[std::size_t(j)] = j;
    while (true) {
        for (int j = 0; j < k; ++j)
            scelti[std::size_t(j)] = numeri[std::size_t(indici[std::size_t(j)])];
        fai(Posto(scelti.data(), k));
        int j = k - 1;
        while (j >= 0 && indici[std::size_t(j)] == n - k + j)
            --j;
        if (j < 0)
            return;
        ++indici[std::size_t(j)];
        for (int i = j + 1; i < k; ++i)
            indici[std::size_t(i)] = indici[std::size_t(i - 1)] + 1;
    }
}

// The sets of k of five places, by k, each ascending.
const std::array<std::vector<std::array<quint8, Estratti>>, Estratti + 1> &InsiemiDiCinque()
{
    static const auto insiemi = [] {
        std::array<std::vector<std::array<quint8, Estratti>>, Estratti + 1> tutti;
        for (int maschera = 1; maschera < 1 << Estratti; ++maschera) {
            std::array<quint8, Estratti> posti{};
            int k = 0;
            for (int j = 0; j < Estratti; ++j) {
                if (maschera >> j & 1)
                    posti[std::size_t(k++)] = quint8(j);
            }
            tutti[std::size_t(k)].push_back(posti);
        }
        return tutti;
    }();
    return insiemi;
}

// For each wheel row, how many lines of each length hold each count of its numbers.
class Conteggio
{
public:
    // False when `avanzamento` asked to stop.
    bool Prepara(const Verifica::Lista &lista, Avanzamento &avanzamento)
    {
        std::vector<int> classeDi(Numeri + 1, -1);
        for (int r = 0; r < int(lista.righe.size()); ++r) {
            const int n = lista.righe[std::size_t(r)].numeri.Quanti();
            if (classeDi[std::size_t(n)] < 0) {
                classeDi[std::size_t(n)] = int(classi.size());
                classi.emplace_back();
                classi.back().n = n;
            }
            classi[std::size_t(classeDi[std::size_t(n)])].righe.push_back(r);
        }
        std::sort(classi.begin(), classi.end(), [](const Classe &a, const Classe &b) { return a.n < b.n; });
        // The shortest lines first: the most lines for the least memory.
        qint64 memoria = 0;
        int unoAUno = 0;
        for (Classe &classe : classi) {
            const qint64 serve = classe.Memoria();
            classe.perInsiemi = classe.n > 0 && memoria + serve <= MemoriaInsiemi;
            if (classe.perInsiemi) {
                memoria += serve;
            } else {
                classe.inizio = unoAUno;
                unoAUno += int(classe.righe.size());
            }
        }
        lunghe = unoAUno;
        presenze.assign(std::size_t(Numeri + 1) * std::size_t(lunghe), 0);
        colpi.assign(std::size_t(lunghe), 0);

        int fatte = 0;
        for (Classe &classe : classi) {
            for (int k = 1; k <= std::min(classe.n, Estratti) && classe.perInsiemi; ++k) {
                const qint64 insiemi = qint64(classe.righe.size()) * qint64(C.c[std::size_t(classe.n)][std::size_t(k)]);
                Tabella &t = classe.tabelle[std::size_t(k)];
                if (Densa(insiemi, k))
                    t.densa.assign(std::size_t(C.c[Numeri][std::size_t(k)]), 0);
                else
                    t.sparsa.reserve(std::size_t(insiemi));
            }
            for (std::size_t i = 0; i < classe.righe.size(); ++i) {
                if (++fatte % 4096 == 0) {
                    if (avanzamento.Annullato())
                        return false;
                    // The first twentieth of the way.
                    avanzamento.millesimi.store(int(50LL * fatte / qint64(lista.righe.size())), std::memory_order_relaxed);
                }
                const std::vector<int> numeri = lista.righe[std::size_t(classe.righe[i])].numeri.Elenco();
                if (!classe.perInsiemi) {
                    for (int n : numeri)
                        presenze[std::size_t(n) * std::size_t(lunghe) + std::size_t(classe.inizio) + i] = 1;
                    continue;
                }
                for (int k = 1; k <= std::min(classe.n, Estratti); ++k) {
                    Tabella &t = classe.tabelle[std::size_t(k)];
                    if (!t.densa.empty())
                        Insiemi(numeri, k, [&t](quint32 posto) { ++t.densa[posto]; });
                    else
                        Insiemi(numeri, k, [&t](quint32 posto) { t.sparsa.push_back(posto); });
                }
            }
            for (Tabella &t : classe.tabelle)
                t.Ordina();
        }
        return true;
    }

    // `quante[c][h]`: the lines of class c holding h of the row's numbers, h from 1 to 5.
    void Conta(const std::array<quint8, Estratti> &estratti, std::vector<std::array<qint64, Estratti + 1>> &quante)
    {
        std::array<int, Estratti> ordinati;
        std::copy(estratti.begin(), estratti.end(), ordinati.begin());
        std::sort(ordinati.begin(), ordinati.end());
        // C(a_i − 1, j + 1) for the i-th smallest number as the j-th of a set; a set's place is
        // the sum over its numbers.
        std::array<std::array<quint32, Estratti>, Estratti> termini;
        for (std::size_t i = 0; i < Estratti; ++i) {
            for (std::size_t j = 0; j <= i; ++j)
                termini[i][j] = quint32(C.c[std::size_t(ordinati[i] - 1)][j + 1]);
        }
        std::array<std::array<quint32, 10>, Estratti + 1> posti;
        for (int k = 1; k <= Estratti; ++k) {
            const std::vector<std::array<quint8, Estratti>> &insiemi = InsiemiDiCinque()[std::size_t(k)];
            for (std::size_t i = 0; i < insiemi.size(); ++i) {
                quint32 posto = 0;
                for (int j = 0; j < k; ++j)
                    posto += termini[insiemi[i][std::size_t(j)]][std::size_t(j)];
                posti[std::size_t(k)][i] = posto;
            }
        }
        if (lunghe > 0) {
            const std::size_t passo = std::size_t(lunghe);
            const quint8 *a = presenze.data() + std::size_t(estratti[0]) * passo;
            const quint8 *b = presenze.data() + std::size_t(estratti[1]) * passo;
            const quint8 *c = presenze.data() + std::size_t(estratti[2]) * passo;
            const quint8 *d = presenze.data() + std::size_t(estratti[3]) * passo;
            const quint8 *e = presenze.data() + std::size_t(estratti[4]) * passo;
            quint8 *h = colpi.data();
            for (std::size_t i = 0; i < passo; ++i)
                h[i] = quint8(a[i] + b[i] + c[i] + d[i] + e[i]);
        }
        quante.resize(classi.size());
        for (std::size_t c = 0; c < classi.size(); ++c) {
            const Classe &classe = classi[c];
            std::array<qint64, Estratti + 1> &n = quante[c];
            n.fill(0);
            if (!classe.perInsiemi) {
                const quint8 *h = colpi.data() + classe.inizio;
                for (std::size_t i = 0; i < classe.righe.size(); ++i)
                    ++n[h[i]];
                continue;
            }
            std::array<qint64, Estratti + 1> a{};
            for (int k = 1; k <= std::min(classe.n, Estratti); ++k) {
                const Tabella &t = classe.tabelle[std::size_t(k)];
                for (std::size_t i = 0; i < C.c[Estratti][std::size_t(k)]; ++i)
                    a[std::size_t(k)] += t.Conta(posti[std::size_t(k)][i]);
            }
            for (int h = 1; h <= Estratti; ++h) {
                for (int k = h; k <= Estratti; ++k)
                    n[std::size_t(h)] += ((k - h) % 2 ? -1 : 1) * qint64(C.c[std::size_t(k)][std::size_t(h)]) * a[std::size_t(k)];
            }
        }
    }

    std::vector<Classe> classi;

private:
    int lunghe = 0;
    std::vector<quint8> presenze; // by number, then line counted one by one: 1 where it holds it
    std::vector<quint8> colpi;
};

// What a line of n numbers with h hits wins on one wheel, in whole cents: the win of each
// payment rounded down to the cent, its withholding to the nearest cent.
void Premi(Classe &classe, const Giocata &giocata, bool suTutte)
{
    const int s = giocata.sorte;
    classe.lordo.fill(0);
    classe.ritenuta.fill(0);
    if (classe.n < s)
        return;
    const qint64 divisore = 100 * (suTutte ? Nazionale : 1) * qint64(C.c[std::size_t(classe.n)][std::size_t(s)]);
    for (int h = s; h <= std::min(classe.n, Estratti); ++h) {
        const qint64 lordo = giocata.posta * PremiDiOggi.moltiplicatoreCentesimi[std::size_t(s)]
            * qint64(C.c[std::size_t(h)][std::size_t(s)]) / divisore;
        classe.lordo[std::size_t(h)] = lordo;
        classe.ritenuta[std::size_t(h)] = (lordo * PremiDiOggi.ritenutaPercento + 50) / 100;
    }
}

} // namespace

std::vector<int> Scelte(const Dati &dati, const Scelta &scelta)
{
    std::vector<int> scelte;
    for (int i = int(dati.estrazioni.size()) - 1; i >= 0 && int(scelte.size()) < scelta.ultime; --i) {
        if ((dati.estrazioni[std::size_t(i)].ruote & scelta.ruote) != 0)
            scelte.push_back(i);
    }
    std::reverse(scelte.begin(), scelte.end());
    return scelte;
}

QString NomeScelta(quint16 ruote)
{
    if (ruote == Tutte)
        return QStringLiteral("Tutte");
    QStringList sigle;
    for (int ruota = 0; ruota < Ruote; ++ruota) {
        if (ruote >> ruota & 1)
            sigle << Sigla(ruota);
    }
    return sigle.join(u' ');
}

bool Riproduci(const Dati &dati, const Verifica::Lista &lista, const Scelta &scelta, const Giocata &giocata,
               Spogliato &esito, Avanzamento &avanzamento)
{
    const std::vector<int> scelte = Scelte(dati, scelta);
    Conteggio conteggio;
    if (!conteggio.Prepara(lista, avanzamento))
        return false;
    std::vector<Classe> &classi = conteggio.classi;

    Spogliato nuovo;
    Bilancio &bilancio = nuovo.bilancio;
    bilancio.giocata = giocata;
    // Within what a bet slip takes, so that no product of the sums can overflow.
    bilancio.giocata.posta = std::clamp<qint64>(giocata.posta, 0, PostaMassima);
    bilancio.giocata.sorte = std::clamp(giocata.sorte, int(Estratto), int(Cinquina));
    bilancio.suTutte = scelta.ruote == Tutte;
    qint64 giocate = 0; // the lines played for the sorte
    for (Classe &classe : classi) {
        Premi(classe, bilancio.giocata, bilancio.suTutte);
        if (classe.n < bilancio.giocata.sorte)
            bilancio.righeCorte += int(classe.righe.size());
        else
            giocate += qint64(classe.righe.size());
        if (classe.n > PremiDiOggi.numeriMassimi)
            bilancio.righeSviluppate += int(classe.righe.size());
    }
    // A list of single numbers is played for the estratto: its winning rows start from one hit.
    const bool singoli = classi.size() == 1 && classi.front().n == 1;
    const int primoColpo = singoli ? 1 : 2;

    qint64 righeRuota = 0;
    for (int indice : scelte)
        righeRuota += Bit::Conta(dati.estrazioni[std::size_t(indice)].ruote & scelta.ruote);
    std::array<quint64, Estratti + 1> vincite{};
    std::vector<int> migliori(scelte.size(), 0);
    std::vector<quint32> vincentiRuota(scelte.size() * Ruote, 0);
    quint64 vincenti = 0;
    std::vector<std::array<qint64, Estratti + 1>> quante;
    qint64 fatte = 0;
    bilancio.andamento.resize(scelte.size());
    for (std::size_t s = 0; s < scelte.size(); ++s) {
        const Estrazione &estrazione = dati.estrazioni[std::size_t(scelte[s])];
        const quint16 ruote = estrazione.ruote & scelta.ruote;
        PuntoAndamento &punto = bilancio.andamento[s];
        punto.data = estrazione.data;
        qint64 lordo = 0;
        qint64 ritenuta = 0;
        for (int ruota = 0; ruota < Ruote; ++ruota) {
            if ((ruote >> ruota & 1) == 0)
                continue;
            if (++fatte % PassoAvanzamento == 0) {
                if (avanzamento.Annullato())
                    return false;
                avanzamento.millesimi.store(int(50 + 900 * fatte / righeRuota), std::memory_order_relaxed);
            }
            conteggio.Conta(estrazione.numeri[std::size_t(ruota)], quante);
            for (std::size_t c = 0; c < classi.size(); ++c) {
                const Classe &classe = classi[c];
                const std::array<qint64, Estratti + 1> &n = quante[c];
                for (int h = 1; h <= Estratti; ++h) {
                    if (n[std::size_t(h)] == 0)
                        continue;
                    migliori[s] = std::max(migliori[s], h);
                    for (int k = 1; k <= h; ++k)
                        vincite[std::size_t(k)] += quint64(n[std::size_t(h)]) * C.c[std::size_t(h)][std::size_t(k)];
                    if (h >= primoColpo) {
                        vincentiRuota[s * Ruote + std::size_t(ruota)] += quint32(n[std::size_t(h)]);
                        vincenti += quint64(n[std::size_t(h)]);
                    }
                    if (classe.lordo[std::size_t(h)] > 0) {
                        lordo += n[std::size_t(h)] * classe.lordo[std::size_t(h)];
                        ritenuta += n[std::size_t(h)] * classe.ritenuta[std::size_t(h)];
                        punto.sorte = std::max(punto.sorte, h);
                    }
                }
            }
        }
        const qint64 puntate = bilancio.suTutte ? 1 : Bit::Conta(ruote);
        const qint64 costo = giocate * puntate * bilancio.giocata.posta;
        bilancio.costo += costo;
        bilancio.lorde += lordo;
        bilancio.ritenuta += ritenuta;
        bilancio.netto += lordo - ritenuta;
        punto.vinto = lordo - ritenuta;
        punto.saldo = bilancio.Saldo();
    }

    QString testo = QStringLiteral("Spoglio: %1 righe su %2, ultime %3 estrazioni")
                        .arg(lista.righe.size())
                        .arg(NomeScelta(scelta.ruote))
                        .arg(scelte.size());
    if (!scelte.empty()) {
        testo += QStringLiteral(" (dal %1 al %2)")
                     .arg(DataTesto(dati.estrazioni[std::size_t(scelte.front())].data),
                          DataTesto(dati.estrazioni[std::size_t(scelte.back())].data));
    }
    if (lista.nonVerificate > 0) {
        testo += QStringLiteral("\nRighe non verificate: %1, la prima è la riga %2")
                     .arg(lista.nonVerificate)
                     .arg(lista.primaNonVerificata);
    }
    testo += QStringLiteral("\nVincite:");
    for (int k = 1; k <= Estratti; ++k)
        testo += QStringLiteral("%1%2 %3").arg(k > 1 ? QStringLiteral("  ") : QStringLiteral(" "))
                     .arg(QString::fromUtf16(NomiVincite[k - 1]))
                     .arg(vincite[std::size_t(k)]);
    for (int sorte = 1; sorte <= Estratti; ++sorte) {
        const Statistica s = Conta(migliori, sorte);
        testo += QStringLiteral("\n%1: in %2 estrazioni su %3")
                     .arg(QString::fromUtf16(NomiSorti[sorte - 1]))
                     .arg(s.estrazioni)
                     .arg(scelte.size());
        if (s.estrazioni > 0)
            testo += QStringLiteral("; ritardo attuale %1, ritardo massimo %2").arg(s.attuale).arg(s.massimo);
    }
    testo += u'\n' + TestoBilancio(bilancio);

    // The newest winning rows, line by line: within a draw by wheel, then by line.
    int mostrate = 0;
    for (std::size_t s = scelte.size(); s-- > 0 && mostrate < RigheVincentiMostrate;) {
        const Estrazione &estrazione = dati.estrazioni[std::size_t(scelte[s])];
        for (int ruota = 0; ruota < Ruote && mostrate < RigheVincentiMostrate; ++ruota) {
            if (vincentiRuota[s * Ruote + std::size_t(ruota)] == 0)
                continue;
            if (avanzamento.Annullato())
                return false;
            Verifica::Numeri estratti;
            for (quint8 n : estrazione.numeri[std::size_t(ruota)])
                estratti.Aggiungi(n);
            for (const Verifica::RigaLetta &riga : lista.righe) {
                const Verifica::Numeri presi = riga.numeri & estratti;
                if (presi.Quanti() < primoColpo)
                    continue;
                testo += QLatin1Char('\n') + DataTesto(estrazione.data) + QLatin1Char(' ') + Sigla(ruota)
                    + QStringLiteral("  riga %1:").arg(riga.numero);
                Verifica::ScriviRiga(testo, riga.numeri, presi);
                if (++mostrate == RigheVincentiMostrate)
                    break;
            }
        }
    }
    if (vincenti > quint64(mostrate))
        testo += QStringLiteral("\n... e altre %1 righe vincenti").arg(vincenti - quint64(mostrate));
    nuovo.testo = std::move(testo);
    avanzamento.millesimi.store(1000, std::memory_order_relaxed);
    esito = std::move(nuovo);
    return true;
}

QString Spoglio(const Dati &dati, const Verifica::Lista &lista, const Scelta &scelta)
{
    Spogliato esito;
    Avanzamento avanzamento;
    Riproduci(dati, lista, scelta, Giocata(), esito, avanzamento);
    return esito.testo;
}

} // namespace Archivio
