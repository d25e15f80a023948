#!/usr/bin/env bash
# Installs what is missing, builds and runs every test:
#   1. clang 14 with AddressSanitizer and UndefinedBehaviorSanitizer: the unit
#      tests (not the whole-program runs labelled "long"), then each fuzz
#      target briefly on its seed corpus;
#   2. g++ 12 with -Werror: the benchmarks' smoke cases, then every test.
# Each stage checks that the tests wrote nothing into the build tree and left
# nothing behind in the temporary folder.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
source scripts/ccache-env.sh
jobs=$(nproc)
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
export LP_NUM_THREADS=${LP_NUM_THREADS:-2}

work_tmp=$(mktemp -d)
trap 'rm -rf "$work_tmp"' EXIT

build_files() {
  # ctest's own records and the test lists gtest writes at test time are not the tests' files.
  find "$1" -type f -not -path "$1/Testing/*" -not -name '*_tests.cmake' | sort
}

# run_checked BUILD_DIR COMMAND...: runs the command with a fresh temporary
# folder and fails when it leaves files in the build tree or the temporary folder.
run_checked() {
  local build=$1
  shift
  local tmp="$work_tmp/tmp"
  rm -rf "$tmp"
  mkdir -p "$tmp"
  build_files "$build" >"$work_tmp/before"
  TMPDIR="$tmp" "$@"
  build_files "$build" >"$work_tmp/after"
  local made
  made=$(comm -13 "$work_tmp/before" "$work_tmp/after")
  if [ -n "$made" ]; then
    echo "Tests wrote into the build tree:"
    echo "$made" | head -n 20
    exit 1
  fi
  local left
  left=$(find "$tmp" -mindepth 1 -maxdepth 1 -name 'corvellan-*')
  if [ -n "$left" ]; then
    echo "Tests left temporary folders behind:"
    echo "$left" | head -n 20
    exit 1
  fi
}

echo "==== Sanitizer build (clang 14)"
scripts/configure.sh sanitize
# Each stage builds only what it runs.
cmake --build --preset sanitize -j "$jobs" --target tests fuzzers make_fuzz_seeds
# intercept_tls_get_addr=0 keeps the leak check alive at exit (tests/support/gtest/TestMain.cpp says why).
ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0 LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp" \
  run_checked build/sanitize \
  ctest --test-dir build/sanitize -j "$jobs" -LE long --no-tests=error --output-on-failure
scripts/fuzz.sh build/sanitize 10

echo "==== Release build (g++ 12)"
scripts/configure.sh release
cmake --build --preset release -j "$jobs" --target tests benchmarks
smoke() {
  for program in build/release/bench/bench_*; do
    [ -x "$program" ] || continue
    echo "---- $program (smoke)"
    "$program" --benchmark_filter=/smoke --benchmark_min_time=0.01
  done
}
run_checked build/release smoke
run_checked build/release \
  ctest --test-dir build/release -j "$jobs" --no-tests=error --output-on-failure
