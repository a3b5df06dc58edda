#pragma once
// Collects the median of every case while Google Benchmark reports as usual, and
// prints the comparison table at the end.

#include <benchmark/benchmark.h>

#include <map>
#include <string>

class Raccoglitore : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override;

    // Median real time in seconds, or a negative value if the case did not run.
    double Mediana(const std::string &caso) const;
    // Median of a counter, or a negative value.
    double MedianaContatore(const std::string &caso, const std::string &contatore) const;

private:
    std::map<std::string, double> m_secondi;
    std::map<std::string, std::map<std::string, double>> m_contatori;
};

// Prints the table to stdout; returns how many ratios missed their goal.
int StampaTabella(const Raccoglitore &risultati);
