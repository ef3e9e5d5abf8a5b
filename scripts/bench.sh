#!/usr/bin/env bash
# Usage: scripts/bench.sh [benchmark arguments...]
# Builds the benchmark programs of the release preset (target kelvane_benches) and runs every one in
# build/release/bin (names ending in _bench), printing their results and, last, one table of every
# performance goal, a line each:
#   GOAL <name> <measured> <unit> <limit> ok|MISSED|FAILED
# FAILED is a goal whose measurement did not happen (a benchmark that did not run, a missing
# counter): the program names what is missing, and the script exits non-zero. Starts a private Xvfb
# display when there is none, so the OpenGL and SDL_Renderer figures are measured too. llvmpipe runs
# with one rasteriser thread for stable figures (LP_NUM_THREADS=1 unless set).
#
# Adding a goal: in the program's main (bench/support/GoalMain.h), after its benchmarks ran.
#   - A speed goal is a ratio to a reference measured in the same run, so it holds on any machine:
#     write the reference benchmark beside yours (the same work done plainly: a plain loop over the
#     same objects, the memory floor, plain Box2D, SDL_Renderer, stb), give both ->Repetitions(n)
#     (they run interleaved, so load from elsewhere falls on both), then
#       runs.RatioGoal("area.what_vs_reference", "BM_Ours", "BM_Reference", 1.5);      // CPU time
#       runs.CounterRatioGoal("area.what_vs_reference", "BM_Ours", "BM_Reference", "counter", 1.5);
#   - A share of the 16.7 ms frame keeps an absolute budget in ms; so do counts (allocations):
#       runs.CpuGoal("area.what_ms", "BM_Ours", 1e-6, "ms", 0.5);
#       ReportGoal("area.what_allocations", measured, "allocations", 0.0);   // figures of your own
#   - A figure that could not be measured: ReportGoalNotMeasured(name, unit, limit, "what is missing").
#     Never print a made-up number. A program without RunBenchmarksWithGoals returns
#     GoalsNotMeasured() == 0 ? 0 : 1.
set -uo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh release kelvane_benches || exit 1

source scripts/xvfb.sh
start_xvfb
export LP_NUM_THREADS=${LP_NUM_THREADS:-1}

status=0
found=0
crashed=""
goals=$(mktemp)
trap 'stop_xvfb; rm -f "$goals"' EXIT
for bench in build/release/bin/*_bench; do
  [ -x "$bench" ] || continue
  found=1
  echo "==== $(basename "$bench") ===="
  # Run from bin/ so benchmarks that read Content find it. Each program ends with its GOAL lines.
  if ! (cd build/release/bin && "./$(basename "$bench")" "$@") | tee -a "$goals"; then
    echo "$(basename "$bench"): FAILED"; status=1; crashed="$crashed $(basename "$bench")"
  fi
  echo
done
[ $found -eq 1 ] || { echo "no benchmark programs in build/release/bin"; exit 1; }

# One line per goal: GOAL <name> <measured> <unit> <limit> ok|MISSED|FAILED
echo "==== Goals ===="
grep -E '^GOAL ' "$goals"
failed=$(grep -cE '^GOAL .* FAILED$' "$goals")
echo "$(grep -cE '^GOAL .* ok$' "$goals") ok, $(grep -cE '^GOAL .* MISSED$' "$goals") missed, $failed not measured"
if [ "$failed" -gt 0 ]; then
  grep -E '^goal .* not measured: ' "$goals"
  status=1
fi
# A program that failed may have printed none of its goals.
[ -z "$crashed" ] || echo "failed programs (their goals may be missing above):$crashed"
exit $status
