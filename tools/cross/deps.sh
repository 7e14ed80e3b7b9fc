#!/bin/sh
# Installs what the cross builds need and is not there yet; does nothing
# when everything is in place.
#
#  - from the host's own architecture: the cross compilers (they bring the
#    target's C and C++ libraries under /usr/<triplet>), qemu-user, cmake;
#  - for each target: the target's builds of the libraries that the project
#    links (libsigc++, googletest, ncurses), unpacked from Debian's packages
#    for that architecture into a private root, $CROSS_ROOT/<arch>.
#
# Why not install those libraries with apt as arch-qualified packages? Their
# dependencies reach libc6-dev:<arch>, and Multi-Arch "same" packages must have
# the very same version in every architecture. bookworm's security updates
# are no longer built for s390x, so libc6, linux-libc-dev or libssl3 of the
# host are newer than any s390x version and apt refuses the install. Unpacked
# into their own root, the target's libraries never touch the host's.
#
# usage: deps.sh ARCH...   (ARCH: s390x, i386)
set -eu

CROSS_ROOT=${CROSS_ROOT:-/opt/udovor-cross}
SUDO=""
[ "$(id -u)" = 0 ] || SUDO=sudo

# The target's packages that the build needs, with the runtime libraries
# behind the -dev packages (their dependencies are not resolved for us).
TARGET_PKGS="libsigc++-2.0-dev libsigc++-2.0-0v5 libgtest-dev libgmock-dev
  libncurses-dev libncurses6 libncursesw6 libtinfo6"

compiler_for() {
  case "$1" in
    s390x) echo g++-s390x-linux-gnu ;;
    i386)  echo g++-i686-linux-gnu ;;
    *) echo "deps.sh: unknown architecture '$1' (s390x, i386)" >&2; exit 2 ;;
  esac
}

multiarch_of() {
  case "$1" in
    s390x) echo s390x-linux-gnu ;;
    i386)  echo i386-linux-gnu ;;
  esac
}

updated=0
apt_update() {
  if [ "$updated" = 0 ]; then $SUDO apt-get update -qq; updated=1; fi
}

# 1. Host packages.
missing=""
for p in qemu-user cmake make pkg-config $(for a in "$@"; do compiler_for "$a"; done); do
  dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed' || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  apt_update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

# 2. The target's libraries. The stamp names what was unpacked, so a changed
#    package list unpacks again.
for arch in "$@"; do
  root="$CROSS_ROOT/$arch"
  want=$(echo $TARGET_PKGS)
  stamp="$want + gconv, C.utf8, links in the root"
  if [ -f "$root/.unpacked" ] && [ "$(cat "$root/.unpacked")" = "$stamp" ]; then
    continue
  fi
  if ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
    echo "Adding architecture $arch (package lists only; nothing of $arch is installed)"
    $SUDO dpkg --add-architecture "$arch"
    updated=0
  fi
  apt_update
  echo "Unpacking into $root:$(for p in $want; do printf ' %s:%s' "$p" "$arch"; done)"
  tmp=$(mktemp -d)
  # shellcheck disable=SC2046
  ( cd "$tmp" && apt-get download -qq -o APT::Sandbox::User=root \
      $(for p in $want; do printf '%s:%s ' "$p" "$arch"; done) )
  $SUDO rm -rf "$root"
  $SUDO mkdir -p "$root"
  for deb in "$tmp"/*.deb; do $SUDO dpkg-deb -x "$deb" "$root"; done
  rm -f "$tmp"/*.deb
  # Absolute links (libtinfo.so -> /lib/<triplet>/libtinfo.so.6) point into
  # the root instead; broken, they would let the linker take the static
  # library beside them, a second copy of its state.
  find "$root" -type l | while read -r link; do
    target=$(readlink "$link")
    case "$target" in /*) $SUDO ln -sfn "$root$target" "$link" ;; esac
  done
  # Only the character set modules of the target's libc: the libc itself comes
  # with the cross compiler, whose build has no modules. Kept apart, so that
  # no second libc lies on the programs' library path; GCONV_PATH names them.
  # Likewise the C.UTF-8 locale: its files are in the CPU's byte order, so
  # a big-endian libc cannot read the host's (LOCPATH names these).
  ( cd "$tmp" && apt-get download -qq -o APT::Sandbox::User=root "libc6:$arch" "libc-bin:$arch" )
  mkdir "$tmp/libc"
  dpkg-deb -x "$tmp"/libc6_*.deb "$tmp/libc"
  dpkg-deb -x "$tmp"/libc-bin_*.deb "$tmp/libc"
  $SUDO mv "$tmp/libc/usr/lib/$(multiarch_of "$arch")/gconv" "$root/gconv"
  $SUDO mv "$tmp/libc/usr/lib/locale" "$root/locale"
  rm -rf "$tmp"
  echo "$stamp" | $SUDO tee "$root/.unpacked" >/dev/null
done
