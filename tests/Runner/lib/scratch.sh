# Sourced first by the runner tests: the runner ($1) and the source tree ($2), a scratch
# folder removed at exit, and fail(), which says why and shows the run's log.
set -uo pipefail
tarvo=$1
source_dir=${2:-}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() {
  echo "FAIL: $1"
  cat "$out/log" 2>/dev/null
  exit 1
}
