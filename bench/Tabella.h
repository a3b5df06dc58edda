#pragma once
// Collects the median of every case while Google Benchmark reports as usual, and
// prints the comparison table at the end.

#include <benchmark/benchmark.h>

#include <map>
#include <set>
#include <string>

class Raccoglitore : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override;

    // Median real time in seconds, or a negative value if the case did not run.
    double Mediana(const std::string &caso) const;
    // Median of a counter, or a negative value.
    double MedianaContatore(const std::string &caso, const std::string &contatore) const;
    // The first error reported for a case, or an empty string. Google Benchmark reports a
    // failed repetition only where no median was made of the others.
    std::string Errore(const std::string &caso) const;

private:
    std::map<std::string, double> m_secondi;
    std::map<std::string, std::map<std::string, double>> m_contatori;
    std::map<std::string, std::string> m_errori;
};

// A median for the tables, or "-" where the case did not run (a negative value).
std::string Millisecondi(double secondi);
std::string Mebibyte(double kB);

// Prints the table to stdout; returns how many ratios missed their goal.
int StampaTabella(const Raccoglitore &risultati);

// Prints how many cases ran and which of them failed (an error, or a wrong result).
void StampaFalliti(const Raccoglitore &risultati, std::size_t casi, const std::set<std::string> &falliti);
