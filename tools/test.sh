#!/usr/bin/env bash
# Builds the installer and runs every test: the rule files natively under
# the sanitizers with a few seconds of each fuzz target, then the unit and
# UI tests under Wine (headless), the independent format checks and the
# end-to-end runs.
#
# Both Windows builds are made on every host: the 32-bit one that ships
# (build/) and the x86-64 one of the same sources (build/x86_64/). The
# tests run in the one this host can run (tools/host-arch.sh says which;
# ORVEL_ARCH=i686 or x86_64 forces it). Where that is the x86-64 build, the
# 32-bit installer's checks that run no Windows code (its size guard, its
# resource table) still run on it.
set -euo pipefail
cd "$(dirname "$0")/.."
read -r arch why < <(tools/host-arch.sh) || exit 1
[ -n "${arch:-}" ] || exit 1
if [ "$arch" = i686 ]; then
  echo "Testing the 32-bit build (build/) under the 32-bit Wine: $why."
else
  echo "Testing the x86-64 build (build/x86_64/) under wine64: $why."
  echo "The 32-bit install.exe is still built, and checked without running it."
fi
tools/setup-deps.sh
native/fuzz.sh "${FUZZ_SECONDS:-4}"
cmake --preset mingw >/dev/null
cmake --build --preset mingw
cmake --preset mingw-x86_64 >/dev/null
cmake --build --preset mingw-x86_64
if [ "$arch" = i686 ]; then
  ctest --preset mingw "$@"
else
  ctest --preset mingw -L no_wine "$@"
  ctest --preset mingw-x86_64 "$@"
fi
