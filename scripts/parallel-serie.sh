#!/usr/bin/env bash
# One simulation series in K parts with different seeds, run side by side with GNU parallel, then
# merged into one report and one JSON file.
#
#   bash scripts/parallel-serie.sh -o PREFIX [-k PARTS] [-s SEED] [-j JOBS] [-p PROGRAM] -- SERIES-OPTIONS...
#
# Part i (1..K) runs `veldmark-sim --seed SEED+i-1 SERIES-OPTIONS --quiet --json PREFIX-teil-i.json`;
# then `veldmark-sim merge` writes PREFIX.txt (report) and PREFIX.json (every part's games). The
# parts' JSON files stay, so a later merge can add more parts (with seeds not used yet). SEED
# defaults to 1, PARTS and JOBS to the number of cores. Every run gets a session of its own
# (setsid), so that each gets its own share of a busy machine. Exit code: 0 done, 2 bad arguments
# of the script, 1 a part failed (nothing is merged then), else the merge's.
set -euo pipefail

teile=$(nproc)
jobs=$(nproc)
seed=1
praefix=
programm=
hilfe() { sed -n '2,/^[^#]/{/^#/p}' "$0" | sed 's/^# \{0,1\}//'; }
fehler() {
  echo "parallel-serie.sh: $*" >&2
  exit 2
}
while [ $# -gt 0 ]; do
  case $1 in
    -o) praefix=${2-}; shift 2 || fehler "-o: Wert fehlt" ;;
    -k) teile=${2-}; shift 2 || fehler "-k: Wert fehlt" ;;
    -s) seed=${2-}; shift 2 || fehler "-s: Wert fehlt" ;;
    -j) jobs=${2-}; shift 2 || fehler "-j: Wert fehlt" ;;
    -p) programm=${2-}; shift 2 || fehler "-p: Wert fehlt" ;;
    -h | --help) hilfe; exit 0 ;;
    --) shift; break ;;
    *) fehler "$1: unbekanntes Argument (die Optionen der Serie folgen nach --)" ;;
  esac
done
[ -n "$praefix" ] || fehler "-o: das Präfix der Ausgaben muss genannt werden"
[[ $teile =~ ^[1-9][0-9]{0,3}$ ]] || fehler "-k: Anzahl 1 bis 9999 erwartet, nicht '$teile'"
[[ $jobs =~ ^[1-9][0-9]{0,3}$ ]] || fehler "-j: Anzahl 1 bis 9999 erwartet, nicht '$jobs'"
[[ $seed =~ ^[0-9]{1,10}$ ]] && [ "$seed" -le $((4294967296 - teile)) ] ||
  fehler "-s: Seed 0 bis $((4294967296 - teile)) erwartet, nicht '$seed'"
for a in "$@"; do
  case $a in
    --seed | --seed=* | --json | --json=* | --report | --report=* | --trace | --trace=* | merge | turnier | record | \
      inspect | analyse)
      fehler "$a: setzt das Skript selbst oder gehört nicht zu einer Serie" ;;
  esac
done
if [ -z "$programm" ]; then
  programm=$(command -v veldmark-sim || true)
  [ -n "$programm" ] || programm="$(cd "$(dirname "$0")/.." && pwd)/build/veldmark-sim"
fi
[ -x "$programm" ] || fehler "-p: '$programm' ist kein ausführbares Programm"
command -v parallel >/dev/null || fehler "GNU parallel fehlt (Debian-Paket 'parallel', scripts/deps.sh installiert es)"

teildateien=()
for i in $(seq 1 "$teile"); do teildateien+=("$praefix-teil-$i.json"); done
# The parts' standard output (a line per game) is not needed: the JSON holds every game. The
# arguments are handed over quoted (-q), so no shell sees them again; {} is the part's seed, {#}
# its number.
if ! seq "$seed" $((seed + teile - 1)) | parallel -q -u --will-cite --halt now,fail=1 -j "$jobs" \
  setsid -w "$programm" --seed {} "$@" --quiet --json "$praefix-teil-{#}.json" >/dev/null; then
  echo "parallel-serie.sh: ein Teil ist fehlgeschlagen; nichts vereinigt" >&2
  exit 1
fi
"$programm" merge "${teildateien[@]}" --report "$praefix.txt" --json "$praefix.json"
