#include "bench/bench_expand.h"

#include "bench/bench_clock.h"

#include <windows.h>
// Left out of <windows.h> by WIN32_LEAN_AND_MEAN.
#include <lzexpand.h>

#include <cstdio>

namespace {

// Returns the bytes written, or a negative LZ error code.
long Expand(const std::string& from, const std::string& to) {
  OFSTRUCT fromInfo, toInfo;
  INT source = LZOpenFileA(const_cast<char*>(from.c_str()), &fromInfo, OF_READ);
  if (source < 0)
    return source;
  INT target = LZOpenFileA(const_cast<char*>(to.c_str()), &toInfo, OF_CREATE);
  if (target < 0) {
    LZClose(source);
    return target;
  }
  long written = LZCopy(source, target);
  LZClose(target);
  LZClose(source);
  return written;
}

} // namespace

int TimeExpansion(int runs, const std::string& folder,
                  const std::vector<std::string>& packedFiles) {
  EmptyFolder(folder);
  std::string out = folder + "expanded.bin";
  for (int i = 0; i < runs; ++i)
    for (const std::string& packed : packedFiles) {
      std::string name = packed.substr(packed.find_last_of("\\/") + 1);
      double start = NowMs();
      long written = Expand(packed, out);
      double end = NowMs();
      if (written < 0) {
        fprintf(stderr, "LZ32 cannot expand %s: %ld\n", packed.c_str(),
                written);
        return 1;
      }
      PrintRun(name, end - start);
      DeleteFileA(out.c_str());
    }
  return 0;
}
