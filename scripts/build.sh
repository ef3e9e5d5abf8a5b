#!/usr/bin/env bash
# Usage: scripts/build.sh PRESET [TARGET...]   (PRESET: debug, release, asan or play)
# Installs missing packages, configures and builds the preset into build/PRESET: the named targets
# only, or everything.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-release}
shift || true
./scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
if [ $# -gt 0 ]; then
  cmake --build --preset "$preset" -j "$(nproc)" --target "$@"
else
  cmake --build --preset "$preset" -j "$(nproc)"
fi
