#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix.
#   wine-run.sh PREFIX PROGRAM [ARGS...]   run PROGRAM, exit with its code
#   wine-run.sh --kill PREFIX              end every Wine process of PREFIX
# The prefix is made on first use, headless (Wine's null display driver),
# with the Mono and Gecko installers switched off.
set -u

if [ "${1:-}" = "--kill" ]; then
  export WINEPREFIX=$2
  [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
  exit 0
fi

prefix=$1
shift
export WINEPREFIX=$prefix
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# A headless prefix must not reach for an X server that may not be there.
if [ "${WINE_RUN_DISPLAY:-0}" != "1" ]; then
  unset DISPLAY
fi

make_prefix() {
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  if [ "${WINE_RUN_DISPLAY:-0}" != "1" ]; then
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
      >/dev/null 2>&1
  fi
  wineserver -w
  touch "$WINEPREFIX/.ready"
}

if [ ! -f "$prefix/.ready" ]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    [ -f "$prefix/.ready" ] || make_prefix
  ) 9>"$prefix.lock"
fi

exec wine "$@"
