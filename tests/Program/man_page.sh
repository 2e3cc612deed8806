#!/usr/bin/env bash
# The man page documents every option the game's --help lists.
set -euo pipefail
qvrn=$1
man_page=$(dirname "$0")/../../Game/package/qvrn.6
options=$("$qvrn" --help | grep -o -- '--[a-z-]*' | sort -u)
[ -n "$options" ] || { echo "--help lists no options"; exit 1; }
missing=0
for option in $options; do
  # roff writes each hyphen as \-.
  grep -qF -- "${option//-/\\-}" "$man_page" || { echo "qvrn.6 lacks $option"; missing=1; }
done
[ $missing -eq 0 ] && echo "man page ok"
