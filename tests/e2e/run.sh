#!/usr/bin/env bash
# End-to-end runs of the real installers, as a person would use them: Wine
# with its X11 driver in a virtual desktop on a private Xvfb screen, a fresh
# Wine prefix of its own, xdotool as the hands, and a small probe program
# (e2e_probe.exe) as the eyes that read window titles, texts and positions.
#
#   run.sh BUILD_DIR SOURCE_DIR [INSTALLERS_DIR]
#
# With INSTALLERS_DIR (signed copies of the installers, say), the
# installers there are run instead, through scenarios 2 and 3 only.
#
# Scenarios, in order:
#   0. the keys of the idle window, through the installer's own message
#      loop and accelerator table, and its menu by Shift+F10 and the
#      menu key;
#   1. a refused destination typed in the change-destination dialog shows
#      its error box and leaves the dialog open;
#   2. a full installation into a new folder, checked on disk;
#   3. the update installer over that installation, with the keyboard
#      alone;
#   4. install.exe /UN removes the folder and touches nothing outside it.
# Screenshots land in BUILD_DIR/e2e-screenshots. Every exit path ends the
# prefix's Wine processes and the X server; every wait has a time limit.
set -uo pipefail

build=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
installers=$build
label=
if [ $# -ge 3 ]; then
  installers=$(cd "$3" && pwd)
  label=-$(basename "$installers")
fi
# E2E_PREFIX names a run in a prefix of another architecture (the 32-bit
# installers in a 64-bit prefix, as on every current Windows).
label=$label${E2E_PREFIX:+-$E2E_PREFIX}
work=$build/e2e$label
shots=$build/e2e-screenshots$label
prefix=$work/wineprefix
probe=$build/tests/e2e_probe.exe
installer=$installers/install.exe
update_installer=$installers/install-update.exe
drive_c=$prefix/drive_c
destination='c:\e2e\apps\Orvel'
destination_dir=$drive_c/e2e/apps/Orvel
started=$(date +%s)

# wine and wineserver of the prefix's architecture (WINE_RUN_ARCH).
eval "$("$source_dir/tools/wine-run.sh" --env "$prefix")"
# Libraries named like the installer's and a script host are planted
# beside the installers and in the temporary folder (plant_files), and
# Wine prefers such libraries to its own, as Windows' search order does
# for libraries that are not on its known list: none may ever run.
planted=
if [ "$installers" = "$build" ]; then
  planted=$work/installers
  installer=$planted/install.exe
  update_installer=$planted/install-update.exe
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;version,lz32=n,b"
fi

xvfb=
watchdog=
shot_number=0

log() { echo "e2e [$(($(date +%s) - started))s] $*"; }

cleanup() {
  trap - EXIT INT TERM
  if [ -d "$prefix" ]; then
    timeout 20 wineserver -k >/dev/null 2>&1
    timeout 20 wineserver -w >/dev/null 2>&1
  fi
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  if [ -n "$watchdog" ]; then
    kill "$watchdog" 2>/dev/null
    [ -s "$work/watchdog-sleep.pid" ] &&
      kill "$(cat "$work/watchdog-sleep.pid")" 2>/dev/null
  fi
  true
}
trap cleanup EXIT
trap 'fail "interrupted (time limit or signal)"' INT TERM

shot() {
  shot_number=$((shot_number + 1))
  local file
  file=$(printf '%s/%02d-%s.png' "$shots" "$shot_number" "$1")
  timeout 20 import -window root "$file" 2>/dev/null || log "no screenshot $1"
}

fail() {
  log "FAILED: $*"
  shot failure
  windows >"$work/windows-at-failure.txt" 2>/dev/null &&
    sed 's/^/  /' "$work/windows-at-failure.txt"
  exit 1
}

# --- the eyes --------------------------------------------------------------

windows() { timeout 20 wine "$probe" windows 2>/dev/null | tr -d '\r'; }

# The W line and C lines of the first window whose title is $1.
window_block() {
  windows | awk -F'|' -v title="$1" '
    $1 == "W" { inside = ($2 == title); if (inside && done) inside = 0;
                if (inside) { print; done = 1 } next }
    inside { print }'
}

# Field $3 (1-based, after the id) of control $2 in window $1.
control_field() {
  window_block "$1" | awk -F'|' -v id="$2" -v f="$3" \
    '$1 == "C" && $2 == id { print $(f + 2); exit }'
}
control_text() { control_field "$1" "$2" 2; }
control_rect() { control_field "$1" "$2" 3; }
control_visible() { control_field "$1" "$2" 4; }
control_checked() { control_field "$1" "$2" 5; }

# A message box's text is its static control with id 0xFFFF.
box_text() {
  window_block "$1" | awk -F'|' \
    '$1 == "C" && $2 == -1 && toupper($3) == "STATIC" && $4 != "" { print $4; exit }'
}

has_window() { window_block "$1" | grep -q '^W|'; }

wait_window() {
  local title=$1 limit=${2:-20} i
  for ((i = 0; i < limit * 4; i++)); do
    has_window "$title" && return 0
    sleep 0.25
  done
  fail "no window \"$title\" within ${limit}s"
}

wait_gone() {
  local title=$1 limit=${2:-20} i
  for ((i = 0; i < limit * 4; i++)); do
    has_window "$title" || return 0
    sleep 0.25
  done
  fail "window \"$title\" still open after ${limit}s"
}

running() {
  timeout 20 wine "$probe" processes 2>/dev/null | tr -d '\r' | grep -qix "$1"
}

wait_process_gone() {
  local name=$1 i
  for ((i = 0; i < 80; i++)); do
    running "$name" || return 0
    sleep 0.25
  done
  fail "$name is still running"
}

# --- the hands -------------------------------------------------------------

click_at() {
  timeout 10 xdotool mousemove "$1" "$2" click 1 || fail "xdotool click"
  sleep 0.3
}

click_control() {
  local rect
  rect=$(control_rect "$1" "$2")
  [ -n "$rect" ] || fail "no control $2 in \"$1\""
  set -- $rect
  click_at $((($1 + $3) / 2)) $((($2 + $4) / 2))
}

keys() { timeout 10 xdotool key --delay 60 "$@" || fail "xdotool key $*"; }

typed() { timeout 20 xdotool type --delay 40 "$1" || fail "xdotool type"; }

# Replaces the text of the focused edit box, as a person selects it all
# and types over it.
type_over() {
  keys End shift+Home
  typed "$1"
}

expect_text() { # what, text, expected part
  case "$2" in
  *"$3"*) ;;
  *) fail "$1 reads \"$2\", expected \"$3\"" ;;
  esac
}

expect_box() { # caption, expected part of its text
  wait_window "$1"
  local text
  text=$(box_text "$1")
  expect_text "box \"$1\"" "$text" "$2"
}

# --- the installer window --------------------------------------------------

begin_x= begin_y= label_x= label_y=

start_installer() { # title, program, arguments...
  local title=$1
  shift
  (cd "$work" && wine explorer /desktop=Default,1024x768 "$@" \
    >>"$work/wine.log" 2>&1 &)
  wait_window "$title" 60
  local point
  point=$(timeout 20 wine "$probe" beginpoint "$title" 2>/dev/null | tr -d '\r')
  [ -n "$point" ] || fail "cannot measure the installer window"
  read -r begin_x begin_y label_x label_y <<<"$point"
  sleep 0.5
}

# The painted title line of the installer window reads $2: at most one in
# fifty of the text's pixels may differ from the text drawn alike (one
# changed digit already differs by more).
expect_title_line() { # window title, text
  local counts
  counts=$(timeout 20 wine "$probe" line "$1" 1 "$2" 2>/dev/null | tr -d '\r')
  set -- "$2" $counts
  [ $# -eq 3 ] && [ "$3" -gt 0 ] && [ $(($2 * 50)) -le "$3" ] ||
    fail "the window's title line does not read \"$1\" ($2 of $3 pixels differ)"
}

# What a screen reader hears of the window, read from outside through
# oleacc: the client's name, the begin button (a push button, role 43)
# and the destination's value.
accessible_field() { # tree, child, field (3 role, 4 name, 5 value)
  awk -F'|' -v c="$2" -v f="$3" '$1 == "A" && $2 == c { print $f; exit }' \
    <<<"$1"
}

expect_accessible() { # window title, begin label, destination
  local tree
  tree=$(timeout 20 wine "$probe" accessible "$1" 2>/dev/null | tr -d '\r')
  [ "$(accessible_field "$tree" 0 4)" = "$1" ] &&
    [ "$(accessible_field "$tree" 5 3)" = 43 ] &&
    [ "$(accessible_field "$tree" 5 4)" = "$2" ] &&
    [ "$(accessible_field "$tree" 4 5)" = "$3" ] ||
    fail "the accessible tree of \"$1\" reads: $(tr '\n' ' ' <<<"$tree")"
}

# Opens the change-destination dialog by clicking the destination and
# types a folder into it; Enter accepts.
change_destination() { # folder
  click_at "$label_x" "$label_y"
  wait_window "Change Destination Folder:"
  type_over "$1"
  keys Return
  wait_gone "Change Destination Folder:"
}

# In the icons dialog, by keys: no desktop shortcut, the programs menu one
# only (the dialog opens on "OK"; the desktop's box is three back).
choose_menu_shortcut() {
  keys shift+Tab shift+Tab shift+Tab space
  [ "$(control_checked "Choose Shortcut Icons" 126)" = 0 ] &&
    [ "$(control_checked "Choose Shortcut Icons" 125)" = 1 ] ||
    fail "the keys did not leave the programs menu shortcut alone ticked"
}

close_orvel() {
  wait_window Orvel 30
  shot "$1"
  local rect
  rect=$(window_block Orvel | awk -F'|' '$1 == "W" { print $4; exit }')
  set -- $rect
  click_at $(($1 + 80)) $(($2 + 10))
  keys alt+F4
  wait_gone Orvel
  wait_process_gone orvel.exe
}

# --- the disk --------------------------------------------------------------

same_file() { # what, expected file, file on disk
  cmp -s "$2" "$3" || fail "$1 differs from $2"
}

resource_300() { wrestool -x --raw --type=10 --name=300 "$1"; }

# Every file and folder of drive c: with its checksum, except the
# destination folder and the temporary folders.
snapshot() {
  local skip=(\( -path ./e2e/apps/Orvel -o -ipath ./windows/temp
    -o -ipath './users/*/temp' -o -ipath './users/*/AppData/Local/Temp' \))
  (
    cd "$drive_c" || exit 1
    find . "${skip[@]}" -prune -o -type d -printf 'dir %p\n'
    find . "${skip[@]}" -prune -o -type f -print0 |
      xargs -0 -r sha1sum | sed 's/^\([0-9a-f]*\)  /\1 /'
  ) | sort
}

# Snapshot lines on stdin without those of the product's shortcuts.
without_shortcuts() {
  awk -v list="$work/shortcuts.txt" '
    BEGIN { while ((getline line < list) > 0) skip[line] = 1 }
    { path = substr($0, index($0, " ") + 1); if (!(path in skip)) print }'
}

shortcut_files() { # the product's shortcuts wherever the script made them
  (cd "$drive_c" && find . -ipath '*desktop/orvel.lnk' -o -ipath '*programs/orvel' \
    -o -ipath '*programs/orvel/*' -o -ipath '*startup/orvel.lnk' | sort)
}

temp_scripts() {
  find "$drive_c" -iname 'ins*.vbs' 2>/dev/null
}

# --- setting up ------------------------------------------------------------

# Copies the installers beside the planted files, and plants them in the
# prefix's temporary folders too. (No version.dll beside the installers:
# Wine's own user32 imports VERSION and would load it from there, which
# Windows, with user32 a known library, does not.)
plant_files() {
  mkdir -p "$planted"
  cp "$build/install.exe" "$build/install-update.exe" "$planted/"
  local folder
  for folder in "$planted" $(find "$drive_c/users" "$drive_c/windows" \
    -maxdepth 4 -type d -iname temp); do
    [ "$folder" = "$planted" ] ||
      cp "$build/tests/planted_library.dll" "$folder/version.dll"
    cp "$build/tests/planted_library.dll" "$folder/lz32.dll"
    cp "$build/tests/planted_program.exe" "$folder/wscript.exe"
  done
}

# A planted file that ran left a mark beside itself.
planted_marks() {
  find "$planted" "$drive_c/users" "$drive_c/windows" -maxdepth 5 \
    -name '*.ran' 2>/dev/null
}

setup() {
  rm -rf "$work" "$shots"
  mkdir -p "$work" "$shots"
  for f in "$probe" "$installers/install.exe" "$installers/install-update.exe"; do
    [ -f "$f" ] || fail "missing $f"
  done
  # The whole run must end well inside CTest's limit of 300 seconds.
  (
    sleep 270 &
    echo $! >"$work/watchdog-sleep.pid"
    wait $!
    kill -TERM $$
  ) &
  watchdog=$!

  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
    >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  exec 3>&-
  local i
  for ((i = 0; i < 40; i++)); do
    [ -s "$work/display" ] && break
    sleep 0.25
  done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=:$(head -n1 "$work/display")
  log "Xvfb on $DISPLAY"

  WINE_RUN_DISPLAY=1 timeout 120 "$source_dir/tools/wine-run.sh" "$prefix" \
    cmd /c exit 0 >/dev/null 2>&1 || fail "cannot make the Wine prefix"
  # One desktop, as a person has: Wine's "Default" desktop is the virtual
  # one, so that its explorer is the desktop's shell that starts Orvel
  # after an installation (a second, hidden desktop would have a shell of
  # its own, and Orvel would open there).
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f \
    >/dev/null 2>&1 &&
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default \
      /d 1024x768 /f >/dev/null 2>&1 || fail "cannot set the virtual desktop"
  timeout 60 wineserver -w
  log "fresh prefix ready"
  [ -n "$planted" ] && plant_files
  mkdir -p "$drive_c/e2e"
  printf 'a file of the person, beside the installation\r\n' \
    >"$drive_c/e2e/keep.txt"
}

# --- the scenarios ---------------------------------------------------------

# The screen rectangle of the open popup menu.
wait_menu() {
  local i rect
  for ((i = 0; i < 80; i++)); do
    rect=$(windows | awk -F'|' '$1 == "W" && $3 == "#32768" { print $4; exit }')
    [ -n "$rect" ] && echo "$rect" && return 0
    sleep 0.25
  done
  fail "no popup menu within 20s"
}

# The title bar takes the click, so that the window has the keyboard.
focus_window() {
  local rect
  rect=$(window_block "$1" | awk -F'|' '$1 == "W" { print $4; exit }')
  set -- $rect
  click_at $(($1 + 80)) $(($2 + 10))
}

keys_in_the_idle_window() {
  start_installer Install "$installer"
  focus_window Install
  keys l
  expect_box "List of Files" "Files Installed with this program:"
  keys Return
  wait_gone "List of Files"
  keys a
  expect_box "About Install" "Orvel Install  Ver. 1.04  (32 bit)"
  keys Return
  wait_gone "About Install"
  keys F1
  wait_window "Information and Details"
  shot help-by-f1
  click_control "Information and Details" 115
  wait_gone "Information and Details"
  # The right-click menu from the keyboard, at the begin icon's centre.
  keys shift+F10
  local menu
  menu=$(wait_menu)
  set -- $menu
  [ "$1" = "$begin_x" ] && [ "$2" -le "$begin_y" ] && [ "$4" -gt "$begin_y" ] ||
    fail "the menu of Shift+F10 stands at $menu, not at $begin_x $begin_y"
  shot menu-by-shift-f10
  keys Escape
  # Its last entry, "About...", from the menu key.
  keys Menu
  wait_menu >/dev/null
  keys Up Return
  expect_box "About Install" "Orvel Install  Ver. 1.04  (32 bit)"
  keys Return
  wait_gone "About Install"
  keys shift+c
  wait_window "Change Destination Folder:"
  keys Escape
  wait_gone "Change Destination Folder:"
  keys x
  wait_gone Install
  wait_process_gone install.exe
  log "scenario: keys passed"
}

refused_destination_then_full_installation() {
  start_installer Install "$installer"
  expect_title_line Install "Orvel Full Installation!"
  expect_accessible Install "Begin Installation" 'c:\Orvel\'
  shot installer-window

  # A destination inside the Windows folder is refused, the dialog stays.
  click_at "$label_x" "$label_y"
  wait_window "Change Destination Folder:"
  shot change-destination
  type_over 'c:\windows\orvel'
  keys Return
  expect_box "Folder Error" "Installation not allowed in Windows Path"
  expect_text "refused path" "$(box_text "Folder Error")" 'c:\windows\orvel\'
  shot refused-destination
  click_control "Folder Error" 1
  wait_gone "Folder Error"
  has_window "Change Destination Folder:" ||
    fail "the change-destination dialog closed after a refused folder"
  expect_text "the destination box" \
    "$(control_text "Change Destination Folder:" 114)" 'c:\windows\orvel'
  shot dialog-still-open
  log "scenario: refused destination passed"

  # The folder browser (the system's Save As dialog, which loads more
  # libraries of its own) opens and is left again.
  click_control "Change Destination Folder:" 121
  wait_window "Choose a Destination FOLDER"
  shot folder-browser
  keys Escape
  wait_gone "Choose a Destination FOLDER"
  click_control "Change Destination Folder:" 114

  # Into a new folder, two levels below an existing one.
  type_over "$destination"
  keys Return
  wait_gone "Change Destination Folder:"
  shot new-destination

  click_at "$begin_x" "$begin_y"
  wait_window "Choose Shortcut Icons"
  [ "$(control_checked "Choose Shortcut Icons" 126)" = 1 ] &&
    [ "$(control_checked "Choose Shortcut Icons" 125)" = 1 ] &&
    [ "$(control_checked "Choose Shortcut Icons" 127)" = 0 ] ||
    fail "the icons dialog does not offer desktop and programs menu"
  # The default choice: Wine's script host stops at the desktop
  # shortcut's hot key, and the installer makes what the script did not.
  shot icons
  click_control "Choose Shortcut Icons" 115
  wait_window "End User License Agreement"
  shot agreement
  click_control "End User License Agreement" 124
  [ "$(control_checked "End User License Agreement" 124)" = 1 ] ||
    fail "\" I Agree\" is not ticked"
  click_control "End User License Agreement" 115
  expect_box "Note:" "Allow this script to run?"
  shot script-note
  click_control "Note:" 6
  expect_box "Install Now?" "Perform the Installation of Orvel Files now?"
  shot install-now
  click_control "Install Now?" 1
  expect_box "COMPLETED!" "Installation Complete!"
  shot completed
  click_control "COMPLETED!" 1
  close_orvel orvel-started
  wait_process_gone install.exe

  same_file "orvel.exe" "$build/product/orvel.exe" "$destination_dir/orvel.exe"
  same_file "orvel.chm" "$build/product/orvel.chm" "$destination_dir/orvel.chm"
  resource_300 "$installer" >"$work/licence-resource.txt"
  same_file "eula.txt" "$work/licence-resource.txt" "$destination_dir/eula.txt"
  same_file "install.exe" "$installer" "$destination_dir/install.exe"
  local listing
  listing=$(cd "$destination_dir" && ls -A | tr '\n' ' ')
  [ "$listing" = "eula.txt install.exe install.rec orvel.chm orvel.exe " ] ||
    fail "the destination holds: $listing"
  # The record the installation keeps of itself: what it installed, sizes.
  grep -q "^orvel.exe	$(stat -c %s "$destination_dir/orvel.exe")"$'\r'"\$" \
    "$destination_dir/install.rec" ||
    fail "the record: $(tr '\r\n' '  ' <"$destination_dir/install.rec")"
  [ -z "$(temp_scripts)" ] || fail "shortcut script left behind: $(temp_scripts)"
  shortcut_files | grep -qi 'programs/orvel/orvel.lnk$' ||
    fail "no programs menu shortcut: $(shortcut_files | tr '\n' ' ')"
  shortcut_files | grep -qi 'desktop/orvel.lnk$' ||
    fail "no desktop shortcut: $(shortcut_files | tr '\n' ' ')"
  log "shortcuts made: $(shortcut_files | tr '\n' ' ')"
  log "scenario: full installation passed"
}

update_installation() {
  # An outdated help file, which the update must replace.
  printf 'outdated help\r\n' >"$destination_dir/orvel.chm"
  local before
  before=$(stat -c %i "$destination_dir/orvel.exe")

  start_installer Install "$update_installer"
  expect_title_line Install "Orvel Update!"
  shot update-window
  # Tab leads from the begin icon to the destination; Enter opens it.
  keys Tab Return
  wait_window "Change Destination Folder:"
  type_over "$destination"
  keys Return
  wait_gone "Change Destination Folder:"
  shot update-destination-focused
  expect_accessible Install "Begin Update" "$destination\\"
  keys Tab Return
  wait_window "Choose Shortcut Icons"
  choose_menu_shortcut
  keys Return
  wait_window "New Changes in this Version"
  local changes="New Changes in this Version"
  [ "$(control_text "$changes" 115)" = OK ] &&
    [ "$(control_visible "$changes" 115)" = 1 ] &&
    [ "$(control_visible "$changes" 116)" = 0 ] &&
    [ "$(control_visible "$changes" 124)" = 0 ] ||
    fail "the changes dialog does not show a single \"OK\""
  # That one "OK" stands in the middle of the dialog's width.
  local frame origin ok
  read -r -a frame <<<"$(window_block "$changes" |
    awk -F'|' '$1 == "W" { print $4; exit }')"
  read -r -a origin <<<"$(window_block "$changes" |
    awk -F'|' '$1 == "W" { print $5; exit }')"
  read -r -a ok <<<"$(control_rect "$changes" 115)"
  [ $((ok[0] - origin[0])) -eq \
    $(((frame[2] - frame[0] - (ok[2] - ok[0])) / 2)) ] ||
    fail "the changes dialog's \"OK\" is not centred: ${ok[*]} in ${frame[*]}"
  [ "$(control_text "$changes" 123)" = "Please Read These Changes" ] ||
    fail "the changes dialog's label is wrong"
  shot changes
  keys Return
  expect_box "Note:" "Allow this script to run?"
  keys Return
  expect_box "Install Now?" "Perform the Installation of Orvel Files now?"
  keys Return
  expect_box "COMPLETED!" "Installation Complete!"
  shot update-completed
  keys Return
  close_orvel orvel-after-update
  wait_process_gone install-update.exe

  resource_300 "$update_installer" >"$work/changes-resource.txt"
  same_file "new.txt" "$work/changes-resource.txt" "$destination_dir/new.txt"
  same_file "orvel.exe" "$build/product/orvel.exe" "$destination_dir/orvel.exe"
  same_file "orvel.chm" "$build/product/orvel.chm" "$destination_dir/orvel.chm"
  [ "$(stat -c %i "$destination_dir/orvel.exe")" != "$before" ] ||
    fail "orvel.exe was not replaced"
  same_file "eula.txt" "$work/licence-resource.txt" "$destination_dir/eula.txt"
  same_file "install.exe" "$update_installer" "$destination_dir/install.exe"
  [ -z "$(temp_scripts)" ] || fail "shortcut script left behind"
  log "scenario: update passed"
}

uninstall() {
  shortcut_files >"$work/shortcuts.txt"
  snapshot | without_shortcuts >"$work/before.txt"

  start_installer UN-Install "$installer" /UN
  expect_title_line UN-Install "Orvel UN-INSTALL!"
  expect_accessible UN-Install "UN-INSTALL !!" 'c:\Orvel\'
  shot uninstall-window
  change_destination "$destination"
  click_at "$begin_x" "$begin_y"
  expect_box "List of Files" "WARNING!!!!!!!"
  expect_text "warning" "$(box_text "List of Files")" "$destination\\"
  shot uninstall-warning
  click_control "List of Files" 1
  expect_box "DESTROY Warning!" "Are you SURE you want to DELETE all"
  shot destroy-warning
  click_control "DESTROY Warning!" 6
  expect_box "COMPLETED!" "Orvel has been removed from this PC!"
  shot removed
  click_control "COMPLETED!" 1
  wait_process_gone install.exe

  [ ! -e "$destination_dir" ] || fail "the destination folder is still there"
  # The emptied program group goes too, also where the script host stops
  # before it.
  [ -z "$(shortcut_files)" ] ||
    fail "shortcuts left: $(shortcut_files | tr '\n' ' ')"
  snapshot | without_shortcuts >"$work/after.txt"
  diff "$work/before.txt" "$work/after.txt" >"$work/outside.diff" ||
    fail "files outside the destination changed: $(head -c 2000 "$work/outside.diff")"
  [ -f "$drive_c/e2e/keep.txt" ] || fail "keep.txt is gone"
  log "scenario: uninstall passed"
}

setup
if [ "$installers" != "$build" ]; then
  log "running the installers in $installers"
else
  keys_in_the_idle_window
fi
refused_destination_then_full_installation
update_installation
if [ "$installers" = "$build" ]; then
  uninstall
  [ -z "$(planted_marks)" ] || fail "planted files ran: $(planted_marks)"
fi
log "all scenarios passed in $(($(date +%s) - started))s"
