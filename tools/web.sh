#!/usr/bin/env bash
# Installs what is missing, builds QVRN for the browser (tools/web-build.sh) and serves it
# on this machine: open the address it prints. Ctrl+C stops the server.
# An optional argument is the port (default 8000).
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/web-build.sh
port=${1:-8000}
echo "QVRN in the browser: open http://127.0.0.1:$port/qvrn.html (Ctrl+C stops the server)"
exec python3 tools/serve-page.py build/web/page "$port" >/dev/null
