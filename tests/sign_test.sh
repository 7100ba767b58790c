#!/usr/bin/env bash
# Authenticode: tools/sign.sh signs copies of both installers with a
# throw-away self-signed code-signing certificate made here, and
# osslsigncode accepts them; it rejects a signed copy with one byte changed.
# A wrong password leaves a file unsigned. The signed copies stay in
# WORK_DIR for the end-to-end run under Wine.
#   sign_test.sh SOURCE_DIR WORK_DIR INSTALL.EXE INSTALL-UPDATE.EXE
set -euo pipefail
source_dir=$1 work=$2 installer=$3 update_installer=$4
rm -rf "$work"
mkdir -p "$work"
cd "$work"
failed=0
fail() { echo "FAIL: $*"; failed=1; }

printf 'throw-away password\n' >password.txt
openssl req -x509 -newkey rsa:2048 -sha256 -days 2 \
  -subj "/CN=Orvel test signer (throw-away)" \
  -addext "keyUsage=critical,digitalSignature" \
  -addext "extendedKeyUsage=codeSigning" \
  -passout file:password.txt -keyout key.pem -out cert.pem 2>/dev/null
export ORVEL_SIGN_CAFILE=$work/cert.pem

cp "$installer" install.exe
cp "$update_installer" install-update.exe
"$source_dir/tools/sign.sh" cert.pem key.pem password.txt -- \
  install.exe install-update.exe || fail "sign.sh failed"

verify() { osslsigncode verify -CAfile cert.pem -in "$1" 2>&1; }
for f in install.exe install-update.exe; do
  out=$(verify "$f") || fail "osslsigncode rejects the signed $f"
  grep -q "Signature verification: ok" <<<"$out" || fail "$f: $out"
  grep -qi "Message digest algorithm *: *SHA256" <<<"$out" ||
    fail "$f is not signed with SHA-256"
  grep -q "Orvel test signer" <<<"$out" || fail "$f: signer not named"
done

# One byte of the signed program changed: the signature no longer holds.
cp install.exe changed.exe
printf 'X' | dd of=changed.exe bs=1 seek=4096 conv=notrunc status=none
verify changed.exe >/dev/null && fail "a changed signed program verifies"
verify "$installer" >/dev/null && fail "the unsigned installer verifies"

# A wrong password: nothing is signed, the file stays as it was.
cp "$installer" wrong.exe
printf 'wrong\n' >wrong-password.txt
"$source_dir/tools/sign.sh" cert.pem key.pem wrong-password.txt -- wrong.exe \
  >/dev/null 2>&1 && fail "sign.sh succeeded with a wrong password"
cmp -s wrong.exe "$installer" || fail "a failed signing changed the file"

rm -f key.pem password.txt wrong-password.txt
exit $failed
