#!/usr/bin/env bash
# Prints the overhead of an installer in bytes: its file size minus its
# data resources 300 (the agreement text) and 900 to 909 (the payload).
#   overhead.sh INSTALL_EXE
set -euo pipefail
exe=$1
data=$(wrestool -l "$exe" | sed -n \
  's/.*--name=\(300\|90[0-9]\) .*size=\([0-9]*\)\].*/\2/p' |
  awk '{s += $1} END {print s + 0}')
[ "$data" -gt 0 ] || { echo "overhead.sh: no payload in $exe" >&2; exit 1; }
echo $(($(stat -c %s "$exe") - data))
