# 64-bit big-endian: Debian's s390x, run under qemu-user.
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(UDOVOR_CROSS_ARCH s390x)
set(UDOVOR_CROSS_TRIPLET s390x-linux-gnu)
set(UDOVOR_CROSS_MULTIARCH s390x-linux-gnu)
set(UDOVOR_CROSS_LOADER lib/ld64.so.1)
include(${CMAKE_CURRENT_LIST_DIR}/cross-common.cmake)

find_program(UDOVOR_QEMU_S390X qemu-s390x REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${UDOVOR_QEMU_S390X})
