#!/usr/bin/env bash
# Builds the installer and runs every test: the rule files natively under
# the sanitizers with a few seconds of each fuzz target, then the unit and
# UI tests under Wine (headless), the independent format checks and the
# end-to-end runs.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-deps.sh
native/fuzz.sh "${FUZZ_SECONDS:-4}"
cmake --preset mingw >/dev/null
cmake --build --preset mingw
ctest --preset mingw "$@"
