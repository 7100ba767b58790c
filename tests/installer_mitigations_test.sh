#!/usr/bin/env bash
# The installers carry the mitigations that security reviews read from the
# header: address randomisation (DYNAMIC_BASE) with the relocations that
# let Windows move them, no-execute data (NX_COMPAT), no section both
# writable and executable, and in 32-bit programs NO_SEH: they register no
# exception handler, so Windows takes none that an overrun plants. They run
# with administrator rights, often from a Downloads folder: only libraries
# on Windows' known list are imported by name, since Windows looks for any
# other beside the program first.
#   installer_mitigations_test.sh OBJDUMP EXE...
set -euo pipefail
objdump=$1
shift
failed=0
fail() {
  echo "FAIL: $exe: $*"
  failed=1
}
# The little-endian number of SIZE bytes at OFFSET in the program.
number() { od -An -tu"$2" -j "$1" -N "$2" "$exe" | tr -d ' '; }
known=" ADVAPI32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL "
for exe in "$@"; do
  [ -n "$exe" ] || continue
  headers=$("$objdump" -p "$exe")
  flags=$(sed -n 's/^DllCharacteristics[[:space:]]*\([0-9a-f]*\).*/\1/p' \
    <<<"$headers")
  wanted=0x140
  if grep -q '(PE32)$' <<<"$headers"; then
    wanted=0x540
  fi
  if (((0x$flags & wanted) != wanted)); then
    fail "DllCharacteristics $flags lacks some of $wanted"
  fi
  relocations=$(sed -n 's/^Entry 5 [0-9a-f]* \([0-9a-f]*\) Base Reloc.*/\1/p' \
    <<<"$headers")
  if ((0x${relocations:-0} == 0)); then
    fail "no relocations, so Windows cannot move it"
  fi
  # The section table, after the PE signature, the file header and the
  # optional header; MEM_WRITE is 0x80000000, MEM_EXECUTE 0x20000000.
  pe=$(number 60 4)
  table=$((pe + 24 + $(number $((pe + 20)) 2)))
  for ((i = 0; i < $(number $((pe + 6)) 2); i++)); do
    if ((($(number $((table + 40 * i + 36)) 4) & 0xa0000000) == 0xa0000000))
    then
      fail "section $((i + 1)) is both writable and executable"
    fi
  done
  for dll in $(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" |
    tr '[:lower:]' '[:upper:]'); do
    if [[ "$known" != *" $dll "* ]]; then
      fail "imports $dll by name"
    fi
  done
done
exit $failed
