// orvel_bench: the measurements that have to run under Windows (or Wine).
// Each prints one line per run, "<key> <milliseconds>"; bench/run.sh
// gathers them.
//   orvel_bench install RUNS FOLDER [PAYLOAD_DLL]
//   orvel_bench steps   RUNS FOLDER [PAYLOAD_DLL]
//   orvel_bench process RUNS FOLDER COMMAND_LINE
//   orvel_bench copy    RUNS FOLDER FILE...
//   orvel_bench expand  RUNS FOLDER PACKED_FILE...
//   orvel_bench search  RUNS ROOT
#include "bench/bench_expand.h"
#include "bench/bench_install.h"
#include "bench/bench_search.h"
#include "bench/bench_steps.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int Usage() {
  fprintf(stderr, "usage: orvel_bench install|steps|process|copy|expand|search "
                  "RUNS FOLDER [ARGS...]\n");
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 4)
    return Usage();
  const char* what = argv[1];
  int runs = atoi(argv[2]);
  std::string folder = argv[3];
  std::vector<std::string> rest(argv + 4, argv + argc);
  if (!strcmp(what, "install"))
    return TimeInstallFiles(runs, folder, rest.empty() ? "" : rest[0]);
  if (!strcmp(what, "steps"))
    return TimeInstallSteps(runs, folder, rest.empty() ? "" : rest[0]);
  if (!strcmp(what, "process") && rest.size() == 1)
    return TimeProcess(runs, folder, rest[0]);
  if (!strcmp(what, "copy"))
    return TimePlainCopy(runs, folder, rest);
  if (!strcmp(what, "expand"))
    return TimeExpansion(runs, folder, rest);
  if (!strcmp(what, "search"))
    return TimeSearch(runs, folder);
  return Usage();
}
