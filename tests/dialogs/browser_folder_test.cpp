// The folder rules of the change destination dialog and its browser.
#include "dialogs/browser_folder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::set<std::string> existing;

int Exists(const char* path) {
  return existing.count(path) != 0;
}

std::string Nearest(std::string path) {
  path.resize(path.size() + 1);
  NearestExistingFolder(path.data(), Exists);
  return path.c_str();
}

TEST(BrowserFolder, ComposedFromTheFolderListItems) {
  char folder[64] = "";
  for (const char* item : {"c:\\", "Apps", "Orvel"})
    ASSERT_EQ(1, AppendFolderItem(folder, sizeof folder, item));
  LowerCase(folder);
  EXPECT_STREQ("c:\\apps\\orvel\\", folder);
}

TEST(BrowserFolder, CompositionNeverPassesItsBuffer) {
  char folder[9] = "";
  EXPECT_EQ(1, AppendFolderItem(folder, sizeof folder, "c:\\"));
  EXPECT_EQ(1, AppendFolderItem(folder, sizeof folder, "ab")); // 6 + NUL
  EXPECT_EQ(0, AppendFolderItem(folder, sizeof folder, "xy")); // 9 + NUL
  EXPECT_STREQ("c:\\ab\\", folder);
  EXPECT_EQ(1, AppendFolderItem(folder, sizeof folder, "d\\"));
  EXPECT_STREQ("c:\\ab\\d\\", folder);
}

TEST(BrowserFolder, NearestExistingAncestorOrTheDriveRoot) {
  existing = {"d:\\games"};
  EXPECT_EQ("d:\\games", Nearest("d:\\games\\orvel"));
  EXPECT_EQ("d:\\games", Nearest("d:\\games\\orvel\\deeper"));
  EXPECT_EQ("d:\\games", Nearest("d:\\games"));
  existing = {};
  EXPECT_EQ("d:\\", Nearest("d:\\games\\orvel"));
  EXPECT_EQ("d:\\", Nearest("d:\\x"));
  EXPECT_EQ("d:\\", Nearest("d:\\"));
  EXPECT_EQ("ab", Nearest("ab"));
}

TEST(BrowserFolder, FinishedLowerCasedWithTheCaretBeforeAnAddedBackslash) {
  char path[32] = "D:\\Games";
  EXPECT_EQ(8, FinishBrowsedPath(path, sizeof path));
  EXPECT_STREQ("d:\\games\\", path);
  EXPECT_EQ(9, FinishBrowsedPath(path, sizeof path));
  EXPECT_STREQ("d:\\games\\", path);
  char empty[4] = "";
  EXPECT_EQ(0, FinishBrowsedPath(empty, sizeof empty));
  EXPECT_STREQ("\\", empty);
  char full[4] = "abc";
  EXPECT_EQ(3, FinishBrowsedPath(full, sizeof full));
  EXPECT_STREQ("abc", full);
}

} // namespace
