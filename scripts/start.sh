#!/usr/bin/env bash
# Installs what is missing, builds and starts the game Veldmark. An argument names the profile
# folder (Veldmark.ini); without one the profile lives beside the program in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target veldmark
exec ./build/veldmark "$@"
