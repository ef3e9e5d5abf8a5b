#!/usr/bin/env bash
# Usage: scripts/package.sh [OUT]   (default: build/deb)
# Builds the Debian source package and the binary packages with dpkg-buildpackage, from the files of
# the working tree that git tracks or would track (without build/), into the one folder OUT:
#   kelvane_<version>.dsc, kelvane_<version>.tar.xz    the source package
#   kelvane_<version>_<arch>.deb                        the game: /usr/games/kelvane, kelvane(6), menu
#                                                       entry, icons, metainfo
#   kelvane-data_<version>_all.deb                      its Content in /usr/share/games/kelvane
#   kelvane-dbgsym_<version>_<arch>.deb                 the game's debugging symbols
#   kelvane_<version>_<arch>.buildinfo, .changes        what was built, from what
# and prints the path of the .changes file. The version is debian/changelog's, which is the one
# `kelvane --version` prints (the package build checks it). Two builds of one commit give the same
# .deb files, byte for byte, wherever the tree is. Install with:
#   sudo apt install ./build/deb/kelvane_<version>_<arch>.deb ./build/deb/kelvane-data_<version>_all.deb
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/deb}
./scripts/install-deps.sh >&2
version=$(dpkg-parsechangelog -S Version)
rm -rf "$out"
src=$out/kelvane-$version
mkdir -p "$src"
# The tree as it would be committed: no build folders, no editor's scratch files.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar --null -T - -cf - | tar -xf - -C "$src"
else
  tar --exclude=./build -cf - . | tar -xf - -C "$src"
fi
log=$(realpath "$out")/build.log
# As many jobs as cores, unless DEB_BUILD_OPTIONS names its own parallel=N.
options=${DEB_BUILD_OPTIONS:-}
[[ " $options " == *" parallel="* ]] || options="parallel=$(nproc) $options"
if ! (cd "$src" && DEB_BUILD_OPTIONS="$options" dpkg-buildpackage --no-sign >"$log" 2>&1); then
  tail -n 40 "$log" >&2
  echo "package: dpkg-buildpackage failed (whole log: $log; tree: $src)" >&2
  exit 1
fi
rm -rf "$src"
ls "$out"/kelvane_"$version"_*.changes
