#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole suite headless: first under
# AddressSanitizer and UndefinedBehaviorSanitizer, with every benchmark case once, then each
# fuzz target for a short while from its corpus, then the plain build. Any sanitizer report
# or fuzzer finding fails the run.
set -euo pipefail
cd "$(dirname "$0")"
RADICE=$PWD
# Other build folders, so that a run can be timed beside someone else's build.
BUILD=${OMBRAZIO_BUILD:-build}
BUILD_ASAN=${OMBRAZIO_BUILD_ASAN:-build-asan}
BENCH_ASAN=${OMBRAZIO_BENCH_ASAN:-bench/build-asan}
./tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build "$BUILD"

echo "== The suite again with AddressSanitizer and UndefinedBehaviorSanitizer"
# -O1 with line tables only: quick to build, fast enough to run, and reports name the lines.
# The same settings build the benchmark's cases below.
SANITIZZATI=(-G Ninja -DCMAKE_BUILD_TYPE=None "-DCMAKE_CXX_FLAGS=-O1 -gline-tables-only" -DOMBRAZIO_SANITIZE=ON)
CC=clang CXX=clang++ cmake -S . -B "$BUILD_ASAN" "${SANITIZZATI[@]}" -DBUILD_TESTING=ON
cmake --build "$BUILD_ASAN"
# Every report also goes to a file, so a report from a test that still exits 0 is not missed.
REPORT=$RADICE/$BUILD_ASAN/sanitizer-reports
rm -rf "$REPORT" && mkdir -p "$REPORT"
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:log_path=$REPORT/asan"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$REPORT/ubsan"
# Leaks inside Qt's own start-up and caches only; leaks of this program's objects are reported.
export LSAN_OPTIONS="suppressions=$RADICE/tests/sanitizer/lsan-qt.supp:print_suppressions=0"
nessun_rapporto() {
  if compgen -G "$REPORT/*" >/dev/null; then
    cat "$REPORT"/*
    echo "test.sh: FAILED: sanitizer reports above (in $REPORT)" >&2
    exit 1
  fi
}
ctest_ok=0
ctest --test-dir "$BUILD_ASAN" --output-on-failure -j2 || ctest_ok=$?
nessun_rapporto
((ctest_ok == 0)) || { echo "test.sh: FAILED: tests under the sanitizers" >&2; exit 1; }

echo "== The benchmark's cases once each under the sanitizers, results checked, not timed"
# The windows, dialogs, files and child processes that ./bench.sh drives, on every run of
# the suite. In a random order, each case starting without the program's folder as on a
# fresh build; no ratio is judged here, so a slow sanitizer build cannot fail it.
CC=clang CXX=clang++ cmake -S bench -B "$BENCH_ASAN" "${SANITIZZATI[@]}" >/dev/null
cmake --build "$BENCH_ASAN"
casi_ok=0
"$BENCH_ASAN/ombrazio_bench" --verifica >"$BENCH_ASAN/verifica.txt" 2>&1 || casi_ok=$?
nessun_rapporto
if ((casi_ok != 0)); then
  tail -n 60 "$BENCH_ASAN/verifica.txt"
  echo "test.sh: FAILED: the benchmark's cases under the sanitizers (exit $casi_ok)" >&2
  exit 1
fi
grep -E '^[0-9]+ cases run' "$BENCH_ASAN/verifica.txt"
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

echo "== Fuzz targets, 30 s each from the corpus"
CXX=clang++ cmake -S tests/fuzz -B tests/fuzz/build -G Ninja
cmake --build tests/fuzz/build
ARTEFATTI=$RADICE/tests/fuzz/build/artefatti
mkdir -p "$ARTEFATTI"
pids=()
bersagli=(lista codifica estrazione archivio)
for bersaglio in "${bersagli[@]}"; do
  # New inputs go to a scratch folder, so the committed corpus stays as it is.
  lavoro=$(mktemp -d)
  tests/fuzz/build/fuzz_$bersaglio -max_total_time=30 -timeout=120 -rss_limit_mb=2048 \
    -artifact_prefix="$ARTEFATTI/$bersaglio-" -print_final_stats=1 \
    "$lavoro" "tests/fuzz/corpus/$bersaglio" >"tests/fuzz/build/fuzz_$bersaglio.log" 2>&1 &
  pids+=($!)
done
fuzz_ok=0
for i in "${!pids[@]}"; do
  bersaglio=${bersagli[$i]}
  if wait "${pids[$i]}"; then
    echo "fuzz_$bersaglio: $(grep -m1 'stat::number_of_executed_units' "tests/fuzz/build/fuzz_$bersaglio.log" | awk '{print $2}') executions, no finding"
  else
    tail -n 60 "tests/fuzz/build/fuzz_$bersaglio.log"
    echo "fuzz_$bersaglio: FINDING, input kept in $ARTEFATTI" >&2
    fuzz_ok=1
  fi
done
((fuzz_ok == 0)) || { echo "test.sh: FAILED: fuzzing" >&2; exit 1; }


# The plain suite last, so that the run ends on its summary.
echo "== The suite"
ctest --test-dir "$BUILD" --output-on-failure -j2
