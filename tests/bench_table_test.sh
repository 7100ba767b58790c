#!/usr/bin/env bash
# The benchmark table takes the median of each figure's runs, compared as
# numbers, and divides ours by theirs.
#   bench_table_test.sh TABLE_SCRIPT
set -euo pipefail
table=$1
raw=$(mktemp)
trap 'rm -f "$raw"' EXIT
cat > "$raw" <<'RAW'
arch sizes i686
arch wine x86_64
overhead ours 60000
overhead nsis 90000
search tree ours 100
search tree ours 9
search tree ours 10
search tree ours 1000
search tree ours 11
search tree find 2
search tree cmd 44
search tree find 4
search tree find 5
search tree find 3
packed text.txt size 1000
packed text.txt ours 300
packed text.txt mscompress 400
step big expand 300
step big expand 100
step big expand 200
step big write 4
install huge ours 900
install huge nsis 1000
remove tree ours 300
remove tree cmd 600
remove tree ours 200
RAW
out=$("$table" "$raw" 5 2>&1)
failed=0
expect() {
  if ! grep -qE -- "$1" <<<"$out"; then
    echo "FAIL: no line matching '$1' in:"; echo "$out"; failed=1
  fi
}
# 9 10 11 100 1000: the middle is 11 (as text it would be 100).
expect 'search dialog under Wine \(ours\) +11\.0$'
# An even count takes the mean of the two middle runs: (3 + 4) / 2.
expect 'find -iname orvel.exe, native +3\.5$'
expect '^  ratio +3\.14$'
# The Windows peer under the same Wine, with its own ratio.
expect '^  cmd /c dir /s /b, same Wine +44\.0 +0\.25$'
expect '^  cmd /c rd /s /q, same Wine +600\.0 +0\.42$'
expect '^  overhead +60000 +90000 +0\.67$'
expect '^  text\.txt +1000 +300 +400 +0\.75 '
# Each step of the installation in its product's column, and their sum.
expect '^  expansion to \$\$unc\.tm\$ +-1\.0 +200\.0 +-1\.0$'
expect '^  sum of the steps +0\.0 +204\.0 +0\.0$'
expect '^  256 MB +900\.0 +1000\.0 .* 0\.90 '
# Every figure says which build it comes from.
expect '^Sizes: the 32-bit \(i686\) install\.exe\. Times under Wine: the x86-64 build\.$'
expect '^4\. Searching .*the x86-64 build\)$'
exit $failed
