// The shortcut script's text for each choice of shortcuts, against the
// lines written out from its tables.
#include "shortcuts/shortcut_script.h"
#include "tests/shortcuts/shortcut_script_lines.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace script_lines;

namespace {

struct Collected {
  Lines lines;
  bool everyLineEndsWithLineFeed = true;
  size_t stopAfter = 0; // 0: take every line
};

int Collect(const char* line, void* context) {
  Collected& c = *static_cast<Collected*>(context);
  size_t length = strlen(line);
  if (length == 0 || line[length - 1] != '\n' ||
      memchr(line, '\n', length - 1) != nullptr)
    c.everyLineEndsWithLineFeed = false;
  c.lines.push_back(std::string(line, length ? length - 1 : 0));
  return c.stopAfter == 0 || c.lines.size() < c.stopAfter;
}

Lines Script(int flags, int allUsers = 1, const char* target = kTarget,
             const char* folder = kFolder) {
  ShortcutScriptInputs inputs = {flags, allUsers, "Orvel", target, folder};
  Collected c;
  EXPECT_EQ(1, BuildShortcutScript(inputs, Collect, &c));
  EXPECT_TRUE(c.everyLineEndsWithLineFeed);
  return c.lines;
}

TEST(ShortcutScript, DefaultChoiceMakesDesktopAndProgramsShortcuts) {
  EXPECT_EQ(kHeaderAllUsers + kD1toD3 + kD4toD10 + kP1toP24, Script(6));
}

TEST(ShortcutScript, UninstallRemovesEveryShortcutAndCreatesNone) {
  const Lines removeAll =
      kHeaderAllUsers + kD1toD3 + kP1toP15 + kU1toU15 + kS1toS9;
  EXPECT_EQ(removeAll, Script(31));
  // The remove-only bit alone selects every block just the same.
  EXPECT_EQ(removeAll, Script(1));
}

TEST(ShortcutScript, EachBlockStandsOnlyForItsOwnBit) {
  EXPECT_EQ(kHeaderAllUsers + kU1toU24, Script(0x10));
  EXPECT_EQ(kHeaderAllUsers + kS1toS18, Script(0x08));
  // Programs alone, as an update that leaves the desktop alone.
  EXPECT_EQ(kHeaderAllUsers + kP1toP24, Script(4));
  EXPECT_EQ(kHeaderAllUsers + kD1toD3 + kD4toD10, Script(2));
}

TEST(ShortcutScript, BlocksFollowInDesktopProgramsUninstallStartupOrder) {
  EXPECT_EQ(kHeaderAllUsers + kD1toD3 + kD4toD10 + kP1toP24 + kU1toU24 +
                kS1toS18,
            Script(0x1E));
}

TEST(ShortcutScript, BitsWithoutMeaningChangeNothing) {
  EXPECT_EQ(Script(6), Script(0x66));
  EXPECT_EQ(Script(6), Script(0x106));
  EXPECT_EQ(kHeaderAllUsers, Script(0x20));
}

TEST(ShortcutScript, WithoutAllUsersRightTheScriptForcesCurrentUser) {
  EXPECT_EQ(kHeaderCurrentUser + kD1toD3 + kD4toD10 + kP1toP24, Script(6, 0));
  EXPECT_EQ(kHeaderCurrentUser + kD1toD3 + kP1toP15 + kU1toU15 + kS1toS9,
            Script(31, 0));
}

TEST(ShortcutScript, TargetWithoutBackslashLeavesWorkingFolderEmpty) {
  Lines got = Script(0x16, 1, "orvel.exe", "");
  const Lines want = kHeaderAllUsers + kD1toD3 +
                     Lines{
                         "Set MyShortcut=WSHShell.CreateShortcut(DesktopPath & "
                         "\"\\Orvel.lnk\")",
                         "MyShortcut.TargetPath=\"orvel.exe\"",
                         "MyShortcut.WorkingDirectory=\"\"",
                         "MyShortcut.WindowStyle=4",
                         "MyShortcut.HotKey= \"CTRL+ALT+O\"",
                         "MyShortcut.IconLocation=\"orvel.exe, 0\"",
                         "MyShortcut.Save",
                     } +
                     kP1toP15 + kP16toP18 +
                     Lines{
                         "Set MyShortcut=WSHShell.CreateShortcut(folderspec & "
                         "\"\\Orvel.lnk\")",
                         "MyShortcut.TargetPath=\"orvel.exe\"",
                         "MyShortcut.WorkingDirectory=\"\"",
                         "MyShortcut.WindowStyle=4",
                         "MyShortcut.IconLocation=\"orvel.exe, 0\"",
                         "MyShortcut.Save",
                     } +
                     kU1toU15 + kP16toP18 +
                     Lines{
                         "Set MyShortcut=WSHShell.CreateShortcut(folderspec & "
                         "\"\\UN-INSTALL Orvel.lnk\")",
                         "MyShortcut.TargetPath=\"\\install.exe /UN\"",
                         "MyShortcut.WorkingDirectory=\"\"",
                         "MyShortcut.WindowStyle=4",
                         "MyShortcut.IconLocation=\"install.exe, 0\"",
                         "MyShortcut.Save",
                     };
  EXPECT_EQ(want, got);
}

TEST(ShortcutScript, BlanksStandExactlyWhereTheTablesPutThem) {
  Lines got = Script(6);
  ASSERT_EQ(kHeaderAllUsers.size() + 10 + 24, got.size());
  EXPECT_EQ("Else", got[6]);
  EXPECT_EQ("MyShortcut.HotKey= \"CTRL+ALT+O\"", got[12 + 3 + 4]);
  EXPECT_EQ("Else ", got[12 + 10 + 2]);
}

TEST(ShortcutScript, StopsAtTheFirstLineTheWriterRefuses) {
  ShortcutScriptInputs inputs = {6, 1, "Orvel", kTarget, kFolder};
  Collected c;
  c.stopAfter = 5;
  EXPECT_EQ(0, BuildShortcutScript(inputs, Collect, &c));
  EXPECT_EQ(Lines(kHeaderStart.begin(), kHeaderStart.begin() + 5), c.lines);
}

// A path as long as the state's buffers allow still fits each line whole.
TEST(ShortcutScript, LongestTargetFitsTheLineBuffer) {
  std::string folder = "c:\\" + std::string(770, 'x') + "\\";
  ASSERT_EQ(774u, folder.size());
  Lines got = Script(0x10, 1, folder.c_str(), folder.c_str());
  EXPECT_EQ("MyShortcut.TargetPath=\"" + folder + "\\install.exe /UN\"",
            got[got.size() - 5]);
  EXPECT_EQ("MyShortcut.IconLocation=\"" + folder + "install.exe, 0\"",
            got[got.size() - 2]);
}

} // namespace
