# Sourced by the web dependency scripts (tools/web-deps.sh, tools/web-python.sh): Debian's
# source packages, the only way in for libraries Emscripten would otherwise download.
# The sourcing script defines step and fail first.

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
web_sources_file=/etc/apt/sources.list.d/tarvo-web-sources.sources

# Makes apt able to fetch bookworm's source packages: dpkg-source, a deb-src entry and
# its index, each added only when missing.
need_source_packages() {
  if ! command -v dpkg-source >/dev/null; then
    step "installing dpkg-dev"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends dpkg-dev
  fi
  # apt lists a Sources index only for suites some deb-src entry names.
  if ! apt-get indextargets --format '$(CREATED_BY) $(RELEASE) $(COMPONENT)' 2>/dev/null |
    grep -qx 'Sources bookworm main'; then
    step "adding a deb-src entry for bookworm main ($web_sources_file)"
    $SUDO tee "$web_sources_file" >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    step "apt-get update"
    $SUDO apt-get update -qq
  elif ! apt-cache showsrc box2d 2>/dev/null | grep -q '^Package:'; then
    # The entry is there but its index was never downloaded.
    step "apt-get update (source index missing)"
    $SUDO apt-get update -qq
  fi
}

# The version of PACKAGE's source that apt would fetch, from the local index only.
source_version() {
  apt-get -o APT::Sandbox::User=root source --print-uris -qq "$1" 2>/dev/null |
    sed -n "s/^'[^']*' $1_\([^ ]*\)\.dsc .*/\1/p" | head -n1
}

# unpack PACKAGE FOLDER: prints the unpacked source folder of PACKAGE under FOLDER,
# fetching and unpacking it first if needed.
unpack() {
  local package="$1" folder="$2" dsc dir
  mkdir -p "$folder"
  dsc="$(find "$folder" -maxdepth 1 -name "${package}_*.dsc" | sort | tail -n1)"
  if [ -z "$dsc" ]; then
    step "downloading the $package source package" >&2
    (cd "$folder" && apt-get -o APT::Sandbox::User=root source --download-only -qq "$package" >&2)
    dsc="$(find "$folder" -maxdepth 1 -name "${package}_*.dsc" | sort | tail -n1)"
    [ -n "$dsc" ] || fail "apt-get source $package gave no .dsc"
  fi
  dir="$folder/$package"
  if [ ! -d "$dir" ]; then
    step "unpacking $(basename "$dsc")" >&2
    # apt has checked the files against the signed archive index; the maintainer's own
    # signature would need the Debian keyring, which nothing else here uses.
    rm -rf "$dir.tmp"
    dpkg-source --no-check -x "$dsc" "$dir.tmp" >/dev/null
    mv "$dir.tmp" "$dir"
  fi
  echo "$dir"
}
