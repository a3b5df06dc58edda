#!/usr/bin/env bash
# Installs what building, running and testing Ombrazio needs on Debian 12.
# Only the missing packages are installed, so a second run costs a few dpkg queries.
#   tools/install-deps.sh             the Linux build, its tests and benchmarks
#   tools/install-deps.sh --windows   also the Windows cross-build and Wine to test it
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build git
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
  qt6-translations-l10n
  libgl-dev
  xvfb xauth
  fonts-liberation2 fonts-dejavu-core fonts-dejavu-extra fonts-symbola fonts-wine
  clang libclang-rt-14-dev
  libbenchmark-dev
  desktop-file-utils
  # The tests read the exported PDFs back with poppler's pdftotext, a reader of its own.
  poppler-utils
)
# Qt for Windows is built from Debian's own qt6-base source with the host tools above;
# dpkg-dev unpacks that source and applies Debian's patches.
WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix mingw-w64-tools dpkg-dev
  wine wine64
  xdotool x11-apps netpbm file
)

SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
update=0
if [[ ${1:-} == --windows ]]; then
  PACKAGES+=("${WINDOWS_PACKAGES[@]}")
  # Debian ships its source entries switched off. A second file beside the original turns
  # them on; the original is never edited.
  if ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    originale=/etc/apt/sources.list.d/debian.sources
    [[ -f $originale ]] || { echo "install-deps.sh: no $originale to take the source entries from" >&2; exit 1; }
    sed 's/^Types: deb$/Types: deb-src/' "$originale" | $SUDO tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    update=1
  fi
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})) || ((update)); then
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
fi
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
