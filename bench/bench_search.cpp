#include "bench/bench_search.h"

#include "bench/bench_clock.h"
#include "resources/resource_ids.h"
#include "shortcuts/search_dialog.h"
#include "state/installer_state.h"
#include "tests/support/installer_state_reset.h"
#include "tests/support/scripted_user.h"

#include <cstdio>

int TimeSearch(int runs, const std::string& root) {
  for (int i = 0; i < runs; ++i) {
    ResetInstallerState();
    state.backgroundColor = RGB(65, 105, 225);
    state.textColor = RGB(255, 255, 255);
    lstrcpynA(state.destinationPath, (root + "orvel\\").c_str(), PATH_SIZE);
    // The steps run once the search, which the dialog posts to itself on
    // opening, has ended: read what it found, then leave.
    scripted::ScriptedUser user;
    user.Answer({scripted::Read(IDC_SEARCH_LIST), scripted::Escape()});
    double start = NowMs();
    RunSearchDialog(nullptr);
    double end = NowMs();
    if (user.shown().size() != 1 || user.shown()[0].reads.empty()) {
      fprintf(stderr, "the search dialog did not show as expected\n");
      return 1;
    }
    fprintf(stderr, "found: %s", user.shown()[0].reads[0].c_str());
    PrintRun("run", end - start);
  }
  return 0;
}
