#!/usr/bin/env bash
# Usage: scripts/build.sh PRESET   (debug, release or asan)
# Installs missing packages, configures and builds the preset into build/PRESET.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-release}
./scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
