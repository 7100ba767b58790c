#!/usr/bin/env bash
# Packs a set of files with our packer (run under Wine) and checks that
# Debian's msexpand expands each one to the original bytes, that each is
# no larger than what mscompress makes of the same file, and that the
# packer the build runs on this machine writes the very same bytes.
#   packer_vs_msexpand.sh PACKER HOST_PACKER WORKDIR PRODUCT_EXE PRODUCT_CHM
set -euo pipefail
packer=$1 host_packer=$2 work=$3 exe=$4 chm=$5
rm -rf "$work" && mkdir -p "$work" && cd "$work"

: > empty.bin
printf 'x' > one.bin
head -c 102400 /dev/zero | tr '\0' 'Z' > repeated.bin
head -c 1048576 /dev/urandom > random.bin
{ printf '        Orvel\r\n'; for i in $(seq 1 400); do printf '    line %d of the text\r\n' "$i"; done; } > blanks.txt
cp "$exe" orvel.exe
cp "$chm" orvel.chm

failed=0
printf '%-14s %10s %10s %12s\n' file size ours mscompress
for f in empty.bin one.bin repeated.bin random.bin blanks.txt orvel.exe orvel.chm; do
  "$WINE_RUN" "$WINE_PREFIX" "$packer" "$f" "$f.szdd"
  msexpand < "$f.szdd" > "$f.back"
  "$host_packer" "$f" "$f.host.szdd"
  if ! cmp -s "$f.szdd" "$f.host.szdd"; then
    echo "FAIL: the build's packer packs $f otherwise"; failed=1
  fi
  cp "$f" "ms-$f" && mscompress "ms-$f" && ms_size=$(stat -c %s "ms-$f"_)
  ours=$(stat -c %s "$f.szdd")
  printf '%-14s %10d %10d %12d\n' "$f" "$(stat -c %s "$f")" "$ours" "$ms_size"
  if ! cmp -s "$f" "$f.back"; then
    echo "FAIL: msexpand does not give back $f"; failed=1
  fi
  if [ "$ours" -gt "$ms_size" ]; then
    echo "FAIL: $f packs larger than mscompress"; failed=1
  fi
  case $f in orvel.*)
    if [ "$ours" -ge "$ms_size" ]; then
      echo "FAIL: $f does not pack smaller than mscompress"; failed=1
    fi;;
  esac
done
exit $failed
