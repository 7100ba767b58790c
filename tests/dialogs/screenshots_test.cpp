// Run by screenshots.sh, not directly: opens each dialog on a real display
// and holds it until a screenshot has been taken. Run with
// --gtest_also_run_disabled_tests and --gtest_filter=*Screenshots*; for
// each dialog it writes the screen rectangle of its client area ("x y w h")
// to c:\orvel-tests\shots\ready-NAME and waits for done-NAME.
#include "dialogs/about_box.h"
#include "dialogs/agreement_dialog.h"
#include "dialogs/change_destination_dialog.h"
#include "dialogs/help_pager.h"
#include "dialogs/icons_dialog.h"
#include "resources/resource_ids.h"
#include "state/display_scale.h"
#include "tests/dialogs/call_recorder.h"
#include "tests/dialogs/dialog_setup.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <fstream>

using namespace scripted;

namespace {

const std::string kShots = "c:\\orvel-tests\\shots\\";

void RunQueue() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Keeps the window on screen, painted (and the search run), until the shot
// is taken.
Step HoldFor(const std::string& name) {
  return Call([name](HWND window) {
    ShowNow(window);
    RunQueue();
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    std::ofstream(kShots + "ready-" + name)
        << origin.x << ' ' << origin.y << ' ' << client.right << ' '
        << client.bottom << '\n';
    const std::string done = kShots + "done-" + name;
    for (int waited = 0; waited < 30000; waited += 50) {
      RunQueue();
      if (GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES)
        return;
      Sleep(50);
    }
  });
}

TEST(DISABLED_Screenshots, EachDialog) {
  // As the installer's manifest declares: it scales itself.
  SetProcessDPIAware();
  ResetForDialogs();
  MakeFolders(kShots);
  // Where the installer window stands on a 1024 by 768 screen, scaled.
  HWND main =
      CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, ScaledPixels(192),
                      ScaledPixels(144), ScaledPixels(640), ScaledPixels(480),
                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  state.mainWindow = main;
  state.shortcutFlags = 6;
  lstrcpyA(state.destinationPath, "c:\\Orvel\\");
  ScriptedUser user;
  user.Answer({HoldFor("agree"), Escape()});
  RunAgreementDialog(main);
  state.updateMode = 1;
  user.Answer({HoldFor("changes"), Escape()});
  RunAgreementDialog(main);
  state.updateMode = 0;
  user.Answer({HoldFor("icons"), Escape()});
  ChooseIcons(main);
  // Search first: the browser leaves the drive root, which Search refuses.
  user.Answer(
          {HoldFor("changeit"), Press(IDC_SEARCH), Press(IDC_BROWSE), Escape()})
      .Answer({HoldFor("search"), Escape()})
      .Answer({HoldFor("browser"), Escape()});
  RunChangeDestinationDialog(main);
  user.Answer({HoldFor("help1"), Press(IDC_FORWARD), Press(IDC_FORWARD),
               Press(IDC_FORWARD), HoldFor("help4"), Press(IDC_FORWARD),
               Press(IDC_FORWARD), Press(IDC_FORWARD), Press(IDC_FORWARD),
               HoldFor("help8"), Escape()});
  RunHelpPager(main);
  user.Answer({HoldFor("about"), Press(IDOK)});
  ShowTableMessage(main, CMD_ABOUT, "Orvel Install  Ver. 1.04  (32 bit)");
  DestroyWindow(main);
}

} // namespace
