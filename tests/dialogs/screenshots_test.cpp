// Run by screenshots.sh, not directly: opens each dialog on a real display
// and holds it until a screenshot has been taken. Run with
// --gtest_also_run_disabled_tests and --gtest_filter=*Screenshots*; for
// each dialog it writes the screen rectangle of its client area ("x y w h")
// to c:\orvel-tests\shots\ready-NAME and waits for done-NAME. At every
// display scale, what the dialogs paint must keep its place among their
// controls.
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
#include <vector>

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

typedef void (*PaintCheck)(HWND dialog,
                           const std::vector<PaintedText>& painted);

// Keeps the window on screen, painted (and the search run), until the shot
// is taken; first checks what the dialog painted.
Step HoldFor(const std::string& name, PaintCheck check = nullptr) {
  return Call([name, check](HWND window) {
    ShowNow(window);
    RunQueue();
    if (check) {
      CallRecorder recorder;
      InvalidateRect(window, nullptr, TRUE);
      PaintNow(window);
      check(window, recorder.texts());
    }
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

// In the dialog's client coordinates.
RECT PaintedRect(HWND dialog, const PaintedText& text) {
  HDC dc = GetDC(dialog);
  SIZE size = {0, 0};
  GetTextExtentPoint32A(dc, text.text.c_str(),
                        static_cast<int>(text.text.size()), &size);
  ReleaseDC(dialog, dc);
  return {text.x, text.y, text.x + size.cx, text.y + size.cy};
}

RECT ControlRect(HWND dialog, int id) {
  RECT r;
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool SameRow(const RECT& a, const RECT& b) {
  return a.top < b.bottom && b.top < a.bottom;
}

// The instruction above the edit box, each button label in its button's
// row.
void LabelsBesideTheirControls(HWND d, const std::vector<PaintedText>& p) {
  ASSERT_EQ(4u, p.size());
  EXPECT_LE(PaintedRect(d, p[1]).bottom,
            ControlRect(d, IDC_DESTINATION_EDIT).top);
  EXPECT_TRUE(
      SameRow(PaintedRect(d, p[2]), ControlRect(d, IDC_DEFAULT_DESTINATION)));
  EXPECT_TRUE(SameRow(PaintedRect(d, p[3]), ControlRect(d, IDC_SEARCH)));
}

void UsersLineBelowTheBoxes(HWND d, const std::vector<PaintedText>& p) {
  ASSERT_EQ(1u, p.size());
  RECT line = PaintedRect(d, p[0]);
  EXPECT_GE(line.top, ControlRect(d, IDC_ICON_STARTUP).bottom);
  EXPECT_LE(line.bottom, ControlRect(d, IDC_OK).top);
}

// Every row above the buttons; the footer, painted last, stands beside
// them.
void RowsAboveTheButtons(HWND d, const std::vector<PaintedText>& p) {
  ASSERT_GT(p.size(), 1u);
  for (size_t i = 0; i + 1 < p.size(); ++i)
    EXPECT_LE(PaintedRect(d, p[i]).bottom, ControlRect(d, IDC_BACK).top)
        << p[i].text;
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
  user.Answer({HoldFor("icons", UsersLineBelowTheBoxes), Escape()});
  ChooseIcons(main);
  // Search first: the browser leaves the drive root, which Search refuses.
  user.Answer({HoldFor("changeit", LabelsBesideTheirControls),
               Press(IDC_SEARCH), Press(IDC_BROWSE), Escape()})
      .Answer({HoldFor("search"), Escape()})
      .Answer({HoldFor("browser"), Escape()});
  RunChangeDestinationDialog(main);
  user.Answer({HoldFor("help1", RowsAboveTheButtons), Press(IDC_FORWARD),
               Press(IDC_FORWARD), Press(IDC_FORWARD),
               HoldFor("help4", RowsAboveTheButtons), Press(IDC_FORWARD),
               Press(IDC_FORWARD), Press(IDC_FORWARD), Press(IDC_FORWARD),
               HoldFor("help8", RowsAboveTheButtons), Escape()});
  RunHelpPager(main);
  user.Answer({HoldFor("about"), Press(IDOK)});
  ShowTableMessage(main, CMD_ABOUT, "Orvel Install  Ver. 1.04  (32 bit)");
  DestroyWindow(main);
}

} // namespace
