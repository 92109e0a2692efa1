#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: once optimised, once under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVELDMARK_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  VELDMARK_SANITIZE=1 ctest --test-dir build-asan --output-on-failure -j"$jobs"

# The fuzz targets of the file readers, a short run each under the sanitizers.
bash scripts/fuzz.sh "${VELDMARK_FUZZ_SEKUNDEN:-15}"
