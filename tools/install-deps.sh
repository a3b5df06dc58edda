#!/usr/bin/env bash
# Installs what building, running and testing Ombrazio needs on Debian 12.
# Only the missing packages are installed, so a second run costs a few dpkg queries.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build git
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
  qt6-translations-l10n
  libgl-dev
  xvfb xauth
  fonts-liberation2 fonts-dejavu-core fonts-dejavu-extra fonts-symbola
  clang libclang-rt-14-dev
  libbenchmark-dev
  desktop-file-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  SUDO=""
  if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
  echo "Installing: ${missing[*]}"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
