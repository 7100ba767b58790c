// The start-up rules: the command-line scan, the installer's folder and
// the centring of the window.
#include "shell/start_up_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CommandLine, UninstallSwitchInAnyCaseAndInsideWords) {
  for (const char* tail :
       {"/un", "/Un", "/uN", "/UN", "/Uninstall", "x/unx", "-q /UN", "//un"})
    EXPECT_EQ(1, TailSelectsUninstall(tail)) << tail;
}

TEST(CommandLine, OtherTailsLeaveTheInstallation) {
  for (const char* tail :
       {"", "-UN", "/U N", "UN", "/u", "/", "\\UN", "/nu", "/ un", "/U\tN"})
    EXPECT_EQ(0, TailSelectsUninstall(tail)) << tail;
  EXPECT_EQ(0, TailSelectsUninstall(nullptr));
}

std::string Cut(const char* path) {
  char buffer[64];
  strcpy(buffer, path);
  CutAfterLastBackslash(buffer);
  return buffer;
}

TEST(InstallerFolder, CutAfterTheLastBackslash) {
  EXPECT_EQ("D:\\Setup\\", Cut("D:\\Setup\\install.exe"));
  EXPECT_EQ("C:\\", Cut("C:\\install.exe"));
  EXPECT_EQ("\\\\server\\share\\", Cut("\\\\server\\share\\install.exe"));
  EXPECT_EQ("D:\\Setup\\", Cut("D:\\Setup\\"));
  EXPECT_EQ("", Cut("install.exe"));
  EXPECT_EQ("", Cut(""));
}

TEST(WindowPosition, CentredAndRoundedTowardZero) {
  EXPECT_EQ(192, CentredPosition(1024, 640));
  EXPECT_EQ(144, CentredPosition(768, 480));
  EXPECT_EQ(80, CentredPosition(800, 640));
  // A screen narrower than the window puts it partly off the screen.
  EXPECT_EQ(-20, CentredPosition(600, 640));
  EXPECT_EQ(0, CentredPosition(639, 640));
  EXPECT_EQ(-1, CentredPosition(637, 640));
}

} // namespace
