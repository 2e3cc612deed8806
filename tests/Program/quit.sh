#!/usr/bin/env bash
# The game ends cleanly on an unbound Escape and on the window's close button, and a
# screenshot asked for keeps the last frame drawn, even when the run would have gone on
# for many more frames.
set -uo pipefail
. "$(dirname "$0")/private_x.sh"
qvrn=$1
build=$2
closer=$build/tests/close_window
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

run_and_quit() {
  local how=$1
  rm -f "$out/shot.png"
  "$qvrn" --no-msaa --frames 1000000 --screenshot "$out/shot.png" 2>"$out/log" &
  local pid=$!
  if ! timeout 20 xdotool search --sync --name '^QVRN$' >/dev/null; then
    kill $pid 2>/dev/null; echo "$how: the window never appeared"; return 1
  fi
  sleep 0.5
  local id
  id=$(xdotool search --name '^QVRN$' | head -n1)
  # Sent to the window itself, not to whatever has the focus: the unit tests open windows
  # on the same display meanwhile. Repeated until the game has gone, since a loaded
  # machine may not have it reading keys yet.
  for _ in $(seq 100); do
    kill -0 $pid 2>/dev/null || break
    if [ "$how" = escape ]; then
      timeout 10 xdotool key --window "$id" Escape >/dev/null 2>&1
    else
      "$closer" QVRN >/dev/null 2>&1
    fi
    sleep 0.2
  done
  if kill -0 $pid 2>/dev/null; then
    kill -9 $pid; echo "$how: the game kept running"; return 1
  fi
  wait $pid
  local status=$?
  [ $status -eq 0 ] || { echo "$how: exit status $status"; cat "$out/log"; return 1; }
  [ -s "$out/shot.png" ] || { echo "$how: no screenshot of the last frame"; cat "$out/log"; return 1; }
  python3 "$(dirname "$0")/png_count.py" "$out/shot.png" 775 165 880 205 red 300 "red title of the menu" || return 1
  echo "$how ok"
}

run_and_quit escape && run_and_quit close
