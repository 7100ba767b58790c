#!/usr/bin/env bash
# Installs what building and testing the installer needs on a Debian machine.
# As root it runs apt-get itself; otherwise it prints the exact line to run.
set -euo pipefail

# Both Windows builds are made on every host; the 32-bit Wine runs where
# the host executes i386 code, wine64 everywhere. On a host that runs
# 64-bit code only the i386 packages still install; they just cannot run.
packages=(cmake ninja-build g++ g++-mingw-w64-i686 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  googletest wine wine32:i386 wine64 xvfb xauth xdotool mscompress icoutils
  imagemagick fp-utils clang libclang-rt-14-dev libmspack-dev osslsigncode
  openssl)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" \
    || missing+=("$p")
done
i386=0
dpkg --print-foreign-architectures | grep -qx i386 || i386=1

if [ ${#missing[@]} -eq 0 ] && [ $i386 -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Run as root:" >&2
  [ $i386 -eq 1 ] && echo "  dpkg --add-architecture i386 && apt-get update" >&2
  echo "  apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if [ $i386 -eq 1 ]; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
