// The SEARCH dialog on a drive letter of its own, driven as a person would.
#include "shortcuts/search_dialog.h"

#include "resources/resource_ids.h"
#include "shortcuts/folder_walker.h"
#include "tests/shortcuts/walker_test_support.h"
#include "tests/support/installer_state_reset.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using namespace scripted;
using namespace walkertest;

namespace {

const std::string kDriveFolder = "c:\\orvel-tests\\search\\drive\\";
const COLORREF kBlue = RGB(65, 105, 225), kWhite = RGB(255, 255, 255);

// The dialog's own brush, as it answered WM_CTLCOLORDLG.
HBRUSH dialogBrush;

Step RememberBrush() {
  return Call([](HWND dialog) {
    HDC dc = CreateCompatibleDC(nullptr);
    dialogBrush = reinterpret_cast<HBRUSH>(
        SendMessageA(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(dialog)));
    DeleteDC(dc);
  });
}

bool BrushAlive(HBRUSH brush) {
  LOGBRUSH data;
  return brush && GetObjectA(brush, sizeof data, &data) != 0;
}

class SearchDialog : public ::testing::Test {
protected:
  static bool mapped;
  static void SetUpTestSuite() {
    ClearTree("c:\\orvel-tests\\search\\");
    MakeFolders(kDriveFolder);
    mapped = MapDrive("d:", kDriveFolder.substr(0, kDriveFolder.size() - 1));
  }
  static void TearDownTestSuite() {
    if (mapped)
      UnmapDrive("d:");
    ClearTree("c:\\orvel-tests\\search\\");
  }
  void SetUp() override {
    if (!mapped)
      GTEST_SKIP() << "no drive letter could be given to the test folder";
    ResetInstallerState();
    state.backgroundColor = kBlue;
    state.textColor = kWhite;
    strcpy(state.destinationPath, "d:\\orvel\\");
    ClearTree(kDriveFolder);
    MakeFolders(kDriveFolder);
    dialogBrush = nullptr;
  }
  void TearDown() override { walkPlatform = realWalkPlatform; }
  static void Place(const std::string& pathOnDrive) {
    MakeFile(kDriveFolder + pathOnDrive);
  }
};

bool SearchDialog::mapped = false;

TEST_F(SearchDialog, ListsTheProgramAndAChoiceMakesItsFolderTheDestination) {
  Place("APPS\\ORVEL\\ORVEL.EXE");
  Place("APPS\\ORVEL\\orvel.chm");
  Place("APPS\\orvel.ex");
  Place("orvel.exe.bak");
  Place("Other\\x.dat");
  ScriptedUser user;
  user.Answer({RememberBrush(), Read(IDC_SEARCH_LIST),
               DoubleClickRow(IDC_SEARCH_LIST, 0)});

  EXPECT_EQ(1, RunSearchDialog(nullptr));

  ASSERT_EQ(1u, user.shown().size());
  const Shown& dialog = user.shown()[0];
  EXPECT_EQ("Searching Entire Drive for Application", dialog.caption);
  EXPECT_EQ(dialog.window, state.searchDialog);
  ASSERT_EQ(1u, dialog.reads.size());
  EXPECT_EQ("d:\\APPS\\ORVEL\\ORVEL.EXE\n", dialog.reads[0]);
  EXPECT_STREQ("d:\\apps\\orvel\\", state.destinationPath);
  EXPECT_TRUE(dialogBrush != nullptr);
  EXPECT_FALSE(BrushAlive(dialogBrush)) << "the brush outlived the dialog";
}

TEST_F(SearchDialog, EnterTakesTheSelectedLineAndTheRootIsAsTyped) {
  Place("APPS\\ORVEL\\ORVEL.EXE");
  strcpy(state.destinationPath, "D:\\Somewhere\\");
  ScriptedUser user;
  user.Answer({Read(IDC_SEARCH_LIST), SelectRow(IDC_SEARCH_LIST, 0), Enter()});
  EXPECT_EQ(1, RunSearchDialog(nullptr));
  ASSERT_EQ(1u, user.shown().size());
  EXPECT_EQ("D:\\APPS\\ORVEL\\ORVEL.EXE\n", user.shown()[0].reads[0]);
  EXPECT_STREQ("d:\\apps\\orvel\\", state.destinationPath);
}

// The folders of the drive root in the order the platform lists them.
std::vector<std::string> RootFoldersInPlatformOrder() {
  std::vector<std::string> folders;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA("d:\\*.*", &data);
  if (find == INVALID_HANDLE_VALUE)
    return folders;
  do {
    std::string name = data.cFileName;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." &&
        name != "..")
      folders.push_back(name);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return folders;
}

TEST_F(SearchDialog, HitsComeFolderByFolderInWalkOrderUnsorted) {
  for (const char* path :
       {"Beta\\A\\orvel.exe", "Beta\\orvel.exe", "Alpha\\A\\orvel.exe",
        "Alpha\\orvel.exe", "orvel.exe"})
    Place(path);
  std::string expected = "d:\\orvel.exe\n";
  for (const std::string& folder : RootFoldersInPlatformOrder())
    expected +=
        "d:\\" + folder + "\\orvel.exe\nd:\\" + folder + "\\A\\orvel.exe\n";
  ScriptedUser user;
  user.Answer({Read(IDC_SEARCH_LIST), Escape()});
  RunSearchDialog(nullptr);
  ASSERT_EQ(1u, user.shown().size());
  EXPECT_EQ(expected, user.shown()[0].reads[0]);
  const Control* list = user.shown()[0].control(IDC_SEARCH_LIST);
  ASSERT_NE(nullptr, list);
  std::vector<std::string> sorted = list->rows;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_NE(sorted, list->rows);
}

TEST_F(SearchDialog, NoneFoundCannotBeChosen) {
  Place("orvel.ex");
  Place("Apps\\orvel.exe.bak");
  ScriptedUser user;
  user.Answer({RememberBrush(), Read(IDC_SEARCH_LIST),
               DoubleClickRow(IDC_SEARCH_LIST, 0)});
  EXPECT_EQ(1, RunSearchDialog(nullptr));
  EXPECT_EQ("NONE FOUND!\n", user.shown()[0].reads[0]);
  EXPECT_STREQ("d:\\orvel\\", state.destinationPath);
  EXPECT_FALSE(BrushAlive(dialogBrush));

  user.Answer({SelectRow(IDC_SEARCH_LIST, 0), Enter()});
  EXPECT_EQ(1, RunSearchDialog(nullptr));
  EXPECT_STREQ("d:\\orvel\\", state.destinationPath);
  EXPECT_EQ(0u, user.pending());
}

TEST_F(SearchDialog, EscapeCancelAndNoSelectionChangeNothing) {
  Place("APPS\\ORVEL\\ORVEL.EXE");
  ScriptedUser user;
  user.Answer({RememberBrush(), SelectRow(IDC_SEARCH_LIST, 0), Escape()});
  EXPECT_EQ(1, RunSearchDialog(nullptr));
  EXPECT_STREQ("d:\\orvel\\", state.destinationPath);
  EXPECT_FALSE(BrushAlive(dialogBrush));

  user.Answer(
      {RememberBrush(), SelectRow(IDC_SEARCH_LIST, 0), Press(IDC_CANCEL)});
  EXPECT_EQ(1, RunSearchDialog(nullptr));
  EXPECT_STREQ("d:\\orvel\\", state.destinationPath);
  EXPECT_FALSE(BrushAlive(dialogBrush));

  user.Answer({RememberBrush(), Enter()});
  EXPECT_EQ(1, RunSearchDialog(nullptr));
  EXPECT_STREQ("d:\\orvel\\", state.destinationPath);
  EXPECT_FALSE(BrushAlive(dialogBrush));
  EXPECT_EQ(3u, user.shown().size());
  EXPECT_EQ(0u, user.pending());
}

TEST_F(SearchDialog, ASecondOpeningStartsEmptyAndSearchesAgain) {
  Place("APPS\\ORVEL\\ORVEL.EXE");
  ScriptedUser user;
  user.Answer({Read(IDC_SEARCH_LIST), Escape()});
  RunSearchDialog(nullptr);
  Place("New\\Orvel.exe");
  user.Answer({Read(IDC_SEARCH_LIST), Escape()});
  RunSearchDialog(nullptr);

  ASSERT_EQ(2u, user.shown().size());
  EXPECT_EQ("d:\\APPS\\ORVEL\\ORVEL.EXE\n", user.shown()[0].reads[0]);
  const std::string second = user.shown()[1].reads[0];
  EXPECT_EQ(2, std::count(second.begin(), second.end(), '\n')) << second;
  EXPECT_NE(std::string::npos, second.find("d:\\APPS\\ORVEL\\ORVEL.EXE\n"));
  EXPECT_NE(std::string::npos, second.find("d:\\New\\Orvel.exe\n"));
}

int linesOffered;

// A list that takes two lines and refuses the rest, as a full list box.
int TakeTwoLines(const char* line) {
  if (++linesOffered > 2)
    return LB_ERRSPACE;
  return realWalkPlatform.addResultLine(line);
}

TEST_F(SearchDialog, AListThatRefusesALineKeepsTheLinesSoFar) {
  for (const char* path :
       {"orvel.exe", "Only\\orvel.exe", "Only\\Deeper\\orvel.exe",
        "Only\\Deeper\\Most\\orvel.exe"})
    Place(path);
  linesOffered = 0;
  walkPlatform.addResultLine = TakeTwoLines;
  ScriptedUser user;
  user.Answer({Read(IDC_SEARCH_LIST), DoubleClickRow(IDC_SEARCH_LIST, 1)});
  RunSearchDialog(nullptr);
  EXPECT_EQ("d:\\orvel.exe\nd:\\Only\\orvel.exe\n", user.shown()[0].reads[0]);
  EXPECT_EQ(3, linesOffered) << "the search went on after the refusal";
  EXPECT_STREQ("d:\\only\\", state.destinationPath);
}

struct Colours {
  COLORREF background = 0, text = 0, brush = 0;
  bool sameBrush = false;
  bool listBoxKeepsItsOwn = false;
} colours;

TEST_F(SearchDialog, PaintsWhiteTextOnItsOwnBlueBrush) {
  state.backgroundColor = RGB(10, 20, 30); // the copy taken on opening
  ScriptedUser user;
  user.Answer(
      {Call([](HWND dialog) {
         HDC dc = CreateCompatibleDC(nullptr);
         WPARAM w = reinterpret_cast<WPARAM>(dc);
         HWND hint = GetWindow(GetDlgItem(dialog, IDC_OK), GW_HWNDNEXT);
         LRESULT forStatic = SendMessageA(dialog, WM_CTLCOLORSTATIC, w,
                                          reinterpret_cast<LPARAM>(hint));
         colours.background = GetBkColor(dc);
         colours.text = GetTextColor(dc);
         LOGBRUSH data = {};
         GetObjectA(reinterpret_cast<HBRUSH>(forStatic), sizeof data, &data);
         colours.brush = data.lbColor;
         LRESULT forDialog = SendMessageA(dialog, WM_CTLCOLORDLG, w,
                                          reinterpret_cast<LPARAM>(dialog));
         LRESULT forButton =
             SendMessageA(dialog, WM_CTLCOLORBTN, w,
                          reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_OK)));
         colours.sameBrush =
             forStatic == forDialog && forStatic == forButton && forStatic != 0;
         LRESULT forList = SendMessageA(
             dialog, WM_CTLCOLORLISTBOX, w,
             reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_SEARCH_LIST)));
         colours.listBoxKeepsItsOwn = forList != forStatic;
         DeleteDC(dc);
       }),
       Escape()});
  RunSearchDialog(nullptr);
  EXPECT_EQ(RGB(10, 20, 30), colours.background);
  EXPECT_EQ(kWhite, colours.text);
  EXPECT_EQ(RGB(10, 20, 30), colours.brush);
  EXPECT_TRUE(colours.sameBrush);
  EXPECT_TRUE(colours.listBoxKeepsItsOwn);
}

} // namespace
