#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What Windows users get, from the Windows build (tools/windows/build.sh): the one program file,
# build-windows/brimel.exe (stripped; static, nothing beside it), and its installer,
# build-windows/brimel-VERSION-win64.msi, made with wixl from data/windows/brimel.wxs.
#
#   tools/windows/package.sh
source "$(dirname "$0")/common.sh"

need_packages wixl msitools binutils-mingw-w64-x86-64
# "1.00", the program's version; the installer's is major.minor, "1.0".
version_text=$(sed -n 's/.*kVersionText = "\(.*\)";/\1/p' "$work/brimel/generated/runtime/program_identity.h")
[ -n "$version_text" ] || { log "build Brimel for Windows first"; exit 1; }
short_version=${version_text%%.*}.$((10#${version_text#*.}))

$host-strip -o "$work/brimel.exe" "$work/brimel/brimel.exe"
msi=$work/brimel-$version_text-win64.msi
make_msi "$short_version" "$msi"
log "$(basename "$work/brimel.exe"): $(du -k "$work/brimel.exe" | cut -f1) KiB, $(basename "$msi"): $(du -k "$msi" | cut -f1) KiB"
