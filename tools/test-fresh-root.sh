#!/usr/bin/env bash
# Tries the test command as a new user would: makes a fresh minimal Debian 12 in a
# throw-away root with debootstrap (from deb.debian.org), clones this repository into it
# (its committed HEAD: uncommitted changes are not in the clone) and runs the README's
# test command, `bash tools/test.sh`, there as root, RUNS times in a row (default 3).
# Fails as soon as a run fails. The first run installs the packages and builds
# everything; the later ones find the build done and run the whole suite again. Each
# run's output is kept in build/fresh-root/run-N.log. Needs root and the network; on
# two cores the first run takes about 10 minutes and each later one about 5.
#   tools/test-fresh-root.sh [--keep] [RUNS]   (--keep: leave the root in place)
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

keep=false
if [ "${1:-}" = "--keep" ]; then
  keep=true
  shift
fi
runs=${1:-3}
if ! [[ "$runs" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: tools/test-fresh-root.sh [--keep] [RUNS]   (RUNS: a count from 1, default 3)" >&2
  exit 2
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "tools/test-fresh-root.sh needs root (debootstrap, chroot)" >&2
  exit 2
fi
command -v debootstrap >/dev/null || bash tools/setup.sh

logs=$source_dir/build/fresh-root
mkdir -p "$logs"
rm -f "$logs"/run-*.log

. tools/fresh-debian-root.sh
keep_root=$keep
make_fresh_root qvrn-fresh "$logs/debootstrap.log"

# What a new user has: the repository as it is committed, nothing from this build.
git clone --quiet --no-hardlinks "$source_dir" "$root/root/qvrn"
echo "cloned $(git -C "$root/root/qvrn" log -1 --format='%h %s')"

for run in $(seq 1 "$runs"); do
  run_started=$(date +%s)
  log=$logs/run-$run.log
  # No DISPLAY and none of this machine's environment: tools/test.sh starts its own
  # virtual X server, as it does for a new user.
  if in_root bash -c 'cd /root/qvrn && bash tools/test.sh' >"$log" 2>&1; then
    echo "run $run of $runs passed in $(($(date +%s) - run_started)) s"
  else
    status=$?
    echo "run $run of $runs FAILED with status $status after $(($(date +%s) - run_started)) s; the end of $log:"
    tail -n 60 "$log"
    exit 1
  fi
done
echo "all $runs runs passed in a fresh root; $(($(date +%s) - started)) s in all"
