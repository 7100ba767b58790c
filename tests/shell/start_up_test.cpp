// Start-up: the state's defaults, the uninstall switch, the installer's
// own folder and version, and the window WinMain creates.
#include "shell/start_up.h"
#include "state/installer_state.h"
#include "tests/shell/main_window_helper.h"
#include "tests/support/installer_state_reset.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(StartUp, DefaultsOfThisBuild) {
  TestMainWindow main;
  EXPECT_EQ(0, state.uninstallMode);
  EXPECT_EQ(InstallMode::Full, CurrentInstallMode());
  EXPECT_STREQ("c:\\Orvel\\", state.destinationPath);
  EXPECT_EQ(0, state.installPerformed);
  EXPECT_EQ(0, state.agreementAccepted);
  EXPECT_EQ(1, state.iconChoiceOffered);
  EXPECT_EQ(6, state.shortcutFlags);
  EXPECT_EQ(1, state.destinationChangeable);
  EXPECT_EQ(0, state.updateMode);
  EXPECT_EQ(1, state.agreementIncluded);
  EXPECT_EQ(1, state.iconsOffered);
  EXPECT_EQ(640, state.windowWidth);
  EXPECT_EQ(480, state.windowHeight);
  EXPECT_EQ(main.window, state.mainWindow);
  // The test executable carries the installer's resources, its version
  // resource included.
  EXPECT_STREQ("1.04", state.installerVersion);
  char title[32];
  GetWindowTextA(main.window, title, sizeof title);
  EXPECT_STREQ("Install", title);
}

TEST(StartUp, UninstallSwitchOutlastsTheDefaults) {
  for (const char* tail : {"/un", "/Un", "/uN", "/UN", "/Uninstall", "x/unx"}) {
    SCOPED_TRACE(tail);
    TestMainWindow main(tail);
    EXPECT_EQ(1, state.uninstallMode);
    EXPECT_EQ(0, state.iconChoiceOffered);
    EXPECT_EQ(6, state.shortcutFlags);
    EXPECT_EQ(InstallMode::Uninstall, CurrentInstallMode());
    char title[32];
    GetWindowTextA(main.window, title, sizeof title);
    EXPECT_STREQ("UN-Install", title);
  }
  for (const char* tail : {"-UN", "/U N"}) {
    SCOPED_TRACE(tail);
    TestMainWindow main(tail);
    EXPECT_EQ(0, state.uninstallMode);
    EXPECT_EQ(1, state.iconChoiceOffered);
  }
}

TEST(StartUp, WindowIsCentredWithCaptionAndCloseBoxOnly) {
  TestMainWindow main;
  RECT frame;
  GetWindowRect(main.window, &frame);
  EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 640) / 2, frame.left);
  EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 480) / 2, frame.top);
  EXPECT_EQ(640, frame.right - frame.left);
  EXPECT_EQ(480, frame.bottom - frame.top);
  LONG style = GetWindowLongA(main.window, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_EQ(WS_CAPTION, style & WS_CAPTION);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_NE(nullptr, GetMenu(main.window));
  char className[32];
  GetClassNameA(main.window, className, sizeof className);
  EXPECT_STREQ("Installation", className);
}

// Loads a file as the installer's module and runs the start-up on it.
struct StartedFrom {
  explicit StartedFrom(const char* path) {
    HMODULE module = LoadLibraryExA(path, nullptr, DONT_RESOLVE_DLL_REFERENCES);
    EXPECT_NE(nullptr, module) << path;
    ResetInstallerState();
    lstrcpyA(state.versionFileVersion, "stale");
    state.appInstance = module;
    scripted::ScriptedUser user;
    InitializeState(nullptr);
    FreeLibrary(module);
    boxes = user.shown().size();
  }
  size_t boxes;
};

std::string FolderOf(std::string path) {
  for (char& c : path)
    if (c == '/')
      c = '\\';
  return path.erase(path.rfind('\\') + 1);
}

TEST(StartUp, RealInstallerFileGivesItsFolderAndVersion) {
  StartedFrom installer(INSTALL_EXE_PATH);
  EXPECT_EQ(0u, installer.boxes);
  EXPECT_STREQ("1.04", state.installerVersion);
  EXPECT_EQ(
      0, lstrcmpiA(FolderOf(INSTALL_EXE_PATH).c_str(), state.installerFolder))
      << state.installerFolder;
  EXPECT_STRCASEEQ("install.exe", state.scratchText);
}

TEST(StartUp, AnInstallerWithoutVersionStartsWithAnEmptyVersion) {
  StartedFrom unversioned(VERSION_FILES_DIR "/no_version.dll");
  EXPECT_EQ(0u, unversioned.boxes);
  EXPECT_STREQ("", state.installerVersion);
  EXPECT_STREQ("c:\\Orvel\\", state.destinationPath);
  EXPECT_EQ(6, state.shortcutFlags);
  EXPECT_EQ(0, lstrcmpiA(FolderOf(VERSION_FILES_DIR "/").c_str(),
                         state.installerFolder))
      << state.installerFolder;
}

} // namespace
