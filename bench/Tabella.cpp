#include "Tabella.h"

#include "Archivio.h"
#include "Casi.h"
#include "Garanzia.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

void Raccoglitore::ReportRuns(const std::vector<Run> &runs)
{
    for (const Run &run : runs) {
        const std::string nome = run.run_name.function_name;
        if (run.error_occurred)
            m_errori.emplace(nome, run.error_message);
        if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median")
            continue;
        m_secondi[nome] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        for (const auto &[chiave, contatore] : run.counters)
            m_contatori[nome][chiave] = contatore.value;
    }
    ConsoleReporter::ReportRuns(runs);
}

double Raccoglitore::Mediana(const std::string &caso) const
{
    const auto it = m_secondi.find(caso);
    return it == m_secondi.end() ? -1 : it->second;
}

std::string Raccoglitore::Errore(const std::string &caso) const
{
    const auto it = m_errori.find(caso);
    return it == m_errori.end() ? std::string() : it->second;
}

double Raccoglitore::MedianaContatore(const std::string &caso, const std::string &contatore) const
{
    const auto it = m_contatori.find(caso);
    if (it == m_contatori.end())
        return -1;
    const auto c = it->second.find(contatore);
    return c == it->second.end() ? -1 : c->second;
}

namespace {

std::string Tempo(double secondi)
{
    char testo[32];
    if (secondi < 0)
        return "-";
    if (secondi < 1e-3)
        std::snprintf(testo, sizeof testo, "%.1f us", secondi * 1e6);
    else
        std::snprintf(testo, sizeof testo, "%.2f ms", secondi * 1e3);
    return testo;
}

struct Riga
{
    std::string caso;
    std::string nostro;
    std::string floor;
    double rapporto;
    double obiettivo;
};

// Slope of the least-squares line through (log n, log t); negative if a point is missing.
double Esponente(const std::function<double(int)> &tempo)
{
    std::vector<double> x;
    std::vector<double> y;
    for (int n : RigheScala()) {
        const double t = tempo(n);
        if (t <= 0)
            return -1;
        x.push_back(std::log(double(n)));
        y.push_back(std::log(t));
    }
    double mx = 0;
    double my = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        mx += x[i] / double(x.size());
        my += y[i] / double(x.size());
    }
    double sxy = 0;
    double sxx = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sxy += (x[i] - mx) * (y[i] - my);
        sxx += (x[i] - mx) * (x[i] - mx);
    }
    return sxy / sxx;
}

} // namespace

std::string Millisecondi(double secondi)
{
    char testo[32] = "-";
    if (secondi >= 0)
        std::snprintf(testo, sizeof testo, "%.2f ms", secondi * 1e3);
    return testo;
}

std::string Mebibyte(double kB)
{
    char testo[32] = "-";
    if (kB >= 0)
        std::snprintf(testo, sizeof testo, "%.1f MiB", kB / 1024);
    return testo;
}

int StampaTabella(const Raccoglitore &r)
{
    std::vector<Riga> righe;
    for (const Confronto &c : Confronti()) {
        const double nostro = r.Mediana(c.nostro);
        const double floor = r.Mediana(c.floor);
        righe.push_back({c.descrizione, Tempo(nostro), Tempo(floor),
                         nostro > 0 && floor > 0 ? nostro / floor : -1, c.obiettivo});
    }
    {
        // The ratio of each pair, not of the two medians, which may come from different pairs.
        const double rapporto = r.MedianaContatore(CasoAvvioNostro, ContatoreAvvioRapporto);
        righe.push_back({"start-up to first paint", Tempo(r.Mediana(CasoAvvioNostro)),
                         Tempo(r.MedianaContatore(CasoAvvioNostro, ContatoreAvvioFloor)), rapporto, 1.2});
    }
    {
        const double nostro = r.MedianaContatore(CasoAvvioNostro, ContatorePicco);
        const double floor = r.MedianaContatore(CasoAvvioNostro, ContatorePiccoFloor);
        righe.push_back({"start-up peak memory (max RSS)", Mebibyte(nostro), Mebibyte(floor),
                         nostro > 0 && floor > 0 ? nostro / floor : -1, 1.2});
    }

    int mancati = 0;
    std::printf("\n%-52s %12s %12s %7s %6s\n", "case", "ours", "floor", "ratio", "goal");
    std::printf("%s\n", std::string(93, '-').c_str());
    for (const Riga &riga : righe) {
        const bool ok = riga.rapporto > 0 && riga.rapporto <= riga.obiettivo;
        mancati += ok ? 0 : 1;
        char rapporto[16] = "-";
        if (riga.rapporto > 0)
            std::snprintf(rapporto, sizeof rapporto, "%.2fx", riga.rapporto);
        std::printf("%-52s %12s %12s %7s %5.1fx %s\n", riga.caso.c_str(), riga.nostro.c_str(), riga.floor.c_str(),
                    rapporto, riga.obiettivo, ok ? "ok" : "MISSED");
    }

    // Each row against the floor, then the least-squares slope of log(time) on log(lines) on
    // wall-clock time, judged against the floor's own slope, which shows what Qt alone does
    // with a longer list; and, because on a shared machine a long run is interrupted more
    // often than a short one, on the thread's CPU time too.
    std::printf("\nSORT click scaling (medians):\n");
    std::printf("%10s %12s %12s %14s %7s %6s\n", "lines", "ours", "ours CPU", "floor", "ratio", "goal");
    for (int n : RigheScala()) {
        const double nostro = r.Mediana(CasoSort(n));
        const double floor = r.Mediana(CasoFloorSort(n));
        const double rapporto = nostro > 0 && floor > 0 ? nostro / floor : -1;
        char rapportoTesto[16] = "-";
        if (rapporto > 0)
            std::snprintf(rapportoTesto, sizeof rapportoTesto, "%.2fx", rapporto);
        std::printf("%10d %12s %12s %14s %7s", n, Tempo(nostro).c_str(),
                    Tempo(r.MedianaContatore(CasoSort(n), ContatoreCpu)).c_str(), Tempo(floor).c_str(), rapportoTesto);
        const double obiettivo = ObiettivoSort(n);
        if (obiettivo > 0) {
            const bool ok = rapporto > 0 && rapporto <= obiettivo;
            mancati += ok ? 0 : 1;
            std::printf(" %5.1fx %s", obiettivo, ok ? "ok" : "MISSED");
        }
        std::printf("\n");
    }
    const double esponente = Esponente([&r](int n) { return r.Mediana(CasoSort(n)); });
    const double esponenteCpu = Esponente([&r](int n) { return r.MedianaContatore(CasoSort(n), ContatoreCpu); });
    const double esponenteFloor = Esponente([&r](int n) { return r.Mediana(CasoFloorSort(n)); });
    const bool ok = esponente > 0 && esponenteFloor > 0 && esponente <= esponenteFloor + 0.05;
    mancati += ok ? 0 : 1;
    std::printf("fitted growth exponent: %.2f, floor: %.2f (goal: at most the floor's + 0.05) %s;  CPU time: %.2f\n",
                esponente, esponenteFloor, ok ? "ok" : "MISSED", esponenteCpu);
    return mancati + StampaGaranzia(r) + StampaArchivio(r);
}

void StampaFalliti(const Raccoglitore &r, std::size_t casi, const std::set<std::string> &falliti)
{
    std::printf("\n%zu cases run, %zu failed\n", casi, falliti.size());
    for (const std::string &caso : falliti)
        std::printf("FAILED %s: %s\n", caso.c_str(),
                    r.Errore(caso).empty() ? "a repetition failed" : r.Errore(caso).c_str());
}
