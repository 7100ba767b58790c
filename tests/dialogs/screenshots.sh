#!/usr/bin/env bash
# The installer window and every dialog at the display scales 96, 120, 144
# and 192 dots per inch, on a virtual X screen of the matching size,
# photographed and checked as a person would look at them:
#   - no text crosses the edge of a window's client area: the pixels along
#     its four edges are all of one colour, the background's;
#   - what the dialogs paint keeps its place among their controls (the
#     dialogs test checks that as it holds each dialog);
#   - the installer window is the 96-DPI one scaled (its client area within
#     a few pixels of it, so the menu bar keeps to one line) and lies on the
#     screen; its begin icon is painted inside it, and a click on the icon's
#     centre begins the installation (the icons dialog opens).
#
#   screenshots.sh [BUILD_DIR SOURCE_DIR]
#
# Without arguments it takes the build this host runs (build/, or
# build/x86_64/ where it runs 64-bit code only; ORVEL_ARCH forces either).
# The pictures land in BUILD_DIR/shots/DPI/NAME.png. The scale is set in a
# Wine prefix of this script's own, never in one other tests share at 96.
set -uo pipefail

if [ $# -ge 2 ]; then
  build=$(cd "$1" && pwd)
  source_dir=$(cd "$2" && pwd)
else
  source_dir=$(cd "$(dirname "$0")/../.." && pwd)
  read -r arch _ < <("$source_dir/tools/host-arch.sh") || exit 1
  if [ "$arch" = x86_64 ]; then
    build=$source_dir/build/x86_64
    export WINE_RUN_ARCH=win64
  else
    build=$source_dir/build
    export WINE_RUN_ARCH=win32
  fi
fi
work=$build/shots
prefix=$work/wineprefix
probe=$build/tests/e2e_probe.exe
dialogs_test=$build/tests/dialogs_test.exe
installer=$build/install.exe
signals=$prefix/drive_c/orvel-tests/shots
dialogs="agree changes icons changeit search browser help1 help4 help8 about"
started=$(date +%s)
failures=0
xvfb=

eval "$("$source_dir/tools/wine-run.sh" --env "$prefix")"

log() { echo "shots [$(($(date +%s) - started))s] $*"; }

stop_display() {
  timeout 20 wineserver -k >/dev/null 2>&1
  timeout 20 wineserver -w >/dev/null 2>&1
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  xvfb=
}
trap stop_display EXIT

problem() {
  log "FAILED at $dpi DPI: $*"
  failures=$((failures + 1))
}

scaled() { echo $((($1 * dpi + 48) / 96)); }

# A screen of 1024 by 768 at 96 DPI, as large in inches at every scale.
start_display() {
  screen_w=$(scaled 1024) screen_h=$(scaled 768)
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 "${screen_w}x${screen_h}x24" -nolisten tcp \
    >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  exec 3>&-
  for _ in $(seq 1 40); do
    [ -s "$work/display" ] && break
    sleep 0.25
  done
  export DISPLAY=:$(head -n1 "$work/display")
  # Wine reads the scale from both places, once per process.
  local key
  for key in 'HKCU\Control Panel\Desktop' \
    'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    timeout 60 wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f \
      >/dev/null 2>&1 || problem "cannot set LogPixels"
  done
}

on_desktop() {
  (cd "$work" && wine explorer "/desktop=Default,${screen_w}x${screen_h}" "$@" \
    >>"$work/wine.log" 2>&1 &)
}

shoot() { # name
  timeout 20 import -window root "$work/$dpi/$1.png" 2>/dev/null ||
    problem "no screenshot $1"
}

# Colours along the four edges of a rectangle of a screenshot: one line
# "COUNT COLOUR", COUNT being the number of different colours.
edge_colours() { # picture x y w h
  local x=$2 y=$3 w=$4 h=$5
  convert "$1" -crop "${w}x${h}+$x+$y" +repage \
    \( -clone 0 -crop "${w}x1+0+0" +repage \) \
    \( -clone 0 -crop "${w}x1+0+$((h - 1))" +repage \) \
    \( -clone 0 -crop "1x${h}+0+0" +repage -rotate 90 \) \
    \( -clone 0 -crop "1x${h}+$((w - 1))+0" +repage -rotate 90 \) \
    -delete 0 +append -format '%k %[pixel:p{0,0}]\n' info:
}

# The client area ("x y w h" on the screen) lies on the screen and nothing
# painted in it crosses its edges.
check_edges() { # name x y w h
  local name=$1 x=$2 y=$3 w=$4 h=$5
  if [ "$x" -lt 0 ] || [ "$y" -lt 0 ] || [ $((x + w)) -gt "$screen_w" ] ||
    [ $((y + h)) -gt "$screen_h" ] || [ "$w" -lt 2 ] || [ "$h" -lt 2 ]; then
    problem "$name: client area $x $y ${w}x$h is not on the screen"
    return
  fi
  local colours
  colours=$(edge_colours "$work/$dpi/$name.png" "$x" "$y" "$w" "$h")
  [ "${colours%% *}" = 1 ] ||
    problem "$name: something crosses the client area's edge ($colours)"
}

# The part of a square of the screenshot that differs from the colour of
# the pixel at (x0, y0), in percent.
painted_percent() { # picture x y size x0 y0
  local background
  background=$(convert "$1" -format "%[pixel:p{$5,$6}]" info:)
  convert "$1" -crop "$4x$4+$2+$3" +repage \
    \( +clone -fill "$background" -colorize 100 \) \
    -compose difference -composite -colorspace gray -threshold 0 \
    -format '%[fx:int(100*mean)]' info:
}

window_line() { # title: the probe's W line, fields split by |
  timeout 20 wine "$probe" windows 2>/dev/null | tr -d '\r' |
    awk -F'|' -v t="$1" '$1 == "W" && $2 == t { print; exit }'
}

wait_window() { # title
  for _ in $(seq 1 160); do
    [ -n "$(window_line "$1")" ] && return 0
    sleep 0.25
  done
  return 1
}

installer_window() {
  on_desktop "$installer"
  wait_window Install || {
    problem "the installer window did not open"
    return
  }
  sleep 1
  shoot installer
  local client cx cy cw ch
  client=$(window_line Install | cut -d'|' -f5)
  read -r cx cy cw ch <<<"$client"
  check_edges installer "$cx" "$cy" "$cw" "$ch"
  # The 96-DPI client area scaled, give or take the frame, which does not
  # grow: a menu bar on two lines would take more.
  [ -z "${client96:-}" ] && client96="$cw $ch"
  local w96 h96
  read -r w96 h96 <<<"$client96"
  local dw=$((cw - $(scaled "$w96"))) dh=$((ch - $(scaled "$h96")))
  [ ${dw#-} -le "$(scaled 10)" ] && [ ${dh#-} -le "$(scaled 10)" ] ||
    problem "the client area is ${cw}x$ch, not $w96 by $h96 scaled"

  local point bx by size
  point=$(timeout 20 wine "$probe" beginpoint Install 2>/dev/null | tr -d '\r')
  read -r bx by _ <<<"$point"
  size=$(scaled 32)
  local left=$((bx - size / 2)) top=$((by - size / 2))
  if [ -z "$point" ] || [ "$left" -lt "$cx" ] || [ "$top" -lt "$cy" ] ||
    [ $((left + size)) -gt $((cx + cw)) ] ||
    [ $((top + size)) -gt $((cy + ch)) ]; then
    problem "the begin icon at ($point) is not inside the window"
  elif [ "$(painted_percent "$work/$dpi/installer.png" "$left" "$top" \
    "$size" "$cx" "$cy")" -lt 40 ]; then
    problem "no icon painted at $left $top, ${size}x$size"
  fi
  log "$dpi DPI: installer client area ${cw}x$ch, icon ${size}px centred at" \
    "($((bx - cx)), $((by - cy)))"
  timeout 10 xdotool mousemove "$bx" "$by" click 1
  wait_window "Choose Shortcut Icons" ||
    problem "a click on the icon's centre did not begin the installation"
  timeout 20 wineserver -k >/dev/null 2>&1
  timeout 20 wineserver -w >/dev/null 2>&1
}

each_dialog() {
  rm -rf "$signals"
  mkdir -p "$signals"
  on_desktop "$dialogs_test" --gtest_also_run_disabled_tests \
    --gtest_filter='*Screenshots*' \
    '--gtest_output=xml:c:\orvel-tests\shots\result.xml'
  local name
  for name in $dialogs; do
    for _ in $(seq 1 600); do
      [ -s "$signals/ready-$name" ] && break
      sleep 0.2
    done
    if [ ! -s "$signals/ready-$name" ]; then
      problem "the dialog $name did not appear"
      return
    fi
    sleep 1
    shoot "$name"
    check_edges "$name" $(tr -d '\r' <"$signals/ready-$name")
    touch "$signals/done-$name"
  done
  # Its own checks of where the dialogs paint.
  for _ in $(seq 1 100); do
    [ -s "$signals/result.xml" ] && break
    sleep 0.2
  done
  grep -q '<testsuites [^>]*failures="0"' "$signals/result.xml" 2>/dev/null ||
    problem "what a dialog paints left its place: $(grep -ho \
      'message="[^"]*"' "$signals/result.xml" 2>/dev/null | head -c 1500)"
}

for f in "$probe" "$dialogs_test" "$installer"; do
  [ -f "$f" ] || {
    echo "missing $f"
    exit 1
  }
done
mkdir -p "$work"
WINE_RUN_DISPLAY=1 timeout 120 "$source_dir/tools/wine-run.sh" "$prefix" \
  cmd /c exit 0 \
  >/dev/null 2>&1 || {
  echo "cannot make the Wine prefix"
  exit 1
}
for dpi in 96 120 144 192; do
  rm -rf "${work:?}/$dpi"
  mkdir -p "$work/$dpi"
  start_display
  installer_window
  each_dialog
  stop_display
  log "$dpi DPI: pictures in $work/$dpi"
done
[ $failures -eq 0 ] || {
  log "$failures problems"
  exit 1
}
log "every window fits at every scale"
