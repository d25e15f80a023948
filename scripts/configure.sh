#!/usr/bin/env bash
# scripts/configure.sh PRESET [cmake arguments]: configures a build preset,
# compiling through ccache when it is installed. The cache lives outside the
# clone (ccache's own default folder), and paths are taken relative to the
# clone, so a fresh clone in another folder reuses the objects of an earlier one.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$1
shift
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
exec cmake --preset "$preset" "${launcher[@]}" "$@"
