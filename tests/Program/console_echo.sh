#!/usr/bin/env bash
# The game in a real window without a start-up script: the test console stays. The
# backquote key opens it, a typed line and Enter reach it, and it echoes the line to the
# log. Then Escape closes the console and a second Escape ends the game.
# $1: the game binary; runs in the run folder. Needs a display (the suite runs under Xvfb).
set -u
. "$(dirname "$0")/private_x.sh"
qvrn="$1"
missing="Error initializing Python: couldn't find startup file."

# A display of its own: windows other tests open meanwhile take the keyboard focus, and
# with it typed keys.
if [ -z "${TARVO_OWN_DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  export TARVO_OWN_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi
line="hello console 42"
expected="Test Console Echo: $line"

if [ -z "${DISPLAY:-}" ]; then
  echo "no display: skipped"
  exit 0
fi

# A folder like the run folder, with everything but the scripts.
work=$(mktemp -d)
mkdir -p "$work/Resources"
for entry in Resources/*; do
  [ "$(basename "$entry")" = Scripts ] || ln -s "$PWD/$entry" "$work/Resources/"
done
ln -s "$PWD/Config" "$work/Config"
cd "$work"

log=$(mktemp)
"$qvrn" --no-msaa >"$log" 2>&1 &
pid=$!
cleanup() {
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null
    sleep 1
    kill -9 "$pid" 2>/dev/null
  fi
  wait "$pid" 2>/dev/null
  rm -f "$log"
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "--- game log:"
  cat "$log"
  exit 1
}

window=$(timeout 60 xdotool search --sync --name '^QVRN$' | head -n 1)
[ -n "$window" ] || fail "the game window did not appear"
# Keys are sent to the window itself, not to whatever has the focus: other tests open
# windows on the same display meanwhile.

# Let the first frames run so that the console exists and keys are read.
sleep 1
timeout 10 xdotool key --window "$window" --delay 80 grave || fail "xdotool key"
timeout 20 xdotool type --window "$window" --delay 60 "$line" || fail "xdotool type"
timeout 10 xdotool key --window "$window" --delay 80 Return || fail "xdotool key"

for _ in $(seq 1 100); do
  grep -qxF "$expected" "$log" && break
  sleep 0.2
done
grep -qxF "$expected" "$log" || fail "no echo of the typed line in the log"
grep -qxF "$missing" "$log" || fail "no word of the missing start-up script"

# Escape closes the console; the next one, unbound, ends the game. On a loaded machine
# the second press can arrive before the first is handled, so it is repeated until the
# game has gone.
timeout 10 xdotool key --window "$window" Escape || fail "xdotool key"
for _ in $(seq 1 100); do
  sleep 0.2
  kill -0 "$pid" 2>/dev/null || break
  # The window may be gone before xdotool is done with it: its complaint is expected.
  timeout 10 xdotool key --window "$window" Escape >/dev/null 2>&1
done
kill -0 "$pid" 2>/dev/null && fail "the game did not stop on an unbound Escape"

echo "PASS: $expected"
exit 0
