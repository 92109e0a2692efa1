#!/usr/bin/env bash
# Installs the build into a temporary folder and checks it as a desktop would meet it: the files
# in place, the desktop entry and the AppStream metadata accepted by Debian's validators.
#   bash tests/installation.sh <build folder>
set -euo pipefail
build=$1
ziel=$(mktemp -d)
trap 'rm -rf "$ziel"' EXIT
DESTDIR="$ziel" cmake --install "$build" --prefix /usr >/dev/null
wurzel=$ziel/usr
for datei in lib/veldmark/veldmark lib/veldmark/Karten/51.jpg lib/veldmark/Hilfe/Veldmark.html bin/veldmark \
             bin/veldmark-sim share/applications/veldmark.desktop share/mime/packages/veldmark.xml \
             share/metainfo/io.github.veldmark.Veldmark.metainfo.xml share/icons/hicolor/256x256/apps/veldmark.png; do
  [ -e "$wurzel/$datei" ] || { echo "fehlt nach der Installation: $datei" >&2; exit 1; }
done
desktop-file-validate "$wurzel/share/applications/veldmark.desktop"
appstreamcli validate --no-net "$wurzel/share/metainfo/io.github.veldmark.Veldmark.metainfo.xml"
