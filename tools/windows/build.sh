#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Brimel for Windows on this Debian machine, tests included: GMP, MPFR and a static Qt
# from Debian's own source packages, cross-compiled with Debian's MinGW-w64, then brimel.exe.
# Each library is built once and kept in build-windows/ (Qt under a folder named by what it
# was built from and with), so a second run only builds Brimel.
#
#   tools/windows/build.sh
source "$(dirname "$0")/common.sh"

need_packages g++-mingw-w64-x86-64-posix cmake ninja-build m4 xz-utils dpkg-dev autoconf automake \
  libtool texinfo qt6-base-dev qt6-base-dev-tools qt6-translations-l10n

write_toolchain

# Unpacks one library's Debian source (Debian's patches change configure.ac, so it is
# regenerated, as Debian's build does) and builds it, static, for Windows.
# Its last argument is the library whose presence says it is built.
build_library() {
  local name=$1 package=$2 built=$3
  shift 3
  [ -f "$prefix/lib/$built" ] && return
  log "building $name for Windows"
  fetch_source "$package" "$package" "lib$name-dev"
  local source
  source=$(unpack_source "$package" "$name")
  (cd "$source" && autoreconf -fi && ./configure -q --host=$host --prefix="$prefix" --enable-static \
     --disable-shared "$@" && make -s -j"$(nproc)" && make -s install) >"$work/$name.log" 2>&1 ||
    { tail -n 30 "$work/$name.log" >&2; exit 1; }
  rm -rf "$source"
}

# GMP with its C++ interface, gmpxx.
build_library gmp gmp libgmpxx.a CC=$host-gcc-posix CXX=$host-g++-posix --enable-cxx
build_library mpfr mpfr4 libmpfr.a CC=$host-gcc-posix --with-gmp="$prefix"

# Qt: the version of the Qt host tools installed here, whose moc, uic and rcc serve the cross
# build. What is switched off, and why:
#  - modules and features Brimel does not use (network, sql, print support, xml, D-Bus, OpenGL,
#    Vulkan, concurrent), and ICU, zstd, JPEG: a smaller Qt that builds sooner;
#  - tabletevent: Debian's source leaves out the Wintab headers it needs;
#  - androiddeployqt: Debian's cross-build patch turns it on, and it is a host tool;
#  - direct2d and directwrite together: Qt 6.4's Windows platform plugin does not link with
#    Direct2D off unless DirectWrite is off too;
#  - zstd: Debian's patch makes it a shared system library.
# FreeType stays on (bundled): without it Qt builds no offscreen platform plugin, which the
# tests run on.
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
qt_options=(-static -static-runtime -release -nomake examples -nomake tests
  -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-concurrent
  -no-feature-xml -no-feature-dbus -no-feature-opengl -no-feature-vulkan
  -no-feature-direct2d -no-feature-directwrite -no-feature-tabletevent -no-feature-androiddeployqt
  -no-zstd -no-icu -no-fontconfig -no-libjpeg -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz -qt-freetype)
qt_key=$( (echo "$qt_version" "${qt_options[*]}"; cat "$work/toolchain.cmake"; $host-g++-posix --version | head -n 1) |
  sha256sum | cut -c1-12)
qt_prefix=$work/qt-$qt_key
if [ ! -f "$qt_prefix/.complete" ]; then
  log "building Qt $qt_version for Windows into $qt_prefix (about 25 minutes on 2 cores)"
  fetch_source qt6-base qt6-base qt6-base-dev
  qt_source=$(unpack_source qt6-base qt)
  rm -rf "$work/qt-build" "$qt_prefix"
  mkdir -p "$work/qt-build"
  host_cmake=$(dirname "$(dpkg -L qt6-base-dev | grep -m1 '/cmake/Qt6HostInfo/Qt6HostInfoConfig.cmake$')")
  (cd "$work/qt-build" &&
    "$qt_source/configure" -prefix "$qt_prefix" -qt-host-path /usr "${qt_options[@]}" -- \
      -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" -DQt6HostInfo_DIR="$host_cmake" &&
    cmake --build . --parallel "$(nproc)" && cmake --install .) >"$work/qt.log" 2>&1 ||
    { tail -n 40 "$work/qt.log" >&2; exit 1; }
  touch "$qt_prefix/.complete"
  # 2 GB of objects that the installed Qt no longer needs.
  rm -rf "$work/qt-build" "$qt_source"
fi
ln -sfn "$qt_prefix" "$work/qt"

log "building Brimel for Windows"
cmake -S "$root" -B "$work/brimel" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
  -DCMAKE_PREFIX_PATH="$qt_prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v wine)" >/dev/null
cmake --build "$work/brimel" --parallel "$(nproc)"
