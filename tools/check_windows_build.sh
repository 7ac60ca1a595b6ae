#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What can be checked of the Windows build on a Debian machine: the Qt-free half (runtime,
# solver, quadratic-table, the accuracy benchmark) cross-compiled with MinGW-w64 against GMP
# and MPFR built from Debian's own source packages, then run under Wine:
#   - quadratic-table.exe prints exactly tests/data/table_expected.tsv (bytes, line endings too);
#   - accuracy.exe finds nothing wrong in any category against the exact reference.
# The windows need a Qt for Windows, which Debian does not package; they are not built here.
#
#   tools/check_windows_build.sh [WORK_DIR=build-windows] [ACCURACY_CASES=500]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mkdir -p "${1:-$root/build-windows}" && cd "${1:-$root/build-windows}" && pwd)
cases=${2:-500}
host=x86_64-w64-mingw32
prefix=$work/prefix
sudo=$([ "$(id -u)" = 0 ] || echo sudo)

needed=()
for package in g++-mingw-w64-x86-64-posix wine64 cmake m4 xz-utils dpkg-dev autoconf automake \
  libtool texinfo; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
    needed+=("$package")
done
if [ ${#needed[@]} -gt 0 ]; then
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${needed[@]}" >/dev/null
fi

# GMP and MPFR from the Debian sources this machine's packages were built from, fetched with a
# private source list so that the system's apt configuration is left alone.
fetch_sources() {
  local apt=$work/apt
  [ -f "$apt/done" ] && return
  mkdir -p "$apt/lists/partial" "$apt/archives/partial" "$work/sources"
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  echo "deb-src http://deb.debian.org/debian $codename main" >"$apt/sources.list"
  local options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=/dev/null"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache::Archives=$apt/archives")
  apt-get "${options[@]}" update -qq
  (cd "$work/sources" && apt-get "${options[@]}" source --download-only -qq gmp mpfr4)
  touch "$apt/done"
}

# Unpacks one library's Debian source (with Debian's patches, which change configure.ac: it
# is regenerated, as Debian's build does) and builds it, static, for Windows; its configure
# arguments follow.
build_library() {
  local name=$1 package=$2
  shift 2
  [ -f "$prefix/lib/lib$name.a" ] && return
  rm -rf "${work:?}/$name"
  dpkg-source -x "$(ls "$work"/sources/"${package}"_*.dsc | head -n 1)" "$work/$name" >/dev/null
  (cd "$work/$name" && autoreconf -fi && ./configure -q --host=$host --prefix="$prefix" --enable-static \
     --disable-shared "$@" && make -s -j"$(nproc)" && make -s install) >"$work/$name.log" 2>&1 ||
    { tail -n 30 "$work/$name.log" >&2; exit 1; }
}

fetch_sources
build_library gmp gmp CC=$host-gcc-posix
build_library mpfr mpfr4 CC=$host-gcc-posix --with-gmp="$prefix"

cat >"$work/toolchain.cmake" <<CMAKE
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER $host-gcc-posix)
set(CMAKE_CXX_COMPILER $host-g++-posix)
set(CMAKE_RC_COMPILER $host-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$host $prefix)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
CMAKE
cmake -S "$root" -B "$work/cmake" -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DBRIMEL_WITH_QT=OFF -DBUILD_TESTING=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$work/cmake" -j"$(nproc)" --target quadratic-table accuracy >/dev/null

export WINEPREFIX=$work/wine WINEDEBUG=-all
wine=$(command -v wine64 || command -v wine)
status=0
# A fault in the arithmetic may as well loop as give a wrong digit: each run has a time limit.
if timeout 120 "$wine" "$work/cmake/tools/quadratic-table.exe" <"$root/tests/data/table_input.tsv" \
     >"$work/table.tsv" 2>/dev/null && cmp -s "$work/table.tsv" "$root/tests/data/table_expected.tsv"; then
  echo "quadratic-table.exe: the expected table, byte for byte ($(wc -l <"$work/table.tsv") lines)"
else
  echo "quadratic-table.exe: differs from tests/data/table_expected.tsv" >&2
  diff <(cat -A "$root/tests/data/table_expected.tsv") <(cat -A "$work/table.tsv") | head -n 20 >&2
  status=1
fi
if timeout 1200 "$wine" "$work/cmake/bench/accuracy.exe" "$cases" 1 >"$work/accuracy.txt" 2>&1; then
  echo "accuracy.exe $cases 1: nothing wrong"
else
  echo "accuracy.exe $cases 1: failed" >&2
  status=1
fi
cat "$work/accuracy.txt"
exit $status
