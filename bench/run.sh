#!/usr/bin/env bash
# Benchmarks of install.exe next to NSIS and mscompress, all measured in
# this one run on this machine. Prints the table and writes it, with every
# raw run, to build/bench/results.txt.
#   bench/run.sh [RUNS]   RUNS per figure (default 5); figures are medians
set -euo pipefail
cd "$(dirname "$0")/.."
src=$PWD
runs=${1:-5}
out=$src/build/bench
raw=$out/raw.txt
prefix=$out/wineprefix
bench_exe=$out/orvel_bench.exe

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
# Times a Linux command RUNS times; "<what...> <ms>" per run.
time_native() {
  local what=$1 i t0 t1
  shift
  for i in $(seq 1 "$runs"); do
    t0=$(now_ns)
    "$@" >/dev/null
    t1=$(now_ns)
    echo "$what $(((t1 - t0) / 1000)) " | awk '{print $1, $2, $3, $4 / 1000}'
  done >> "$raw"
}
# Size minus the data resources 300 (agreement) and 900-909 (payload).
overhead() {
  local data
  data=$(wrestool -l "$1" | sed -n \
    's/.*--name=\(300\|90[0-9]\) .*size=\([0-9]*\)\].*/\2/p' |
    awk '{s += $1} END {print s + 0}')
  echo $(($(stat -c %s "$1") - data))
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
cmake --build --preset mingw --target installer orvel orvel_bench \
  install_big_payload >/dev/null
mkdir -p "$out"
: > "$raw"
program=$src/build/product/orvel.exe
help=$src/build/product/orvel.chm
big_program=$src/build/tests/engine/big/orvel.exe
big_payload=$src/build/tests/engine/big/install_big_payload.dll
win cmd /c exit 0
mkdir -p "$prefix/drive_c/bench"

log "1. installer overhead"
"$src/bench/size_steps.sh" "$out/size" >> "$raw"
mkdir -p "$out/nsis"
nsis_data=$(nsis "$out/nsis/nsis-demo.exe" "-DPROGRAM=$program" "-DHELP=$help")
echo "overhead ours $(overhead "$src/build/install.exe")" >> "$raw"
echo "overhead nsis $(($(stat -c %s "$out/nsis/nsis-demo.exe") - nsis_data))" \
  >> "$raw"

log "2. packing"
corpus=$out/corpus
"$src/bench/corpus.sh" "$corpus" "$program" "$help"
# Natively, as mscompress is. (GCC 12 warns falsely about the copy of an
# input that may be empty; the log keeps it.)
c++ -O2 -std=c++20 -I"$src" -o "$out/szdd_pack" \
  "$src/tools/szdd/szdd_main.cpp" "$src/tools/szdd/szdd_pack.cpp" \
  2> "$out/szdd_pack.log" || { cat "$out/szdd_pack.log" >&2; exit 1; }
rm -rf "$out/packed" && mkdir -p "$out/packed/ours" "$out/packed/ms"
packed=()
for f in orvel.exe orvel.chm text.txt binary.dll random.bin; do
  name=${f%?}_
  time_native "pack $f ours" "$out/szdd_pack" "$corpus/$f" "$out/packed/ours/$name"
  for i in $(seq 1 "$runs"); do
    # mscompress keeps an older output rather than replacing it.
    rm -f "$out/packed/ms/${f}_"
    cp "$corpus/$f" "$out/packed/ms/$f"
    t0=$(now_ns)
    mscompress "$out/packed/ms/$f"
    t1=$(now_ns)
    echo "pack $f mscompress $(((t1 - t0) / 1000))" |
      awk '{print $1, $2, $3, $4 / 1000}' >> "$raw"
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
nsis "$out/nsis/nsis-big.exe" "-DPROGRAM=$big_program" "-DHELP=$help" >/dev/null
nsis "$out/nsis/nsis-empty.exe" -DEMPTY >/dev/null
for product in demo big; do
  files=("$(winpath "$program")" "$(winpath "$help")")
  payload=()
  if [ $product = big ]; then
    files=("$(winpath "$big_program")" "$(winpath "$help")")
    payload=("$(winpath "$big_payload")")
  fi
  win "$bench_exe" install "$runs" "c:\\bench\\ours-$product\\" \
    "${payload[@]}" | record install $product ours
  win "$bench_exe" process "$runs" "c:\\bench\\nsis-$product\\" \
    "$(winpath "$out/nsis/nsis-$product.exe") /S /D=c:\\bench\\nsis-$product" |
    record install $product nsis
  win "$bench_exe" process "$runs" "c:\\bench\\nsis-empty\\" \
    "$(winpath "$out/nsis/nsis-empty.exe") /S /D=c:\\bench\\nsis-empty" |
    record install $product nsis-empty
  win "$bench_exe" copy "$runs" "c:\\bench\\copy-$product\\" "${files[@]}" |
    record install $product copy
  # Both installers left the same files in place.
  expected=$program
  [ $product = big ] && expected=$big_program
  for who in ours nsis copy; do
    cmp -s "$expected" "$prefix/drive_c/bench/$who-$product/orvel.exe" ||
      { echo "$who did not install orvel.exe ($product)" >&2; exit 1; }
  done
done

log "4. searching"
"$src/bench/tree.sh" "$out/tree"
ln -sfn "$out/tree" "$prefix/dosdevices/r:"
win "$bench_exe" search "$runs" 'r:\' 2> "$out/search.log" | record search tree ours
time_native "search tree find" find "$out/tree" -iname orvel.exe
tools/wine-run.sh --kill "$prefix"

"$src/bench/table.sh" "$raw" "$runs" | tee "$out/results.txt"
{
  echo
  echo "Raw runs (milliseconds for times, bytes for sizes):"
  cat "$raw"
} >> "$out/results.txt"
echo "Written to $out/results.txt"
