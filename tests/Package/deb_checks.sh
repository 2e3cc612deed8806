# Sourced by the checks of the Debian packages: reads the package's control fields and
# file list, and gives the checks they share. Exits with one line naming the package at
# the first that fails.
#   source deb_checks.sh PACKAGE.deb SOURCE_DIR
deb=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$deb: $*"; exit 1; }

info=$(dpkg-deb --info "$deb")
listing=$(dpkg-deb --contents "$deb")
contents=$(awk '{ print $6 }' <<<"$listing" | sed 's|^\./|/|')

# expect_control NAME SECTION: named NAME, for amd64, in SECTION, with dependencies.
expect_control() {
  grep -q "^ Package: $1\$" <<<"$info" || fail "not named $1"
  grep -q '^ Architecture: amd64$' <<<"$info" || fail "not for amd64"
  grep -q "^ Section: $2\$" <<<"$info" || fail "not in the $2 section"
  depends=$(grep '^ Depends:' <<<"$info") || fail "no dependencies declared"
}

# expect_depends PACKAGE...: each one named in Depends (after expect_control).
expect_depends() {
  local package
  for package in "$@"; do
    grep -q "[ ,]$package\([ ,]\|$\)" <<<"$depends" || fail "does not depend on $package"
  done
}

# expect_files PATH...: each one in the package.
expect_files() {
  local file
  for file in "$@"; do
    grep -qx -- "$file" <<<"$contents" || fail "lacks $file"
  done
}

# The console's font is Debian's, linked rather than copied.
expect_font_link() {
  grep -q 'Inconsolata.otf -> /usr/share/fonts/truetype/inconsolata/Inconsolata.otf' \
    <<<"$listing" || fail "the font is not a link to Debian's"
}

# expect_unpacked_executable PATH: unpacks the package into $work/root, where no file may
# name the folder it was built in and PATH must be executable.
expect_unpacked_executable() {
  dpkg-deb --extract "$deb" "$work/root"
  local build_paths
  build_paths=$(grep -rlF "$source" "$work/root" || true)
  [ -z "$build_paths" ] || fail "names the build folder $source in: $build_paths"
  [ -x "$work/root$1" ] || fail "$(basename "$1") is not executable"
}

report_ok() { echo "package ok: $(du -k "$deb" | cut -f1) KiB, $(wc -l <<<"$contents") entries"; }
