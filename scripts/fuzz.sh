#!/usr/bin/env bash
# Usage: scripts/fuzz.sh [SECONDS]   (default: 10)
# Builds the fuzz preset (clang, libFuzzer, ASan, UBSan) and runs every fuzz target for SECONDS
# seconds, seeded from content/ and the third-party test files. The corpus each target grows is
# kept in build/fuzz/corpus/<target> for the next run. Prints the executions per target; any
# finding (crash, sanitizer report, leak, timeout, out of memory) makes the script fail, and the
# input that caused it is saved in build/fuzz/findings/.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-10}

if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ is needed for libFuzzer" >&2
  exit 2
fi
mkdir -p build
cmake --preset fuzz >build/fuzz-configure.log 2>&1 || { cat build/fuzz-configure.log >&2; exit 2; }
cmake --build --preset fuzz -j2 || exit 2

# Seeds per target: file patterns under the repository's folders.
declare -A seeds=(
  [prefab]="content/Prefabs/*.json"
  [atlas]="tests/data/third_party/atlas/*/*.xml"
  [font]="tests/data/third_party/bmfont/*/*.fnt"
  [key_mappings]="content/Config/*.json"
  [keymap]="tests/fuzz/seeds/keymap/*.json"
  [input_script]="tests/fuzz/seeds/input_script/*"
  [recording]="tests/fuzz/seeds/recording/*.replay"
  [sound]="tests/data/third_party/audio/*/*.wav tests/data/third_party/audio/*/*.ogg"
  [save_file]="tests/fuzz/seeds/save_file/*.sav"
)
targets=(prefab atlas font key_mappings keymap input_script recording sound save_file)
# Inputs are cut to this length (bytes): the largest seeds (whole fonts and songs) would otherwise
# make every execution parse or decode a hundred kilobytes.
declare -A max_len=([prefab]=16384 [atlas]=16384 [font]=16384 [key_mappings]=4096 [keymap]=4096 [input_script]=4096
                    [recording]=16384 [sound]=32768 [save_file]=72000)

export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp"

status=0
summary=()
mkdir -p build/fuzz/findings
for target in "${targets[@]}"; do
  run="build/fuzz/run/$target"
  corpus="build/fuzz/corpus/$target"
  seed="build/fuzz/seeds/$target"
  rm -rf "$run" "$seed"
  mkdir -p "$run" "$corpus" "$seed"
  for file in ${seeds[$target]}; do
    [ -f "$file" ] && cp "$file" "$seed/"
  done
  log="$root/$run/fuzz.log"
  # The working folder is the run folder: the sound and recording targets write their scratch files there.
  (cd "$run" && "$root/build/fuzz/bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -max_len="${max_len[$target]}" -close_fd_mask=3 -print_final_stats=1 \
      -artifact_prefix="$root/build/fuzz/findings/$target-" \
      "$root/$corpus" "$root/$seed" >"$log" 2>&1)
  rc=$?
  execs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
  if [ $rc -eq 0 ]; then
    summary+=("$(printf '%-13s %10s execs in %ss' "$target" "${execs:-?}" "$seconds")")
  else
    summary+=("$(printf '%-13s FINDING (exit %s), see %s' "$target" "$rc" "$run/fuzz.log")")
    grep -E 'ERROR|SUMMARY|==[0-9]+==|Test unit written' "$log" | head -n 20 >&2
    status=1
  fi
done

echo
echo "==== Fuzz summary ===="
printf '%s\n' "${summary[@]}"
exit $status
