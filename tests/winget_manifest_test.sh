#!/usr/bin/env bash
# The winget manifest the build writes describes the installer beside it:
# its SHA-256, the version and publisher it registers, every field the
# 1.6.0 singleton schema requires.
#   winget_manifest_test.sh MANIFEST INSTALLER SOURCE_DIR
set -uo pipefail
manifest=$(cat "$1") || exit 1
failed=0
expect() {
  if ! grep -qxF -- "$1" <<<"$manifest"; then
    echo "FAIL: no line \"$1\" in $(basename "$2")"
    failed=1
  fi
}
sha=$(sha256sum "$2" | cut -d' ' -f1 | tr '[:lower:]' '[:upper:]')
version=$(sed -n 's/^#define ORVEL_VERSION "\(.*\)"$/\1/p' \
  "$3/product/orvel_version.h")
publisher=$(sed -n 's/^#define PUBLISHER_NAME "\(.*\)"$/\1/p' \
  "$3/resources/resource_ids.h")
for line in "PackageIdentifier: ${publisher%% *}.Orvel" \
  "PackageVersion: \"$version\"" "PackageLocale: en-US" \
  "Publisher: $publisher" "PackageName: Orvel" "License: Proprietary" \
  "    InstallerSha256: $sha" "        DisplayVersion: \"$version\"" \
  "        Publisher: $publisher" "ManifestType: singleton" \
  "ManifestVersion: 1.6.0"; do
  expect "$line" "$1"
done
# "In use, try again later" is a code winget knows to retry.
grep -qzF -- $'      - InstallerReturnCode: 75\n        ReturnResponse: packageInUse' \
  <<<"$manifest" || { echo "FAIL: 75 is not packageInUse"; failed=1; }
for key in ShortDescription Architecture InstallerUrl InstallerType; do
  grep -qE "^ *(- )?$key: ." <<<"$manifest" ||
    { echo "FAIL: no $key"; failed=1; }
done
exit $failed
