// The normalisation rules on their own: the walk order of the folder
// levels and the bounds of small buffers.
#include "engine/destination_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Levels(const char* path) {
  std::vector<std::string> levels;
  for (size_t end = NextFolderLevel(path, 0); end;
       end = NextFolderLevel(path, end + 1))
    levels.push_back(std::string(path, end));
  return levels;
}

TEST(FolderLevels, RunFromTheDriveOutwardsAndSkipTheDriveItself) {
  EXPECT_EQ((std::vector<std::string>{"c:\\a", "c:\\a\\b", "c:\\a\\b\\c"}),
            Levels("c:\\a\\b\\c\\"));
  EXPECT_EQ((std::vector<std::string>{}), Levels("c:\\"));
  EXPECT_EQ((std::vector<std::string>{"c:\\a", "c:\\a\\", "c:\\a\\\\b"}),
            Levels("c:\\a\\\\b\\"));
}

TEST(NormaliseDestination, NeverWritesPastASmallBuffer) {
  // Eight bytes hold seven characters: no room for the backslash.
  char buffer[12];
  memset(buffer, '#', sizeof buffer);
  memcpy(buffer, "c:\\abcd", 8);
  EXPECT_EQ(ERR_PATH_TOO_LONG, NormaliseDestination(buffer, 8, ""));
  EXPECT_STREQ("c:\\abcd", buffer);
  EXPECT_EQ('#', buffer[8]);

  memcpy(buffer, "c:\\abc", 7);
  EXPECT_EQ(0, NormaliseDestination(buffer, 8, ""));
  EXPECT_STREQ("c:\\abc\\", buffer);
  EXPECT_EQ('#', buffer[8]);

  // The default folder is cut to the buffer, not copied whole.
  memset(buffer, '#', sizeof buffer);
  buffer[0] = '\0';
  EXPECT_EQ(ERR_PATH_TOO_LONG,
            NormaliseDestination(buffer, 8, "C:\\A Long Default\\"));
  EXPECT_STREQ("c:\\a lo", buffer);
  EXPECT_EQ('#', buffer[8]);
}

// A normalised path is its own normal form: every backslash after the
// drive beyond the first goes at once.
TEST(NormaliseDestination, ASecondPassChangesNothing) {
  for (const char* typed :
       {"c:\\\\\\orvel", "c:\\\\\\\\", "  d:\\\\a\\b", "c:\\orvel\\"}) {
    SCOPED_TRACE(typed);
    char path[64];
    CopyBounded(path, sizeof path, typed);
    ErrorCode first = NormaliseDestination(path, sizeof path, "c:\\x");
    std::string once = path;
    EXPECT_EQ(first, NormaliseDestination(path, sizeof path, "c:\\x"));
    EXPECT_EQ(once, path);
    EXPECT_EQ(std::string::npos, once.find("\\\\"));
  }
}

// Every spelling of a folder comes out as the one Windows resolves it to.
TEST(NormaliseDestination, ResolvesFolderNamesAsWindowsDoes) {
  const struct {
    const char* typed;
    const char* normal;
  } cases[] = {
      {"c:\\x\\..\\", "c:\\"},
      {"c:\\..\\..\\orvel", "c:\\orvel\\"},
      {"c:\\.\\windows\\orvel\\", "c:\\windows\\orvel\\"},
      {"c:/windows/orvel", "c:\\windows\\orvel\\"},
      {"c:\\windows.\\orvel. .", "c:\\windows\\orvel\\"},
      {"c:\\windows \\x\\..\\orvel", "c:\\windows\\orvel\\"},
      {"c:\\a\\...\\b", "c:\\a\\b\\"},
      {"c:\\ a\\.b\\", "c:\\ a\\.b\\"}, // leading blanks and dots stay
  };
  for (const auto& c : cases) {
    char path[64];
    CopyBounded(path, sizeof path, c.typed);
    EXPECT_EQ(0, NormaliseDestination(path, sizeof path, ""));
    EXPECT_STREQ(c.normal, path) << c.typed;
  }
}

TEST(CopyBounded, CutsAndTerminates) {
  char buffer[8];
  memset(buffer, '#', sizeof buffer);
  CopyBounded(buffer, 5, "c:\\orvel\\");
  EXPECT_STREQ("c:\\o", buffer);
  EXPECT_EQ('#', buffer[5]);
}

} // namespace
