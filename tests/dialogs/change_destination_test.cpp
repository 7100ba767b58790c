// The CHANGEIT dialog and its folder browser, driven by the scripted user.
#include "dialogs/change_destination_dialog.h"

#include "resources/resource_ids.h"
#include "tests/dialogs/call_recorder.h"
#include "tests/dialogs/dialog_setup.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

#include <commdlg.h>
#include <dlgs.h>

using namespace scripted;

namespace {

const std::string kBase = "c:\\orvel-tests\\change";

class ChangeDestination : public ::testing::Test {
protected:
  void SetUp() override {
    ResetForDialogs();
    lstrcpyA(state.destinationPath, "c:\\orvel-tests\\change\\before\\");
    MakeFolders(kBase);
  }
};

bool DriveDExists() {
  return GetFileAttributesA("d:\\") != INVALID_FILE_ATTRIBUTES;
}

TEST_F(ChangeDestination, OpensWithTheDestinationAndPaintsItsLabels) {
  CallRecorder recorder;
  std::vector<PaintedText> painted;
  ScriptedUser user;
  user.Answer({Read(IDC_DESTINATION_EDIT), ReadCaret(IDC_DESTINATION_EDIT),
               Call([&](HWND d) {
                 InvalidateRect(d, nullptr, TRUE);
                 recorder.Clear();
                 PaintNow(d);
                 painted = recorder.texts();
               }),
               Press(IDC_CANCEL)});
  EXPECT_EQ(1, RunChangeDestinationDialog(nullptr));
  ASSERT_EQ(1u, user.shown().size());
  const Shown& d = user.shown()[0];
  EXPECT_EQ("Change Destination Folder:", d.caption);
  EXPECT_EQ(
      (std::vector<std::string>{"c:\\orvel-tests\\change\\before\\", "29,29"}),
      d.reads);
  ASSERT_EQ(4u, painted.size());
  const PaintedText expected[] = {{45, 10, "Enter the New Folder Location,"},
                                  {45, 31, "Then Press Enter or click 'OK'"},
                                  {40, 90, "Default Destination"},
                                  {220, 90, "Search"}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(expected[i].text, painted[i].text);
    EXPECT_EQ(expected[i].x, painted[i].x);
    EXPECT_EQ(expected[i].y, painted[i].y);
  }
}

TEST_F(ChangeDestination, CancelAfterBrowseRestoresTheOldDestination) {
  ScriptedUser user;
  user.Answer({Type(IDC_DESTINATION_EDIT, kBase + "\\"), Press(IDC_BROWSE),
               Read(IDC_DESTINATION_EDIT), Press(IDC_CANCEL)})
      .Answer({Escape()});
  EXPECT_EQ(1, RunChangeDestinationDialog(nullptr));
  ASSERT_EQ(2u, user.shown().size());
  EXPECT_EQ("c:\\orvel-tests\\change\\", user.shown()[0].reads[0]);
  EXPECT_STREQ("c:\\orvel-tests\\change\\before\\", state.destinationPath);
}

TEST_F(ChangeDestination, CancelAfterSearchRestoresTheOldDestination) {
  MakeFolders(kBase + "\\Found");
  MakeFile(kBase + "\\Found\\Orvel.exe");
  ScriptedUser user;
  user.Answer({Type(IDC_DESTINATION_EDIT, kBase + "\\"), Press(IDC_SEARCH),
               Read(IDC_DESTINATION_EDIT), Press(IDC_CANCEL)})
      .Answer({Call([](HWND search) {
                 HWND list = GetDlgItem(search, IDC_SEARCH_LIST);
                 LRESULT row = SendMessageA(
                     list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(
                         "c:\\orvel-tests\\change\\Found\\Orvel.exe"));
                 SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
               }),
               Press(IDC_OK)});
  EXPECT_EQ(1, RunChangeDestinationDialog(nullptr));
  ASSERT_EQ(2u, user.shown().size());
  EXPECT_EQ(user.shown()[0].window, user.shown()[1].owner);
  ASSERT_EQ(1u, user.shown()[0].reads.size());
  EXPECT_EQ("c:\\orvel-tests\\change\\found\\", user.shown()[0].reads[0]);
  EXPECT_STREQ("c:\\orvel-tests\\change\\before\\", state.destinationPath);
}

TEST_F(ChangeDestination, DefaultThenCancelChangesNothing) {
  std::string duringDialog;
  ScriptedUser user;
  user.Answer({Press(IDC_DEFAULT_DESTINATION), Read(IDC_DESTINATION_EDIT),
               Call([&](HWND) { duringDialog = state.destinationPath; }),
               Escape()});
  RunChangeDestinationDialog(nullptr);
  EXPECT_EQ("c:\\Orvel\\", user.shown()[0].reads[0]);
  EXPECT_EQ("c:\\orvel-tests\\change\\before\\", duringDialog);
  EXPECT_STREQ("c:\\orvel-tests\\change\\before\\", state.destinationPath);
}

TEST_F(ChangeDestination, BrowseFromAMissingFolderStartsAtItsNearestAncestor) {
  if (!DriveDExists())
    GTEST_SKIP() << "no drive d: here";
  MakeFolders("d:\\Games");
  RemoveDirectoryA("d:\\Games\\Orvel");
  ScriptedUser user;
  user.Answer({Type(IDC_DESTINATION_EDIT, "D:\\Games\\Orvel\\"),
               Press(IDC_BROWSE), Read(IDC_DESTINATION_EDIT),
               ReadCaret(IDC_DESTINATION_EDIT), Press(IDC_OK)})
      .Answer({Escape()});
  RunChangeDestinationDialog(nullptr);
  ASSERT_EQ(2u, user.shown().size());
  EXPECT_EQ((std::vector<std::string>{"d:\\games\\", "8,8"}),
            user.shown()[0].reads);
  EXPECT_EQ("Choose a Destination FOLDER", user.shown()[1].caption);
}

TEST_F(ChangeDestination, BrowseWithNoExistingFolderFallsBackToTheDriveRoot) {
  if (!DriveDExists())
    GTEST_SKIP() << "no drive d: here";
  ScriptedUser user;
  user.Answer({Type(IDC_DESTINATION_EDIT, "d:\\Nowhere Here\\Orvel\\"),
               Press(IDC_BROWSE), Read(IDC_DESTINATION_EDIT),
               ReadCaret(IDC_DESTINATION_EDIT), Escape()})
      .Answer({Escape()});
  RunChangeDestinationDialog(nullptr);
  ASSERT_EQ(2u, user.shown().size());
  EXPECT_EQ((std::vector<std::string>{"d:\\", "3,3"}), user.shown()[0].reads);
}

// The folder list as the system shows it for c:\Apps\Orvel.
void ShowFolderList(HWND browser) {
  HWND list = GetDlgItem(browser, lst2);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  // The list sorts what is added to it; inserted items keep their place.
  for (const char* item : {"c:\\", "Apps", "Orvel", "Data"})
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(item));
}

TEST_F(ChangeDestination, ConfirmedBrowseComposesTheFolderFromTheList) {
  ScriptedUser user;
  RECT browserRect = {};
  user.Answer({Press(IDC_BROWSE), Read(IDC_DESTINATION_EDIT),
               ReadCaret(IDC_DESTINATION_EDIT), Press(IDC_CANCEL)})
      .Answer({Call(ShowFolderList), SelectRow(lst2, 2),
               Call([&](HWND b) { GetWindowRect(b, &browserRect); }),
               Press(IDOK)});
  RunChangeDestinationDialog(nullptr);
  ASSERT_EQ(2u, user.shown().size());
  EXPECT_EQ((std::vector<std::string>{"c:\\apps\\orvel\\", "14,14"}),
            user.shown()[0].reads);
  const Shown& browser = user.shown()[1];
  EXPECT_EQ("Choose a Destination FOLDER", browser.caption);
  EXPECT_EQ(user.shown()[0].window, browser.owner);
  // No file name or type can be typed or picked; folders and files show.
  for (int hidden : {stc2, cmb1, stc3, edt1}) {
    ASSERT_NE(nullptr, browser.control(hidden)) << hidden;
    EXPECT_FALSE(browser.control(hidden)->style & WS_VISIBLE) << hidden;
  }
  for (int shown : {lst2, cmb2, lst1}) {
    ASSERT_NE(nullptr, browser.control(shown)) << shown;
    EXPECT_TRUE(browser.control(shown)->style & WS_VISIBLE) << shown;
  }
}

TEST_F(ChangeDestination, DoubleClickOnAFileInTheBrowserDoesNothing) {
  MakeFolders(kBase + "\\files");
  MakeFile(kBase + "\\files\\readme.txt");
  bool stillOpen = false;
  std::string fileName = "?";
  ScriptedUser user;
  user.Answer({Type(IDC_DESTINATION_EDIT, kBase + "\\files\\"),
               Press(IDC_BROWSE), Read(IDC_DESTINATION_EDIT), Escape()})
      .Answer({Call(ShowNow), Read(lst1), DoubleClickRow(lst1, 0),
               Call([&](HWND b) {
                 stillOpen = IsWindowVisible(b) != 0;
                 fileName = WindowText(GetDlgItem(b, edt1));
               }),
               Escape()});
  RunChangeDestinationDialog(nullptr);
  ASSERT_EQ(2u, user.shown().size());
  EXPECT_EQ("readme.txt\n", user.shown()[1].reads[0]);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ("c:\\orvel-tests\\change\\files\\", user.shown()[0].reads[0]);
}

// "OK" and "Search" both check the typed path first; a refused one is
// reported over the dialog, which stays open (no search is run).
TEST_F(ChangeDestination, ARefusedPathIsReportedAndTheDialogStaysOpen) {
  for (int button : {IDC_OK, IDC_SEARCH}) {
    SCOPED_TRACE(button);
    lstrcpyA(state.destinationPath, "c:\\orvel-tests\\change\\before\\");
    bool openAfter = false;
    ScriptedUser user;
    user.Answer({Call(ShowNow), Type(IDC_DESTINATION_EDIT, "c:\\"),
                 Press(button),
                 Call([&](HWND d) { openAfter = IsWindowVisible(d) != 0; }),
                 Read(IDC_DESTINATION_EDIT), Escape()})
        .Answer({Press(IDOK)});
    EXPECT_EQ(1, RunChangeDestinationDialog(nullptr));
    ASSERT_EQ(2u, user.shown().size());
    const Shown& box = user.shown()[1];
    EXPECT_TRUE(box.isMessageBox);
    EXPECT_EQ(user.shown()[0].window, box.owner);
    EXPECT_EQ("Folder Error", box.caption);
    EXPECT_EQ(0u, box.text.find("Error #40\n\n"));
    EXPECT_TRUE(openAfter);
    EXPECT_EQ("c:\\", user.shown()[0].reads[0]);
    EXPECT_STREQ("c:\\orvel-tests\\change\\before\\", state.destinationPath);
  }
}

TEST_F(ChangeDestination, OkWithAnEmptyBoxIsDecidedByValidation) {
  lstrcpyA(state.installerFolder, "C:\\Orvel-Tests\\Change\\Setup\\");
  ScriptedUser user;
  user.Answer({Type(IDC_DESTINATION_EDIT, ""), Press(IDC_OK)});
  EXPECT_EQ(1, RunChangeDestinationDialog(nullptr));
  ASSERT_EQ(1u, user.shown().size());
  EXPECT_STREQ("c:\\orvel-tests\\change\\setup\\", state.destinationPath);
}

} // namespace

namespace {

UINT_PTR CALLBACK PlainHook(HWND, UINT, WPARAM, LPARAM) {
  return 0;
}

// The old-style Save As dialog as the system places it, without our hook.
void OpenSystemBrowser(HWND owner) {
  char file[PATH_SIZE] = "";
  OPENFILENAMEA record = {};
  record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  record.hwndOwner = owner;
  record.lpstrFilter = " \0*.*\0";
  record.nFilterIndex = 1;
  record.lpstrFile = file;
  record.nMaxFile = sizeof file;
  record.lpstrInitialDir = "c:\\";
  record.Flags = OFN_HIDEREADONLY | OFN_ENABLEHOOK | OFN_NONETWORKBUTTON;
  record.lpfnHook = PlainHook;
  GetSaveFileNameA(&record);
}

TEST_F(ChangeDestination, DialogStandsHigherAndTheBrowserFurtherLeft) {
  RECT fromTemplate = {18, 64, 0, 0}, system = {}, ours = {};
  POINT client = {0, 0};
  ScriptedUser user;
  auto rectOf = [](RECT* r) { return [r](HWND w) { GetWindowRect(w, r); }; };
  user.Answer({Call([&](HWND d) { ClientToScreen(d, &client); }),
               Call([&](HWND d) {
                 MapDialogRect(d, &fromTemplate);
                 OpenSystemBrowser(d);
               }),
               Type(IDC_DESTINATION_EDIT, "c:\\"), Press(IDC_BROWSE), Escape()})
      .Answer({Call(rectOf(&system)), Escape()})
      .Answer({Call(rectOf(&ours)), Escape()});
  RunChangeDestinationDialog(nullptr);
  ASSERT_EQ(3u, user.shown().size());
  // Not centred: where the template puts its client area, 80 pixels up.
  EXPECT_EQ(fromTemplate.left, client.x);
  EXPECT_EQ(fromTemplate.top - 80, client.y);
  EXPECT_EQ(system.left - 150, ours.left);
  EXPECT_EQ(system.top, ours.top);
}

} // namespace
