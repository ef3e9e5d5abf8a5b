#!/usr/bin/env bash
# Installs the Debian packages needed to build, run, test and package Kelvane (debian/control's
# Build-Depends among them). Installs only what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang clang-format ccache
  libsdl2-dev libepoxy-dev libopenal-dev libsndfile1-dev libstb-dev libfreetype-dev
  libboost-dev libboost-regex-dev libbox2d-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils xdotool
  desktop-file-utils appstream dpkg-dev debhelper lintian fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
