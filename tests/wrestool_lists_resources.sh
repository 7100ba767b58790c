#!/usr/bin/env bash
# wrestool (icoutils) reads the resource table of install.exe: every type
# and id the installer relies on is there.
#   wrestool_lists_resources.sh INSTALL.EXE [ORVEL.EXE ORVEL.CHM]
# Given the product files, the recorded payload checksums are checked
# against the CRC-32 that gzip computes for them.
set -euo pipefail
listing=$(wrestool -l "$1")
failed=0
expect() {
  if ! grep -q -- "$1" <<<"$listing"; then
    echo "FAIL: wrestool does not list $1"; failed=1
  fi
}
expect "--type=14 --name=600 "
expect "--type=4 --name='INSTALLMENU'"
expect "--type=9 --name='ACCELTABLE'"
for d in AGREE CHANGEIT DTLINFO ICONS SEARCH; do expect "--type=5 --name='$d'"; done
expect "--type=10 --name=300 "
for id in $(seq 900 909); do expect "--type=10 --name=$id "; done
expect "--type=16 --name=1 "
expect "--type=10 --name=899 "
if [ $# -ge 3 ]; then
  gzip_crc() { gzip -c <"$1" | tail -c 8 | head -c 4 | od -An -tx1 | tr -d ' \n'; }
  recorded=$(wrestool -x --raw --type=10 --name=899 "$1" | od -An -tx1 | tr -d ' \n')
  want=$(gzip_crc "$2")$(gzip_crc "$3")
  if [ "$recorded" != "$want" ]; then
    echo "FAIL: recorded payload checksums $recorded, gzip says $want"; failed=1
  fi
fi
echo "$listing"
exit $failed
