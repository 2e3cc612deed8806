#!/usr/bin/env bash
# Runs one test program. LeakSanitizer's check at exit can, rarely, crash in its own
# thread-stopping tracer ("Tracer caught signal 11", about one test process in a
# thousand here): a fault of the checker, not a finding about the test. Such a run is
# repeated once; every other outcome stands as it is.
# The repeat keeps the checker's own account of what it scans (threads, module data,
# heap ranges) in a file, so that if the tracer crashes again the output says which
# range it was reading when it did, rather than only that it crashed.
log=$(mktemp)
trace_dir=$(mktemp -d)
trap 'rm -rf "$log" "$trace_dir"' EXIT
"$@" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
if [ "$status" -ne 0 ] && grep -q "Tracer caught signal" "$log"; then
  echo "The leak checker itself crashed; running the test once more."
  LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}log_threads=1:log_pointers=1:log_path=$trace_dir/lsan" "$@"
  status=$?
  if [ "$status" -ne 0 ]; then
    scan_lines='==[0-9]+==(Scanning|Processing|Stack at|TLS at|DTLS|Thread [0-9]+)'
    pointer_lines='==[0-9]+==(0x[0-9a-f]+: found|Ignored: |Suppressed: |Treating pointer|Root region)'
    for trace in "$trace_dir"/lsan.*; do
      [ -f "$trace" ] || continue
      # What the sanitizers reported, without the checker's line per range and pointer...
      echo "The sanitizers' report of process ${trace##*.}:"
      grep -v -E "$scan_lines|$pointer_lines" "$trace"
      # ...whose last lines before a crash tell what the tracer was reading.
      echo "The last ranges the leak checker scanned in it:"
      grep -E "$scan_lines|Tracer caught" "$trace" | tail -n 8
    done
  fi
fi
exit "$status"
