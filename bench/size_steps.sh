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

# The size measures, in the order they were taken; each is an ORVEL_
# option of cmake/orvel.cmake.
measures=(SECTION_GC NO_EXCEPTIONS NO_UNWIND_TABLES STRIP OWN_ENTRY
  LEAN_FRAMES OZ LTO)

# build NAME ON_COUNT OFF_MEASURE [cmake arguments...]: the first ON_COUNT
# measures on, the rest off, and OFF_MEASURE off as well ("-": none).
build() {
  local name=$1 on=$2 off=$3
  shift 3
  local dir=$work/$name flags=() i
  for i in "${!measures[@]}"; do
    local value=OFF
    [ "$i" -lt "$on" ] && [ "${measures[$i]}" != "$off" ] && value=ON
    flags+=("-DORVEL_${measures[$i]}=$value")
  done
  cmake -S "$src" -B "$dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
    -DORVEL_BUILD_TESTS=OFF -DORVEL_BUILD_UPDATE=OFF \
    -DORVEL_WINE_PREFIX="$work/wineprefix" "${flags[@]}" "$@" >/dev/null
  cmake --build "$dir" --target installer -j2 >/dev/null
  echo "size $name $("$src/bench/overhead.sh" "$dir/install.exe")"
}

all=${#measures[@]}
# One step after another, in the order they were taken...
build none 0 - "${o2[@]}"
build os 0 - "${os[@]}"
build os-gc 1 - "${os[@]}"
build os-gc-noexc 2 - "${os[@]}"
build os-gc-noexc-nounwind 3 - "${os[@]}"
build stripped 4 - "${os[@]}"
build own-entry 5 - "${os[@]}"
build lean-frames 6 - "${os[@]}"
build oz 7 - "${os[@]}"
build all "$all" - "${os[@]}"
# ...and each one left out of the shipped build.
build all-but-os "$all" OZ "${o2[@]}"
build all-but-gc "$all" SECTION_GC "${os[@]}"
build all-but-noexc "$all" NO_EXCEPTIONS "${os[@]}"
build all-but-nounwind "$all" NO_UNWIND_TABLES "${os[@]}"
build all-but-strip "$all" STRIP "${os[@]}"
build all-but-own-entry "$all" OWN_ENTRY "${os[@]}"
build all-but-lean-frames "$all" LEAN_FRAMES "${os[@]}"
build all-but-oz "$all" OZ "${os[@]}"
build all-but-lto "$all" LTO "${os[@]}"
# What -fdata-sections, left out on purpose, would cost.
build all-plus-data-sections "$all" - "${os[@]}" \
  -DCMAKE_CXX_FLAGS=-fdata-sections -DCMAKE_C_FLAGS=-fdata-sections

# No product source uses iostreams; this counts the ones that would.
echo "iostream-sources $(grep -rlE '#include <(iostream|[io]?fstream|sstream)>' \
  "$src"/shell "$src"/engine "$src"/shortcuts "$src"/dialogs | wc -l)"
"$src/tools/wine-run.sh" --kill "$work/wineprefix"
