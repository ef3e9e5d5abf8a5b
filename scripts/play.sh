#!/usr/bin/env bash
# Installs what is missing, builds the release preset and starts the game beside its Content folder.
# Extra arguments go to the game (for example --headless --frames 120).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh release
cd build/release/bin
exec ./kelvane "$@"
