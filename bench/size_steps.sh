#!/usr/bin/env bash
# Builds install.exe with and without each size measure and prints its
# overhead (file size minus payload and agreement resources) per build:
#   size_steps.sh WORKDIR   prints "size <build> <bytes>" lines
# Each build lives in WORKDIR/<build>; only the installer target is built.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
work=$1
mkdir -p "$work"

o2=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG"
  "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG")
os=(-DCMAKE_BUILD_TYPE=MinSizeRel)

build() {
  local name=$1 gc=$2 noexc=$3 nounwind=$4 strip=$5
  shift 5
  local dir=$work/$name
  cmake -S "$src" -B "$dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
    -DORVEL_BUILD_TESTS=OFF -DORVEL_BUILD_UPDATE=OFF \
    -DORVEL_WINE_PREFIX="$work/wineprefix" \
    -DORVEL_SECTION_GC=$gc -DORVEL_NO_EXCEPTIONS=$noexc \
    -DORVEL_NO_UNWIND_TABLES=$nounwind -DORVEL_STRIP=$strip "$@" >/dev/null
  cmake --build "$dir" --target installer -j2 >/dev/null
  echo "size $name $("$src/bench/overhead.sh" "$dir/install.exe")"
}

# One step after another, in the order they were taken...
build none OFF OFF OFF OFF "${o2[@]}"
build os OFF OFF OFF OFF "${os[@]}"
build os-gc ON OFF OFF OFF "${os[@]}"
build os-gc-noexc ON ON OFF OFF "${os[@]}"
build os-gc-noexc-nounwind ON ON ON OFF "${os[@]}"
build all ON ON ON ON "${os[@]}"
# ...and each one left out of the shipped build.
build all-but-os ON ON ON ON "${o2[@]}"
build all-but-gc OFF ON ON ON "${os[@]}"
build all-but-noexc ON OFF ON ON "${os[@]}"
build all-but-nounwind ON ON OFF ON "${os[@]}"
build all-but-strip ON ON ON OFF "${os[@]}"
# What -fdata-sections, left out on purpose, would cost.
build all-plus-data-sections ON ON ON ON "${os[@]}" \
  -DCMAKE_CXX_FLAGS=-fdata-sections -DCMAKE_C_FLAGS=-fdata-sections

# No product source uses iostreams; this counts the ones that would.
echo "iostream-sources $(grep -rlE '#include <(iostream|[io]?fstream|sstream)>' \
  "$src"/shell "$src"/engine "$src"/shortcuts "$src"/dialogs | wc -l)"
"$src/tools/wine-run.sh" --kill "$work/wineprefix"
