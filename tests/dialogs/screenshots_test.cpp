// Not run by CTest: opens each dialog on a real display and holds it until
// a screenshot has been taken. Run with --gtest_also_run_disabled_tests
// and --gtest_filter=*Screenshots*; for each dialog it creates
// c:\orvel-tests\shots\ready-NAME and waits for done-NAME.
#include "dialogs/about_box.h"
#include "dialogs/agreement_dialog.h"
#include "dialogs/change_destination_dialog.h"
#include "dialogs/help_pager.h"
#include "dialogs/icons_dialog.h"
#include "resources/resource_ids.h"
#include "tests/dialogs/call_recorder.h"
#include "tests/dialogs/dialog_setup.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

#include <dlgs.h>

using namespace scripted;

namespace {

const std::string kShots = "c:\\orvel-tests\\shots\\";

// Keeps the window on screen, painted, until the shot is taken.
Step HoldFor(const std::string& name) {
  return Call([name](HWND window) {
    ShowNow(window);
    MakeFile(kShots + "ready-" + name);
    const std::string done = kShots + "done-" + name;
    for (int waited = 0; waited < 30000; waited += 50) {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
      if (GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES)
        return;
      Sleep(50);
    }
  });
}

TEST(DISABLED_Screenshots, EachDialog) {
  ResetForDialogs();
  MakeFolders(kShots);
  HWND main = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 192, 144,
                              640, 480, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
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
  user.Answer({HoldFor("changeit"), Press(IDC_BROWSE), Escape()})
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
