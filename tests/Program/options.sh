#!/usr/bin/env bash
# Unknown options and bad values are refused with one message and status 2.
set -uo pipefail
qvrn=$1
expect_refusal() {
  local output
  output=$(timeout 20 "$qvrn" "$@" 2>&1 >/dev/null)
  local status=$?
  [ $status -eq 2 ] || { echo "qvrn $*: expected status 2, got $status"; exit 1; }
  [ -n "$output" ] || { echo "qvrn $*: no message"; exit 1; }
}
expect_refusal --bogus
expect_refusal --frames
expect_refusal --frames zero
expect_refusal --frames -4
expect_refusal --fixed-dt 2
expect_refusal --fixed-dt nan
expect_refusal --seed -1
expect_refusal --input-script
# A screenshot that could never be written is refused before the window opens.
expect_refusal --screenshot ""
expect_refusal --screenshot /nonexistent-folder/frame.png
expect_refusal --screenshot /dev/null
if [ -e /dev/full ]; then expect_refusal --screenshot /dev/full; fi
"$qvrn" --help | grep -q -- "--input-script" || { echo "help lacks options"; exit 1; }
echo "options ok"
