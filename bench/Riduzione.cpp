// Reduced systems on requests whose optimum mathematics knows: Steiner systems and planes,
// coverings by triples, lotto designs by splitting. Each search runs with the window's own
// entry point and a limit of wall time, as when the user lets it run and then stops it;
// what it finds is checked by the program's exact guarantee and, where the draws are few
// enough, by trying every draw here, before its size counts.

#include "Riduzione.h"

#include "Floor.h"

#include "riduzione/Riduzione.h"
#include "verifica/Verifica.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <iterator>
#include <limits>
#include <map>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <vector>

namespace {

using Riduzione::Riga;

constexpr quint64 Seme = 20260205;
constexpr double LimiteSecondi = 10;
// --verifica: a short search, so that the sanitizer build checks every row in seconds.
constexpr double LimiteVerificaSecondi = 1;
// The two large Steiner systems take seconds to build with the sanitizers; they end by
// themselves once built, and a second is not enough to check what they build.
constexpr double LimiteVerificaOltreSecondi = 5;
constexpr qint64 PassiVerifica = 200000;
// Up to this many draws the result is also checked here by trying every one of them.
constexpr quint64 EstrazioniProvate = 5000000;
constexpr int CorseCrescita = 9;
constexpr int CorseCrescitaVerifica = 1;
// The second table's long row, and the growth of C(v,4,2) under --verifica, where it only
// shows that every size gives a valid system.
constexpr double LimiteLungoSecondi = 60;
constexpr double LimiteQuartineVerificaSecondi = 0.3;
// The first system of a request: the goal, printed and never a miss.
constexpr double PrimoObiettivoSecondi = 0.1;
// A row that must end by itself does so within this share of its limit.
constexpr double QuotaDaSe = 0.5;

enum class Noto {
    Provato,     // a proven optimum: below it only a wrong check could go
    Costruzione, // a construction proven optimal in the literature: below it is a finding
    Oltre,       // reported, size not judged: Steiner systems larger than the table's
};

struct Caso
{
    int v;
    int k;
    int m;
    int p;
    qint64 noto;
    Noto tipo;
    const char *perche;
    double limite = LimiteSecondi; // wall time for each run
    int semi = 1;                  // runs, with the seeds from Seme on; the largest size counts
    bool daSe = false;             // must end by itself at the bound, well within the limit
};

const Caso CasiTabella[] = {
    {9, 3, 2, 2, 12, Noto::Provato, "Steiner triple system"},
    {15, 3, 2, 2, 35, Noto::Provato, "Steiner triple system"},
    {20, 3, 2, 2, 67, Noto::Provato, "C(v,3,2) = Schoenheim bound"},
    {30, 3, 2, 2, 150, Noto::Provato, "C(v,3,2) = Schoenheim bound"},
    {60, 3, 2, 2, 600, Noto::Provato, "C(v,3,2) = Schoenheim bound"},
    {90, 3, 2, 2, 1350, Noto::Provato, "C(v,3,2) = Schoenheim bound"},
    {13, 4, 2, 2, 13, Noto::Provato, "projective plane, order 3"},
    {16, 4, 2, 2, 20, Noto::Provato, "affine plane, order 4"},
    {21, 5, 2, 2, 21, Noto::Provato, "projective plane, order 4"},
    {25, 5, 2, 2, 30, Noto::Provato, "affine plane, order 5"},
    {31, 6, 2, 2, 31, Noto::Provato, "projective plane, order 5"},
    {10, 4, 3, 3, 30, Noto::Provato, "Steiner quadruple system"},
    {14, 4, 3, 3, 91, Noto::Provato, "Steiner quadruple system"},
    {16, 4, 3, 3, 140, Noto::Provato, "Steiner quadruple system"},
    {20, 4, 3, 3, 285, Noto::Provato, "Steiner quadruple system"},
    {11, 5, 4, 4, 66, Noto::Provato, "Steiner system S(4,5,11)"},
    {12, 6, 5, 5, 132, Noto::Provato, "Steiner system S(5,6,12)"},
    {15, 3, 2, 3, 18, Noto::Costruzione, "L(v,3,p,2), best split"},
    {20, 3, 2, 3, 31, Noto::Costruzione, "L(v,3,p,2), best split"},
    {30, 3, 2, 4, 48, Noto::Costruzione, "L(v,3,p,2), best split"},
    {90, 3, 2, 5, 325, Noto::Costruzione, "L(v,3,p,2), best split"},
};

const Caso CasiOltre[] = {
    {23, 7, 4, 4, 253, Noto::Oltre, "Steiner system S(4,7,23)"},
    {24, 8, 5, 5, 759, Noto::Oltre, "Steiner system S(5,8,24)"},
};

// Beyond the textbook designs: Mills' values for C(v,4,2), Steiner systems from projective
// spaces, difference families and quadruple systems, and lotto designs whose split or bound
// decides.
const Caso CasiSecondi[] = {
    {22, 4, 2, 2, 39, Noto::Provato, "Mills"},
    {24, 4, 2, 2, 48, Noto::Provato, "Mills, five seeds", LimiteSecondi, 5},
    {28, 4, 2, 2, 63, Noto::Provato, "S(2,4,28)"},
    {40, 4, 2, 2, 130, Noto::Provato, "S(2,4,40), lines of PG(3,3)"},
    {45, 5, 2, 2, 99, Noto::Provato, "S(2,5,45)"},
    {85, 5, 2, 2, 357, Noto::Provato, "S(2,5,85), lines of PG(3,4)"},
    {50, 4, 3, 3, 4900, Noto::Provato, "SQS(50)", LimiteLungoSecondi},
    {40, 4, 2, 6, 30, Noto::Costruzione, "split 13+9+6+6+6"},
    {15, 3, 2, 3, 18, Noto::Provato, "Bougard, ends by itself", LimiteSecondi, 1, true},
};

// The time to the first valid system, on requests whose constructions are slow.
const Riduzione::Richiesta CasiPrimi[] = {{45, 5, 2, 2}, {85, 5, 2, 2}, {50, 4, 3, 3}, {79, 7, 4, 6}};

const int NumeriCrescita[] = {15, 30, 45, 60, 90};
constexpr int QuartinePrime = 8;
constexpr int QuartineUltime = 40;

const char *NomeGaranzia(int m)
{
    static const char *const nomi[] = {"", "", "ambo", "terno", "quaterna", "cinquina"};
    return m >= 2 && m <= 5 ? nomi[m] : "?";
}

bool Secondo(const Caso &c)
{
    return &c >= std::begin(CasiSecondi) && &c < std::end(CasiSecondi);
}

std::string NomeCaso(const Caso &c)
{
    const char *gruppo = c.tipo == Noto::Oltre ? "riduzione/beyond/" : Secondo(c) ? "riduzione/ii/" : "riduzione/";
    return gruppo + std::to_string(c.v) + "_in_" + std::to_string(c.k) + "/" + NomeGaranzia(c.m) + "_se_escono_"
        + std::to_string(c.p);
}

std::string NomeCrescita(int v)
{
    return "riduzione/growth/" + std::to_string(v) + "_in_3";
}

std::string Descrizione(int v, int k, int m, int p)
{
    return std::to_string(v) + " numbers, lines of " + std::to_string(k) + ", " + NomeGaranzia(m) + " se escono "
        + std::to_string(p);
}

std::string Descrizione(const Caso &c)
{
    return Descrizione(c.v, c.k, c.m, c.p);
}

std::string NomePrimo(const Riduzione::Richiesta &r)
{
    return "riduzione/first/" + std::to_string(r.numeri) + "_in_" + std::to_string(r.classe) + "/"
        + NomeGaranzia(r.garanzia) + "_se_escono_" + std::to_string(r.estratti);
}

// C(n, k) by the bench itself, saturating instead of overflowing.
quint64 Binomiale(int n, int k)
{
    if (k < 0 || k > n)
        return 0;
    quint64 c = 1;
    for (int i = 1; i <= k; ++i) {
        if (c > std::numeric_limits<quint64>::max() / quint64(n - k + i))
            return std::numeric_limits<quint64>::max();
        c = c * quint64(n - k + i) / quint64(i);
    }
    return c;
}

// Sets `annulla` once the limit has passed, unless the search has ended before.
class Orologio
{
public:
    Orologio(std::atomic<bool> &annulla, double secondi)
        : m_filo([this, &annulla, secondi] {
            std::unique_lock<std::mutex> blocco(m_mutex);
            if (!m_finito.wait_for(blocco, std::chrono::duration<double>(secondi), [this] { return m_fine; }))
                annulla.store(true);
        })
    {
    }
    ~Orologio()
    {
        {
            std::lock_guard<std::mutex> blocco(m_mutex);
            m_fine = true;
        }
        m_finito.notify_all();
        m_filo.join();
    }
    Orologio(const Orologio &) = delete;
    Orologio &operator=(const Orologio &) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_finito;
    bool m_fine = false;
    std::thread m_filo; // last: it starts with the others in place
};

struct Corsa
{
    Riduzione::Esito esito;
    bool memoria = false;       // std::bad_alloc
    int annunciate = 0;         // the last size announced to `migliorato`
    int righeAvanzamento = 0;   // what `avanzamento.righe` held at the end
    double primo = -1;          // seconds to the first announcement
    double finale = -1;         // seconds to the last announcement: the final size first reached
    double totale = 0;          // seconds of the whole search
};

// `alPrimo`: the search is stopped at its first announcement, as a user who stops it at once.
Corsa Cerca(const Riduzione::Richiesta &richiesta, quint64 seme, double limite, qint64 passi, bool alPrimo = false)
{
    Corsa corsa;
    Riduzione::Avanzamento avanzamento;
    long long t0 = 0;
    avanzamento.migliorato = [&corsa, &t0, &avanzamento, alPrimo](int righe) {
        corsa.finale = double(OraMonotonaNs() - t0) / 1e9;
        if (corsa.primo < 0)
            corsa.primo = corsa.finale;
        corsa.annunciate = righe;
        if (alPrimo)
            avanzamento.annulla.store(true);
    };
    // The clock's thread is started before the search and joined after it is timed: on a
    // busy machine either can wait milliseconds for a core.
    Orologio orologio(avanzamento.annulla, limite);
    t0 = OraMonotonaNs();
    try {
        corsa.esito = Riduzione::Riduci(richiesta, seme, passi, avanzamento);
    } catch (const std::bad_alloc &) {
        corsa.memoria = true;
    }
    corsa.totale = double(OraMonotonaNs() - t0) / 1e9;
    corsa.righeAvanzamento = avanzamento.righe.load();
    return corsa;
}

// Every draw of p of the v places against every line, written here and sharing nothing with
// the program: true when each draw has m of its numbers in some line.
class ProvaOgniEstrazione
{
public:
    ProvaOgniEstrazione(const std::vector<Riga> &righe, int v, int m)
        : m_v(v)
        , m_m(m)
    {
        for (const Riga &riga : righe) {
            std::array<quint64, 2> maschera{};
            for (int posto : riga)
                maschera[std::size_t(posto / 64)] |= quint64(1) << (posto % 64);
            m_righe.push_back(maschera);
        }
    }

    bool Tutte(int p) { return Scendi(0, p, {}); }

private:
    bool Scendi(int da, int mancano, std::array<quint64, 2> estratti)
    {
        if (mancano == 0)
            return Servita(estratti);
        for (int x = da; x <= m_v - mancano; ++x) {
            std::array<quint64, 2> con = estratti;
            con[std::size_t(x / 64)] |= quint64(1) << (x % 64);
            if (!Scendi(x + 1, mancano - 1, con))
                return false;
        }
        return true;
    }

    bool Servita(const std::array<quint64, 2> &estratti)
    {
        // The line that served the draw before is tried first: neighbouring draws share
        // most of their numbers.
        const std::size_t n = m_righe.size();
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t j = (m_ultima + i) % n;
            const auto &riga = m_righe[j];
            if (__builtin_popcountll(riga[0] & estratti[0]) + __builtin_popcountll(riga[1] & estratti[1]) >= m_m) {
                m_ultima = j;
                return true;
            }
        }
        return false;
    }

    int m_v;
    int m_m;
    std::vector<std::array<quint64, 2>> m_righe;
    std::size_t m_ultima = 0;
};

const char *const NessunoNelLimite = "no system within the limit";

struct Controllo
{
    std::string errore;      // empty when the system is valid
    bool provatoQui = false; // every draw also tried by the bench
};

// Whether the search found a system, and a valid one.
Controllo Controlla(const Corsa &corsa, const Riduzione::Richiesta &r)
{
    Controllo c;
    if (corsa.memoria) {
        c.errore = "the search ran out of memory";
        return c;
    }
    if (corsa.esito.stato != Riduzione::Esito::Trovato || corsa.esito.righe.empty()) {
        c.errore = corsa.esito.stato == Riduzione::Esito::Annullato ? NessunoNelLimite : "the search gave no system";
        return c;
    }
    const std::vector<Riga> &righe = corsa.esito.righe;
    for (const Riga &riga : righe) {
        std::vector<bool> visto(std::size_t(r.numeri), false);
        bool buona = int(riga.size()) == r.classe;
        for (int posto : riga) {
            buona = buona && posto >= 0 && posto < r.numeri && !visto[std::size_t(posto)];
            if (buona)
                visto[std::size_t(posto)] = true;
        }
        if (!buona) {
            c.errore = "a line is not " + std::to_string(r.classe) + " distinct numbers of the "
                + std::to_string(r.numeri);
            return c;
        }
    }
    const int quante = int(righe.size());
    if (corsa.annunciate != quante || corsa.righeAvanzamento != quante) {
        c.errore = "the size announced (" + std::to_string(corsa.annunciate) + ", "
            + std::to_string(corsa.righeAvanzamento) + ") is not the size given (" + std::to_string(quante) + ")";
        return c;
    }
    std::vector<int> numeri;
    for (int n = 1; n <= r.numeri; ++n)
        numeri.push_back(n);
    Verifica::Avanzamento avanzamento;
    if (!Riduzione::Garantito(numeri, righe, r.garanzia, r.estratti, avanzamento)) {
        c.errore = "not guaranteed by the program's own check";
        return c;
    }
    if (Binomiale(r.numeri, r.estratti) <= EstrazioniProvate) {
        c.provatoQui = true;
        if (!ProvaOgniEstrazione(righe, r.numeri, r.garanzia).Tutte(r.estratti))
            c.errore = "a draw that no line serves, found by trying every draw";
    }
    return c;
}

struct Risultato
{
    qint64 righe = 0;  // 0 when no system was found
    qint64 minimo = 0; // MinimoTeorico
    double finale = -1;
    double totale = 0;
    qint64 passi = 0;
    bool provatoQui = false;
    std::string errore;   // not a valid system: a failed case
    bool guasto = false;  // below a proven optimum: a failed case, whatever the checks said
    bool nonDaSe = false; // should have ended by itself at the bound, and did not
};

struct Crescita
{
    std::vector<double> tempi; // of the runs that reached the bound
    int corse = 0;
    qint64 righe = 0;
    double totale = 0;
};

struct Quartina
{
    qint64 righe = 0;   // found, 0 for none
    qint64 minimo = 0;  // Mills' value
    double finale = -1; // when the final size was first reached
    double totale = 0;
};

struct Primo
{
    double primo = -1; // seconds to the first valid system
    qint64 righe = 0;
    double totale = 0;
};

bool gVerificaRiduzione = false;
std::map<std::string, Risultato> gRisultati;
std::map<int, Crescita> gCrescita;
std::map<int, Quartina> gQuartine;
std::map<std::string, Primo> gPrimi;
std::set<std::string> gFallite;
std::size_t gEseguite = 0;

double Limite(Noto tipo = Noto::Provato, double limite = LimiteSecondi)
{
    if (!gVerificaRiduzione)
        return limite;
    return tipo == Noto::Oltre ? LimiteVerificaOltreSecondi : LimiteVerificaSecondi;
}

qint64 Passi()
{
    return gVerificaRiduzione ? PassiVerifica : std::numeric_limits<qint64>::max();
}

void Fallisci(benchmark::State &stato, const std::string &nome, const std::string &errore)
{
    gFallite.insert(nome);
    stato.SkipWithError(errore.c_str());
}

void Riduci(benchmark::State &stato, const Caso &caso, const std::string &nome)
{
    ++gEseguite;
    const Riduzione::Richiesta r{caso.v, caso.k, caso.m, caso.p};
    for (auto _ : stato) {
        Risultato &ris = gRisultati[nome];
        ris = Risultato();
        ris.minimo = Riduzione::MinimoTeorico(r);
        const int semi = gVerificaRiduzione ? 1 : caso.semi;
        double tempo = 0;
        for (int i = 0; i < semi; ++i) {
            const double limite = Limite(caso.tipo, caso.limite);
            const Corsa corsa = Cerca(r, Seme + quint64(i), limite, Passi());
            const Controllo controllo = Controlla(corsa, r);
            const qint64 righe = corsa.esito.stato == Riduzione::Esito::Trovato ? qint64(corsa.esito.righe.size()) : 0;
            tempo += corsa.totale;
            // Nothing within a short limit leaves nothing to check, and beyond the table
            // nothing is asked of the size.
            std::string errore = controllo.errore;
            if (errore == NessunoNelLimite && (caso.tipo == Noto::Oltre || gVerificaRiduzione))
                errore.clear();
            // The largest size over the seeds counts, and its times with it.
            if (i == 0 || righe > ris.righe || !errore.empty()) {
                ris.righe = righe;
                ris.totale = corsa.totale;
                ris.finale = corsa.finale;
                ris.passi = corsa.esito.passi;
                ris.provatoQui = controllo.provatoQui;
                ris.errore = errore;
            }
            if (caso.daSe && !gVerificaRiduzione && errore.empty()
                && (!corsa.esito.ottimo || corsa.totale > QuotaDaSe * limite))
                ris.nonDaSe = true;
            if (!errore.empty())
                break;
        }
        ris.guasto = ris.righe > 0 && ris.righe < caso.noto && caso.tipo != Noto::Costruzione;
        if (ris.guasto || !ris.errore.empty()) {
            Fallisci(stato, nome, ris.guasto ? "below the proven optimum of " + std::to_string(caso.noto) : ris.errore);
            break;
        }
        stato.SetIterationTime(tempo);
        stato.counters["lines"] = double(ris.righe);
        stato.counters["final_s"] = ris.finale;
        stato.counters["moves"] = double(ris.passi);
    }
}

// The first valid system, the search stopped as soon as it is announced.
void Inizia(benchmark::State &stato, const Riduzione::Richiesta &r, const std::string &nome)
{
    ++gEseguite;
    for (auto _ : stato) {
        const Corsa corsa = Cerca(r, Seme, Limite(), Passi(), true);
        const Controllo controllo = Controlla(corsa, r);
        Primo &primo = gPrimi[nome];
        primo.primo = corsa.primo;
        primo.righe = corsa.esito.stato == Riduzione::Esito::Trovato ? qint64(corsa.esito.righe.size()) : 0;
        primo.totale = corsa.totale;
        if (!controllo.errore.empty()) {
            Fallisci(stato, nome, controllo.errore);
            break;
        }
        stato.SetIterationTime(corsa.totale);
        stato.counters["first_s"] = corsa.primo;
    }
}

// C(v,4,2) for every v of the growth row, one seed each, to Mills' value.
void Quartine(benchmark::State &stato, const std::string &nome)
{
    ++gEseguite;
    for (auto _ : stato) {
        std::string errore;
        double tempo = 0;
        for (int v = QuartinePrime; v <= QuartineUltime && errore.empty(); ++v) {
            const Riduzione::Richiesta r{v, 4, 2, 2};
            const Corsa corsa = Cerca(r, Seme + quint64(v), gVerificaRiduzione ? LimiteQuartineVerificaSecondi : LimiteSecondi,
                                      Passi());
            errore = Controlla(corsa, r).errore;
            if (errore == NessunoNelLimite && gVerificaRiduzione)
                errore.clear();
            Quartina &q = gQuartine[v];
            q.minimo = Riduzione::MinimoTeorico(r);
            q.righe = corsa.esito.stato == Riduzione::Esito::Trovato ? qint64(corsa.esito.righe.size()) : 0;
            q.finale = corsa.finale;
            q.totale = corsa.totale;
            tempo += corsa.totale;
            if (errore.empty() && q.righe > 0 && q.righe < q.minimo)
                errore = "C(" + std::to_string(v) + ",4,2) below Mills' value: the checks passed a system that cannot exist";
            else if (!errore.empty())
                errore = "C(" + std::to_string(v) + ",4,2): " + errore;
        }
        if (!errore.empty()) {
            Fallisci(stato, nome, errore);
            break;
        }
        stato.SetIterationTime(tempo);
    }
}

void Cresci(benchmark::State &stato, int v, const std::string &nome)
{
    ++gEseguite;
    const Riduzione::Richiesta r{v, 3, 2, 2};
    const qint64 minimo = Riduzione::MinimoTeorico(r);
    for (auto _ : stato) {
        Crescita crescita;
        crescita.righe = minimo;
        const int corse = gVerificaRiduzione ? CorseCrescitaVerifica : CorseCrescita;
        std::string errore;
        for (int i = 0; i < corse && errore.empty(); ++i) {
            const Corsa corsa = Cerca(r, Seme + quint64(i), Limite(), Passi());
            errore = Controlla(corsa, r).errore;
            ++crescita.corse;
            crescita.totale += corsa.totale;
            if (errore == NessunoNelLimite)
                errore.clear();
            else if (errore.empty() && qint64(corsa.esito.righe.size()) == minimo)
                crescita.tempi.push_back(corsa.finale);
            else if (errore.empty() && qint64(corsa.esito.righe.size()) < minimo)
                errore = "below Schoenheim's bound: the checks passed a system that cannot exist";
        }
        gCrescita[v] = crescita;
        if (!errore.empty()) {
            Fallisci(stato, nome, errore);
            break;
        }
        stato.SetIterationTime(crescita.totale);
        stato.counters["runs_at_bound"] = double(crescita.tempi.size());
    }
}

benchmark::internal::Benchmark *RegistraUna(const std::string &nome, std::function<void(benchmark::State &)> caso)
{
    // One repetition whatever the run asks for: a search of seconds repeated fifteen times
    // would add minutes and tell nothing a second run would not.
    return benchmark::RegisterBenchmark(nome.c_str(), std::move(caso))
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(1)
        ->Unit(benchmark::kMillisecond);
}

std::string Durata(double secondi)
{
    char testo[32] = "-";
    if (secondi < 0)
        return testo;
    if (secondi < 1e-3)
        std::snprintf(testo, sizeof testo, "%.0f us", secondi * 1e6);
    else if (secondi < 1)
        std::snprintf(testo, sizeof testo, "%.1f ms", secondi * 1e3);
    else
        std::snprintf(testo, sizeof testo, "%.2f s", secondi);
    return testo;
}

std::string Righe(qint64 righe)
{
    return righe > 0 ? std::to_string(righe) : "-";
}

double Mediana(std::vector<double> valori)
{
    if (valori.empty())
        return -1;
    std::sort(valori.begin(), valori.end());
    const std::size_t n = valori.size();
    return n % 2 == 1 ? valori[n / 2] : (valori[n / 2 - 1] + valori[n / 2]) / 2;
}

// Slope of the least-squares line through (log v, log t); negative if a point is missing.
double Esponente(const std::vector<std::pair<int, double>> &punti)
{
    if (punti.size() < 2)
        return -1;
    double mx = 0;
    double my = 0;
    for (const auto &[v, t] : punti) {
        if (t <= 0)
            return -1;
        mx += std::log(double(v)) / double(punti.size());
        my += std::log(t) / double(punti.size());
    }
    double sxy = 0;
    double sxx = 0;
    for (const auto &[v, t] : punti) {
        sxy += (std::log(double(v)) - mx) * (std::log(t) - my);
        sxx += (std::log(double(v)) - mx) * (std::log(double(v)) - mx);
    }
    return sxy / sxx;
}

// The verdict on a row, and whether it misses its optimum (never beyond the table).
std::string Verdetto(const Caso &caso, const Risultato &ris, bool &mancato)
{
    mancato = false;
    const bool oltre = caso.tipo == Noto::Oltre;
    if (ris.guasto)
        return "FAULT: below the proven optimum, " + (ris.errore.empty() ? "yet every check passed it" : ris.errore);
    if (ris.righe > 0 && ris.righe < caso.noto) {
        if (!ris.errore.empty())
            return "FINDING, NOT VALID: " + ris.errore;
        if (ris.provatoQui)
            return "FINDING: below the construction, valid (every draw tried)";
        return "FINDING: below the construction, valid by the program's check only (C(" + std::to_string(caso.v)
            + "," + std::to_string(caso.p) + ") = " + std::to_string(Binomiale(caso.v, caso.p))
            + " draws, too many to try here)";
    }
    if (!ris.errore.empty())
        return "FAILED: " + ris.errore;
    if (ris.righe == 0)
        return "none within the limit";
    if (gVerificaRiduzione)
        return "valid";
    if (oltre)
        return ris.righe == caso.noto ? "reached" : "not reached";
    mancato = ris.righe > caso.noto || ris.nonDaSe;
    if (ris.nonDaSe && ris.righe <= caso.noto)
        return "MISSED: did not end by itself";
    return mancato ? "MISSED" : caso.daSe ? "ok, ended by itself (ottimo)" : "ok";
}

} // namespace

void RegistraRiduzione(bool verifica)
{
    gVerificaRiduzione = verifica;
    for (const Caso &caso : CasiTabella) {
        const std::string nome = NomeCaso(caso);
        RegistraUna(nome, [&caso, nome](benchmark::State &s) { Riduci(s, caso, nome); });
    }
    for (const Caso &caso : CasiOltre) {
        const std::string nome = NomeCaso(caso);
        RegistraUna(nome, [&caso, nome](benchmark::State &s) { Riduci(s, caso, nome); });
    }
    for (const Caso &caso : CasiSecondi) {
        const std::string nome = NomeCaso(caso);
        RegistraUna(nome, [&caso, nome](benchmark::State &s) { Riduci(s, caso, nome); });
    }
    for (const Riduzione::Richiesta &r : CasiPrimi) {
        const std::string nome = NomePrimo(r);
        RegistraUna(nome, [&r, nome](benchmark::State &s) { Inizia(s, r, nome); });
    }
    RegistraUna("riduzione/growth/quartine_8_to_40", [](benchmark::State &s) { Quartine(s, "riduzione/growth/quartine_8_to_40"); });
    for (int v : NumeriCrescita) {
        const std::string nome = NomeCrescita(v);
        RegistraUna(nome, [v, nome](benchmark::State &s) { Cresci(s, v, nome); });
    }
}

std::size_t RiduzioneEseguite()
{
    return gEseguite;
}

const std::set<std::string> &RiduzioneFallite()
{
    return gFallite;
}

int StampaRiduzione(bool verifica)
{
    if (gEseguite == 0)
        return 0;
    int mancati = 0;
    double totale = 0;
    char intestazione[64];
    std::snprintf(intestazione, sizeof intestazione, "reduced systems, %g s each%s", Limite(),
                  verifica ? ", sizes not judged" : "");
    const auto riga = [](const std::string &descrizione, const std::string &trovato, const std::string &noto,
                         const std::string &minimo, const std::string &finale, const std::string &perche,
                         const std::string &esito) {
        std::printf("%-44s %6s %7s %6s %9s  %-28s %s\n", descrizione.c_str(), trovato.c_str(), noto.c_str(),
                    minimo.c_str(), finale.c_str(), perche.c_str(), esito.c_str());
    };

    bool titolo = false;
    for (const Caso &caso : CasiTabella) {
        const auto it = gRisultati.find(NomeCaso(caso));
        if (it == gRisultati.end())
            continue;
        if (!titolo) {
            std::printf("\n");
            riga(intestazione, "found", "optimum", "bound", "final at", "known from", "");
            std::printf("%s\n", std::string(119, '-').c_str());
            titolo = true;
        }
        const Risultato &ris = it->second;
        bool mancato = false;
        const std::string esito = Verdetto(caso, ris, mancato);
        mancati += mancato ? 1 : 0;
        totale += ris.totale;
        riga(Descrizione(caso), Righe(ris.righe), std::to_string(caso.noto), std::to_string(ris.minimo),
             Durata(ris.finale), caso.perche, esito);
    }

    titolo = false;
    for (const Caso &caso : CasiOltre) {
        const auto it = gRisultati.find(NomeCaso(caso));
        if (it == gRisultati.end())
            continue;
        if (!titolo) {
            std::printf("\nBeyond (reported, not a miss), %g s each:\n", Limite(Noto::Oltre));
            riga("", "found", "known", "bound", "final at", "known from", "");
            titolo = true;
        }
        const Risultato &ris = it->second;
        totale += ris.totale;
        bool mancato = false;
        const std::string esito = Verdetto(caso, ris, mancato);
        riga(Descrizione(caso), Righe(ris.righe), std::to_string(caso.noto), std::to_string(ris.minimo),
             Durata(ris.finale), caso.perche, esito);
    }

    titolo = false;
    for (const Caso &caso : CasiSecondi) {
        const auto it = gRisultati.find(NomeCaso(caso));
        if (it == gRisultati.end())
            continue;
        if (!titolo) {
            char testata[96];
            std::snprintf(testata, sizeof testata, "reduced systems II, %g s each unless said%s", Limite(),
                          verifica ? ", sizes not judged" : "");
            std::printf("\n");
            riga(testata, "found", "optimum", "bound", "final at", "known from", "");
            std::printf("%s\n", std::string(119, '-').c_str());
            titolo = true;
        }
        const Risultato &ris = it->second;
        bool mancato = false;
        const std::string esito = Verdetto(caso, ris, mancato);
        mancati += mancato ? 1 : 0;
        totale += ris.totale;
        std::string perche = caso.perche;
        if (caso.limite != LimiteSecondi && !verifica)
            perche += ", " + std::to_string(int(caso.limite)) + " s";
        riga(Descrizione(caso), Righe(ris.righe), (caso.tipo == Noto::Costruzione ? "<= " : "") + std::to_string(caso.noto),
             std::to_string(ris.minimo), Durata(ris.finale), perche, esito);
    }

    titolo = false;
    for (const Riduzione::Richiesta &r : CasiPrimi) {
        const auto it = gPrimi.find(NomePrimo(r));
        if (it == gPrimi.end())
            continue;
        if (!titolo) {
            std::printf("\nFirst valid system (printed, not a miss; goal under %s):\n", Durata(PrimoObiettivoSecondi).c_str());
            titolo = true;
        }
        const Primo &primo = it->second;
        const bool entro = primo.primo >= 0 && primo.primo < PrimoObiettivoSecondi;
        std::printf("%-44s %6s lines at %9s  %s\n", Descrizione(r.numeri, r.classe, r.garanzia, r.estratti).c_str(),
                    Righe(primo.righe).c_str(), Durata(primo.primo).c_str(),
                    verifica ? "not judged" : entro ? "within the goal" : "above the goal");
        totale += primo.totale;
    }

    if (!gQuartine.empty()) {
        int raggiunte = 0;
        double lenta = -1;
        int vLenta = 0;
        std::string mancate;
        for (const auto &[v, q] : gQuartine) {
            totale += q.totale;
            if (q.righe > 0 && q.righe <= q.minimo) {
                ++raggiunte;
                if (q.finale > lenta) {
                    lenta = q.finale;
                    vLenta = v;
                }
            } else {
                mancate += (mancate.empty() ? "" : ", ") + std::to_string(v) + " (" + Righe(q.righe) + " for "
                    + std::to_string(q.minimo) + ")";
            }
        }
        const int tutte = QuartineUltime - QuartinePrime + 1;
        std::printf("\nGrowth: C(v,4,2) for v = %d to %d, %g s each, seeds %llu + v: %d of %d at Mills' value, the slowest "
                    "of those %s (v = %d)%s%s\n",
                    QuartinePrime, QuartineUltime, gVerificaRiduzione ? LimiteQuartineVerificaSecondi : LimiteSecondi,
                    static_cast<unsigned long long>(Seme), raggiunte, int(gQuartine.size()), Durata(lenta).c_str(), vLenta,
                    mancate.empty() ? "" : "; above it: ", mancate.c_str());
        if (!verifica && (int(gQuartine.size()) != tutte || raggiunte != tutte)) {
            std::printf("C(v,4,2) growth: MISSED\n");
            ++mancati;
        }
    }

    if (!gCrescita.empty()) {
        std::printf("\nGrowth: C(v,3,2) to Schoenheim's bound, where the search ends by itself (median of the runs, "
                    "seeds from %llu):\n",
                    static_cast<unsigned long long>(Seme));
        std::printf("%10s %7s %12s %12s %12s %8s\n", "numbers", "lines", "median", "fastest", "slowest", "runs");
        std::vector<std::pair<int, double>> punti;
        for (int v : NumeriCrescita) {
            const auto it = gCrescita.find(v);
            if (it == gCrescita.end())
                continue;
            const Crescita &c = it->second;
            totale += c.totale;
            const double mediana = c.tempi.size() == std::size_t(c.corse) ? Mediana(c.tempi) : -1;
            if (mediana > 0)
                punti.push_back({v, mediana});
            const auto [piuBreve, piuLunga] = std::minmax_element(c.tempi.begin(), c.tempi.end());
            char corse[32];
            std::snprintf(corse, sizeof corse, "%zu/%d", c.tempi.size(), c.corse);
            std::printf("%10d %7lld %12s %12s %12s %8s\n", v, static_cast<long long>(c.righe), Durata(mediana).c_str(),
                        Durata(c.tempi.empty() ? -1 : *piuBreve).c_str(),
                        Durata(c.tempi.empty() ? -1 : *piuLunga).c_str(), corse);
        }
        const double esponente = punti.size() == std::size(NumeriCrescita) ? Esponente(punti) : -1;
        if (esponente > 0)
            std::printf("fitted growth exponent: %.2f (no goal)\n", esponente);
        else
            std::printf("fitted growth exponent: - (a size did not run, or a run did not reach the bound)\n");
    }
    std::printf("\nthe searches took %s of wall time in all\n", Durata(totale).c_str());
    return mancati;
}
