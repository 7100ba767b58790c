// Two real installers under Wine: a second start while the first shows
// its "Install" window ends at once; an "UN-Install" window is no match
// for it, but an unattended run is refused while either is open.
#include "tests/shell/installer_process.h"
#include "tests/support/disk_files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace {

TEST(SingleInstance, SecondInstallerBringsTheFirstForwardAndEnds) {
  ASSERT_TRUE(Installer::InstallerWindows().empty());
  Installer first("");
  ASSERT_TRUE(first.started) << first.Describe();
  HWND window = first.WaitForWindow("Install");
  ASSERT_NE(nullptr, window);
  ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(window));

  Installer second("");
  ASSERT_TRUE(second.started) << second.Describe();
  EXPECT_EQ(0, second.ExitCodeWithin(30000)) << second.Describe();
  EXPECT_EQ(std::vector<HWND>{window}, Installer::InstallerWindows());
  // Restored and brought to the front by the second start.
  EXPECT_FALSE(IsIconic(window));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(window, Installer::WaitForForeground(window, 10000));
}

TEST(SingleInstance, SecondInstallerBringsACoveredWindowToTheFront) {
  Installer first("");
  ASSERT_TRUE(first.started) << first.Describe();
  HWND window = first.WaitForWindow("Install");
  ASSERT_NE(nullptr, window);
  // Another program's window in front of it.
  HWND other = CreateWindowExA(0, "STATIC", "Other program",
                               WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                               nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  ASSERT_EQ(other, Installer::WaitForForeground(other, 10000));

  Installer second("");
  EXPECT_EQ(0, second.ExitCodeWithin(30000)) << second.Describe();
  EXPECT_EQ(window, Installer::WaitForForeground(window, 10000));
  DestroyWindow(other);
}

TEST(SingleInstance, UninstallWindowIsNoMatch) {
  ASSERT_TRUE(Installer::InstallerWindows().empty());
  Installer uninstaller("/UN");
  ASSERT_TRUE(uninstaller.started) << uninstaller.Describe();
  ASSERT_NE(nullptr, uninstaller.WaitForWindow("UN-Install"));

  Installer installer("");
  ASSERT_TRUE(installer.started) << installer.Describe();
  EXPECT_NE(nullptr, installer.WaitForWindow("Install"));
  EXPECT_EQ(-1, installer.ExitCodeWithin(0)) << installer.Describe();
  EXPECT_EQ(2u, Installer::InstallerWindows().size());
}

// An unattended run ends with a code of its own and leaves the window
// where it is; it installs nothing.
TEST(SingleInstance, UnattendedRunIsRefusedWhileAnInstallerShowsItsWindow) {
  Installer first("");
  HWND window = first.WaitForWindow("Install");
  ASSERT_NE(nullptr, window);
  ShowWindow(window, SW_MINIMIZE);
  const char folder[] = "c:\\orvel-tests\\refused-while-running\\";
  RemoveDirectoryA(folder);

  Installer unattended(std::string("/S /D=") + folder);
  EXPECT_EQ(1618, unattended.ExitCodeWithin(30000)) << unattended.Describe();
  EXPECT_TRUE(IsIconic(window));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder));
}

// A window switched to removal counts as much.
TEST(SingleInstance, UnattendedRunIsRefusedWhileAnUninstallWindowIsOpen) {
  Installer uninstaller("/UN");
  ASSERT_NE(nullptr, uninstaller.WaitForWindow("UN-Install"));
  const char folder[] = "c:\\orvel-tests\\refused-while-removing\\";
  disk::RemoveTree(folder); // a whole tree, whatever an earlier run left

  Installer unattended(std::string("/S /D=") + folder);
  EXPECT_EQ(1618, unattended.ExitCodeWithin(30000));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder));
}

TEST(SingleInstance, ClosingTheWindowEndsTheInstallerWithZero) {
  Installer installer("");
  ASSERT_TRUE(installer.started) << installer.Describe();
  HWND window = installer.WaitForWindow("Install");
  ASSERT_NE(nullptr, window);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(0, installer.ExitCodeWithin(30000)) << installer.Describe();
}

} // namespace
