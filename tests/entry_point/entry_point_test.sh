#!/usr/bin/env bash
# The entry point hands WinMain what MinGW's start-up code would: the
# command line after the quoted program name, the module, constructed
# globals, the x87 unit at full precision; and WinMain's result becomes the
# exit code after atexit functions and destructors ran and output was
# flushed.
#   entry_point_test.sh WINE_RUN PREFIX PROBE_EXE
set -uo pipefail
run=$1 prefix=$2 probe=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A folder name with a blank, so the program name must be quoted.
mkdir "$work/with blank"
cp "$probe" "$work/with blank/probe.exe"
printf '"Z:%s"   /UN  "a b"\r\n' "${work//\//\\}\\with blank\\probe.exe" \
  > "$work/start.bat"
out=$("$run" "$prefix" cmd /c "Z:${work//\//\\}\\start.bat" | tr -d '\r')
code=$?
failed=0
expect() {
  if ! grep -qxF -- "$1" <<<"$out"; then
    echo "FAIL: no line '$1' in:"; echo "$out"; failed=1
  fi
}
expect 'tail=[/UN  "a b"]'
expect 'constructed=1'
expect 'own module=1'
expect 'previous=0'
expect 'x87 control=37f'
# Registered last, run first.
if [ "$(grep -x 'atexit ran\|destructor ran' <<<"$out" | tr '\n' ,)" != \
  "atexit ran,destructor ran," ]; then
  echo "FAIL: atexit function and destructor did not both run, in order:"
  echo "$out"; failed=1
fi
if [ $code -ne 42 ]; then
  echo "FAIL: exit code $code, not WinMain's 42"; failed=1
fi
exit $failed
