#!/usr/bin/env bash
# wrestool (icoutils) reads the resource table of install.exe: every type
# and id the installer relies on is there.
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
echo "$listing"
exit $failed
