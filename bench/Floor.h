#pragma once
// Running another program as a process: the floors that are processes, and the
// start-up programs.

#include <QByteArray>
#include <string>
#include <vector>

struct EsitoProcesso
{
    long long inizioNs = 0; // CLOCK_MONOTONIC just before the spawn
    long long fineNs = 0;   // CLOCK_MONOTONIC once the process has been reaped
    QByteArray uscita;      // everything it wrote to stdout
    int stato = -1;         // its exit status, or -1 if it did not exit normally
};

long long OraMonotonaNs();

// Runs `programma` with `argomenti`, the current environment plus `ambiente`
// ("NAME=value"), feeds it `ingresso` on stdin and reads its stdout until it exits.
EsitoProcesso EseguiProcesso(const std::string &programma, const std::vector<std::string> &argomenti,
                             const std::vector<std::string> &ambiente, const QByteArray &ingresso);
