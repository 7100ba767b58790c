#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix.
#   wine-run.sh PREFIX PROGRAM [ARGS...]   run PROGRAM, exit with its code
#   wine-run.sh --kill PREFIX              end every Wine process of PREFIX
#   wine-run.sh --wait PREFIX              wait until they have all ended
#   wine-run.sh --env PREFIX               print the shell assignments that
#                                          point wine and wineserver at PREFIX
#                                          (for a 64-bit prefix, the
#                                          launchers of tools/wine64 first
#                                          on PATH, so that every program
#                                          that starts wine by name reaches
#                                          the 64-bit loader)
# A prefix is 32-bit (win32, Debian's wine32) or 64-bit (win64, wine64).
# WINE_RUN_ARCH chooses when the prefix is made; afterwards the prefix
# keeps the architecture it was made with. The prefix is made on first
# use, headless (Wine's null display driver), with the Mono and Gecko
# installers switched off.
set -u

mode=run
case "${1:-}" in
--kill | --wait | --env)
  mode=${1#--}
  shift
  ;;
esac

prefix=$1
shift
export WINEPREFIX=$prefix
export WINEDEBUG=-all
# winemenubuilder: Wine starts it for every shortcut saved, to copy it
# into the Linux desktop menus; it outlives the tests that make shortcuts.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

arch=${WINE_RUN_ARCH:-}
made=
if [ -f "$prefix/.arch" ]; then
  made=$(cat "$prefix/.arch")
elif [ -f "$prefix/.ready" ]; then
  made=win32 # made before prefixes recorded their architecture
fi
if [ -n "$made" ]; then
  if [ -n "$arch" ] && [ "$arch" != "$made" ]; then
    echo "wine-run.sh: $prefix is a $made prefix, not $arch" >&2
    exit 2
  fi
  arch=$made
fi
arch=${arch:-win32}
export WINEARCH=$arch
launchers=$(cd "$(dirname "$0")/wine64" && pwd)
path=:$PATH:
while [ "$path" != "${path/:$launchers:/:}" ]; do
  path=${path/:$launchers:/:}
done
path=${path#:}
path=${path%:}
if [ "$arch" = win64 ]; then
  path=$launchers${path:+:$path}
  wine=/usr/lib/wine/wine64
  export WINELOADER=$wine
  export WINESERVER=/usr/lib/wine/wineserver64
  wineserver=$WINESERVER
else
  wine=wine
  wineserver=wineserver
  unset WINELOADER WINESERVER
fi
export PATH=$path

case $mode in
kill | wait)
  [ -d "$WINEPREFIX" ] && "$wineserver" "-${mode:0:1}" 2>/dev/null
  exit 0
  ;;
env)
  printf 'export WINEPREFIX=%q WINEARCH=%q WINEDEBUG=-all\n' "$prefix" "$arch"
  printf 'export WINEDLLOVERRIDES=%q\n' "$WINEDLLOVERRIDES"
  if [ "$arch" = win64 ]; then
    printf 'export WINELOADER=%q WINESERVER=%q\n' "$WINELOADER" "$WINESERVER"
  else
    printf 'unset WINELOADER WINESERVER\n'
  fi
  printf 'export PATH=%q\n' "$PATH"
  exit 0
  ;;
esac

# A headless prefix must not reach for an X server that may not be there.
if [ "${WINE_RUN_DISPLAY:-0}" != "1" ]; then
  unset DISPLAY
fi

make_prefix() {
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot -i >/dev/null 2>&1
  if [ "${WINE_RUN_DISPLAY:-0}" != "1" ]; then
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
      >/dev/null 2>&1
  fi
  "$wineserver" -w
  own_user_folders
  echo "$arch" >"$WINEPREFIX/.arch"
  touch "$WINEPREFIX/.ready"
}

# Wine links a new prefix's Desktop, Documents, Downloads and the like to
# the Linux home folder: a shortcut made on the test user's desktop would
# land in the home folder of whoever runs the tests. The prefix gets real
# folders of its own instead; Wine replaces only links, never folders.
own_user_folders() {
  local folder
  for folder in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$folder" ]; then
      rm -f "$folder" && mkdir "$folder"
    fi
  done
  touch "$WINEPREFIX/.own-folders"
}

if [ ! -f "$prefix/.ready" ] || [ ! -f "$prefix/.own-folders" ]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ ! -f "$prefix/.ready" ]; then
      make_prefix
    elif [ ! -f "$prefix/.own-folders" ]; then
      own_user_folders # a prefix made before its folders were its own
    fi
  ) 9>"$prefix.lock"
fi

# The program writes to a file of its own, shown as it grows, rather than
# to what this script was given: under Wine, a program that a killed
# process was starting can stay half made, outside every job and unseen by
# the process list, holding whatever output it inherited open, and CTest
# would wait on that for ever.
output=$(mktemp)
"$wine" "$@" >"$output" 2>&1 </dev/null &
program=$!
tail -n +1 -f --pid=$program "$output" &
shown=$!
wait $program
code=$?
wait $shown
rm -f "$output"
exit $code
