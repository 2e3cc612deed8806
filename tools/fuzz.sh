#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (the fuzz preset) and runs each one, starting
# from its committed seed corpus in fuzz/corpus/<name>. New inputs go to a scratch folder,
# never into the committed seeds.
#   tools/fuzz.sh                 10 seconds each from a fixed seed (the test command's
#                                 smoke run: every run tries the same inputs in the same
#                                 order, so a test run never fails on what a new random
#                                 search happened to find; long runs below do the finding)
#   tools/fuzz.sh -runs=1000000   a million inputs each; any libFuzzer flags pass through
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

flags=("$@")
[ ${#flags[@]} -gt 0 ] || flags=(-seed=1 -max_total_time=10)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target \
  fuzz_key_bindings fuzz_color_hex fuzz_sprite_series fuzz_image_load fuzz_console fuzz_input_script

# A corrupt header can make the image library ask malloc for an absurd size; a release
# build gets null back, which the library handles, so the fuzzer should see the same.
export ASAN_OPTIONS="allocator_may_return_null=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for name in key_bindings color_hex sprite_series image_load console input_script; do
  mkdir -p "$scratch/$name"
  echo "== fuzz_$name ${flags[*]}"
  # Runs in the scratch folder: no Resources/ there, so the console's fonts are skipped,
  # and crash files land there too. The engine's log lines (stderr) are closed.
  log=$scratch/$name.log
  status=0
  (cd "$scratch" && "$root/build/fuzz/fuzz/fuzz_$name" "$scratch/$name" "$root/fuzz/corpus/$name" \
    -max_len=4096 -rss_limit_mb=2048 -timeout=10 -close_fd_mask=2 -print_final_stats=1 "${flags[@]}") \
    >"$log" 2>&1 || status=$?
  grep -E "^(Done|stat::number_of_executed_units|stat::peak_rss_mb)" "$log" || true
  if [ $status -ne 0 ]; then
    tail -n 60 "$log"
    mkdir -p build/fuzz/findings
    cp "$scratch"/crash-* "$scratch"/leak-* "$scratch"/timeout-* "$scratch"/oom-* build/fuzz/findings/ 2>/dev/null || true
    echo "fuzz_$name failed (status $status); any input it found is in build/fuzz/findings/"
    exit 1
  fi
done
