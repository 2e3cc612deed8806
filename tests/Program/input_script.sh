#!/usr/bin/env bash
# Input scripts: a bad line is refused before any window opens; real key presses are
# recorded, and the recording plays back through the same key path (its Escape quits).
set -uo pipefail
. "$(dirname "$0")/private_x.sh"
qvrn=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

printf '# moves\n0 key SPACE down\n\n12 key SPACEBAR up\n' >"$out/bad.script"
message=$(DISPLAY= WAYLAND_DISPLAY= timeout 20 "$qvrn" --input-script "$out/bad.script" 2>&1 >/dev/null)
status=$?
[ $status -eq 2 ] || { echo "bad script: expected status 2, got $status: $message"; exit 1; }
grep -q "bad.script:4: unknown key name \"SPACEBAR\"" <<<"$message" || { echo "bad script message: $message"; exit 1; }
[ "$(wc -l <<<"$message")" -eq 1 ] || { echo "bad script: more than one line: $message"; exit 1; }
timeout 20 "$qvrn" --input-script "$out/missing.script" 2>/dev/null
[ $? -eq 2 ] || { echo "missing script: expected status 2"; exit 1; }
timeout 20 "$qvrn" --record-input "$out/no/such/folder/rec.txt" 2>/dev/null
[ $? -eq 2 ] || { echo "unwritable recording: expected status 2"; exit 1; }

# Real keys, recorded.
"$qvrn" --no-msaa --fixed-dt 0.016 --record-input "$out/rec.script" 2>"$out/log" &
pid=$!
if ! timeout 20 xdotool search --sync --name '^QVRN$' >/dev/null; then
  kill $pid 2>/dev/null; echo "the window never appeared"; exit 1
fi
sleep 0.5
id=$(xdotool search --name '^QVRN$' | head -n1)
xdotool windowfocus --sync "$id" 2>/dev/null
xdotool key --delay 50 a Left Escape
for _ in $(seq 100); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
if kill -0 $pid 2>/dev/null; then
  kill -9 $pid; echo "the recorded game kept running"; exit 1
fi
wait $pid || { echo "recording run failed"; cat "$out/log"; exit 1; }
for edge in "key A down" "key A up" "key LEFT_ARROW down" "key LEFT_ARROW up" "key ESCAPE down"; do
  grep -Eq "^[0-9]+ $edge\$" "$out/rec.script" || { echo "recording lacks \"$edge\":"; cat "$out/rec.script"; exit 1; }
done

# Played back, the recording's Escape ends a run that would otherwise last for hours.
timeout 60 "$qvrn" --no-msaa --fixed-dt 0.016 --frames 1000000 --input-script "$out/rec.script" 2>"$out/log"
status=$?
[ $status -eq 0 ] || { echo "replay: exit status $status"; cat "$out/log"; exit 1; }
echo "input script ok"
