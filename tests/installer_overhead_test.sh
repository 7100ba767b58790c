#!/usr/bin/env bash
# install.exe must cost no more than an NSIS installer of the same two
# product files: its size without payload and agreement text stays at or
# below the 91,901 bytes that Debian's NSIS 3.08 (zlib) adds to them, as
# bench/run.sh measures it.
#   installer_overhead_test.sh OVERHEAD_SCRIPT INSTALL_EXE
set -euo pipefail
nsis_overhead=91901
overhead=$("$1" "$2")
echo "install.exe overhead: $overhead bytes (NSIS: $nsis_overhead)"
if [ "$overhead" -gt $nsis_overhead ]; then
  echo "FAIL: install.exe carries more overhead than an NSIS installer"
  exit 1
fi
