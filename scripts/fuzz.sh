#!/usr/bin/env bash
# scripts/fuzz.sh BUILD_DIR SECONDS: runs every fuzz target of a sanitizer
# build on a copy of its seeds; any finding fails.
set -euo pipefail
build=$(cd "${1:-build/sanitize}" && pwd)
seconds=${2:-10}
root=$(cd "$(dirname "$0")/.." && pwd)

[ -f "$build/fuzz_targets.txt" ] || { echo "no fuzz targets in $build"; exit 0; }
seeds_made="$build/fuzz-seeds"
rm -rf "$seeds_made"
mkdir -p "$seeds_made"
if [ -x "$build/content/make_fuzz_seeds" ]; then
  "$build/content/make_fuzz_seeds" "$seeds_made"
fi
# Real files of the data set's formats, made from the content sources.
if [ -x "$build/content/mkdata" ]; then
  "$build/content/mkdata" --seed-corpus "$seeds_made"
fi

while read -r name; do
  [ -n "$name" ] || continue
  corpus="$build/fuzz-corpus/$name"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  [ -d "$root/fuzz/seeds/$name" ] && cp -r "$root/fuzz/seeds/$name/." "$corpus/"
  [ -d "$seeds_made/$name" ] && cp -r "$seeds_made/$name/." "$corpus/"
  echo "---- fuzz_$name for ${seconds}s"
  log="$build/fuzz-corpus/$name.log"
  if ! (cd "$build" && ./fuzz/fuzz_"$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
          "fuzz-corpus/$name" >"$log" 2>&1); then
    tail -n 60 "$log"
    echo "fuzz_$name found a problem"
    exit 1
  fi
  grep -E '^(#[0-9]+.*DONE|Done [0-9]+ runs)' "$log" | tail -n 1 || true
done < "$build/fuzz_targets.txt"
