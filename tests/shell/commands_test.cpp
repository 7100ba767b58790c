// The commands of the main window as a person reaches them: the menu bar,
// the accelerator keys, F5 and F9, and the dispatcher's single commands.
#include "resources/resource_ids.h"
#include "state/installer_state.h"
#include "tests/shell/commands_test_support.h"
#include "tests/support/installer_state_reset.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace commands_test;
using namespace scripted;

namespace {

class Commands : public ::testing::Test {
protected:
  void SetUp() override {
    ResetInstallerState();
    state.agreementIncluded = 1;
    state.destinationChangeable = 1;
    state.iconsOffered = 1;
    state.iconChoiceOffered = 1;
    state.shortcutFlags = 6;
    lstrcpyA(state.installerVersion, "1.04");
    lstrcpyA(state.destinationPath, "c:\\orvel-tests\\commands\\");
    window = CreateCommandsWindow();
  }
  void TearDown() override { DestroyCommandsWindow(window); }

  // Runs the main loop until the user has seen `count` windows.
  bool LoopUntilShown(const ScriptedUser& user, size_t count) {
    return RunMessageLoop([&] { return user.shown().size() >= count; }, 5000);
  }
  // Runs the main loop for a while, so that anything posted is handled.
  void LoopBriefly() {
    RunMessageLoop([] { return false; }, 300);
  }

  HWND window = nullptr;
};

// What each command shows first; the answer closes it again.
struct CommandWindow {
  int id;
  const char* caption;
  Step answer;
};

const std::vector<CommandWindow>& CommandWindows() {
  static const std::vector<CommandWindow> windows = {
      {CMD_CHANGE_DESTINATION, "Change Destination Folder:", Press(IDC_CANCEL)},
      {CMD_LIST_FILES, "List of Files", Press(IDOK)},
      {CMD_HELP, "Information and Details", Press(IDC_OK)},
      {CMD_ABOUT, "About Install", Press(IDOK)},
      {CMD_READ_AGREEMENT, "End User License Agreement", Press(IDC_CANCEL)},
      {CMD_CHOOSE_ICONS, "Choose Shortcut Icons", Escape()},
  };
  return windows;
}

const CommandWindow& WindowOf(int id) {
  for (const CommandWindow& w : CommandWindows())
    if (w.id == id)
      return w;
  return CommandWindows()[0];
}

TEST_F(Commands, MenuBarHoldsTheFiveCommands) {
  HMENU bar = GetMenu(window);
  ASSERT_NE(nullptr, bar);
  std::vector<std::string> items;
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    char text[64] = "";
    GetMenuStringA(bar, i, text, sizeof text, MF_BYPOSITION);
    items.push_back(std::string(text) + " #" +
                    std::to_string(GetMenuItemID(bar, i)));
  }
  EXPECT_EQ((std::vector<std::string>{"  E&xit   #1", "&Change Destination #2",
                                      "&List of Files #7", "   &Help    #3",
                                      "&About Install #18"}),
            items);
}

TEST_F(Commands, MenuBarItemsDriveTheirCommands) {
  // Alt with an item's underlined letter picks it, as a click would.
  for (int id : {CMD_CHANGE_DESTINATION, CMD_LIST_FILES, CMD_HELP, CMD_ABOUT}) {
    const char letter = id == CMD_CHANGE_DESTINATION ? 'c'
                        : id == CMD_LIST_FILES       ? 'l'
                        : id == CMD_HELP             ? 'h'
                                                     : 'a';
    ScriptedUser user;
    user.Answer({WindowOf(id).answer});
    PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, letter);
    ASSERT_TRUE(LoopUntilShown(user, 1)) << letter;
    EXPECT_EQ(WindowOf(id).caption, user.shown()[0].caption);
  }
  PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 'x');
  EXPECT_TRUE(RunMessageLoop([&] { return !IsWindow(window); }, 5000));
}

TEST_F(Commands, AcceleratorLettersAndF1DriveTheirCommands) {
  struct Key {
    UINT message;
    WPARAM key;
    int id;
  };
  const Key keys[] = {
      {WM_CHAR, 'c', CMD_CHANGE_DESTINATION},
      {WM_CHAR, 'C', CMD_CHANGE_DESTINATION},
      {WM_CHAR, 'h', CMD_HELP},
      {WM_CHAR, 'H', CMD_HELP},
      {WM_KEYDOWN, VK_F1, CMD_HELP},
      {WM_CHAR, 'l', CMD_LIST_FILES},
      {WM_CHAR, 'L', CMD_LIST_FILES},
      {WM_CHAR, 'a', CMD_ABOUT},
      {WM_CHAR, 'A', CMD_ABOUT},
  };
  for (const Key& key : keys) {
    ScriptedUser user;
    user.Answer({WindowOf(key.id).answer});
    PostMessageA(window, key.message, key.key, 1);
    ASSERT_TRUE(LoopUntilShown(user, 1)) << static_cast<char>(key.key);
    EXPECT_EQ(WindowOf(key.id).caption, user.shown()[0].caption)
        << static_cast<char>(key.key);
  }
}

TEST_F(Commands, QAndXInEitherCaseExit) {
  for (char key : {'q', 'Q', 'x', 'X'}) {
    PostMessageA(window, WM_CHAR, key, 1);
    EXPECT_TRUE(RunMessageLoop([&] { return !IsWindow(window); }, 5000)) << key;
    DestroyCommandsWindow(window);
    window = CreateCommandsWindow();
  }
}

TEST_F(Commands, F5AndF9ArePostedNotRunInsideTheKey) {
  ScriptedUser user;
  user.Answer({Press(IDC_CANCEL)}).Answer({Press(IDOK)});
  SendMessageA(window, WM_KEYDOWN, VK_F5, 0);
  EXPECT_TRUE(user.shown().empty());
  ASSERT_TRUE(LoopUntilShown(user, 1));
  EXPECT_EQ("End User License Agreement", user.shown()[0].caption);

  SendMessageA(window, WM_KEYDOWN, VK_F9, 0);
  EXPECT_EQ(1u, user.shown().size());
  ASSERT_TRUE(LoopUntilShown(user, 2));
  EXPECT_EQ("List of Files", user.shown()[1].caption);

  // Other keys start nothing (Enter and Space act on the focus).
  for (WPARAM key : {WPARAM(VK_F2), WPARAM(VK_ESCAPE), WPARAM('C')})
    SendMessageA(window, WM_KEYDOWN, key, 0);
  LoopBriefly();
  EXPECT_EQ(2u, user.shown().size());
}

TEST_F(Commands, CTypedInsideADialogDoesNothingSpecial) {
  ScriptedUser user;
  auto typeC = [](HWND dialog) {
    HWND focus = GetFocus() ? GetFocus() : dialog;
    for (char c : {'c', 'C'}) {
      PostMessageA(focus, WM_KEYDOWN, 'C', 1);
      PostMessageA(focus, WM_CHAR, c, 1);
      PostMessageA(focus, WM_KEYUP, 'C', 0xC0000001);
    }
  };
  user.Answer({Call(typeC), Read(IDC_AGREE_LABEL), Press(IDC_CANCEL)});
  PostMessageA(window, WM_KEYDOWN, VK_F5, 0);
  ASSERT_TRUE(LoopUntilShown(user, 1));
  LoopBriefly();
  ASSERT_EQ(1u, user.shown().size());
  EXPECT_EQ("End User License Agreement", user.shown()[0].caption);
  EXPECT_EQ(1u, user.shown()[0].reads.size());
  EXPECT_TRUE(IsWindow(window));
}

TEST_F(Commands, AboutShowsTheNameAndVersion) {
  ScriptedUser user;
  user.Answer({Press(IDOK)});
  SendMessageA(window, WM_COMMAND, CMD_ABOUT, 0);
  ASSERT_EQ(1u, user.shown().size());
  EXPECT_EQ("About Install", user.shown()[0].caption);
  EXPECT_EQ(0u, user.shown()[0].text.find("Orvel Install  Ver. 1.04  (32 bit)"))
      << user.shown()[0].text;
  EXPECT_EQ(window, user.shown()[0].owner);
}

TEST_F(Commands, DialogsRepaintTheWholeWindow) {
  for (int id : {CMD_HELP, CMD_READ_AGREEMENT, CMD_CHANGE_DESTINATION}) {
    ValidateRect(window, nullptr);
    ScriptedUser user;
    user.Answer({WindowOf(id).answer});
    SendMessageA(window, WM_COMMAND, id, 0);
    ASSERT_EQ(1u, user.shown().size());
    RECT dirty = {};
    EXPECT_NE(0, GetUpdateRect(window, &dirty, FALSE)) << id;
    RECT client;
    GetClientRect(window, &client);
    EXPECT_TRUE(EqualRect(&client, &dirty)) << id;
  }
}

TEST_F(Commands, AFixedDestinationIsOnlyExplained) {
  state.destinationChangeable = 0;
  ScriptedUser user;
  user.Answer({Press(IDOK)});
  SendMessageA(window, WM_COMMAND, CMD_CHANGE_DESTINATION, 0);
  ASSERT_EQ(1u, user.shown().size());
  const Shown& box = user.shown()[0];
  EXPECT_TRUE(box.isMessageBox);
  EXPECT_EQ("Information", box.caption);
  EXPECT_EQ("Sorry, this MUST be installed in the Current Destination.",
            box.text);
  EXPECT_EQ(0x10u, box.style);
  EXPECT_EQ(window, box.owner);
}

TEST_F(Commands, IconsAreChosenOnlyOutsideUninstallMode) {
  ScriptedUser user;
  user.Answer({Clear(IDC_ICON_DESKTOP), Press(IDC_OK)});
  SendMessageA(window, WM_COMMAND, CMD_CHOOSE_ICONS, 0);
  ASSERT_EQ(1u, user.shown().size());
  EXPECT_EQ("Choose Shortcut Icons", user.shown()[0].caption);

  state.uninstallMode = 1;
  SendMessageA(window, WM_COMMAND, CMD_CHOOSE_ICONS, 0);
  EXPECT_EQ(1u, user.shown().size());
}

TEST_F(Commands, GreyedAndUnknownIdsDoNothing) {
  ScriptedUser user;
  for (int id : {CMD_BACKUP_DATA, CMD_MONITOR_SETUP, 4, 5, 10, 17, 19, 999})
    EXPECT_EQ(0, SendMessageA(window, WM_COMMAND, id, 0)) << id;
  LoopBriefly();
  EXPECT_TRUE(user.shown().empty());
  EXPECT_TRUE(IsWindow(window));
}

} // namespace
