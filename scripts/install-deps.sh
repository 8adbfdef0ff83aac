#!/usr/bin/env bash
# Installs the Debian packages Orbala needs to build and test; does nothing when all are present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libfox-1.6-dev
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri libepoxy-dev libx11-dev libxtst-dev
  libegl-dev libegl-mesa0
  xvfb xauth desktop-file-utils shared-mime-info
  libgtest-dev
  gemmi-dev tao-pegtl-dev
  clang libclang-rt-14-dev clang-format
  locales
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests check that numbers keep their dot under a comma locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
