#!/usr/bin/env bash
# Writes the packing corpus into a folder:
#   corpus.sh FOLDER PROGRAM HELP
# orvel.exe and orvel.chm (the two product files), text.txt (10 MiB of
# the MinGW-w64 C headers), binary.dll (10 MiB of Wine's MinGW-built
# 32-bit DLLs, stripped) and random.bin (10 MiB of random bytes).
set -euo pipefail
folder=$1 program=$2 help=$3
size=$((10 * 1024 * 1024))
mkdir -p "$folder"
cp "$program" "$folder/orvel.exe"
cp "$help" "$folder/orvel.chm"

# "head" ends the pipes below early; the sizes are checked at the end.
if [ ! -s "$folder/text.txt" ]; then
  find /usr/share/mingw-w64/include -name '*.h' -type f | LC_ALL=C sort |
    xargs cat 2>/dev/null | head -c $size > "$folder/text.txt" || true
fi

if [ ! -s "$folder/binary.dll" ]; then
  parts=$folder/dlls
  mkdir -p "$parts"
  # The largest DLLs first, until there are 10 MiB of code and data.
  total=0
  for dll in $(ls -S /usr/lib/i386-linux-gnu/wine/i386-windows/*.dll); do
    i686-w64-mingw32-strip -o "$parts/$(basename "$dll")" "$dll"
    total=$((total + $(stat -c %s "$parts/$(basename "$dll")")))
    [ $total -ge $size ] && break
  done
  cat $(ls -S "$parts"/*.dll) | head -c $size > "$folder/binary.dll" || true
  rm -rf "$parts"
fi

if [ ! -s "$folder/random.bin" ]; then
  head -c $size /dev/urandom > "$folder/random.bin"
fi
for f in text.txt binary.dll random.bin; do
  if [ "$(stat -c %s "$folder/$f")" -ne $size ]; then
    echo "corpus.sh: $f is not 10 MiB (missing sources?)" >&2
    exit 1
  fi
done
