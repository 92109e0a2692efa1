#!/usr/bin/env bash
# The layering check: a file under src/ may include headers of its own folder and of folders
# earlier in core < model < rules < ai < persist < control|sim < ui; control and sim never each
# other, and only ui includes Qt. Lists every include that breaks this and fails. With --zaehlen it prints their number
# and succeeds (for comparing two states of the code).
set -euo pipefail
cd "$(dirname "$0")/.."
zaehlen=0
[ "${1:-}" = --zaehlen ] && zaehlen=1

rang() {
  case "$1" in
    core) echo 0 ;; model) echo 1 ;; rules) echo 2 ;; ai) echo 3 ;; persist) echo 4 ;;
    control | sim) echo 5 ;; ui) echo 6 ;; *) echo -1 ;;
  esac
}

verstoesse=0
while IFS= read -r datei; do
  eigen=$(echo "$datei" | cut -d/ -f2)
  eigenRang=$(rang "$eigen")
  [ "$eigenRang" -lt 0 ] && continue
  while IFS=: read -r zeile ziel; do
    [ -z "$ziel" ] && continue
    zielRang=$(rang "$ziel")
    [ "$zielRang" -lt 0 ] && continue
    if [ "$zielRang" -gt "$eigenRang" ] || { [ "$zielRang" -eq 5 ] && [ "$eigen" != "$ziel" ] && [ "$eigenRang" -eq 5 ]; }; then
      verstoesse=$((verstoesse + 1))
      [ $zaehlen -eq 0 ] && echo "$datei:$zeile: $eigen bindet $ziel ein"
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]*/' "$datei" |
           sed -E 's/^([0-9]+):[^"]*"([a-z_]+)\/.*/\1:\2/' || true)
  if [ "$eigen" != ui ]; then
    while IFS=: read -r zeile _; do
      verstoesse=$((verstoesse + 1))
      [ $zaehlen -eq 0 ] && echo "$datei:$zeile: $eigen bindet Qt ein"
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$datei" || true)
  fi
done < <(find src -name '*.h' -o -name '*.cpp' | sort)

if [ $zaehlen -eq 1 ]; then
  echo "$verstoesse"
  exit 0
fi
if [ "$verstoesse" -gt 0 ]; then
  echo "$verstoesse Einbindungen gegen die Schichtung" >&2
  exit 1
fi
