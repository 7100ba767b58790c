// The "List of Files" box, read back from the real message box.
#include "engine/file_list.h"
#include "engine/file_list_text.h"

#include "tests/support/installer_state_reset.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

using namespace scripted;

namespace {

class FileList : public ::testing::Test {
protected:
  HWND owner = nullptr;
  void SetUp() override {
    ResetInstallerState();
    // A full installation with its defaults.
    state.shortcutFlags = 6;
    state.agreementIncluded = 1;
    state.windowsVersionClass = 5;
    strcpy(state.destinationPath, "c:\\Orvel\\");
    owner = CreateWindowA("STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                          nullptr, nullptr, nullptr);
    state.mainWindow = owner;
  }
  void TearDown() override { DestroyWindow(owner); }

  // Shows the box and returns its text, checking caption, style and owner.
  std::string Shown() {
    ScriptedUser user;
    user.Answer({Press(IDOK)});
    ShowFileList();
    if (user.shown().size() != 1) {
      ADD_FAILURE() << "boxes shown: " << user.shown().size();
      return "";
    }
    const scripted::Shown& box = user.shown()[0];
    EXPECT_TRUE(box.isMessageBox);
    EXPECT_EQ("List of Files", box.caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), box.style);
    EXPECT_EQ(owner, box.owner);
    return box.text;
  }
};

TEST_F(FileList, AFullInstallationListsFilesIconsAndTheAgreement) {
  EXPECT_EQ("Files Installed with this program:\n"
            "\n"
            "orvel.exe\n"
            "orvel.chm\n"
            "\n"
            "Desktop Icon\n"
            "Programs Menu Icon\n"
            "\n"
            "User Agreement File: 'eula.txt'",
            Shown());
}

TEST_F(FileList, NoChosenIconGivesNoIconLines) {
  const std::string withoutIcons = "Files Installed with this program:\n\n"
                                   "orvel.exe\norvel.chm\n\n"
                                   "User Agreement File: 'eula.txt'";
  state.shortcutFlags = 0;
  EXPECT_EQ(withoutIcons, Shown());
  // The uninstall shortcut is listed only beside one of the others.
  state.shortcutFlags = 0x10;
  EXPECT_EQ(withoutIcons, Shown());
}

TEST_F(FileList, EveryIconInItsOrder) {
  state.shortcutFlags = 0x1E;
  EXPECT_EQ("Files Installed with this program:\n\norvel.exe\norvel.chm\n\n"
            "Desktop Icon\nPrograms Menu Icon\nPrograms Menu Un-Install Icon\n"
            "Programs Startup Icon\n\n"
            "User Agreement File: 'eula.txt'",
            Shown());
}

TEST_F(FileList, Windows3xHasNoIcons) {
  state.windowsVersionClass = 3;
  state.shortcutFlags = 0x0E;
  EXPECT_EQ("Files Installed with this program:\n\norvel.exe\norvel.chm\n\n"
            "User Agreement File: 'eula.txt'",
            Shown());
}

TEST_F(FileList, AnUpdateHasItsBannerAndTheNewChangesFile) {
  state.updateMode = 1;
  EXPECT_EQ("<<  Orvel UPDATE  >>\n\n"
            "Files Installed with this program:\n\norvel.exe\norvel.chm\n\n"
            "Desktop Icon\nPrograms Menu Icon\n\n"
            "New Changes File: 'new.txt'",
            Shown());
}

TEST_F(FileList, WithoutAnAgreementTheListEndsWithTheIcons) {
  state.agreementIncluded = 0;
  EXPECT_EQ("Files Installed with this program:\n\norvel.exe\norvel.chm\n\n"
            "Desktop Icon\nPrograms Menu Icon\n",
            Shown());
}

TEST_F(FileList, UninstallShowsOnlyTheWarning) {
  state.uninstallMode = 1;
  state.updateMode = 1;
  strcpy(state.destinationPath, "c:\\orvel-tests\\list\\");
  EXPECT_EQ("  WARNING!!!!!!!\n"
            "\n"
            "If you UNINSTALL Orvel,\n"
            "ALL FILES, FOLDERS, and SUBFOLDERS located in:\n"
            "\n"
            "c:\\orvel-tests\\list\\\n"
            "\n"
            "will be DESTROYED, (including the Shortcut Icons)\n",
            Shown());
}

TEST(FileListText, IsCutShortRatherThanWrittenPastItsBuffer) {
  char text[16];
  memset(text, '#', sizeof text);
  FileListChoices choices = {InstallMode::Full, 6, 5, 1, "c:\\Orvel\\"};
  FormatFileList(text, 12, choices);
  EXPECT_STREQ("Files Insta", text);
  EXPECT_EQ('#', text[12]);

  std::string longPath(2000, 'x');
  char warning[1400];
  choices.mode = InstallMode::Uninstall;
  choices.destinationPath = longPath.c_str();
  FormatFileList(warning, sizeof warning, choices);
  EXPECT_EQ(sizeof warning - 1, strlen(warning));
}

} // namespace
