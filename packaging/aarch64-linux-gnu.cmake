# Cross-building for arm64 on an amd64 Debian with multiarch: the arm64
# libraries (Qt's :arm64 development packages) sit beside the amd64 ones in
# /usr/lib/aarch64-linux-gnu, Qt's build tools (moc, rcc) stay amd64, and the
# programs the build runs itself (the cue maker, the tips encoder, the icon
# renderer, the tests) run under qemu.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static)
set(PKG_CONFIG_EXECUTABLE aarch64-linux-gnu-pkg-config)
