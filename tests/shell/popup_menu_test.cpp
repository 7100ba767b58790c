// The right-click menu, read back from the real popup while it is
// tracked, in every mode.
#include "resources/resource_ids.h"
#include "state/installer_state.h"
#include "tests/shell/commands_test_support.h"
#include "tests/shell/main_window_helper.h"
#include "tests/support/installer_state_reset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace commands_test;

namespace {

typedef std::vector<std::string> Entries;

// One line per entry: "text #id", "(greyed)" added; "---" for a separator;
// "text >" for a submenu, whose entries go to `submenu`.
Entries ReadMenu(HMENU menu, Entries* submenu) {
  Entries entries;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[128] = "";
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, i, TRUE, &info);
    if (info.fType & MFT_SEPARATOR) {
      entries.push_back("---");
    } else if (info.hSubMenu) {
      entries.push_back(std::string(text) + " >");
      if (submenu)
        *submenu = ReadMenu(info.hSubMenu, nullptr);
    } else {
      std::string line = std::string(text) + " #" + std::to_string(info.wID);
      if (info.fState & MFS_GRAYED)
        line += " (greyed)";
      entries.push_back(line);
    }
  }
  return entries;
}

struct Tracked {
  Entries entries;
  Entries submenu;
  RECT popup = {};
  POINT expectedCorner = {};
  bool shown = false;
  bool destroyedAfterwards = false;
};

// Right-clicks the window at client point (x, y), reads the popup while
// it is tracked and closes it as Esc would.
Tracked RightClick(int x, int y) {
  Tracked tracked;
  HWND window = CreateCommandsWindow();
  HMENU popup = nullptr;
  observeMessage = [&](HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITMENUPOPUP && !popup) {
      popup = reinterpret_cast<HMENU>(wParam);
      tracked.entries = ReadMenu(popup, &tracked.submenu);
    }
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
      HWND menuWindow = reinterpret_cast<HWND>(lParam);
      tracked.shown = IsWindowVisible(menuWindow) != 0;
      GetWindowRect(menuWindow, &tracked.popup);
      EndMenu();
    }
    if (message == WM_TIMER && wParam == 77) // never left open
      EndMenu();
    (void)w;
  };
  SetTimer(window, 77, 5000, nullptr);
  POINT corner = {x, y};
  ClientToScreen(window, &corner);
  tracked.expectedCorner = {corner.x - 15, corner.y - 35};
  SendMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
  KillTimer(window, 77);
  observeMessage = nullptr;
  tracked.destroyedAfterwards = popup && !IsMenu(popup);
  DestroyCommandsWindow(window);
  return tracked;
}

const Entries kUtilities = {"Monitor Setup #13 (greyed)",
                            "Backup Data #12 (greyed)", "---",
                            "Switch to Un-Install #11"};

Entries FullMenu(const char* agreementEntry, const char* beginEntry,
                 bool iconChoice) {
  Entries entries = {"Help #3", "---"};
  if (agreementEntry) {
    entries.push_back(std::string(agreementEntry) + " #8");
    entries.push_back("---");
  }
  if (iconChoice) {
    entries.push_back("Choose Icons #9");
    entries.push_back("---");
  }
  for (const char* line :
       {"Change Destination #2", "---", "List of Files #7", "---", " #6"})
    entries.push_back(line);
  entries.push_back(std::string(beginEntry) + " #6");
  for (const char* line :
       {" #6", "---", "Exit #1", "---", "Utilities >", "---", "About... #18"})
    entries.push_back(line);
  return entries;
}

class PopupMenu : public ::testing::Test {
protected:
  void SetUp() override {
    ResetInstallerState();
    state.agreementIncluded = 1;
    state.iconChoiceOffered = 1;
    state.destinationChangeable = 1;
    state.iconsOffered = 1;
  }
};

TEST_F(PopupMenu, FullInstallationOffersEveryEntryAtTheClickPoint) {
  Tracked menu = RightClick(300, 60);
  EXPECT_EQ(FullMenu("Read EULA", "Begin Installation", true), menu.entries);
  EXPECT_EQ(kUtilities, menu.submenu);
  EXPECT_TRUE(menu.shown);
  // 15 pixels left of and 35 above the click.
  EXPECT_EQ(menu.expectedCorner.x, menu.popup.left);
  EXPECT_EQ(menu.expectedCorner.y, menu.popup.top);
  EXPECT_TRUE(menu.destroyedAfterwards);
}

TEST_F(PopupMenu, UpdateReadsTheNewChanges) {
  state.updateMode = 1;
  Tracked menu = RightClick(200, 100);
  EXPECT_EQ(FullMenu("Read New Changes", "Begin Update", true), menu.entries);
  EXPECT_EQ(kUtilities, menu.submenu);
}

TEST_F(PopupMenu, UninstallHasNoIconChoiceAndTheSameUtilities) {
  state.uninstallMode = 1;
  state.iconChoiceOffered = 0;
  Tracked menu = RightClick(200, 100);
  EXPECT_EQ(FullMenu("Read EULA", " UN-INSTALL Orvel", false), menu.entries);
  EXPECT_EQ(kUtilities, menu.submenu);
}

TEST_F(PopupMenu, UninstallWinsOverUpdate) {
  state.uninstallMode = 1;
  state.updateMode = 1;
  Tracked menu = RightClick(200, 100);
  EXPECT_EQ(FullMenu("Read New Changes", " UN-INSTALL Orvel", true),
            menu.entries);
}

TEST_F(PopupMenu, WithoutIconChoiceOrAgreementThoseEntriesGo) {
  state.iconChoiceOffered = 0;
  EXPECT_EQ(FullMenu("Read EULA", "Begin Installation", false),
            RightClick(200, 100).entries);
  state.iconChoiceOffered = 1;
  state.agreementIncluded = 0;
  EXPECT_EQ(FullMenu(nullptr, "Begin Installation", true),
            RightClick(200, 100).entries);
}

// The installer's own window started with /UN, its menu read while the
// window's own procedure tracks it.
WNDPROC mainWindowProc = nullptr;
Entries readFromMainWindow;

LRESULT CALLBACK ReadingProc(HWND window, UINT message, WPARAM wParam,
                             LPARAM lParam) {
  if (message == WM_INITMENUPOPUP && readFromMainWindow.empty())
    readFromMainWindow = ReadMenu(reinterpret_cast<HMENU>(wParam), nullptr);
  if (message == WM_ENTERIDLE && wParam == MSGF_MENU)
    EndMenu();
  return CallWindowProcA(mainWindowProc, window, message, wParam, lParam);
}

TEST(PopupMenuOfTheInstaller, StartedWithUnOffersNoIconChoice) {
  TestMainWindow main("/UN");
  main.ShowAndPaint();
  EXPECT_EQ("UN-Install", scripted::WindowText(main.window));
  readFromMainWindow.clear();
  mainWindowProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      main.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ReadingProc)));
  SendMessageA(main.window, WM_RBUTTONUP, 0, MAKELPARAM(300, 100));
  SetWindowLongPtrA(main.window, GWLP_WNDPROC,
                    reinterpret_cast<LONG_PTR>(mainWindowProc));
  EXPECT_EQ(FullMenu("Read EULA", " UN-INSTALL Orvel", false),
            readFromMainWindow);
}

} // namespace
