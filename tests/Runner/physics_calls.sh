#!/usr/bin/env bash
# A game in Python uses each physics and input call a plain game needs (velocities, body
# types, kinematic bodies, gravity after set-up, removing a body, the contact a collision
# message carries, ray and box queries, key, action and mouse polling), played with an
# input script; what it saw, frame by frame, is checked here.
# $1: the runner; $2: the source tree. Needs a display (the suite runs under Xvfb).
set -uo pipefail
tarvo=$1
source_dir=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() {
  echo "FAIL: $1"
  cat "$out/calls.log" "$out/log" 2>/dev/null
  exit 1
}
cat >"$out/keys.script" <<'SCRIPT'
20 key RIGHT_ARROW down
40 key RIGHT_ARROW up
90 key SPACE down
92 key SPACE up
SCRIPT
status=0
CALLS_LOG_FOLDER="$out" PYTHONDONTWRITEBYTECODE=1 timeout 120 "$tarvo" "$source_dir/tests/Runner/data/physics_calls" \
  --no-msaa --frames 130 --fixed-dt 0.0166667 --input-script "$out/keys.script" >"$out/log" 2>&1 || status=$?
[ $status -eq 0 ] || fail "exit status $status"
grep -q "ERROR\|Traceback" "$out/log" && fail "the game logged an error"
log="$out/calls.log"
has() { grep -qxE "$1" "$log" || fail "no line like: $1"; }
count() { grep -cE "$1" "$log"; }

has "types 0 2 1"
has "start velocity -5.0 spin 90.0"
has "2 ray True 1.0"
has "2 miss None box True"
has "2 mouse Vector2 False"
# The input script holds the right arrow from frame 20 to 40: the kinematic paddle moves
# right at 6 units a second, and gravity doesn't pull it down.
[ "$(count ' right held, ')" -ge 19 ] || fail "the right arrow was not seen held"
grep -q " right held, paddle at -[0-9.]* -3.00$" "$log" || fail "the kinematic paddle fell"
last_x=$(grep " right held, " "$log" | tail -n1 | sed 's/.*paddle at \(-*[0-9.]*\) .*/\1/')
python3 -c "import sys; sys.exit(0 if -6.3 < $last_x < -5.7 else 1)" || fail "the paddle is at $last_x"
# The ball, thrown down at 5 units a second from 9 units up, lands at about 14 units a
# second on the ground below it, with the normal pointing from the ball to the ground,
# bounces and leaves it.
grep -qE "^[0-9]+ contact CollisionWith PhysicsActor began speed 1[3-5]\.[0-9] normal -?0 -1$" "$log" ||
  fail "no first touch that tells how hard it hit"
grep -qE "^[0-9]+ contact CollisionEndWith PhysicsActor ended speed 0.0 normal -?0 -1$" "$log" || fail "no end of the touch"
# Space is bound to Flip: gravity turns upward once.
has "9[0-9] flip 10.0"
[ "$(count ' flip ')" -eq 1 ] || fail "flipped more than once"
has "120 paddle turned 6 spin 90.0"
has "120 removed False ball stays at -?[0-9.]+"
stays=$(grep " removed False" "$log" | sed 's/.*stays at //')
has "125 ball still at $stays steps 5"
echo "PASS: every physics and input call from Python"
