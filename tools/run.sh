#!/usr/bin/env bash
# Builds the installer and opens it under Wine: on your display when there
# is one, otherwise on a virtual screen (Xvfb), of which a screenshot is
# saved and its path printed. It opens the build this host can run: the
# 32-bit install.exe, or on a host that runs 64-bit code only the x86-64
# build of the same sources (tools/host-arch.sh; ORVEL_ARCH forces either).
set -euo pipefail
cd "$(dirname "$0")/.."
read -r arch why < <(tools/host-arch.sh) || exit 1
[ -n "${arch:-}" ] || exit 1
if [ "$arch" = i686 ]; then
  preset=mingw build=$PWD/build
  export WINE_RUN_ARCH=win32
  echo "Opening the 32-bit install.exe under the 32-bit Wine: $why."
else
  preset=mingw-x86_64 build=$PWD/build/x86_64
  export WINE_RUN_ARCH=win64
  echo "Opening the x86-64 build of install.exe under wine64: $why."
fi
tools/setup-deps.sh
cmake --preset $preset >/dev/null
cmake --build --preset $preset --target installer
prefix=$build/wineprefix-run
export WINE_RUN_DISPLAY=1

if [ -n "${DISPLAY:-}" ]; then
  exec tools/wine-run.sh "$prefix" "$build/install.exe" "$@"
fi

exec 3>"$build/run-display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
exec 3>&-
trap 'tools/wine-run.sh --kill "$prefix"; kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 1 40); do
  [ -s "$build/run-display" ] && break
  sleep 0.25
done
export DISPLAY=:$(head -n1 "$build/run-display")
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
