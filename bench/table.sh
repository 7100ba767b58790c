#!/usr/bin/env bash
# Prints the benchmark table from the raw runs that run.sh gathered:
#   table.sh RAW_FILE RUNS
# Every time is the median of its runs; ratios are ours / theirs.
set -euo pipefail
raw=$1 runs=$2
awk -v runs="$runs" -v when="$(date -u '+%Y-%m-%d %H:%M UTC')" '
function median(key,   n, i, j, t, v) {
  n = count[key]
  if (n == 0) return -1
  for (i = 1; i <= n; i++) v[i] = values[key, i]
  for (i = 2; i <= n; i++)
    for (j = i; j > 1 && v[j - 1] > v[j]; j--) {
      t = v[j]; v[j] = v[j - 1]; v[j - 1] = t
    }
  return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
}
function archname(a) {
  return a == "i686" ? "32-bit (i686)" : a == "x86_64" ? "x86-64" : "(not recorded)"
}
function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "-" }
function size(name) { return median("size " name) }
function step(label, now, before) {
  printf "  %-34s %9d %+9d\n", label, size(now), size(now) - size(before)
}
function leftout(label, name) {
  printf "  %-34s %9d %+9d\n", label, size(name), size(name) - size("all")
}
$1 == "arch" { arch[$2] = $3; next }
{
  key = $1
  for (i = 2; i < NF; i++) key = key " " $i
  values[key, ++count[key]] = $NF
}
END {
  printf "Orvel installer benchmarks, %s, on this machine in one run.\n", when
  printf "Times are medians of %d runs in milliseconds; ratio = ours / theirs.\n", runs
  printf "Sizes: the %s install.exe. Times under Wine: the %s build.\n\n", \
    archname(arch["sizes"]), archname(arch["wine"])

  printf "1. Installer overhead of the %s install.exe (bytes: file size\n", \
    archname(arch["sizes"])
  print "   minus the packed product files and the agreement text)"
  ours = median("overhead ours"); nsis = median("overhead nsis")
  printf "  %-22s %12s %12s %7s\n", "", "install.exe", "NSIS (zlib)", "ratio"
  printf "  %-22s %12d %12d %7s\n", "overhead", ours, nsis, ratio(ours, nsis)
  ours = median("total ours"); nsis = median("total nsis")
  printf "  %-22s %12d %12d %7s\n", "whole installer", ours, nsis, ratio(ours, nsis)
  print ""
  print "  Size measures, overhead of install.exe     bytes      gain"
  printf "  %-34s %9d\n", "none (-O2, nothing else)", size("none")
  step("+ -Os", "os", "none")
  step("+ -ffunction-sections --gc-sections", "os-gc", "os")
  step("+ no exceptions, no RTTI", "os-gc-noexc", "os-gc")
  step("+ no unwind tables", "os-gc-noexc-nounwind", "os-gc-noexc")
  step("+ stripped", "stripped", "os-gc-noexc-nounwind")
  step("+ own entry, no start-up code", "own-entry", "stripped")
  step("+ lean frames (push, no probes)", "lean-frames", "own-entry")
  step("+ -Oz", "oz", "lean-frames")
  step("+ whole-program (LTO, = shipped)", "all", "oz")
  printf "  %-34s %9d sources use iostreams\n", "no iostreams", \
    median("iostream-sources")
  print "  Each measure left out of the shipped build:"
  leftout("-O2 instead of -Os and -Oz", "all-but-os")
  leftout("no section garbage collection", "all-but-gc")
  leftout("with exceptions and RTTI", "all-but-noexc")
  leftout("with unwind tables", "all-but-nounwind")
  leftout("not stripped", "all-but-strip")
  leftout("MinGW start-up code", "all-but-own-entry")
  leftout("frame pointers, stack probes", "all-but-lean-frames")
  leftout("-Os instead of -Oz", "all-but-oz")
  leftout("no link-time optimisation", "all-but-lto")
  leftout("with -fdata-sections as well", "all-plus-data-sections")
  print ""

  print "2. Packing (SZDD; ours built natively with g++ -O2, as mscompress is;"
  printf "   the %s program and help file; LZ32 in the %s build)\n", \
    archname(arch["sizes"]), archname(arch["wine"])
  printf "  %-11s %9s %9s %10s %6s %8s %10s %6s %9s\n", "file", "bytes", \
    "ours", "mscompress", "ratio", "ours ms", "msc. ms", "ratio", "LZ32 ms"
  split("orvel.exe orvel.chm text.txt binary.dll random.bin", files, " ")
  for (i = 1; i <= 5; i++) {
    f = files[i]; p = substr(f, 1, length(f) - 1) "_"
    o = median("packed " f " ours"); m = median("packed " f " mscompress")
    to = median("pack " f " ours"); tm = median("pack " f " mscompress")
    printf "  %-11s %9d %9d %10d %6s %8.1f %10.1f %6s %9.1f\n", f, \
      median("packed " f " size"), o, m, ratio(o, m), to, tm, ratio(to, tm), \
      median("expand " p " lz32")
  }
  print "  (LZ32 ms: Wine'\''s LZOpenFileA and LZCopy expanding our packed file)"
  print ""

  printf "3. Installing (ms from confirming to the last file in place, under\n"
  printf "   Wine; the %s build and its product)\n", archname(arch["wine"])
  printf "  %-8s %9s %9s %9s %9s %8s %8s\n", "product", "ours", "NSIS /S", \
    "NSIS 0", "copy", "o/NSIS", "o/copy"
  split("demo big huge", products, " ")
  split("demo,32 MB,256 MB", labels, ",")
  for (i = 1; i <= 3; i++) {
    p = products[i]
    o = median("install " p " ours"); n = median("install " p " nsis")
    e = median("install " p " nsis-empty"); c = median("install " p " copy")
    printf "  %-8s %9.1f %9.1f %9.1f %9.1f %8s %8s\n", \
      labels[i], o, n, e, c, ratio(o, n), ratio(o, c)
  }
  print "  (ours: InstallFiles, in the installer once the user has confirmed;"
  print "  NSIS /S: the NSIS installer process started with /S /D=..., the"
  print "  silent form of confirming; NSIS 0: the same installer without files,"
  print "  i.e. its start-up, which swings between about 60 and 300 ms under"
  print "  Wine here; copy: CopyFile of the expanded files, the floor)"
  print ""
  print "  Where our time goes: each step of the pipeline timed on its own in"
  print "  a run of its own, summed over the two files (ms)"
  printf "  %-36s %9s %9s %9s\n", "step", labels[1], labels[2], labels[3]
  split("write expand checksum version flush replace", steps, " ")
  split("packed resource to $$cmp.tm$|expansion to $$unc.tm$|checksum " \
    "(read and compare)|version read (new, old, .bak)|flush (FlushFileBuffers)" \
    "|replace (MoveFileEx)", names, "|")
  for (k = 1; k <= 6; k++) {
    printf "  %-36s", names[k]
    for (i = 1; i <= 3; i++) {
      t = median("step " products[i] " " steps[k])
      if (t >= 0) sum[i] += t
      printf " %9.1f", t
    }
    print ""
  }
  printf "  %-36s %9.1f %9.1f %9.1f\n", "sum of the steps", sum[1], sum[2], sum[3]
  print ""

  printf "4. Searching (ms; 10,000 files in 1,000 folders; the %s build)\n", \
    archname(arch["wine"])
  o = median("search tree ours"); f = median("search tree find")
  c = median("search tree cmd"); e = median("search tree cmd-empty")
  printf "  %-34s %9.1f\n", "search dialog under Wine (ours)", o
  printf "  %-34s %9.1f %6s\n", "cmd /c dir /s /b, same Wine", c, ratio(o, c)
  printf "  %-34s %9.1f\n", "  its start-up alone (cmd /c exit)", e
  printf "  %-34s %9.1f\n", "find -iname orvel.exe, native", f
  printf "  %-34s %9s\n", "ratio", ratio(o, f)
  print "  (ours: the search dialog from opening to the list filled; cmd: Wine'\''s"
  print "  own cmd.exe process, start-up included, as NSIS'\''s above; find measures"
  print "  a Linux program, without Wine'\''s directory layer)"
  print ""

  printf "5. Removing (ms; the same tree with the program; the %s build)\n", \
    archname(arch["wine"])
  o = median("remove tree ours"); c = median("remove tree cmd")
  printf "  %-34s %9.1f\n", "install.exe /UN /S", o
  printf "  %-34s %9.1f %6s\n", "cmd /c rd /s /q, same Wine", c, ratio(o, c)
  print "  (both processes timed whole, start-up included; ours also runs the"
  print "  shortcut script first)"
}' "$raw"
