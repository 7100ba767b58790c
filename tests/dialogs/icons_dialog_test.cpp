// The ICONS dialog, driven by the scripted user.
#include "dialogs/icons_dialog.h"

#include "resources/resource_ids.h"
#include "tests/dialogs/call_recorder.h"
#include "tests/dialogs/dialog_setup.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

using namespace scripted;

namespace {

// A stand-in for the installer's main window, where the user left it.
class MainWindow {
public:
  MainWindow(int x, int y) {
    window = CreateWindowExA(0, "STATIC", "Install", WS_POPUP | WS_VISIBLE, x,
                             y, 640, 480, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    state.mainWindow = window;
  }
  ~MainWindow() { DestroyWindow(window); }
  HWND window;
};

class IconsDialog : public ::testing::Test {
protected:
  void SetUp() override {
    ResetForDialogs();
    state.mainWindow = main.window;
    state.shortcutFlags = 6;
  }
  MainWindow main{100, 80};
};

TEST_F(IconsDialog, DefaultFlagsTickDesktopAndPrograms) {
  ScriptedUser user;
  user.Answer({Press(IDC_OK)});
  EXPECT_EQ(1, ChooseIcons(main.window));
  EXPECT_EQ(6, state.shortcutFlags);
  ASSERT_EQ(1u, user.shown().size());
  const Shown& d = user.shown()[0];
  EXPECT_EQ("Choose Shortcut Icons", d.caption);
  EXPECT_EQ(main.window, d.owner);
  EXPECT_EQ(BST_CHECKED, d.control(IDC_ICON_DESKTOP)->checked);
  EXPECT_EQ(BST_CHECKED, d.control(IDC_ICON_PROGRAMS)->checked);
  EXPECT_EQ(BST_UNCHECKED, d.control(IDC_ICON_STARTUP)->checked);
}

TEST_F(IconsDialog, ClearingAllGivesNoShortcuts) {
  ScriptedUser user;
  user.Answer({Clear(IDC_ICON_DESKTOP), Clear(IDC_ICON_PROGRAMS), Enter()});
  EXPECT_EQ(1, ChooseIcons(main.window));
  EXPECT_EQ(0, state.shortcutFlags);
}

TEST_F(IconsDialog, OkClearsRemoveOnlyAndKeepsTheHigherBits) {
  state.shortcutFlags = 0x01 | 0x02 | 0x10 | 0x80;
  ScriptedUser user;
  user.Answer({Clear(IDC_ICON_DESKTOP), Tick(IDC_ICON_STARTUP), Press(IDC_OK)});
  EXPECT_EQ(1, ChooseIcons(main.window));
  EXPECT_EQ(0x08 | 0x10 | 0x80, state.shortcutFlags);
}

TEST_F(IconsDialog, EscapeBeepsReturnsZeroAndLeavesTheFlags) {
  state.shortcutFlags = 0x02 | 0x10;
  CallRecorder recorder;
  ScriptedUser user;
  user.Answer({Tick(IDC_ICON_STARTUP), Clear(IDC_ICON_DESKTOP), Escape()});
  EXPECT_EQ(0, ChooseIcons(main.window));
  EXPECT_EQ(0x02 | 0x10, state.shortcutFlags);
  EXPECT_EQ((std::vector<UINT>{MB_ICONEXCLAMATION}), recorder.beeps());
}

POINT Centre(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(IconsDialog, OpensCentredOverTheMainWindowWhereverItIs) {
  for (POINT at : {POINT{100, 80}, POINT{-200, 300}}) {
    SetWindowPos(main.window, nullptr, at.x, at.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    POINT dialogCentre = {0, 0};
    ScriptedUser user;
    user.Answer({Call([&](HWND d) { dialogCentre = Centre(d); }), Escape()});
    ChooseIcons(main.window);
    POINT mainCentre = Centre(main.window);
    // Halving the two widths separately may differ by one pixel.
    EXPECT_NEAR(mainCentre.x, dialogCentre.x, 1);
    EXPECT_NEAR(mainCentre.y, dialogCentre.y, 1);
  }
}

// The line under the boxes, as painted, and where it should stand.
struct UsersLine {
  std::vector<PaintedText> painted;
  int expectedX = 0;
};

UsersLine PaintedUsersLine(HWND owner) {
  UsersLine line;
  CallRecorder recorder;
  ScriptedUser user;
  user.Answer({Call([&](HWND d) {
                 InvalidateRect(d, nullptr, TRUE);
                 recorder.Clear();
                 PaintNow(d);
                 line.painted = recorder.texts();
                 if (line.painted.size() != 1)
                   return;
                 HDC dc = GetDC(d);
                 SIZE size;
                 const std::string& t = line.painted[0].text;
                 GetTextExtentPoint32A(dc, t.c_str(),
                                       static_cast<int>(t.size()), &size);
                 ReleaseDC(d, dc);
                 RECT client;
                 GetClientRect(d, &client);
                 line.expectedX = (client.right - size.cx) / 2;
               }),
               Press(IDC_OK)});
  ChooseIcons(owner);
  return line;
}

TEST_F(IconsDialog, AllUsersLineIsPaintedCentredBelowTheBoxes) {
  state.allUsersShortcuts = 1;
  UsersLine all = PaintedUsersLine(main.window);
  ASSERT_EQ(1u, all.painted.size());
  EXPECT_EQ("(For ALL users!)", all.painted[0].text);
  EXPECT_EQ(112, all.painted[0].y);
  EXPECT_EQ(all.expectedX, all.painted[0].x);

  state.allUsersShortcuts = 0;
  UsersLine current = PaintedUsersLine(main.window);
  ASSERT_EQ(1u, current.painted.size());
  EXPECT_EQ("(ONLY for CURRENT user!)", current.painted[0].text);
  EXPECT_EQ(112, current.painted[0].y);
  EXPECT_EQ(current.expectedX, current.painted[0].x);
  EXPECT_LT(current.painted[0].x, all.painted[0].x);
}

} // namespace
