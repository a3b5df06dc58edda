// The guarantee of a matrix, for draws of 2 to 6 of its numbers, on the matrices it has
// absolute goals for. The matrices are made here with their own seeded generator; each
// result is checked against what the matrix must give.

#include "Garanzia.h"

#include "Casi.h"
#include "Dati.h"
#include "Floor.h"
#include "Memoria.h"
#include "Tabella.h"

#include "verifica/Verifica.h"

#include <benchmark/benchmark.h>

#include <QStringList>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace Verifica;

struct Caso
{
    const char *nome;
    const char *descrizione;
    double obiettivoMs;
};

const Caso Casi[] = {
    {"garanzia/30_numbers_200_lines", "guarantee t=2..6, 30 numbers, 200 random lines of 6", 20},
    {"garanzia/90_numbers_1000_lines", "guarantee t=2..6, 90 numbers, 1,000 random lines of 6", 100},
    {"garanzia/all_38760_lines_of_20_in_6", "guarantee t=2..6, every line of 6 of 20 numbers", 500},
};
constexpr double MemoriaMassimaKb = 100 * 1024;
const char *const ContatoreMemoria = "peak_kB";

// The matrices: lines of six distinct numbers from 1 to `numeri`, always the same ones.
Lista Casuale(int numeri, int righe, quint64 seme)
{
    quint64 stato = seme * 0x9E3779B97F4A7C15ULL + 1;
    Lista lista;
    for (int r = 0; r < righe; ++r) {
        Numeri riga;
        while (riga.Quanti() < 6) {
            stato ^= stato << 13;
            stato ^= stato >> 7;
            stato ^= stato << 17;
            riga.Aggiungi(1 + int(stato % quint64(numeri)));
        }
        lista.righe.push_back({r + 1, riga});
    }
    return lista;
}

Lista Sviluppo(int numeri, int k)
{
    Lista lista;
    std::function<void(int, Numeri, int)> aggiungi = [&](int da, Numeri riga, int mancano) {
        if (mancano == 0) {
            lista.righe.push_back({int(lista.righe.size()) + 1, riga});
            return;
        }
        for (int n = da; n <= numeri - mancano + 1; ++n) {
            Numeri con = riga;
            con.Aggiungi(n);
            aggiungi(n + 1, con, mancano - 1);
        }
    };
    aggiungi(1, Numeri(), k);
    return lista;
}

// What the guarantee must be: every level filled for the development, and in every case
// five levels whose shares are shares.
bool Plausibile(const Garanzia &g, bool pieno)
{
    if (g.livelli.size() != 5)
        return false;
    for (const Livello &l : g.livelli) {
        if (l.coperti > l.casi || l.garantiti < 1 || l.garantiti > l.estratti)
            return false;
        if (pieno && (l.coperti != l.casi || l.garantiti != l.estratti))
            return false;
    }
    return true;
}

// The memory that one computation touches, beyond what the process holds before it. The
// pages earlier runs freed go back to the system first: reused, they would not show.
double PiccoKb(const Lista &lista)
{
    const Picco picco;
    const long prima = picco.Prima();
    Garanzia esito;
    Avanzamento avanzamento;
    CalcolaGaranzia(lista, esito, avanzamento);
    return double(StatoKb("VmHWM:") - prima);
}

void TempoGaranzia(benchmark::State &stato, const Lista &lista, bool pieno)
{
    const double picco = PiccoKb(lista);
    for (auto _ : stato) {
        Garanzia esito;
        Avanzamento avanzamento;
        const long long t0 = OraMonotonaNs();
        const bool riuscito = CalcolaGaranzia(lista, esito, avanzamento);
        stato.SetIterationTime(double(OraMonotonaNs() - t0) / 1e9);
        stato.counters[ContatoreMemoria] = picco;
        if (!riuscito || !Plausibile(esito, pieno)) {
            stato.SkipWithError("the guarantee is not what the matrix gives");
            break;
        }
    }
}

} // namespace

void RegistraGaranzia()
{
    static const Lista trenta = Casuale(30, 200, 20260205);
    static const Lista novanta = Casuale(90, 1000, 20260205);
    static const Lista sviluppo = Sviluppo(20, 6);
    const std::pair<const Lista *, bool> matrici[] = {{&trenta, false}, {&novanta, false}, {&sviluppo, true}};
    for (std::size_t i = 0; i < 3; ++i) {
        const Lista *lista = matrici[i].first;
        const bool pieno = matrici[i].second;
        Registra(Casi[i].nome, [lista, pieno](benchmark::State &s) { TempoGaranzia(s, *lista, pieno); }, i == 2 ? 3 : 10);
    }
}

int StampaGaranzia(const Raccoglitore &r)
{
    int mancati = 0;
    std::printf("\n%-58s %10s %8s %10s\n", "routines without widgets, absolute goals", "ours", "goal", "peak mem");
    std::printf("%s\n", std::string(93, '-').c_str());
    for (const Caso &caso : Casi) {
        const double secondi = r.Mediana(caso.nome);
        const double kb = r.MedianaContatore(caso.nome, ContatoreMemoria);
        const bool ok = secondi >= 0 && secondi * 1e3 <= caso.obiettivoMs && kb >= 0 && kb <= MemoriaMassimaKb;
        mancati += ok ? 0 : 1;
        char memoria[32] = "-";
        if (kb >= 1024)
            std::snprintf(memoria, sizeof memoria, "%.1f MiB", kb / 1024);
        else if (kb >= 0)
            std::snprintf(memoria, sizeof memoria, "%.0f KiB", kb);
        std::printf("%-58s %10s %5.0f ms %10s %s\n", caso.descrizione, Millisecondi(secondi).c_str(), caso.obiettivoMs,
                    memoria, ok ? "ok" : "MISSED");
    }
    return mancati;
}
