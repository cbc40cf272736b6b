# Cross-compiling for arm64 (aarch64) Linux with Debian's cross compiler
# (g++-aarch64-linux-gnu) and the arm64 libraries of Debian's multiarch
# (libhowardhinnant-date-dev:arm64 in /usr/lib/aarch64-linux-gnu). The
# headers shared by both architectures stay in /usr/include. The programs
# built run under qemu-user: qemu-aarch64 -L /usr/aarch64-linux-gnu PROGRAM.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/aarch64-linux-gnu)
