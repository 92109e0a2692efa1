#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, only those that are missing.
set -euo pipefail
# Qt Charts' CMake files ask for Qt6OpenGL, which Debian 12 ships in libqt6opengl6-dev without
# qt6-charts-dev depending on it.
pakete=(g++ cmake make pkg-config zlib1g-dev libgtest-dev libbenchmark-dev libsimpleini-dev
        libcli11-dev nlohmann-json3-dev
        clang libclang-rt-14-dev
        qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libgl-dev xvfb xauth
        desktop-file-utils appstream parallel)
fehlend=()
for p in "${pakete[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlend+=("$p")
done
if [ ${#fehlend[@]} -gt 0 ]; then
  echo "Installiere: ${fehlend[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
fi
