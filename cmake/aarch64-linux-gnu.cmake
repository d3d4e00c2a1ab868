# Cross-building for 64-bit ARM Linux (Debian's arm64) on an amd64 Debian with multiarch, as
# ./dev package --arch arm64 does: the compilers of crossbuild-essential-arm64, the arm64
# libraries and their CMake and pkg-config files in /usr/lib/aarch64-linux-gnu, and Qt's build
# programs (moc, rcc) of this machine's own Qt.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

# Only the arm64 .pc files: the amd64 ones would hand the linker this machine's libraries.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)

# Qt's build programs and their CMake files come from the build machine's Qt (Debian keeps those
# files under the machine's multiarch folder).
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${CMAKE_HOST_SYSTEM_PROCESSOR}-linux-gnu/cmake)
