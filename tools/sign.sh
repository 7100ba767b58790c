#!/usr/bin/env bash
# Signs the installers with Authenticode (SHA-256) and verifies the result.
#
#   tools/sign.sh CERT KEY [PASSWORD-FILE] [-- FILE...]
#
# CERT is the code-signing certificate in PEM or DER, with the chain up to
# (not including) the root after it; KEY its private key, encrypted with
# the password in PASSWORD-FILE if one is given. Without FILEs it signs
# build/install.exe and build/install-update.exe in place.
#
# Environment:
#   ORVEL_TIMESTAMP_URL  an RFC 3161 timestamp server; the signature then
#                        stays valid after the certificate expires
#   ORVEL_SIGN_CAFILE    the CA certificates the signature is verified
#                        against (default: the system's bundle)
set -euo pipefail

usage() {
  echo "usage: tools/sign.sh CERT KEY [PASSWORD-FILE] [-- FILE...]" >&2
  exit 2
}

[ $# -ge 2 ] || usage
cert=$1 key=$2
shift 2
password=
if [ $# -gt 0 ] && [ "$1" != "--" ]; then
  password=$1
  shift
fi
files=()
if [ $# -gt 0 ]; then
  [ "$1" = "--" ] || usage
  shift
  files=("$@")
fi
if [ ${#files[@]} -eq 0 ]; then
  root=$(cd "$(dirname "$0")/.." && pwd)
  files=("$root/build/install.exe" "$root/build/install-update.exe")
fi
for f in "$cert" "$key" ${password:+"$password"} "${files[@]}"; do
  [ -r "$f" ] || { echo "sign.sh: cannot read $f" >&2; exit 1; }
done
command -v osslsigncode >/dev/null ||
  { echo "sign.sh: osslsigncode is missing (tools/setup-deps.sh)" >&2; exit 1; }

sign_args=(sign -certs "$cert" -key "$key" -h sha256 -n "Orvel Installer")
[ -n "$password" ] && sign_args+=(-readpass "$password")
[ -n "${ORVEL_TIMESTAMP_URL:-}" ] && sign_args+=(-ts "$ORVEL_TIMESTAMP_URL")
verify_args=(verify)
[ -n "${ORVEL_SIGN_CAFILE:-}" ] && verify_args+=(-CAfile "$ORVEL_SIGN_CAFILE")

for file in "${files[@]}"; do
  signed=$file.signing
  rm -f "$signed"
  if ! osslsigncode "${sign_args[@]}" -in "$file" -out "$signed" >"$signed.log" 2>&1; then
    cat "$signed.log" >&2
    rm -f "$signed" "$signed.log"
    echo "sign.sh: signing $file failed" >&2
    exit 1
  fi
  if ! osslsigncode "${verify_args[@]}" -in "$signed" >"$signed.log" 2>&1; then
    cat "$signed.log" >&2
    rm -f "$signed" "$signed.log"
    echo "sign.sh: the signature of $file does not verify; $file left unsigned" >&2
    exit 1
  fi
  rm -f "$signed.log"
  chmod --reference="$file" "$signed"
  mv -f "$signed" "$file"
  echo "signed: $file"
done
