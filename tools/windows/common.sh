# SPDX-License-Identifier: MIT
# Shared by the Windows scripts: where things live, the packages they need, the sources from
# Debian and the cross toolchain. Sourced, not run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mkdir -p "${BRIMEL_WINDOWS_DIR:-$root/build-windows}" && cd "${BRIMEL_WINDOWS_DIR:-$root/build-windows}" && pwd)
host=x86_64-w64-mingw32
prefix=$work/prefix
sudo=$([ "$(id -u)" = 0 ] || echo sudo)
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEARCH=win64
# Wine offers to install Mono and Gecko in a dialog the first time it starts: neither is needed.
# Nor is its menu builder, which would copy each Start-menu shortcut into this machine's own
# desktop menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

log() { printf '== %s\n' "$*" >&2; }

need_packages() {
  local needed=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
      needed+=("$package")
  done
  if [ ${#needed[@]} -gt 0 ]; then
    log "installing ${needed[*]}"
    $sudo apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
      "${needed[@]}" >/dev/null
  fi
}

# Debian's source packages, fetched with a private source list so that the system's apt
# configuration is left alone; the versions are those this machine's packages come from.
fetch_source() {
  local package=$1 apt=$work/apt
  ls "$work"/sources/"${package}"_*.dsc >/dev/null 2>&1 && return
  mkdir -p "$apt/lists/partial" "$apt/archives/partial" "$work/sources"
  local codename options
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  echo "deb-src http://deb.debian.org/debian $codename main" >"$apt/sources.list"
  options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=/dev/null"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache::Archives=$apt/archives")
  # As root, apt would otherwise warn that it cannot hand the download to its own user.
  [ "$(id -u)" = 0 ] && options+=(-o APT::Sandbox::User=root)
  [ -f "$apt/updated" ] || { apt-get "${options[@]}" update -qq && touch "$apt/updated"; }
  local version
  version=$(dpkg-query -W -f='${source:Version}' "${3:-$package}" 2>/dev/null || true)
  (cd "$work/sources" && apt-get "${options[@]}" source --download-only -qq "$package${version:+=$version}")
}

# Unpacks a Debian source package, with Debian's patches applied, into a fresh folder under
# src/. apt has already checked the files against the archive's signed index.
unpack_source() {
  local package=$1 into=$work/src/$2
  rm -rf "$into"
  mkdir -p "$work/src"
  dpkg-source --no-check -x "$(ls "$work"/sources/"${package}"_*.dsc | head -n 1)" "$into" \
    >/dev/null 2>&1
  echo "$into"
}

write_toolchain() {
  cat >"$work/toolchain.cmake" <<CMAKE
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER $host-gcc-posix)
set(CMAKE_CXX_COMPILER $host-g++-posix)
set(CMAKE_RC_COMPILER $host-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$host $prefix)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
CMAKE
}

# The installer for brimel.exe (stripped, in build-windows/) at version MAJOR.MINOR, into OUTPUT.
# wixl takes its sources' paths relative to the folder it runs in, never absolute.
make_msi() {
  local version=$1 output=$2
  (cd "$work" && wixl -a x64 -D Version="$version" -D Exe=brimel.exe \
    -D Icon="$(realpath --relative-to="$work" "$root/data/icons/brimel.ico")" -o "$output" \
    "$(realpath --relative-to="$work" "$root/data/windows/brimel.wxs")") 2>"$work/wixl.log" ||
    { cat "$work/wixl.log" >&2; exit 1; }
}
