# 32-bit little-endian: Debian's i386. An x86-64 kernel runs its programs
# natively; where it cannot, pass -DCMAKE_CROSSCOMPILING_EMULATOR=qemu-i386.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(UDOVOR_CROSS_ARCH i386)
set(UDOVOR_CROSS_TRIPLET i686-linux-gnu)
set(UDOVOR_CROSS_MULTIARCH i386-linux-gnu)
set(UDOVOR_CROSS_LOADER lib/ld-linux.so.2)
include(${CMAKE_CURRENT_LIST_DIR}/cross-common.cmake)
