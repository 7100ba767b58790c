#!/usr/bin/env bash
# Builds the installer and runs every test: unit and UI tests under Wine
# (headless), the independent format checks and the end-to-end runs.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw
ctest --preset mingw "$@"
