#!/usr/bin/env bash
# Installs the Debian packages Orbala needs to build and test; does nothing when all are present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libfox-1.6-dev
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev
  xvfb xauth
  libgtest-dev
  clang libclang-rt-14-dev clang-format
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
