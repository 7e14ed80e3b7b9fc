# Shared part of the cross toolchain files. The including file sets
#   UDOVOR_CROSS_ARCH     Debian architecture name (s390x, i386)
#   UDOVOR_CROSS_TRIPLET  compiler prefix (s390x-linux-gnu, i686-linux-gnu)
#   UDOVOR_CROSS_MULTIARCH  library directory name (s390x-linux-gnu, i386-linux-gnu)
#   UDOVOR_CROSS_LOADER   the target's dynamic loader, relative to /usr/<triplet>
#
# The target's C and C++ libraries come with Debian's cross compiler under
# /usr/<triplet>; the other libraries are unpacked by tools/cross/deps.sh
# into $CROSS_ROOT/<arch> (default /opt/udovor-cross/<arch>).
set(CMAKE_SYSTEM_NAME Linux)

if(DEFINED ENV{CROSS_ROOT})
  set(UDOVOR_CROSS_ROOT "$ENV{CROSS_ROOT}/${UDOVOR_CROSS_ARCH}")
else()
  set(UDOVOR_CROSS_ROOT "/opt/udovor-cross/${UDOVOR_CROSS_ARCH}")
endif()
set(_libc_root "/usr/${UDOVOR_CROSS_TRIPLET}")

set(CMAKE_C_COMPILER ${UDOVOR_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${UDOVOR_CROSS_TRIPLET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${UDOVOR_CROSS_MULTIARCH})

set(CMAKE_FIND_ROOT_PATH ${UDOVOR_CROSS_ROOT} ${_libc_root})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config sees only the target's .pc files and prefixes their paths.
set(ENV{PKG_CONFIG_LIBDIR}
    "${UDOVOR_CROSS_ROOT}/usr/lib/${UDOVOR_CROSS_MULTIARCH}/pkgconfig:${UDOVOR_CROSS_ROOT}/usr/share/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "${UDOVOR_CROSS_ROOT}")

# Debian's cross compilers also search the host's /usr/include, and
# pkg-config leaves out -I for the target's /usr/include: name it, so that the
# target's headers (curses.h, gtest) are taken before the host's.
set(CMAKE_C_FLAGS_INIT "-isystem ${UDOVOR_CROSS_ROOT}/usr/include")
set(CMAKE_CXX_FLAGS_INIT "-isystem ${UDOVOR_CROSS_ROOT}/usr/include")

# The programs find their loader and libraries where they lie on this
# machine, so they start under qemu-user (or natively) without a -L prefix
# and without LD_LIBRARY_PATH, child processes included. DT_RPATH rather than
# DT_RUNPATH: it also serves the libraries' own dependencies (libstdc++ needs
# libm).
set(_libdirs
    "${_libc_root}/lib"
    "${UDOVOR_CROSS_ROOT}/usr/lib/${UDOVOR_CROSS_MULTIARCH}"
    "${UDOVOR_CROSS_ROOT}/lib/${UDOVOR_CROSS_MULTIARCH}")
string(REPLACE ";" ":" _rpath "${_libdirs}")
# -L for the unpacked libraries' own directories too: linker scripts such as
# libncursesw.so name their library without a path.
set(_link "-Wl,--disable-new-dtags -Wl,-rpath,${_rpath} -Wl,-rpath-link,${_rpath}")
foreach(d ${_libdirs})
  string(APPEND _link " -L${d}")
endforeach()
set(CMAKE_EXE_LINKER_FLAGS_INIT "${_link} -Wl,--dynamic-linker=${_libc_root}/${UDOVOR_CROSS_LOADER}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${_link}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${_link}")
