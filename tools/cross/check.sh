#!/bin/sh
# Builds the plug-in, the stand-in toolkit, boxsim and the tests for other
# machines and runs the whole test suite of each: s390x (64-bit big-endian)
# under qemu-user, i386 (32-bit little-endian) natively when the kernel runs
# 32-bit programs, else under qemu-user too.
#
# usage: check.sh [ARCH...]   (default: s390x i386)
# env:   JOBS (default: nproc), CROSS_BUILD_TYPE (default: Debug),
#        CROSS_BUILD_PREFIX (default: build-cross-), CROSS_ROOT (see deps.sh)
set -eu

cd "$(dirname "$0")/../.."
[ $# -gt 0 ] || set -- s390x i386
JOBS=${JOBS:-$(nproc)}
BUILD_TYPE=${CROSS_BUILD_TYPE:-Debug}
PREFIX=${CROSS_BUILD_PREFIX:-build-cross-}

sh tools/cross/deps.sh "$@"

failed=""
for arch in "$@"; do
  dir="$PREFIX$arch"
  mkdir -p "$dir"
  start=$(date +%s)
  emulator=""
  case "$arch" in
    s390x) emulator=$(command -v qemu-s390x) ;;
    i386)
      # Can this kernel start a 32-bit program? Probe with the smallest one,
      # linked as the build links its programs.
      printf 'int main(void) { return 0; }\n' > "$dir/probe.c"
      i686-linux-gnu-gcc "$dir/probe.c" -o "$dir/probe" \
        -Wl,--dynamic-linker=/usr/i686-linux-gnu/lib/ld-linux.so.2
      "./$dir/probe" 2>/dev/null || emulator=$(command -v qemu-i386)
      rm -f "$dir/probe" "$dir/probe.c"
      ;;
  esac
  # The toolchain's flags are taken at the first configure only, and the
  # libraries found then are kept: start afresh when either changed.
  for f in cmake/cross-common.cmake "cmake/toolchain-$arch.cmake" "${CROSS_ROOT:-/opt/udovor-cross}/$arch/.unpacked"; do
    if [ -f "$dir/CMakeCache.txt" ] && [ "$f" -nt "$dir/CMakeCache.txt" ]; then
      rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
    fi
  done
  echo "== $arch: configure and build in $dir${emulator:+ (programs run under $emulator)}"
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-$arch.cmake" \
    -DCMAKE_BUILD_TYPE="$BUILD_TYPE" ${emulator:+-DCMAKE_CROSSCOMPILING_EMULATOR="$emulator"} >/dev/null
  cmake --build "$dir" -j "$JOBS"
  echo "== $arch: tests"
  # Tests that start boxsim or other programs of the build start them through
  # the emulator too (tests/support/process.cpp).
  # GCONV_PATH: the target's character set modules; under the emulator the
  # target's programs alone get its locale files through QEMU_SET_ENV, as the
  # host's programs of the tests (tmux, xmllint) need the host's (deps.sh).
  root="${CROSS_ROOT:-/opt/udovor-cross}/$arch"
  if ( cd "$dir" && export UDOVOR_TEST_EMULATOR="$emulator" GCONV_PATH="$root/gconv" &&
       if [ -n "$emulator" ]; then export QEMU_SET_ENV="LOCPATH=$root/locale"; fi &&
       ctest --output-on-failure -j "$JOBS" ); then
    echo "== $arch: passed in $(( $(date +%s) - start )) s"
  else
    echo "== $arch: FAILED after $(( $(date +%s) - start )) s"
    failed="$failed $arch"
  fi
done

if [ -n "$failed" ]; then
  echo "check-cross failed for:$failed"
  exit 1
fi
echo "check-cross passed for: $*"
