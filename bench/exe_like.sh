#!/usr/bin/env bash
# Writes SIZE bytes of executable-like content: FIRST (when given), then
# Wine's MinGW-built 32-bit DLLs, stripped, largest first, over again
# until SIZE, cut there.
#   exe_like.sh SIZE OUTPUT [FIRST]
set -euo pipefail
size=$1 output=$2 first=${3:-}
parts=$(mktemp -d)
trap 'rm -rf "$parts"' EXIT
total=0
[ -n "$first" ] && total=$(stat -c %s "$first")
for dll in $(ls -S /usr/lib/i386-linux-gnu/wine/i386-windows/*.dll); do
  [ $total -ge $size ] && break
  i686-w64-mingw32-strip -o "$parts/$(basename "$dll")" "$dll"
  total=$((total + $(stat -c %s "$parts/$(basename "$dll")")))
done
# "head" ends the pipe, and with it the repetition, early; the size is
# checked below.
{
  [ -z "$first" ] || cat "$first"
  while cat $(ls -S "$parts"/*.dll); do :; done
} | head -c "$size" > "$output" || true
if [ "$(stat -c %s "$output")" -ne "$size" ]; then
  echo "exe_like.sh: no DLLs to fill $size bytes with" >&2
  exit 1
fi
