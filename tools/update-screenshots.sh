#!/usr/bin/env bash
# Retakes the pictures of README.md: runs the test that plays the README's session and
# photographs it, then copies its pictures into docs/. Commit docs/ afterwards.
#   tools/update-screenshots.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cmake -S . -B "$build" -G Ninja -DBUILD_TESTING=ON > /dev/null
cmake --build "$build" --target tst_documentazione
rm -f "$build"/screenshots/readme-*.png
# The session runs before the checks of the README's pictures, so a first run may report
# pictures that are missing or old: they are in place after the copy below.
QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 TZ=UTC "$build/tests/tst_documentazione" sessioneFotografata
mkdir -p docs
for nome in finestra messaggio informazioni verifica riduzione archivio stampa condizioni; do
  cp "$build/screenshots/readme-$nome.png" "docs/$nome.png"
done
echo "docs/ updated: finestra.png messaggio.png informazioni.png verifica.png riduzione.png archivio.png stampa.png condizioni.png"
