#!/usr/bin/env bash
# Plays QVRN live in a real window while typing hostile lines into its Python console, as
# a careless or mischievous player would: resets, destroyed actors, dead references,
# exits, stray threads, floods of output and actors. Between lines it closes the console
# and plays (walks, lies, starts games). At the end an unbound Escape must end the game
# with status 0, and the log must hold no sanitizer report.
#
#   tools/console-soak.sh [MINUTES] [GAME]
#
# MINUTES defaults to 10; GAME to the sanitized build's game, run from its run folder.
# Needs xdotool and Xvfb (installed by tools/setup.sh); starts its own X server. The
# game's log is kept in the file the last line names; the last frame is written beside it.
set -u
if [ -z "${TARVO_PRIVATE_X:-}" ]; then
  TARVO_PRIVATE_X=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi
cd "$(dirname "$0")/.."
minutes="${1:-10}"
game="${2:-build/sanitize/Game/qvrn}"
game=$(realpath "$game")
run_folder="$(dirname "$(dirname "$game")")/run"
log=$(mktemp)
home=$(mktemp -d)

lines=(
  "World.GetInstance().ResetWorld()"
  "Actor.GetNamed('Actor').Destroy()"
  "Actor.GetNamed('Actor3').Destroy()"
  "Actor.GetNamed('Actor7').Destroy()"
  "World.GetInstance().Remove(Actor.GetNamed('Actor2'))"
  "b=Actor(); World.GetInstance().Add(b); l=ActorList(); l.append(b); b.Destroy()"
  "l[0].GetName()"
  "s=ActorSet(); s.add(Actor.GetNamed('Actor5')); Actor.GetNamed('Actor5').Destroy()"
  "[x for x in Switchboard.GetInstance().GetSubscribersTo('LieMeterBusted')]"
  "Camera.GetInstance().Destroy()"
  "World.GetInstance().Add(Camera.GetInstance())"
  "exit()"
  "quit()"
  "raise SystemExit(3)"
  "1/0"
  "import threading, time; threading.Thread(target=lambda: time.sleep(10**6)).start()"
  "print('x' * 20000)"
  "for i in range(300): World.GetInstance().Add(Actor())"
  "Switchboard.GetInstance().Broadcast(Message('Play'))"
  "Switchboard.GetInstance().Broadcast(Message('Back'))"
  "Switchboard.GetInstance().Broadcast(Message('LieMeterBusted'))"
  "World.GetInstance().StopGame"
  "Actor.GetNamed('')"
  "TagCollection.GetInstance().GetObjectsTagged('x')"
)

cleanup() {
  kill -9 "$pid" 2>/dev/null
  rm -rf "$home"
}

fail() {
  echo "FAIL: $*"
  tail -n 40 "$log"
  cleanup
  exit 1
}

cd "$run_folder" || fail "no run folder beside $game"
# The player's own folders stay out of it.
XDG_DATA_HOME="$home" XDG_CONFIG_HOME="$home" "$game" --no-msaa --seed 7 --screenshot "$log.png" >"$log" 2>&1 &
pid=$!
window=$(timeout 60 xdotool search --sync --name '^QVRN$' | head -n 1)
[ -n "$window" ] || fail "the game window did not appear"
sleep 2

key() { timeout 10 xdotool key --window "$window" --delay 60 "$@" >/dev/null 2>&1; }
hold() { # KEY SECONDS
  timeout 10 xdotool keydown --window "$window" "$1" >/dev/null 2>&1
  sleep "$2"
  timeout 10 xdotool keyup --window "$window" "$1" >/dev/null 2>&1
}

end=$(($(date +%s) + minutes * 60))
typed=0
RANDOM=7
while [ "$(date +%s)" -lt "$end" ]; do
  kill -0 "$pid" 2>/dev/null || fail "the game ended after $typed lines"
  line="${lines[RANDOM % ${#lines[@]}]}"
  key grave
  timeout 30 xdotool type --window "$window" --delay 15 "$line" >/dev/null 2>&1
  key Return
  # Keys typed while the console is open belong to it.
  hold space 0.3
  key s Return
  key grave
  typed=$((typed + 1))
  # Play a little: start a game from the menu, walk and lie.
  key Return
  hold Right 0.4
  hold space 0.8
  hold Up 0.3
done

kill -0 "$pid" 2>/dev/null || fail "the game ended after $typed lines"
for _ in $(seq 1 10); do
  key Escape
  sleep 1
  kill -0 "$pid" 2>/dev/null || break
done
kill -0 "$pid" 2>/dev/null && fail "the game did not stop on Escape"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status after $typed lines"
grep -qE "ERROR: (Address|Leak)Sanitizer|runtime error:" "$log" && fail "a sanitizer report"
echo "PASS: $typed hostile lines typed over $minutes minutes; the game ended with status 0 (log: $log)"
cleanup
