# shellcheck shell=bash
# A fresh, minimal Debian system of one release in a folder, for the scripts that try the project
# there (try-package-in-chroot, try-build-in-chroot). Sourced; the script sets suite (bookworm or
# trixie) and defines die before sourcing it, sets root (the folder) before make_root, and calls
# umount_all when it ends, whatever happened.
#
# debootstrap's result is kept in ${XDG_CACHE_HOME:-~/.cache}/pwr455-chroot/SUITE.tar and the
# packages apt fetched into the system in SUITE-debs/ beside it, so that a second run neither
# makes the system again nor downloads what it downloaded before. The kept system is used only
# while it is younger than a week, unpacks whole, is of the right release and brings itself up to
# date with apt; otherwise it is made anew with debootstrap.
: "${suite:?set by the script that sources this file}"

chroot_cache=${XDG_CACHE_HOME:-$HOME/.cache}/pwr455-chroot
chroot_suites=(bookworm trixie)
is_suite() {
  local s
  for s in "${chroot_suites[@]}"; do [ "$s" = "$1" ] && return 0; done
  return 1
}
is_suite "$suite" || die "unknown Debian release '$suite' (${chroot_suites[*]})"

# The first Debian archive the host itself uses, else Debian's own.
chroot_mirror() {
  local mirror
  mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
  echo "${mirror:-http://deb.debian.org/debian}"
}

# Ends what still runs inside the system (a server a test started), so that nothing holds its
# mounts; a bounded wait, then SIGKILL.
stop_root_processes() {
  local real pid i found
  real=$(realpath "$root")
  for i in $(seq 20); do
    found=()
    for pid in /proc/[0-9]*; do
      [ "$(readlink "$pid/root" 2>/dev/null)" = "$real" ] && found+=("${pid#/proc/}")
    done
    [ ${#found[@]} -eq 0 ] && return 0
    if [ "$i" -lt 20 ]; then kill -TERM "${found[@]}" 2>/dev/null || true; else kill -KILL "${found[@]}" 2>/dev/null || true; fi
    sleep 0.5
  done
}

# Never remove the folder while the host's /dev is still mounted in it.
chroot_mounts=(proc sys dev dev/pts dev/shm var/cache/apt/archives)
umount_all() {
  local i dir status=0
  [ -n "${root:-}" ] && [ -d "$root" ] || return 0
  stop_root_processes
  # Packages no longer in the archive leave the download cache.
  if mountpoint -q "$root/var/cache/apt/archives"; then
    in_root apt-get autoclean -qq >/dev/null 2>&1 || true
  fi
  for ((i = ${#chroot_mounts[@]} - 1; i >= 0; i--)); do
    dir=$root/${chroot_mounts[i]}
    if mountpoint -q "$dir" && ! umount "$dir"; then
      echo "cannot unmount $dir" >&2
      status=1
    fi
  done
  return $status
}

mount_all() {
  mount -t proc proc "$root/proc"
  mount -t sysfs -o ro sysfs "$root/sys"
  mount --bind /dev "$root/dev"
  mount --bind /dev/pts "$root/dev/pts" # the simulated transceiver needs a pseudo-terminal
  mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$root/dev/shm"
  mkdir -p "$chroot_cache/$suite-debs"
  mount --bind "$chroot_cache/$suite-debs" "$root/var/cache/apt/archives"
}

in_root() {
  chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME="${root_home:-/root}" LANG=C.UTF-8 \
    TMPDIR="${root_tmp:-/tmp}" DEBIAN_FRONTEND=noninteractive "$@"
}

# A release's archive, its updates and its security archive, as an installed system lists them.
write_root_sources() {
  local mirror security
  mirror=$(chroot_mirror)
  security=${mirror%/debian}/debian-security
  rm -f "$root/etc/apt/sources.list"
  cat >"$root/etc/apt/sources.list.d/debian.sources" <<EOF
Types: deb
URIs: $mirror
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: $security
Suites: $suite-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
}

root_codename() { sed -n 's/^VERSION_CODENAME=//p' "$root/etc/os-release" 2>/dev/null; }

# Unpacks the kept system into the empty $root; fails when there is none or it is unfit.
unpack_kept() {
  local tarball=$chroot_cache/$suite.tar
  [ -n "$(find "$tarball" -mmin -$((7 * 24 * 60)) 2>/dev/null)" ] || return 1
  tar -xf "$tarball" -C "$root" 2>/dev/null || return 1
  [ -x "$root/usr/bin/apt-get" ] &&
    [ "$(root_codename)" = "$suite" ]
}

# The system brought up to date; fails when apt cannot do it. dpkg does not wait for every file
# to reach the disk: a system that does not survive a crash is simply made again.
refresh_root() {
  write_root_sources
  echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/pwr455-unsafe-io"
  in_root apt-get update -qq &&
    in_root apt-get dist-upgrade -y -qq -o Dpkg::Options::=--force-confnew >/dev/null
}

empty_root() {
  umount_all
  find "$root" -mindepth 1 -maxdepth 1 -exec rm -rf --one-file-system {} +
}

# Fills the empty folder $root with a fresh system of $suite, from the kept one where it serves,
# and mounts what programs there need. A folder that already holds a system of $suite is used as
# it is, but brought up to date.
make_root() {
  mkdir -p "$root" "$chroot_cache"
  chmod 0755 "$root" # apt downloads as its own user
  if [ -x "$root/usr/bin/apt-get" ]; then
    [ "$(root_codename)" = "$suite" ] ||
      die "$root holds a system, but not Debian $suite"
    mount_all
    refresh_root || die "cannot bring the system in $root up to date"
    return
  fi
  [ -z "$(ls -A "$root")" ] || die "$root is neither empty nor a Debian system"
  if unpack_kept && mount_all && refresh_root; then
    return
  fi
  echo "Making a Debian $suite system with debootstrap (kept in $chroot_cache)" >&2
  empty_root
  debootstrap --variant=minbase "$suite" "$root" "$(chroot_mirror)" >/dev/null
  tar -cf "$chroot_cache/$suite.tar.new" -C "$root" . &&
    mv "$chroot_cache/$suite.tar.new" "$chroot_cache/$suite.tar"
  mount_all
  refresh_root || die "cannot bring the new Debian $suite system up to date"
}
