#!/usr/bin/env bash
# Renders the game window under Xvfb on a 1280 x 800 screen to PNG files: the board at the start
# of a game (start.png), the hint's move marked on it (tipp.png), in the middle of a game
# (mitte.png) and every card picture (karten.png).
#   bash scripts/screenshots.sh [output folder]        (default: screenshots/)
# BILDSCHIRM=1024x768 picks another screen, SKALIERUNG=50 starts on a profile with that scale.
# The board pictures kept in the repository:
#   BILDSCHIRM=1024x768 bash scripts/screenshots.sh /tmp/a && cp /tmp/a/mitte.png screenshots/brett-1024x768.png
#   SKALIERUNG=50 bash scripts/screenshots.sh /tmp/b && cp /tmp/b/mitte.png screenshots/brett-50prozent.png
#   cp /tmp/a/verlauf.png screenshots/brett-spielverlauf.png
# With MESSEN=1 it also prints start-up time, memory, click answer and the speed of a 500-game
# simulation run in the window next to the same run of veldmark-sim. SPRACHE=share/Lang.ini
# shows the window with that language file.
# BUILD_DIR picks the build folder (default: build, optimised).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=${BUILD_DIR:-build}
ziel=${1:-screenshots}
if [ "$build" = build ]; then cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null; fi
cmake --build "$build" -j"$(nproc)" --target veldmark-bildschirmfoto veldmark-sim
mkdir -p "$ziel"
ziel=$(cd "$ziel" && pwd)
argumente=("$ziel")
if [ "${MESSEN:-0}" = 1 ]; then argumente+=(--messen); fi
if [ -n "${SPRACHE:-}" ]; then argumente+=(--sprache "$(cd "$(dirname "$SPRACHE")" && pwd)/$(basename "$SPRACHE")"); fi
if [ -n "${SKALIERUNG:-}" ]; then argumente+=(--skalierung "$SKALIERUNG"); fi
bildschirm=${BILDSCHIRM:-1280x800}
[[ $bildschirm =~ ^[0-9]+x[0-9]+$ ]] || { echo "BILDSCHIRM: Breite x Höhe erwartet, z. B. 1024x768" >&2; exit 2; }
xvfb-run -a -s "-screen 0 ${bildschirm}x24" env QT_QPA_PLATFORM=xcb "$build/tools/veldmark-bildschirmfoto" "${argumente[@]}"
if [ "${MESSEN:-0}" = 1 ]; then
  start=$(date +%s%N)
  "$build/veldmark-sim" --players 4 --games 500 --seed 12345 --quiet --report /dev/null >/dev/null
  echo "Simulation von 500 Spielen mit veldmark-sim: $(( ($(date +%s%N) - start) / 1000000 )) ms"
fi
