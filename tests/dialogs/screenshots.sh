#!/usr/bin/env bash
# Screenshots of every dialog on a virtual X display, for a person to look
# at: tests/dialogs/screenshots.sh [DISPLAY_NUMBER]. The pictures land in
# BUILD/shots/, BUILD being the build this host runs (build/, or
# build/x86_64/ where it runs 64-bit code only; ORVEL_ARCH forces either).
# Needs its dialogs_test.exe, Xvfb and ImageMagick.
set -u
cd "$(dirname "$0")/../.."
read -r arch _ < <(tools/host-arch.sh) || exit 1
if [ "$arch" = x86_64 ]; then
  build=build/x86_64
  export WINE_RUN_ARCH=win64
else
  build=build
  export WINE_RUN_ARCH=win32
fi
number=${1:-47}
export DISPLAY=:$number
Xvfb "$DISPLAY" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 2
prefix=$PWD/$build/wineprefix-x
shots=$prefix/drive_c/orvel-tests/shots
mkdir -p $build/shots
WINE_RUN_DISPLAY=1 tools/wine-run.sh "$prefix" cmd /c exit 0 >/dev/null 2>&1
rm -rf "$shots"
WINE_RUN_DISPLAY=1 timeout 300 tools/wine-run.sh "$prefix" \
  explorer /desktop=shots,1024x768 $build/tests/dialogs_test.exe \
  --gtest_also_run_disabled_tests --gtest_filter='*Screenshots*' \
  >$build/shots/run.log 2>&1 &
run=$!
for name in agree changes icons changeit browser help1 help4 help8 about; do
  for _ in $(seq 1 600); do
    [ -e "$shots/ready-$name" ] && break
    sleep 0.2
  done
  sleep 1
  import -window root "$build/shots/$name.png"
  touch "$shots/done-$name"
done
wait $run
tools/wine-run.sh --kill "$prefix"
