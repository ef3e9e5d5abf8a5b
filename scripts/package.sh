#!/usr/bin/env bash
# Usage: scripts/package.sh
# Builds the play preset (the game and its Content) and packs its install tree as a Debian package,
# build/package/kelvane_<version>_<arch>.deb, whose version is the one `kelvane --version` prints.
# Install it with: sudo apt install ./build/package/kelvane_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh play kelvane kelvane_content >/dev/null
rm -rf build/package/_CPack_Packages
cpack --config build/play/CPackConfig.cmake -B build/package >build/package.log 2>&1 || {
  cat build/package.log >&2
  echo "package: cpack failed" >&2
  exit 1
}
version=$(build/play/bin/kelvane --version | awk '{print $2}')
deb=$(ls build/package/kelvane_"$version"_*.deb)
echo "$deb"
