#!/usr/bin/env bash
# Installs what is missing, builds the game and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake --preset release -DCORVELLAN_WERROR=ON -DCORVELLAN_TESTS=OFF -DCORVELLAN_BENCH=OFF >/dev/null
cmake --build --preset release --target corvellan
exec build/release/corvellan "$@"
