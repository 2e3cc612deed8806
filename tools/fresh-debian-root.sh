# Sourced by the scripts that try the project as a new user would, on a system that has
# never seen it. make_fresh_root NAME LOG makes a minimal Debian 12 with debootstrap (from
# deb.debian.org) in /var/tmp/NAME.XXXXXX, writing debootstrap's output to LOG, and sets
# `root` and `started`; the root goes at exit unless keep_root=true. in_root COMMAND...
# runs a command in it with none of this machine's environment. Needs root and the network.
keep_root=${keep_root:-false}

remove_fresh_root() {
  for mount in "$root/dev" "$root/proc"; do
    if mountpoint -q "$mount"; then umount -R "$mount"; fi
  done
  if $keep_root; then
    echo "The root is kept in $root"
  else
    rm -rf --one-file-system "$root"
  fi
}

make_fresh_root() {
  local log=$2
  root=$(mktemp -d "/var/tmp/$1.XXXXXX")
  # The new system's / must be open to its users (mktemp makes it private).
  chmod 0755 "$root"
  trap remove_fresh_root EXIT
  started=$(date +%s)
  echo "Making a fresh Debian 12 in $root"
  debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >"$log" 2>&1 ||
    { tail -n 20 "$log"; exit 1; }
  mount -t proc proc "$root/proc"
  mount --rbind /dev "$root/dev"
  echo "debootstrap: $(($(date +%s) - started)) s"
}

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
