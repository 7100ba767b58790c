#!/usr/bin/env bash
# A short name fits and the program returns 0 with its output; a long one
# overruns the buffer, and the process ends with STATUS_STACK_BUFFER_OVERRUN
# (0xC0000409, -1073740791 as cmd shows it) before the function that
# overran returns, so it never prints what it copied.
#   stack_overrun_test.sh WINE_RUN PREFIX PROBE_EXE
set -uo pipefail
run=$1 prefix=$2 probe=$3
# A program that crashes instead would wait for Wine's debugger; without
# it, it ends with the fault's code, and the test fails at once.
export WINEDLLOVERRIDES=winedbg.exe=d
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$probe" "$work/probe.exe"
exe="Z:${work//\//\\}\\probe.exe"
long=$(printf 'A%.0s' {1..64})
printf '@"%s" short\r\n@echo short=%%errorlevel%%\r\n' "$exe" >"$work/run.bat"
printf '@"%s" %s\r\n@echo long=%%errorlevel%%\r\n' "$exe" "$long" \
  >>"$work/run.bat"
out=$("$run" "$prefix" cmd /c "Z:${work//\//\\}\\run.bat" 2>&1 | tr -d '\r')
expected=$'copied 5\nshort=0\nlong=-1073740791'
if [ "$out" != "$expected" ]; then
  echo "FAIL: expected:"; echo "$expected"; echo "got:"; echo "$out"
  exit 1
fi
