#pragma once
// Shared between a long routine and whoever waits for it on another thread: the request to
// stop, and how far it has come. A new one for each run, since the progress only grows.

#include <atomic>

struct Avanzamento
{
    std::atomic<bool> annulla{false}; // set to stop the routine
    std::atomic<int> millesimi{0};    // how far it has come, 0 to 1000

    bool Annullato() const { return annulla.load(std::memory_order_relaxed); }
};
