#include "bench/bench_steps.h"

#include "bench/bench_clock.h"
#include "bench/bench_install.h"
#include "engine/destination.h"
#include "engine/install_files.h"
#include "engine/install_steps.h"
#include "engine/payload_table.h"
#include "state/installer_state.h"
#include "tests/support/installer_state_reset.h"

#include <cstdio>

namespace {

// The steps in the order InstallPayloadFile takes them; their keys are
// those of the bench table.
enum Step { WRITE, EXPAND, CHECK, VERSION, FLUSH, REPLACE, STEP_COUNT };
const char* const kStepKeys[STEP_COUNT] = {"write",   "expand", "checksum",
                                           "version", "flush",  "replace"};

struct StepClock {
  double spent[STEP_COUNT] = {};
  double started = 0;
  void Start() { started = NowMs(); }
  void Stop(Step step) { spent[step] += NowMs() - started; }
};

// One payload file, step by step, as InstallPayloadFile runs it.
ErrorCode InstallTimed(const PayloadSlot& slot, const char* name,
                       StepClock* clock) {
  clock->Start();
  ErrorCode result =
      ExtractPayload(static_cast<unsigned short>(slot.resourceId));
  clock->Stop(WRITE);
  if (result != 0)
    return result;
  PayloadPaths paths;
  FormPayloadPaths(name, &paths);
  uint32_t crc;
  clock->Start();
  long expanded = ExpandPayload(&paths, &crc);
  clock->Stop(EXPAND);
  clock->Start();
  long checked = CheckExpandedPayload(name, &paths, expanded, crc);
  clock->Stop(CHECK);
  remove(paths.compressed);
  if ((result = ReportExpansion(checked, &paths)) != 0)
    return result;
  clock->Start();
  result = CheckPayloadVersions(&paths);
  clock->Stop(VERSION);
  if (result != 0)
    return result;
  clock->Start();
  FlushPayload(&paths);
  clock->Stop(FLUSH);
  clock->Start();
  result = ReplaceFinalFile(&paths);
  clock->Stop(REPLACE);
  return result;
}

ErrorCode InstallAllTimed(StepClock* clock) {
  ErrorCode result = ValidateDestination(1);
  for (int i = 0; i < PAYLOAD_SLOT_COUNT && result == 0; ++i) {
    char name[PATH_SIZE];
    if (!MapPayloadName(name, PayloadTable[i].catalogueName))
      result = InstallTimed(PayloadTable[i], name, clock);
  }
  return result;
}

} // namespace

int TimeInstallSteps(int runs, const std::string& folder,
                     const std::string& payloadModule) {
  for (int i = 0; i < runs; ++i) {
    if (!PrepareInstallRun(folder, payloadModule))
      return 1;
    StepClock clock;
    ErrorCode result = InstallAllTimed(&clock);
    if (result != 0) {
      fprintf(stderr, "installation step failed with %d\n", result);
      return 1;
    }
    for (int step = 0; step < STEP_COUNT; ++step)
      PrintRun(kStepKeys[step], clock.spent[step]);
  }
  return 0;
}
