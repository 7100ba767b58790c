// The error report as the user reads it in its message box.
#include "engine/error_report.h"
#include "engine/error_report_text.h"

#include <errno.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/installer_state_reset.h"
#include "tests/support/scripted_user.h"

using namespace scripted;

namespace {

class ErrorReport : public testing::Test {
protected:
  void SetUp() override { ResetInstallerState(); }

  // Reports `code` and reads back the one box it showed.
  Shown Report(ErrorCode code) {
    ScriptedUser user;
    user.Answer({Press(IDOK)});
    ReportError(nullptr, code);
    EXPECT_EQ(1u, user.shown().size());
    if (user.shown().empty())
      return Shown();
    EXPECT_FALSE(user.shown()[0].unexpected);
    return user.shown()[0];
  }
};

TEST_F(ErrorReport, ShowsCodeTextAndPathUnderTheCaptionOfItsKind) {
  strcpy(state.errorPath, "c:\\windows\\orvel\\");
  Shown box = Report(41);
  EXPECT_TRUE(box.isMessageBox);
  EXPECT_EQ("Folder Error", box.caption);
  EXPECT_EQ("Error #41\n\nInstallation not allowed in Windows Path\n\n"
            "c:\\windows\\orvel\\\n",
            box.text);
  EXPECT_EQ(static_cast<UINT>(MB_OK), box.style);
}

TEST_F(ErrorReport, CaptionFollowsTheNumberNotTheMeaning) {
  EXPECT_EQ("Memory Error", Report(10).caption);
  EXPECT_EQ("Folder Error", Report(11).caption);
  EXPECT_EQ("Folder Error", Report(59).caption);
  EXPECT_EQ("File Error", Report(60).caption);
  // A failed disk write is shown as a memory error.
  EXPECT_EQ("Memory Error", Report(4).caption);
}

TEST_F(ErrorReport, AddsTheExtendedErrorWhenThereIsOne) {
  state.errorDetail = EACCES;
  strcpy(state.errorPath, "orvel.exe");
  Shown box = Report(70);
  EXPECT_EQ("File Error", box.caption);
  EXPECT_EQ("Error #70\n\nCouldn't Delete Previous File!\n\n"
            "Extended Error # " +
                std::to_string(EACCES) + "\nNo Permission\norvel.exe\n",
            box.text);
}

TEST_F(ErrorReport, CodesWithoutTextShowQuestionMarks) {
  strcpy(state.errorPath, "c:\\orvel\\");
  Shown box = Report(9);
  EXPECT_EQ("Memory Error", box.caption);
  EXPECT_EQ("Error #9\n\n???\n\nc:\\orvel\\\n", box.text);

  box = Report(33);
  EXPECT_EQ("Folder Error", box.caption);
  EXPECT_EQ("Error #33\n\n???\n\nc:\\orvel\\\n", box.text);

  box = Report(1234);
  EXPECT_EQ("File Error", box.caption);
  EXPECT_EQ("Error #1234\n\n???\n\nc:\\orvel\\\n", box.text);
}

// Every code the installer knows, with the caption and text its box shows.
TEST_F(ErrorReport, EveryCodeShowsItsOwnCaptionAndText) {
  const char* const memory = "Memory Error";
  const char* const folder = "Folder Error";
  const char* const file = "File Error";
  const struct {
    ErrorCode code;
    const char* caption;
    const char* text;
  } rows[] = {
      {1, memory, "No Memory Available!"},
      {2, memory, "Couldn't Lock Memory"},
      {3, memory, "Disk File Create"},
      {4, memory, "Disk Write"},
      {5, memory, "Decompress Write"},
      {6, memory, "File Version is Earlier than Existing File"},
      {7, memory, "Version Data is missing data in .RC"},
      {8, memory, "Invalid Memory Image Size"},
      {9, memory, "???"},
      {12, folder, "Destination Path Too Long"},
      {13, folder, "Couldn't Create a Folder"},
      {14, folder, "Folder Names MUST be < 9 long"},
      {25, folder, "Cannot have Spaces in Path"},
      {26, folder,
       "Invalid Drive Specification\n"
       "(must be only a single letter)"},
      {27, folder, "No Drive was Specified (C:\\)"},
      {28, folder,
       "Not Enough Free Space on Hard Drive\n"
       "(min 10 MB needed -- NOT 10 Gig, but 10 Meg!)"},
      {29, folder, "Specified Drive is Not a Hard Drive"},
      {40, folder, "Installation not allowed in Root Directory"},
      {41, folder, "Installation not allowed in Windows Path"},
      {42, folder, "Installation not allowed in Compile Path"},
      {50, folder,
       "With an UPDATE Installation,\n"
       "the Destination folder MUST already Exist,\n"
       "having been created in the initial FULL installation."},
      {51, folder,
       "With an UPDATE Installation,\n"
       "the Application MUST already Exist in the Folder,\n"
       "having been created in the initial FULL installation."},
      {60, file, "Couldn't Delete .BAK File"},
      {61, file, "Renaming Previous File to .BAK"},
      {70, file, "Couldn't Delete Previous File!"},
      {71, file, "Renaming Temp File to Final File!"},
  };
  strcpy(state.errorPath, "c:\\orvel\\");
  for (const auto& row : rows) {
    Shown box = Report(row.code);
    EXPECT_EQ(row.caption, box.caption) << row.code;
    EXPECT_EQ("Error #" + std::to_string(row.code) + "\n\n" + row.text +
                  "\n\nc:\\orvel\\\n",
              box.text);
  }
}

TEST_F(ErrorReport, MultiLineTextsKeepTheirLineBreaks) {
  strcpy(state.errorPath, "d:\\");
  EXPECT_EQ("Error #28\n\nNot Enough Free Space on Hard Drive\n"
            "(min 10 MB needed -- NOT 10 Gig, but 10 Meg!)\n\nd:\\\n",
            Report(28).text);
}

TEST_F(ErrorReport, NoExtendedLinesWithoutAnErrorNumber) {
  state.errorDetail = 0;
  strcpy(state.errorPath, "orvel.exe");
  std::string text = Report(70).text;
  EXPECT_EQ("Error #70\n\nCouldn't Delete Previous File!\n\norvel.exe\n", text);
  EXPECT_EQ(std::string::npos, text.find("Extended"));
}

TEST_F(ErrorReport, SuccessShowsNothing) {
  ScriptedUser user;
  ReportError(nullptr, 0);
  EXPECT_TRUE(user.shown().empty());
}

TEST_F(ErrorReport, TheLongestPathStillEndsTheText) {
  // The longest text, an extended error and a path filling its buffer.
  std::string path = "c:\\" + std::string(PATH_SIZE - 4, 'p');
  strcpy(state.errorPath, path.c_str());
  state.errorDetail = ENOENT;
  std::string text = Report(51).text;
  EXPECT_EQ("Error #51\n\nWith an UPDATE Installation,\n"
            "the Application MUST already Exist in the Folder,\n"
            "having been created in the initial FULL installation.\n\n"
            "Extended Error # " +
                std::to_string(ENOENT) + "\nNo Such File or Folder\n" + path +
                "\n",
            text);
}

TEST(ErrorReportText, ExplainsEachKnownErrorNumber) {
  EXPECT_STREQ("No Such File or Folder\n", ExtendedErrorText(ENOENT));
  EXPECT_STREQ("No Permission\n", ExtendedErrorText(EACCES));
  EXPECT_STREQ("Not Same Device\n", ExtendedErrorText(EXDEV));
  EXPECT_STREQ("File Already Exists\n", ExtendedErrorText(EEXIST));
  EXPECT_STREQ("???\n", ExtendedErrorText(12345));
}

TEST(ErrorReportText, CutsShortRatherThanOverrunItsBuffer) {
  char text[24];
  memset(text, '#', sizeof text);
  FormatErrorReport(text, 16, 41, EACCES, "c:\\windows\\orvel\\");
  EXPECT_STREQ("Error #41\n\nInst", text);
  EXPECT_EQ('#', text[16]);
}

TEST(ErrorReportText, PrintsNegativeNumbers) {
  char text[200];
  FormatErrorReport(text, sizeof text, -2147483647 - 1, -1, "x");
  EXPECT_STREQ("Error #-2147483648\n\n???\n\nExtended Error # -1\n???\nx\n",
               text);
}

} // namespace
