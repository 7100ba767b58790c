// Writing a line into the longest run of blanks, and the About entry.
#include "dialogs/message_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Insert(std::string text, const char* insert) {
  InsertAtLongestBlankRun(text.data(), insert);
  return text;
}

TEST(LongestBlankRun, InsertGoesOverTheLongestRunAndKeepsTheLength) {
  EXPECT_EQ("a bXYZ   c", Insert("a b      c", "XYZ"));
  EXPECT_EQ("a1234b", Insert("a    b", "123456"));
  EXPECT_EQ("noblanks", Insert("noblanks", "XYZ"));
  EXPECT_EQ("", Insert("", "XYZ"));
  EXPECT_EQ("ab   ", Insert("     ", "ab"));
}

TEST(LongestBlankRun, FirstOfTwoEqualRunsGetsTheInsert) {
  EXPECT_EQ("aXY b   c", Insert("a   b   c", "XY"));
  EXPECT_EQ("aXYZb   c", Insert("a   b   c", "XYZ"));
  // A longer run later wins over an earlier shorter one.
  EXPECT_EQ("a  bXYZ c", Insert("a  b    c", "XYZ"));
}

TEST(AboutEntry, BlankFirstLineNoticeAndClosingLine) {
  const TableMessage* about = FindTableMessage(18);
  ASSERT_NE(nullptr, about);
  EXPECT_STREQ("About Install", about->caption);
  std::string text = about->text;
  EXPECT_EQ(std::string(52, ' ') + "\n", text.substr(0, 53));
  const std::string closing = "Please see Help (F1) for details.";
  ASSERT_GE(text.size(), closing.size());
  EXPECT_EQ(closing, text.substr(text.size() - closing.size()));
  EXPECT_NE(std::string::npos, text.find("Quillmere Software"));
  EXPECT_EQ(nullptr, FindTableMessage(17));
  EXPECT_EQ(nullptr, FindTableMessage(19));
  EXPECT_EQ(nullptr, FindTableMessage(0));
}

} // namespace
