#!/usr/bin/env bash
# scripts/bench.sh [REPETITIONS] [BUILD_FOLDER]: runs every benchmark program
# in full (no smoke cases), pinned to two cores with taskset -c 0,1 (or the
# cores in BENCH_CPUS), the
# programs interleaved over the repetitions (3 by default) so that a passing
# load falls on all of them alike. Prints one table: for each path its
# project time, its floor's time and the ratio, each the median over the
# repetitions of what the program reported (a paired program reports the
# medians over its rounds, project and floor alternating round by round).
# Paths without a floor show their own time alone. Build the benchmarks first
# (the release preset builds them into build/release/bench).
set -euo pipefail
cd "$(dirname "$0")/.."
repetitions=${1:-3}
build=${2:-build/release}
shopt -s nullglob
programs=("$build"/bench/bench_*)
if [ ${#programs[@]} -eq 0 ]; then
  echo "no benchmark programs in $build/bench" >&2
  exit 1
fi
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

export SDL_VIDEODRIVER=${SDL_VIDEODRIVER:-offscreen}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export LP_NUM_THREADS=${LP_NUM_THREADS:-2}
# llvmpipe allocates and frees its scene memory every frame; with the C
# library's default thresholds large frames go back to the kernel and are
# faulted in again, which made the GL floor's time per box grow three- to
# fourfold from 1,000 to 10,000 boxes and swing between runs. Keeping that
# memory in the heap leaves the drawing itself to be measured, on both sides.
export GLIBC_TUNABLES=${GLIBC_TUNABLES:-glibc.malloc.mmap_threshold=33554432:glibc.malloc.trim_threshold=4294967295}
for ((repetition = 1; repetition <= repetitions; ++repetition)); do
  for program in "${programs[@]}"; do
    name=$(basename "$program")
    echo "---- $name, repetition $repetition of $repetitions" >&2
    taskset -c "${BENCH_CPUS:-0,1}" "$program" --benchmark_filter=-smoke --benchmark_format=json \
      --benchmark_out_format=json --benchmark_out="$results/$name.$repetition.json" >/dev/null
  done
done

python3 - "$results" <<'PYTHON'
import glob, json, os, re, statistics, sys

rows = {}
order = []
for path in sorted(glob.glob(os.path.join(sys.argv[1], "*.json"))):
    program = os.path.basename(path).split(".")[0]
    with open(path) as file:
        report = json.load(file)
    for run in report.get("benchmarks", []):
        if run.get("run_type") != "iteration" or run.get("error_occurred"):
            continue
        name = re.sub(r"/iterations:\d+|/real_time", "", run["name"])
        key = (program, name)
        if key not in rows:
            rows[key] = {"project": [], "floor": [], "ratio": []}
            order.append(key)
        row = rows[key]
        if "ratio" in run:
            row["project"].append(run["project_us"])
            row["floor"].append(run["floor_us"])
            row["ratio"].append(run["ratio"])
        else:
            # Unpaired: its own time per iteration, in microseconds.
            scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[run.get("time_unit", "ns")]
            row["project"].append(run["real_time"] * scale)

def microseconds(value):
    return f"{value / 1000:.2f} ms" if value >= 1000 else f"{value:.2f} µs"

print("| program | path | project | floor | ratio |")
print("|---|---|---|---|---|")
for key in order:
    row = rows[key]
    project = microseconds(statistics.median(row["project"])) if row["project"] else "-"
    floor = microseconds(statistics.median(row["floor"])) if row["floor"] else "-"
    ratio = f"{statistics.median(row['ratio']):.2f}" if row["ratio"] else "-"
    print(f"| {key[0]} | {key[1]} | {project} | {floor} | {ratio} |")
PYTHON
