#!/usr/bin/env bash
# Writes the search tree: 1,000 folders (10 at the top, 99 inside each),
# each holding 10 small files, 10,000 files in all; one of them is the
# program file ORVEL.EXE, for the search to find.
#   tree.sh FOLDER
set -euo pipefail
root=$1
[ -f "$root.complete" ] && exit 0
rm -rf "$root" "$root.complete"
for top in $(seq -w 0 9); do
  for sub in "" $(seq -w 1 99 | sed 's/^/\/s/'); do
    dir="$root/t$top$sub"
    mkdir -p "$dir"
    for f in $(seq 0 9); do
      echo "$dir $f" > "$dir/file$f.dat"
    done
  done
done
mv "$root/t5/s42/file7.dat" "$root/t5/s42/ORVEL.EXE"
touch "$root.complete"
