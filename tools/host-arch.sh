#!/usr/bin/env bash
# Prints which Windows build this host can run and test, and why:
#   "i686 REASON"    the host executes 32-bit x86 programs, so the 32-bit
#                    build runs under the 32-bit Wine
#   "x86_64 REASON"  it runs 64-bit code only, so the x86-64 build of the
#                    same sources runs under wine64
# The answer comes from running a 93-byte 32-bit x86 Linux program that
# only exits, not from a guess. ORVEL_ARCH=i686 or x86_64 forces either;
# forcing i686 where 32-bit code cannot run ends here, non-zero.
set -u

# In the build folder: a temporary folder may forbid running programs.
build=$(cd "$(dirname "$0")/.." && pwd)/build
mkdir -p "$build"
probe=$(mktemp "$build/.i386-probe.XXXXXX")
trap 'rm -f "$probe"' EXIT
# ELF header, one loadable segment, then: mov eax,1; xor ebx,ebx; int 0x80.
printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$probe"
printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$probe"
printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' >>"$probe"
printf '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' >>"$probe"
printf '\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00' >>"$probe"
printf '\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >>"$probe"
chmod +x "$probe"
if error=$("$probe" 2>&1); then
  runs_i386=1
else
  runs_i386=0
  error=${error##*: }
fi

case "${ORVEL_ARCH:-}" in
"")
  if [ $runs_i386 = 1 ]; then
    echo "i686 this host runs 32-bit x86 programs"
  else
    echo "x86_64 this host runs 64-bit code only (a 32-bit x86 program: ${error:-did not run})"
  fi
  ;;
i686)
  if [ $runs_i386 = 0 ]; then
    echo "ORVEL_ARCH=i686, but this host cannot run 32-bit x86 programs" \
      "(${error:-did not run}), so neither can the 32-bit Wine." \
      "Leave ORVEL_ARCH unset, or set it to x86_64." >&2
    exit 1
  fi
  echo "i686 ORVEL_ARCH=i686 forces it"
  ;;
x86_64) echo "x86_64 ORVEL_ARCH=x86_64 forces it" ;;
*)
  echo "ORVEL_ARCH must be i686 or x86_64, not \"$ORVEL_ARCH\"" >&2
  exit 2
  ;;
esac
