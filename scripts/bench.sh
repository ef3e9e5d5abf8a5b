#!/usr/bin/env bash
# Usage: scripts/bench.sh [benchmark arguments...]
# Builds the release preset and runs every benchmark program in build/release/bin (names ending in
# _bench), printing their results and, last, one table of every performance goal, a line each:
# GOAL <name> <measured> <unit> <limit> ok|MISSED. Starts a private Xvfb display when there is none,
# so the OpenGL and SDL_Renderer figures are measured too. llvmpipe runs with one rasteriser thread for stable
# figures (LP_NUM_THREADS=1 unless set).
set -uo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh release || exit 1

source scripts/xvfb.sh
trap stop_xvfb EXIT
start_xvfb
export LP_NUM_THREADS=${LP_NUM_THREADS:-1}

status=0
found=0
goals=$(mktemp)
trap 'stop_xvfb; rm -f "$goals"' EXIT
for bench in build/release/bin/*_bench; do
  [ -x "$bench" ] || continue
  found=1
  echo "==== $(basename "$bench") ===="
  # Run from bin/ so benchmarks that read Content find it. Each program ends with its GOAL lines.
  if ! (cd build/release/bin && "./$(basename "$bench")" "$@") | tee -a "$goals"; then
    echo "$(basename "$bench"): FAILED"; status=1
  fi
  echo
done
[ $found -eq 1 ] || { echo "no benchmark programs in build/release/bin"; exit 1; }

# One line per goal: GOAL <name> <measured> <unit> <limit> ok|MISSED
echo "==== Goals ===="
grep -E '^GOAL ' "$goals"
echo "$(grep -cE '^GOAL .* ok$' "$goals") ok, $(grep -cE '^GOAL .* MISSED$' "$goals") missed"
exit $status
