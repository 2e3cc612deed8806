#!/usr/bin/env bash
# A short soak: the random input bot plays 2,000 frames of 1/30 s through the input-script
# path. No sanitizer report, exit status 0, and the same live objects at every return to
# the menu (tools/soak.py judges; the long run is described in bench/README.md).
set -uo pipefail
qvrn=$1
here=$(dirname "$0")
python3 "$here/../../tools/soak.py" "$qvrn" --frames 2000 --dt 0.0333 --seed 7 --min-games 2 --sample-interval 0.5
