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

# "head" ends the pipe below early; the sizes are checked at the end.
if [ ! -s "$folder/text.txt" ]; then
  find /usr/share/mingw-w64/include -name '*.h' -type f | LC_ALL=C sort |
    xargs cat 2>/dev/null | head -c $size > "$folder/text.txt" || true
fi

if [ ! -s "$folder/binary.dll" ]; then
  "$(dirname "$0")/exe_like.sh" $size "$folder/binary.dll"
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
