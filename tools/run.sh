#!/usr/bin/env bash
# Builds the installer and opens it under Wine: on your display when there
# is one, otherwise on a virtual screen (Xvfb), of which a screenshot is
# saved and its path printed.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw
build=$PWD/build
prefix=$build/wineprefix-run
export WINE_RUN_DISPLAY=1

if [ -n "${DISPLAY:-}" ]; then
  exec tools/wine-run.sh "$prefix" "$build/install.exe" "$@"
fi

display=:77
Xvfb $display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
tools/wine-run.sh "$prefix" "$build/install.exe" "$@" &
for _ in $(seq 1 60); do
  sleep 1
  if xdotool search --name '^(Install|UN-Install)$' >/dev/null 2>&1; then
    break
  fi
done
sleep 2
shot=$build/screenshots/installer.png
mkdir -p "$(dirname "$shot")"
import -window root "$shot"
echo "No display: the installer ran on Xvfb. Screenshot: $shot"
