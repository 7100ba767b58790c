// The name filter of the walker.
#include "shortcuts/match_file_name.h"

#include <gtest/gtest.h>

namespace {

TEST(MatchFileName, StarDotStarTakesEveryName) {
  for (const char* name :
       {"README", "orvel.exe", "orvel.exe.bak", "a.b.c.d", ".cache", "x.", ""})
    EXPECT_EQ(1, MatchFileName("*.*", name)) << name;
}

TEST(MatchFileName, APlainNameMatchesWhateverTheCase) {
  EXPECT_EQ(1, MatchFileName("orvel.exe", "orvel.exe"));
  EXPECT_EQ(1, MatchFileName("orvel.exe", "ORVEL.EXE"));
  EXPECT_EQ(1, MatchFileName("orvel.exe", "Orvel.Exe"));
  EXPECT_EQ(0, MatchFileName("orvel.exe", "orvel.ex"));
  EXPECT_EQ(0, MatchFileName("orvel.exe", "orvel.exe.bak"));
  EXPECT_EQ(0, MatchFileName("orvel.exe", "xorvel.exe"));
  EXPECT_EQ(0, MatchFileName("orvel.exe", "orvel"));
  EXPECT_EQ(0, MatchFileName("orvel.exe", ""));
}

TEST(MatchFileName, AStarRunsToTheNextFullStop) {
  EXPECT_EQ(1, MatchFileName("*.exe", "orvel.exe"));
  EXPECT_EQ(1, MatchFileName("*.exe", "SETUP.EXE"));
  EXPECT_EQ(1, MatchFileName("*.exe", ".exe"));
  EXPECT_EQ(0, MatchFileName("*.exe", "orvel.chm"));
  // The star stops at the first full stop of the name.
  EXPECT_EQ(0, MatchFileName("*.exe", "orvel.old.exe"));
  EXPECT_EQ(1, MatchFileName("orvel.*", "orvel.chm"));
  EXPECT_EQ(1, MatchFileName("orvel.*", "orvel."));
  EXPECT_EQ(0, MatchFileName("orvel.*", "orvel"));
  // A star alone takes only names without a full stop.
  EXPECT_EQ(1, MatchFileName("*", "README"));
  EXPECT_EQ(0, MatchFileName("*", "readme.txt"));
  // What follows a star in the same part is passed over with it.
  EXPECT_EQ(1, MatchFileName("o*z.exe", "orvel.exe"));
}

TEST(MatchFileName, AQuestionMarkTakesExactlyOneCharacter) {
  EXPECT_EQ(1, MatchFileName("orv?l.exe", "ORVEL.EXE"));
  EXPECT_EQ(1, MatchFileName("orvel.ex?", "orvel.ex_"));
  EXPECT_EQ(1, MatchFileName("?????.???", "orvel.exe"));
  EXPECT_EQ(1, MatchFileName("orvel?exe", "orvel.exe"));
  EXPECT_EQ(0, MatchFileName("orvel.ex?", "orvel.ex"));
  EXPECT_EQ(0, MatchFileName("orvel.e?", "orvel.exe"));
  EXPECT_EQ(0, MatchFileName("?", ""));
}

} // namespace
