#!/usr/bin/env bash
# wrestool (icoutils) reads the resource table of install.exe: every type
# and id the installer relies on is there.
#   wrestool_lists_resources.sh INSTALL.EXE [ORVEL.EXE ORVEL.CHM
#                               [INSTALL-UPDATE.EXE]]
# Given the product files, the recorded payload checksums are checked
# against the CRC-32 that gzip computes for them. The application manifest
# of each program is read back and its elements checked.
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

# The manifest (type 24, id 1) of $1, on one line with single blanks.
manifest() { wrestool -x --raw --type=24 --name=1 "$1" | tr -s ' \t\r\n' ' '; }
expect_manifest() { # program, execution level
  local text name=${1##*/} part
  text=$(manifest "$1")
  local parts=(
    '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
    '<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">'
    '<trustInfo xmlns="urn:schemas-microsoft-com:asm.v3"> <security> <requestedPrivileges>'
    "<requestedExecutionLevel level=\"$2\" uiAccess=\"false\"/>"
    '<compatibility xmlns="urn:schemas-microsoft-com:compatibility.v1"> <application>'
    '<supportedOS Id="{e2011457-1546-43c5-a5fe-008deee3d3f0}"/>' # Vista
    '<supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/>' # 7
    '<supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"/>' # 8
    '<supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/>' # 8.1
    '<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>' # 10 and 11
    '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>'
    '</assembly>'
  )
  for part in "${parts[@]}"; do
    grep -qF -- "$part" <<<"$text" || {
      echo "FAIL: the manifest of $name lacks $part"; failed=1
    }
  done
  # Visual styles stay off: the dialogs colour their own buttons.
  if grep -qi 'Common-Controls' <<<"$text"; then
    echo "FAIL: the manifest of $name asks for Common Controls"; failed=1
  fi
  [ "$(grep -o '<requestedExecutionLevel' <<<"$text" | wc -l)" = 1 ] || {
    echo "FAIL: $name must ask for one execution level"; failed=1
  }
}
expect "--type=24 --name=1 "
expect_manifest "$1" requireAdministrator
[ $# -ge 2 ] && expect_manifest "$2" asInvoker
[ $# -ge 4 ] && expect_manifest "$4" requireAdministrator

echo "$listing"
exit $failed
