#!/usr/bin/env bash
# Runs one test program. LeakSanitizer's check at exit can, rarely, crash in its own
# thread-stopping tracer ("Tracer caught signal 11", about one test process in a
# thousand here): a fault of the checker, not a finding about the test. Such a run is
# repeated once; every other outcome stands as it is.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$@" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
if [ "$status" -ne 0 ] && grep -q "Tracer caught signal" "$log"; then
  echo "The leak checker itself crashed; running the test once more."
  "$@"
  status=$?
fi
exit "$status"
