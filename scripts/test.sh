#!/usr/bin/env bash
# Usage: scripts/test.sh [PRESET...]   (default: release)
# Installs what is missing, checks the formatting of every C++ file, builds each preset and runs
# every test with ctest, then builds the Debian packages and checks them and a prefix install of the
# first preset (scripts/install-check.sh). Starts a private Xvfb display when there is none, so the window and
# rendering tests run on a machine without one.
set -uo pipefail
cd "$(dirname "$0")/.."
presets=("$@")
[ ${#presets[@]} -eq 0 ] && presets=(release)

source scripts/xvfb.sh
trap stop_xvfb EXIT

status=0
summary=()
# Every C++ file follows .clang-format (scripts/check-format.sh --fix mends those that do not).
./scripts/install-deps.sh
if ./scripts/check-format.sh; then
  summary+=("format: every C++ file follows .clang-format")
else
  summary+=("format: FAILED"); status=1
fi
for preset in "${presets[@]}"; do
  if ! ./scripts/build.sh "$preset"; then
    summary+=("$preset: BUILD FAILED"); status=1; continue
  fi
  start_xvfb
  log="build/$preset/ctest.log"
  if ctest --preset "$preset" -j "$(nproc)" 2>&1 | tee "$log"; then
    summary+=("$preset: $(grep -E 'tests passed' "$log" | tail -n 1)")
  else
    summary+=("$preset: FAILED: $(grep -E 'tests passed' "$log" | tail -n 1)"); status=1
  fi
done

# The Debian packages, built as Debian builds them (scripts/package.sh), checked with lintian,
# unpacked and run read-only, installed and purged in CI (scripts/install-check.sh). Their build
# compiles each library from one translation unit, as the play preset does, so two files of a library
# that define the same file-local name break it: every test run builds it.
start=$(date +%s)
if ./scripts/install-check.sh "build/${presets[0]}"; then
  summary+=("packages: built, lintian clean, installed and run ($(($(date +%s) - start)) s)")
else
  summary+=("packages: FAILED"); status=1
fi

echo
echo "==== Test summary ===="
printf '%s\n' "${summary[@]}"
exit $status
