#!/usr/bin/env bash
# Pictures of the dialogs of settings, correction, end of game, info, scaling, the analysis of a
# position and help, German and with the English language file, rendered under Xvfb into
# screenshots/dialoge/
#   bash scripts/screenshots-dialoge.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
bau="${1:-build}"
if ! command -v xvfb-run >/dev/null; then
  echo "xvfb-run fehlt (Debian: apt-get install xvfb)" >&2
  exit 1
fi
cmake -S . -B "$bau" >/dev/null
cmake --build "$bau" -j"$(nproc)" --target veldmark-dialogbilder veldmark_karten
ziel=screenshots/dialoge
rm -rf "$ziel"
mkdir -p "$ziel/de" "$ziel/en"
export QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0
xvfb-run -a -s "-screen 0 1280x1024x24" "$bau/veldmark-dialogbilder" "$ziel/de" "$bau"
xvfb-run -a -s "-screen 0 1280x1024x24" "$bau/veldmark-dialogbilder" "$ziel/en" "$bau" share/Lang.ini
echo "Bilder in $ziel:"
ls "$ziel/de" "$ziel/en"
