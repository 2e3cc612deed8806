#!/usr/bin/env bash
# Input scripts: a bad line is refused before any window opens; real key presses are
# recorded, and the recording plays back through the same key path (its Escape quits).
# A recording replaces an older file only when its run ends normally, and never the
# script being played or anything that is not a regular file.
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

# Refused before any window opens, in one line, touching nothing.
expect_refusal() {
  local expected=$1
  shift
  local message status
  message=$(DISPLAY= WAYLAND_DISPLAY= timeout 20 "$qvrn" "$@" 2>&1 >/dev/null)
  status=$?
  [ $status -eq 2 ] || { echo "qvrn $*: expected status 2, got $status: $message"; exit 1; }
  grep -qF -- "$expected" <<<"$message" || { echo "qvrn $*: message lacks \"$expected\": $message"; exit 1; }
  [ "$(wc -l <<<"$message")" -eq 1 ] || { echo "qvrn $*: more than one line: $message"; exit 1; }
}
mkdir "$out/sub"
printf '0 key A down\n' >"$out/moves.script"
ln -s moves.script "$out/link.script"
mkfifo "$out/fifo"
expect_refusal "would write over the input script" --record-input "$out/moves.script" --input-script "$out/moves.script"
expect_refusal "would write over the input script" --input-script "$out/moves.script" --record-input "$out/sub/../link.script"
[ "$(cat "$out/moves.script")" = "0 key A down" ] || { echo "the script was written over"; exit 1; }
expect_refusal "not a regular file" --input-script /dev/urandom
expect_refusal "not a regular file" --input-script "$out/fifo"
expect_refusal "not a regular file" --record-input "$out/fifo"
expect_refusal "not a regular file" --record-input "$out/sub"
truncate -s 40M "$out/huge.script"
expect_refusal "larger than 32 MiB" --input-script "$out/huge.script"
rm "$out/huge.script"

# A run that never gets to its first frame keeps the old recording, and no new file.
printf '5 key B down\n' >"$out/kept.script"
DISPLAY= WAYLAND_DISPLAY= timeout 20 "$qvrn" --frames 3 --record-input "$out/kept.script" >/dev/null 2>&1
[ "$(cat "$out/kept.script")" = "5 key B down" ] || { echo "a failed start lost the old recording"; exit 1; }
[ "$(ls "$out" | grep -c kept)" -eq 1 ] || { echo "a failed start left a file behind:"; ls "$out"; exit 1; }

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
[ "$(ls "$out" | grep -c '^rec\.script')" -eq 1 ] || { echo "the recording left a file behind:"; ls "$out"; exit 1; }
for edge in "key A down" "key A up" "key LEFT_ARROW down" "key LEFT_ARROW up" "key ESCAPE down"; do
  grep -Eq "^[0-9]+ $edge\$" "$out/rec.script" || { echo "recording lacks \"$edge\":"; cat "$out/rec.script"; exit 1; }
done

# Played back, the recording's Escape ends a run that would otherwise last for hours.
timeout 60 "$qvrn" --no-msaa --fixed-dt 0.016 --frames 1000000 --input-script "$out/rec.script" 2>"$out/log"
status=$?
[ $status -eq 0 ] || { echo "replay: exit status $status"; cat "$out/log"; exit 1; }
# Ended by SIGINT, the run ends normally too: the recording replaces the old one.
"$qvrn" --no-msaa --fixed-dt 0.016 --record-input "$out/kept.script" 2>"$out/log" &
pid=$!
if ! timeout 20 xdotool search --sync --name '^QVRN$' >/dev/null; then
  kill $pid 2>/dev/null; echo "the window never appeared"; exit 1
fi
kill -INT $pid
wait $pid || { echo "the interrupted recording run failed"; cat "$out/log"; exit 1; }
head -n1 "$out/kept.script" | grep -q "^# Input recorded" || { echo "SIGINT lost the recording:"; cat "$out/kept.script"; exit 1; }
echo "input script ok"
