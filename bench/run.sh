#!/usr/bin/env bash
# Benchmarks of install.exe next to NSIS and mscompress, all measured in
# this one run on this machine. Prints the table and writes it, with every
# raw run, to build/bench/results.txt.
#   bench/run.sh [RUNS]   RUNS per figure (default 5); figures are medians
# Sizes are always those of the shipped 32-bit install.exe; the times under
# Wine are taken with the build this host runs (tools/host-arch.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
src=$PWD
runs=${1:-5}
read -r arch why < <(tools/host-arch.sh) || exit 1
[ -n "${arch:-}" ] || exit 1
if [ "$arch" = i686 ]; then
  preset=mingw build=$src/build
  export WINE_RUN_ARCH=win32
else
  preset=mingw-x86_64 build=$src/build/x86_64
  export WINE_RUN_ARCH=win64
fi
echo "Times under Wine with the $arch build: $why." >&2
out=$src/build/bench
raw=$out/raw.txt
prefix=$out/wineprefix-$arch
bench_exe=$build/bench/orvel_bench.exe

# What the bench needs beyond the build: command and Debian package.
need_packages() {
  local missing=() pair
  for pair in makensis:nsis mscompress:mscompress msexpand:mscompress \
    wrestool:icoutils c++:g++; do
    command -v "${pair%%:*}" >/dev/null || missing+=("${pair#*:}")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Run as root:" >&2
    echo "  apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

log() { echo ">> $*" >&2; }
win() { tools/wine-run.sh "$prefix" "$@"; }
# Wine shows the Linux file system as drive Z:.
winpath() { echo "Z:${1//\//\\}"; }
now_ns() { date +%s%N; }
# Appends "<what...> <value>" for every "<key> <ms>" line of a bench run.
record() { tr -d '\r' | awk -v w="$*" '{print w, $2}' >> "$raw"; }
# The same, keeping the key: "<what...> <key> <value>".
record_keyed() { tr -d '\r' | awk -v w="$*" '{print w, $1, $2}' >> "$raw"; }
# Times one run of a Linux command; appends "<what...> <ms>".
time_native() {
  local what=$1 t0 t1
  shift
  t0=$(now_ns)
  "$@" >/dev/null
  t1=$(now_ns)
  echo "$what $(((t1 - t0) / 1000))" |
    awk '{$NF = $NF / 1000; print}' >> "$raw"
}
# makensis OUTPUT [defines]; prints the compressed bytes of its files.
nsis() {
  local output=$1
  shift
  makensis -NOCD "-DOUTFILE=$output" "$@" "$src/bench/orvel.nsi" \
    > "$output.log"
  sed -n 's/^Install data: *\([0-9]*\) \/.*/\1/p' "$output.log"
}

tools/setup-deps.sh
need_packages
log "building"
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target installer orvel >/dev/null
cmake --preset $preset >/dev/null
cmake --build --preset $preset --target installer orvel orvel_bench \
  bench_big_payload bench_huge_payload >/dev/null
mkdir -p "$out"
: > "$raw"
echo "arch sizes i686" >> "$raw"
echo "arch wine $arch" >> "$raw"
program=$build/product/orvel.exe
program32=$src/build/product/orvel.exe
help=$build/product/orvel.chm
# The larger products, each with its payload module: the 32 MB ("big")
# and the 256 MB ("huge") program with the demo help file.
product_program() { echo "$build/bench/$1/orvel.exe"; }
product_payload() { echo "$build/bench/$1/bench_$1_payload.dll"; }
trap 'tools/wine-run.sh --kill "$prefix"' EXIT
win cmd /c exit 0
mkdir -p "$prefix/drive_c/bench"

log "1. installer overhead"
"$src/bench/size_steps.sh" "$out/size" >> "$raw"
mkdir -p "$out/nsis"
# NSIS carries the same files as the 32-bit install.exe.
nsis_data=$(nsis "$out/nsis/nsis-size.exe" "-DPROGRAM=$program32" \
  "-DHELP=$src/build/product/orvel.chm")
echo "overhead ours $("$src/bench/overhead.sh" "$src/build/install.exe")" >> "$raw"
echo "overhead nsis $(($(stat -c %s "$out/nsis/nsis-size.exe") - nsis_data))" \
  >> "$raw"
echo "total ours $(stat -c %s "$src/build/install.exe")" >> "$raw"
echo "total nsis $(stat -c %s "$out/nsis/nsis-size.exe")" >> "$raw"

log "2. packing"
corpus=$out/corpus
"$src/bench/corpus.sh" "$corpus" "$program32" "$src/build/product/orvel.chm"
# Natively, as mscompress is. (GCC 12 warns falsely about the copy of an
# input that may be empty; the log keeps it.)
c++ -O2 -std=c++20 -I"$src" -o "$out/szdd_pack" \
  "$src/tools/szdd/szdd_main.cpp" "$src/tools/szdd/szdd_pack.cpp" \
  2> "$out/szdd_pack.log" || { cat "$out/szdd_pack.log" >&2; exit 1; }
rm -rf "$out/packed" && mkdir -p "$out/packed/ours" "$out/packed/ms"
packed=()
for f in orvel.exe orvel.chm text.txt binary.dll random.bin; do
  name=${f%?}_
  # The runs of both packers take turns, so that a change in the load of
  # the machine falls on both alike.
  for i in $(seq 1 "$runs"); do
    time_native "pack $f ours" "$out/szdd_pack" "$corpus/$f" \
      "$out/packed/ours/$name"
    # mscompress keeps an older output rather than replacing it.
    rm -f "$out/packed/ms/${f}_"
    cp "$corpus/$f" "$out/packed/ms/$f"
    time_native "pack $f mscompress" mscompress "$out/packed/ms/$f"
    rm "$out/packed/ms/$f"
  done
  msexpand < "$out/packed/ours/$name" | cmp -s - "$corpus/$f" ||
    { echo "msexpand does not give back $f" >&2; exit 1; }
  echo "packed $f size $(stat -c %s "$corpus/$f")" >> "$raw"
  echo "packed $f ours $(stat -c %s "$out/packed/ours/$name")" >> "$raw"
  echo "packed $f mscompress $(stat -c %s "$out/packed/ms/${f}_")" >> "$raw"
  packed+=("$(winpath "$out/packed/ours/$name")")
done
win "$bench_exe" expand "$runs" 'c:\bench\expand\' "${packed[@]}" |
  tr -d '\r' | while read -r name ms; do
  echo "expand $name lz32 $ms"
done >> "$raw"

log "3. installing"
# The timed NSIS installers are built for the same architecture as ours.
nsis_arch=()
[ "$arch" = x86_64 ] && nsis_arch=(-DAMD64)
nsis "$out/nsis/nsis-demo.exe" "${nsis_arch[@]}" "-DPROGRAM=$program" \
  "-DHELP=$help" >/dev/null
for product in big huge; do
  nsis "$out/nsis/nsis-$product.exe" "${nsis_arch[@]}" \
    "-DPROGRAM=$(product_program $product)" "-DHELP=$help" >/dev/null
done
nsis "$out/nsis/nsis-empty.exe" "${nsis_arch[@]}" -DEMPTY >/dev/null
for product in demo big huge; do
  expected=$program payload=()
  if [ $product != demo ]; then
    expected=$(product_program $product)
    payload=("$(winpath "$(product_payload $product)")")
  fi
  nsis_line="$(winpath "$out/nsis/nsis-$product.exe") /S /D=c:\\bench\\nsis-$product"
  empty_line="$(winpath "$out/nsis/nsis-empty.exe") /S /D=c:\\bench\\nsis-empty"
  # One run of each in turn, each in a process of its own.
  for i in $(seq 1 "$runs"); do
    win "$bench_exe" install 1 "c:\\bench\\ours-$product\\" "${payload[@]}" |
      record install $product ours
    # The same run again, each step timed on its own.
    win "$bench_exe" steps 1 "c:\\bench\\ours-$product\\" "${payload[@]}" |
      record_keyed step $product
    win "$bench_exe" process 1 "c:\\bench\\nsis-$product\\" "$nsis_line" |
      record install $product nsis
    win "$bench_exe" process 1 'c:\bench\nsis-empty\' "$empty_line" |
      record install $product nsis-empty
    win "$bench_exe" copy 1 "c:\\bench\\copy-$product\\" \
      "$(winpath "$expected")" "$(winpath "$help")" |
      record install $product copy
  done
  # Every way left the same program in place.
  for who in ours nsis copy; do
    cmp -s "$expected" "$prefix/drive_c/bench/$who-$product/orvel.exe" ||
      { echo "$who did not install orvel.exe ($product)" >&2; exit 1; }
  done
done

log "4. searching"
"$src/bench/tree.sh" "$out/tree"
ln -sfn "$out/tree" "$prefix/dosdevices/r:"
: > "$out/search.log"
# The peer that runs where we run: Wine's own cmd searching the same tree,
# timed as a process (its start-up alone as "cmd 0").
dir_line='C:\windows\system32\cmd.exe /c dir /s /b r:\orvel.exe > nul'
cmd0_line='C:\windows\system32\cmd.exe /c exit 0'
# Ours, cmd and find take turns, as above.
for i in $(seq 1 "$runs"); do
  win "$bench_exe" search 1 'r:\' 2>> "$out/search.log" |
    record search tree ours
  win "$bench_exe" process 1 'c:\bench\cmd\' "$dir_line" |
    record search tree cmd
  win "$bench_exe" process 1 'c:\bench\cmd\' "$cmd0_line" |
    record search tree cmd-empty
  time_native "search tree find" find "$out/tree" -iname orvel.exe
done

log "5. removing"
# The same tree as an installation (with its program) removed by
# install.exe /UN /S, and by Wine's own cmd /c rd /s /q; each run gets a
# fresh copy, made before the clock starts.
removal_copy() {
  rm -rf "$prefix/drive_c/bench/rm-$1"
  cp -r "$out/tree" "$prefix/drive_c/bench/rm-$1"
  cp "$program" "$prefix/drive_c/bench/rm-$1/orvel.exe"
}
ours_line="$(winpath "$build/install.exe") /UN /S /D=c:\\bench\\rm-ours"
rd_line='C:\windows\system32\cmd.exe /c rd /s /q c:\bench\rm-cmd'
for i in $(seq 1 "$runs"); do
  removal_copy ours
  win "$bench_exe" process 1 'c:\bench\rm-scratch\' "$ours_line" |
    record remove tree ours
  removal_copy cmd
  win "$bench_exe" process 1 'c:\bench\rm-scratch\' "$rd_line" |
    record remove tree cmd
done
for who in ours cmd; do
  [ ! -e "$prefix/drive_c/bench/rm-$who" ] ||
    { echo "$who did not remove the tree" >&2; exit 1; }
done

"$src/bench/table.sh" "$raw" "$runs" | tee "$out/results.txt"
{
  echo
  echo "Raw runs (milliseconds for times, bytes for sizes):"
  cat "$raw"
} >> "$out/results.txt"
echo "Written to $out/results.txt"
