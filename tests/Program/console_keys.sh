#!/usr/bin/env bash
# The keyboard belongs to the open console, and the game's controls follow the bindings.
# 1. A player's bindings file that binds lying to L and leaves space out, replayed by an
#    input script: L draws the lie circle, space does not.
# 2. Real keys in a real window: with the console open, 's', Return, and 'd' and space
#    held while it closes leave the menu as it was; a fresh Return then starts the
#    highlighted first item, Play.
# Nothing here may depend on the machine's speed: each step waits for its effect.
set -uo pipefail
. "$(dirname "$0")/private_x.sh"
qvrn=$1
here=$(dirname "$0")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export XDG_DATA_HOME=$out/data

export XDG_CONFIG_HOME=$out/player
mkdir -p "$XDG_CONFIG_HOME/qvrn"
printf 'L = +LieStart\nL = -LieStop\n' >"$XDG_CONFIG_HOME/qvrn/input_bindings.ini"
lie_with() {
  printf '30 key ENTER down\n40 key ENTER up\n60 key %s down\n' "$1" >"$out/$1.script"
  timeout 240 "$qvrn" --no-msaa --seed 3 --fixed-dt 0.0166 --frames 110 --input-script "$out/$1.script" \
    --screenshot "$out/$1.png" 2>"$out/log" || { echo "run with $1: exit status $?"; cat "$out/log"; exit 1; }
}
lie_with L
python3 "$here/png_count.py" "$out/L.png" 0 0 1024 768 band 1000 "lie circle with L" || exit 1
lie_with SPACE
if python3 "$here/png_count.py" "$out/SPACE.png" 0 0 1024 768 band 600 "" >/dev/null; then
  echo "space still lies although the player's file binds lying to L only"
  exit 1
fi

# The shipped bindings: space confirms on the menu, so a space that leaked would leave it.
export XDG_CONFIG_HOME=$out/shipped
. "$here/game_window.sh"
pid=
start_game --no-msaa --seed 1
wait_for() {
  for _ in $(seq 120); do
    "$@" && return 0
    sleep 0.25
  done
  return 1
}
not() { ! "$@"; }
xdotool windowfocus --sync "$id" 2>/dev/null || true
wait_for shows menu || fail "the menu never showed"
# Past the menu's first 0.3 s, when it starts reading keys.
sleep 1

xdotool key --window "$id" grave
wait_for shows console || fail "backquote opened no console"
xdotool type --window "$id" s
xdotool key --window "$id" Return
xdotool keydown --window "$id" d space
sleep 1
xdotool key --window "$id" grave
wait_for not shows console || fail "backquote did not close the console"
sleep 1
xdotool keyup --window "$id" d space
sleep 1
shows menu || fail "keys typed into the console reached the menu"

# A fresh Return is the game's again, and 's' never moved the highlight from Play.
for _ in $(seq 30); do
  shows play && break
  xdotool keydown --window "$id" Return
  sleep 0.5
  xdotool keyup --window "$id" Return
  sleep 0.5
done
shows play || fail "Return after closing the console did not start a game"

for _ in $(seq 60); do
  kill -0 $pid 2>/dev/null || break
  xdotool key --window "$id" Escape
  sleep 1
done
kill -0 $pid 2>/dev/null && fail "Escape never stopped the game"
wait $pid || fail "exit status $?"
echo "console keys ok"
