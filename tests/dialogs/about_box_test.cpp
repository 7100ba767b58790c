// The About box, read back from the real message box.
#include "dialogs/about_box.h"

#include "tests/dialogs/dialog_setup.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

using namespace scripted;

namespace {

std::string FirstLine(const std::string& text) {
  return text.substr(0, text.find('\n'));
}

// The line the About command writes into the box.
std::string VersionLine(const char* version) {
  char line[200];
  wsprintfA(line, "%s Install  Ver. %s  (32 bit)", "Orvel", version);
  return line;
}

TEST(AboutBox, VersionLineFillsTheBlankFirstLine) {
  ResetForDialogs();
  ScriptedUser user;
  user.Answer({Press(IDOK)});
  std::string line = VersionLine("1.04");
  ASSERT_EQ(34u, line.size());
  EXPECT_EQ(IDOK, ShowTableMessage(nullptr, 18, line.c_str()));
  ASSERT_EQ(1u, user.shown().size());
  const Shown& box = user.shown()[0];
  EXPECT_TRUE(box.isMessageBox);
  EXPECT_EQ("About Install", box.caption);
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), box.style);
  EXPECT_EQ("Orvel Install  Ver. 1.04  (32 bit)" + std::string(18, ' '),
            FirstLine(box.text));
  const std::string closing = "\nPlease see Help (F1) for details.";
  ASSERT_GT(box.text.size(), closing.size());
  EXPECT_EQ(closing, box.text.substr(box.text.size() - closing.size()));
  EXPECT_NE(std::string::npos, box.text.find("Quillmere Software"));
}

TEST(AboutBox, LongLineIsCutAndEmptyVersionLeavesThreeBlanks) {
  ResetForDialogs();
  ScriptedUser user;
  user.Answer({Press(IDOK)}).Answer({Press(IDOK)});
  std::string longLine = VersionLine("1.04 built for a very long trial run");
  ASSERT_GT(longLine.size(), 52u);
  ShowTableMessage(nullptr, 18, longLine.c_str());
  ShowTableMessage(nullptr, 18, VersionLine("").c_str());
  ASSERT_EQ(2u, user.shown().size());
  EXPECT_EQ(longLine.substr(0, 52), FirstLine(user.shown()[0].text));
  EXPECT_EQ("Orvel Install  Ver.   (32 bit)" + std::string(22, ' '),
            FirstLine(user.shown()[1].text));
}

TEST(AboutBox, IdWithoutEntryShowsNothing) {
  ResetForDialogs();
  ScriptedUser user;
  EXPECT_EQ(0, ShowTableMessage(nullptr, 17, "x"));
  EXPECT_EQ(0, ShowTableMessage(nullptr, 19, "x"));
  EXPECT_EQ(0, ShowTableMessage(nullptr, 3, "x"));
  EXPECT_TRUE(user.shown().empty());
}

} // namespace
