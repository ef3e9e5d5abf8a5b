#!/usr/bin/env bash
# Usage: scripts/test.sh [PRESET...]   (default: release)
# Installs what is missing, builds each preset and runs every test with ctest. Starts a private
# Xvfb display when there is none, so the window and rendering tests run on a machine without one.
set -uo pipefail
cd "$(dirname "$0")/.."
presets=("$@")
[ ${#presets[@]} -eq 0 ] && presets=(release)

xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; }
trap cleanup EXIT

status=0
summary=()
for preset in "${presets[@]}"; do
  if ! ./scripts/build.sh "$preset"; then
    summary+=("$preset: BUILD FAILED"); status=1; continue
  fi
  if [ -z "${DISPLAY:-}" ] && [ -z "$xvfb_pid" ]; then
    for n in $(seq 90 120); do
      [ -e "/tmp/.X11-unix/X$n" ] && continue
      Xvfb ":$n" -screen 0 1600x900x24 -nolisten tcp >/dev/null 2>&1 &
      xvfb_pid=$!
      for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
      export DISPLAY=":$n"; break
    done
  fi
  log="build/$preset/ctest.log"
  if ctest --preset "$preset" -j "$(nproc)" 2>&1 | tee "$log"; then
    summary+=("$preset: $(grep -E 'tests passed' "$log" | tail -n 1)")
  else
    summary+=("$preset: FAILED: $(grep -E 'tests passed' "$log" | tail -n 1)"); status=1
  fi
done

echo
echo "==== Test summary ===="
printf '%s\n' "${summary[@]}"
exit $status
