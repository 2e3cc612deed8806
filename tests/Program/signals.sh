#!/usr/bin/env bash
# SIGTERM and SIGINT end the game like the close button: the frame ends, the screenshot
# is written and the exit status is 0.
set -uo pipefail
. "$(dirname "$0")/private_x.sh"
qvrn=$1
out=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  rm -rf "$out"
}
trap cleanup EXIT

stop_with() {
  local signal=$1
  rm -f "$out/frame.png"
  "$qvrn" --no-msaa --screenshot "$out/frame.png" 2>"$out/log" &
  pid=$!
  if ! timeout 30 xdotool search --sync --name '^QVRN$' >/dev/null; then
    echo "$signal: the window never appeared"; return 1
  fi
  sleep 0.5
  kill -"$signal" "$pid"
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    echo "$signal: the game kept running"; return 1
  fi
  wait "$pid"
  local status=$?
  pid=
  [ $status -eq 0 ] || { echo "$signal: exit status $status"; cat "$out/log"; return 1; }
  [ -s "$out/frame.png" ] || { echo "$signal: no screenshot"; cat "$out/log"; return 1; }
  echo "$signal ok"
}

stop_with TERM && stop_with INT
