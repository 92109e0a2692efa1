#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and
# runs each for the given number of seconds (default 60). Prints the executions of each run.
set -euo pipefail
cd "$(dirname "$0")/.."
sekunden=${1:-60}
aus=${VELDMARK_FUZZ_DIR:-build-fuzz}
mkdir -p "$aus/korpus/spieldatei" "$aus/korpus/profil"
quellen=$(ls src/core/*.cpp src/model/*.cpp src/rules/*.cpp src/ai/*.cpp src/persist/*.cpp)
flags=(-std=c++20 -O1 -g -Isrc -fsanitize=address,undefined -fno-sanitize-recover=undefined)
if [ ! -f "$aus/engine.a" ] || [ -n "$(find src -newer "$aus/engine.a" -name '*.cpp' -o -newer "$aus/engine.a" -name '*.h' | head -1)" ]; then
  rm -f "$aus"/*.o
  for q in $quellen; do
    echo "clang++ $q"
    clang++ "${flags[@]}" -fsanitize=fuzzer-no-link -c "$q" -o "$aus/$(echo "$q" | tr / _).o" &
    while [ "$(jobs -r | wc -l)" -ge "$(nproc)" ]; do wait -n; done
  done
  wait
  rm -f "$aus/engine.a"; ar rcs "$aus/engine.a" "$aus"/*.o
fi
clang++ "${flags[@]}" fuzz/saat.cpp "$aus/engine.a" -lz -o "$aus/saat"
"$aus/saat" "$aus/korpus/spieldatei" "$aus/korpus/profil"
cp -n fuzz/seeds/spieldatei/* "$aus/korpus/spieldatei/" 2>/dev/null || true
cp -n fuzz/seeds/profil/* "$aus/korpus/profil/" 2>/dev/null || true
status=0
for ziel in spieldatei profil; do
  clang++ "${flags[@]}" -fsanitize=fuzzer "fuzz/fuzz_$ziel.cpp" "$aus/engine.a" -lz -o "$aus/fuzz_$ziel"
  log="$aus/fuzz_$ziel.log"
  if "$aus/fuzz_$ziel" -max_total_time="$sekunden" -max_len=131072 -rss_limit_mb=2048 \
       "$aus/korpus/$ziel" >"$log" 2>&1; then
    echo "fuzz_$ziel: $(grep -Eo 'Done [0-9]+ runs' "$log" | tail -1) in $sekunden s, ohne Befund"
  else
    echo "fuzz_$ziel: Befund, siehe $log"; tail -40 "$log"; status=1
  fi
done
exit $status
