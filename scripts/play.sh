#!/usr/bin/env bash
# Installs what is missing, builds what playing needs (the game, its content tool and the generated
# Content folder; no tests or benchmarks) with the play preset and starts the game beside its Content
# folder. Extra arguments go to the game (for example --headless --frames 120).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh play kelvane kelvane_content
cd build/play/bin
exec ./kelvane "$@"
