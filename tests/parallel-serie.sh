#!/usr/bin/env bash
# The recipe for many cores and machines: a series in two parts with their own seeds, merged.
# Each part is the plain series of its seed, and the merge is the report of both.
#   bash tests/parallel-serie.sh <veldmark-sim>
set -euo pipefail
sim=$1
skript=$(cd "$(dirname "$0")/.." && pwd)/scripts/parallel-serie.sh
ordner=$(mktemp -d)
trap 'rm -rf "$ordner"' EXIT
cd "$ordner"
serie=(--players 3 --games 25 --strategies 4,10,10)
bash "$skript" -o p -k 2 -s 40 -j 2 -p "$sim" -- "${serie[@]}"
"$sim" --seed 40 "${serie[@]}" --quiet --json a.json >/dev/null
"$sim" --seed 41 "${serie[@]}" --quiet --json b.json >/dev/null
cmp a.json p-teil-1.json
cmp b.json p-teil-2.json
"$sim" merge a.json b.json --report r.txt --json m.json
cmp r.txt p.txt
cmp m.json p.json
grep -qx "Number of streams : 2" p.txt
grep -q "^Stream 2 : 25 games, RandSeed 41, " p.txt
# A part that cannot write its file fails the run, and nothing is merged.
if bash "$skript" -o fehlt/p -k 2 -p "$sim" -- --games 5 2>/dev/null; then
  echo "ein fehlgeschlagener Teil wurde nicht gemeldet" >&2
  exit 1
fi
[ ! -e fehlt/p.txt ]
