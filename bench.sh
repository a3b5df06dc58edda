#!/usr/bin/env bash
# Builds the benchmarks in Release and prints the table of our medians against the floor's.
# Extra arguments go to Google Benchmark, e.g. --benchmark_repetitions=25 or
# --benchmark_filter='sort_click', or --verifica for every case once, checked but not timed.
# The full report goes to bench/build/dettaglio.txt.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh

cmake -S bench -B bench/build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
if ! cmake --build bench/build -j2 >bench/build/compilazione.txt 2>&1; then
  cat bench/build/compilazione.txt
  exit 1
fi

echo "Running on $(nproc) CPUs ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Each case and its floor are repeated and interleaved; this takes a few minutes."
QT_QPA_PLATFORM=offscreen ./bench/build/ombrazio_bench "$@" 2>bench/build/dettaglio.txt
