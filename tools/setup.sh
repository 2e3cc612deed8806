#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test; with --web
# also what the browser build and its tests need (tools/web-build.sh).
# Quick when everything is already present; run as root on Debian 12.
set -euo pipefail

packages=(
  g++ cmake pkg-config make git clang-format
  libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
  libglfw3-dev libftgl-dev libfreetype-dev libfreeimage-dev libbox2d-dev
  python3-dev swig libsdl2-dev libsdl2-mixer-dev libasound2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev xvfb xauth xdotool x11-utils x11-apps fonts-inconsolata
  clang libclang-rt-14-dev
  dpkg-dev file debootstrap desktop-file-utils
  doxygen
)
if [ "${1:-}" = "--web" ]; then
  # Emscripten for the WebAssembly build, Chromium to play it headless in the tests,
  # Pillow to compare their screenshots.
  packages+=(emscripten chromium python3-pil)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
