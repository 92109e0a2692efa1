#!/usr/bin/env bash
# veldmark-sim --plot: four SVG charts drawn by the veldmark beside it without a display (three for
# a tournament); a folder that cannot be made or a missing veldmark is exit code 1, the report
# written all the same.
set -uo pipefail
sim=$1/veldmark-sim
ort=$(mktemp -d)
trap 'rm -rf "$ort"' EXIT
mkdir "$ort/tmp" && export TMPDIR=$ort/tmp
fehler() { echo "$*" >&2; exit 1; }
lauf() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" --players 2 --games 20 --seed 1 --quiet; }
lauf "$sim" --plot "$ort/bilder" --report "$ort/bericht.txt" >/dev/null || fehler "--plot: Exit-Code $?"
for n in siegquoten punkteverteilung spiele-nach-runden punkte-nach-runden; do grep -q "<svg" "$ort/bilder/$n.svg" || fehler "$n.svg"; done
grep -q "Siegquote je Spieler" "$ort/bilder/siegquoten.svg" || fehler "siegquoten.svg ohne Titel"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$sim" turnier --players 2 --entrants 4,10,12 --games 4 \
    --seed 1 --plot "$ort/turnier" >/dev/null || fehler "turnier --plot: Exit-Code $?"
for n in siegquoten punkte-je-teilnehmer spiele-nach-runden; do grep -q "<svg" "$ort/turnier/$n.svg" || fehler "turnier $n.svg"; done
grep -q "#3 Strategie 12" "$ort/turnier/siegquoten.svg" || fehler "turnier: siegquoten.svg ohne Teilnehmer"
[ -z "$(ls "$TMPDIR" | grep "^veldmark-sim-")" ] || fehler "temporärer Ordner blieb liegen"
touch "$ort/datei"
lauf "$sim" --plot "$ort/datei/bilder" --report "$ort/bericht2.txt" >/dev/null 2>"$ort/meldung"
[ $? -eq 1 ] && grep -q "kann nicht angelegt werden" "$ort/meldung" && cmp -s "$ort/bericht"{,2}.txt || fehler "Ordner unter einer Datei"
cp "$sim" "$ort/allein"
lauf "$ort/allein" --plot "$ort/bilder3" --report "$ort/bericht3.txt" >/dev/null 2>"$ort/meldung"
[ $? -eq 1 ] && grep -q "'veldmark' fehlt" "$ort/meldung" && cmp -s "$ort/bericht"{,3}.txt || fehler "ohne veldmark"
