#!/usr/bin/env bash
# Installs what is missing, builds the game, its tools and its data set
# (data/pack0.pak beside the program), and runs the game.
# Its own build folder (build/game) shares no options with the test builds;
# warnings do not stop the build here (a newer compiler may warn more).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
source scripts/ccache-env.sh
scripts/configure.sh game >/dev/null
cmake --build --preset game --target all dataset
exec build/game/corvellan "$@"
