#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows installer, installed and removed under Wine as a user would: per user and with no
# administrator (the package says so, and asks nothing of the machine's folders); the program
# under %LOCALAPPDATA%\Programs\Brimel; a Start-menu shortcut with the program's icon; listed
# among the installed programs as Brimel, its version, by Vorno; replaced by a later version
# (the same upgrade code); and nothing left once uninstalled.
#
#   tests/windows/check_msi.sh brimel.msi LATER.msi MAJOR.MINOR LATER_MAJOR.MINOR
# WINEPREFIX names the Wine prefix to use.
set -uo pipefail
msi=$1 later=$2 version=$3 later_version=$4
status=0
fail() { echo "FAIL: $*"; status=1; }
user_folder() { wine cmd /c "echo %$1%" 2>/dev/null | tr -d '\r' | xargs -0 winepath -u 2>/dev/null; }
snapshot() { # every file and folder under the user's profile, and the user's registry but Wine's
  local key
  find "$profile" | sort
  wine reg query 'HKCU\Software' 2>/dev/null | tr -d '\r' | grep '^HKEY_CURRENT_USER\\Software\\' |
    grep -v '\\Wine$' | while read -r key; do
    wine reg query "$key" /s 2>/dev/null | tr -d '\r' | grep -v '^$'
  done
}
installed() { # the installed programs' entries: code|||name, and the registry's details
  wine uninstaller --list 2>/dev/null | tr -d '\r' | grep '|||Brimel$'
}
entry() { # a value of Brimel's entry among the installed programs
  local key
  key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$(installed | cut -d'|' -f1)"
  wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

profile=$(user_folder USERPROFILE)
[ -d "$profile" ] || { echo "FAIL: no Wine user profile at '$profile'"; exit 1; }
local_app=$(user_folder LOCALAPPDATA)
start_menu="$(user_folder APPDATA)/Microsoft/Windows/Start Menu/Programs"
before=$(snapshot)

# Per user, no administrator: the summary's word count has bit 8 ("no elevation needed") and the
# package does not ask for ALLUSERS.
words=$(msiinfo suminfo "$msi" | sed -n 's/^Source: \([0-9]*\).*/\1/p')
[ $(( words & 8 )) = 8 ] && echo "per user, no administrator (word count $words)" ||
  fail "word count $words: elevation required"
msiinfo export "$msi" Property | grep -q '^ALLUSERS' && fail "the package sets ALLUSERS"

wine msiexec /i "$(winepath -w "$msi")" /qn || fail "msiexec /i exited with $?"
[ -f "$local_app/Programs/Brimel/brimel.exe" ] && echo "installed in %LOCALAPPDATA%\\Programs\\Brimel" ||
  fail "no $local_app/Programs/Brimel/brimel.exe"
shortcut="$start_menu/Brimel.lnk"
if [ -f "$shortcut" ]; then
  # The link's target and its icon, both written in UTF-16 inside the .lnk.
  python3 - "$shortcut" <<'PY' || status=1
import sys
data = open(sys.argv[1], 'rb').read()
for what, text in (('target', 'brimel.exe'), ('icon', 'brimel.ico')):
    if text.encode('utf-16-le') not in data and text.encode() not in data:
        print(f'FAIL: the shortcut has no {what} {text}')
        sys.exit(1)
print('Start-menu shortcut to brimel.exe with the icon brimel.ico')
PY
else
  fail "no Start-menu shortcut at $shortcut"
fi
name=$(installed | cut -d'|' -f4)
[ "$name" = Brimel ] && [ "$(entry DisplayVersion)" = "$version" ] && [ "$(entry Publisher)" = Vorno ] &&
  echo "listed as $name $(entry DisplayVersion) by $(entry Publisher)" ||
  fail "listed as '$name' '$(entry DisplayVersion)' by '$(entry Publisher)'"

# A later version replaces this one: one entry, the later one.
wine msiexec /i "$(winepath -w "$later")" /qn || fail "msiexec /i of the later version exited with $?"
[ "$(installed | wc -l)" = 1 ] && [ "$(entry DisplayVersion)" = "$later_version" ] &&
  echo "version $later_version replaced $version" ||
  fail "after the later version: $(installed | wc -l) entries, version '$(entry DisplayVersion)'"

wine msiexec /x "$(installed | cut -d'|' -f1)" /qn || fail "msiexec /x exited with $?"
[ -z "$(installed)" ] || fail "still listed after uninstalling"
after=$(snapshot)
# Windows Installer's own bookkeeping, which the first install into a new profile makes and
# every Windows has: its folder and keys, empty again, are not left by Brimel. Anything in them
# would be.
installer_own='(/Microsoft/Installer|\\Software\\Microsoft\\Installer(\\Features|\\Products|\\UpgradeCodes)?)$'
left=$(diff <(echo "$before") <(echo "$after") | grep '^[<>]' | grep -Ev "$installer_own")
if [ -z "$left" ]; then
  echo "uninstalled: nothing left in the profile or the user's registry"
else
  fail "left behind:"
  echo "$left" | head -n 20
fi
[ $status = 0 ] && echo "installer: OK"
exit $status
