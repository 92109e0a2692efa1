#!/usr/bin/env bash
# Installs what is missing, builds and starts Veldmark. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target veldmark-sim
if [ $# -eq 0 ]; then set -- --players 4 --games 5 --strategies 1,1,1,1; fi
exec ./build/veldmark-sim "$@"
