#!/usr/bin/env bash
# Start-up, memory and idle cost of Brimel against a bare Qt Widgets window of the same size and
# widget count, and against any other calculator installed here, launched interleaved in random
# order on a private Xvfb with no window manager, in each of these sessions:
#   plain  an X session of no particular desktop
#   gtk    a GNOME session (XDG_CURRENT_DESKTOP=GNOME), where Qt loads the GTK platform theme
#          (Debian's qt6-gtk-platformtheme) into any program that follows the desktop's settings
#   fonts  the plain session with about 400 more fonts (Debian's Noto, URW, FreeFont and
#          DejaVu extra fonts, unpacked into the build folder, their cache built beforehand)
#
#   bench/startup/run.sh BUILD_DIR [ROUNDS=12] [IDLE_ROUNDS=3] [IDLE_SECONDS=10] \
#     [SESSIONS="plain gtk fonts"]
set -euo pipefail
build=$(cd "$1" && pwd)
rounds=${2:-12}
idle_rounds=${3:-3}
idle_seconds=${4:-10}
sessions=${5:-plain gtk fonts}
here=$(cd "$(dirname "$0")" && pwd)
watch=$build/bench/startup/watch-start
if [ -z "${BRIMEL_PRIVATE_X:-}" ]; then
  exec "$here/../../tools/with_private_x.sh" env BRIMEL_PRIVATE_X=1 "$0" "$@"
fi

programs=("brimel=$build/app/brimel" "bare-qt=$build/bench/startup/bare-window")
for peer in xcalc galculator speedcrunch kcalc gnome-calculator qalculate-gtk; do
  command -v "$peer" >/dev/null && programs+=("$peer=$(command -v "$peer")")
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# No session bus, no accessibility bus: what is measured is the program and its window.
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY XDG_CURRENT_DESKTOP QT_QPA_PLATFORMTHEME
export LANG=es_ES.UTF-8

# The many-fonts session's fonts, from Debian's packages, kept in the build folder.
fonts=$build/bench/fonts
prepare_fonts() {
  [ -f "$fonts/fonts.conf" ] && return
  mkdir -p "$fonts/packages" "$fonts/root" "$fonts/cache"
  (cd "$fonts/packages" &&
     apt-get download fonts-noto-core fonts-urw-base35 fonts-freefont-ttf fonts-dejavu-extra >/dev/null)
  for package in "$fonts"/packages/*.deb; do dpkg-deb -x "$package" "$fonts/root"; done
  cat >"$fonts/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <dir>$fonts/root/usr/share/fonts</dir>
  <cachedir>$fonts/cache</cachedir>
</fontconfig>
CONF
  FONTCONFIG_FILE=$fonts/fonts.conf fc-cache >/dev/null
}

session_env() {
  case $1 in
    plain) ;;
    gtk) echo XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_DESKTOP=gnome ;;
    fonts) echo FONTCONFIG_FILE=$fonts/fonts.conf ;;
  esac
}

echo "machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo), $(sed -n 's/^model name\t: //p' /proc/cpuinfo | head -n 1)"
echo "rounds: $rounds ($idle_rounds with $idle_seconds idle seconds), programs: ${programs[*]%%=*}"
for session in $sessions; do
  [ "$session" = fonts ] && prepare_fonts
  [ "$session" = gtk ] && ! ls /usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so >/dev/null 2>&1 &&
    echo "gtk session: the GTK platform theme (qt6-gtk-platformtheme) is not installed" >&2
  [ "$session" = fonts ] &&
    echo "fonts session: $(FONTCONFIG_FILE=$fonts/fonts.conf fc-list | wc -l) fonts, against $(fc-list | wc -l) in the others"
  for round in $(seq "$rounds"); do
    idle=0
    [ "$round" -le "$idle_rounds" ] && idle=$idle_seconds
    for entry in $(printf '%s\n' "${programs[@]}" | shuf); do
      name=${entry%%=*}
      # shellcheck disable=SC2046
      if line=$(env $(session_env "$session") "$watch" "$idle" "${entry#*=}" 2>/dev/null); then
        echo "$session $name $idle $line" >>"$work/results"
      else
        echo "$session $name: no window in round $round" >&2
      fi
      sleep 0.3
    done
  done
done
/usr/bin/python3 "$here/summarize.py" "$work/results"
