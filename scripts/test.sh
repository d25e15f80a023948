#!/usr/bin/env bash
# Installs what is missing, builds and runs every test:
#   1. clang 14 with AddressSanitizer and UndefinedBehaviorSanitizer: the unit
#      tests, then each fuzz target briefly on its seed corpus;
#   2. g++ 12 with -Werror: the benchmarks' smoke cases, then the unit tests.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
jobs=$(nproc)
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
export LP_NUM_THREADS=${LP_NUM_THREADS:-2}

echo "==== Sanitizer build (clang 14)"
cmake --preset sanitize -DCORVELLAN_WERROR=ON
cmake --build --preset sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp" \
  ctest --test-dir build/sanitize -j "$jobs" --output-on-failure
scripts/fuzz.sh build/sanitize 10

echo "==== Release build (g++ 12)"
cmake --preset release -DCORVELLAN_WERROR=ON
cmake --build --preset release -j "$jobs"
for program in build/release/bench/bench_*; do
  [ -x "$program" ] || continue
  echo "---- $program (smoke)"
  "$program" --benchmark_filter=/smoke --benchmark_min_time=0.01
done
ctest --test-dir build/release -j "$jobs" --output-on-failure
