// The AGREE dialog, driven by the scripted user, with its rows read back
// from the list box.
#include "dialogs/agreement_dialog.h"

#include "resources/resource_ids.h"
#include "tests/dialogs/call_recorder.h"
#include "tests/dialogs/dialog_setup.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace scripted;

namespace {

using Strings = std::vector<std::string>;

class AgreementDialog : public ::testing::Test {
protected:
  void SetUp() override { ResetForDialogs(); }
};

std::string WithoutBlanks(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != ' ' && c != '\r' && c != '\n')
      out += c;
  return out;
}

int Width(HWND list, const std::string& text) {
  HDC dc = GetDC(list);
  SIZE size = {0, 0};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  ReleaseDC(list, dc);
  return size.cx;
}

int UsableWidth(HWND list) {
  RECT client;
  GetClientRect(list, &client);
  return client.right;
}

// Fills the open dialog's list with a text of our own, as the dialog
// fills it with the stored one, and returns the rows.
Strings FillWith(HWND dialog, const std::string& text) {
  SendDlgItemMessageA(dialog, IDC_AGREE_TEXT, LB_RESETCONTENT, 0, 0);
  FillWrappedList(dialog, IDC_AGREE_TEXT, text.data(),
                  static_cast<int>(text.size()));
  return ListRows(GetDlgItem(dialog, IDC_AGREE_TEXT));
}

TEST_F(AgreementDialog, StoredLicenceShowsUpToButNotIncludingEnd) {
  std::ifstream file(LICENCE_PATH, std::ios::binary);
  std::string licence((std::istreambuf_iterator<char>(file)),
                      std::istreambuf_iterator<char>());
  size_t end = licence.rfind("\r\nEnd\r\n");
  ASSERT_NE(std::string::npos, end);
  int usable = 0;
  std::vector<int> widths;
  ScriptedUser user;
  user.Answer({Call([&](HWND d) {
                 HWND list = GetDlgItem(d, IDC_AGREE_TEXT);
                 usable = UsableWidth(list);
                 for (const std::string& row : ListRows(list)) {
                   widths.push_back(Width(list, row));
                 }
               }),
               Escape()});
  EXPECT_EQ(1, RunAgreementDialog(nullptr));
  ASSERT_EQ(1u, user.shown().size());
  const Shown& d = user.shown()[0];
  EXPECT_EQ("End User License Agreement", d.caption);
  Strings rows = d.control(IDC_AGREE_TEXT)->rows;
  ASSERT_GT(rows.size(), 1u);
  std::string shown;
  for (const std::string& row : rows) {
    EXPECT_NE("End", row);
    shown += row;
  }
  // Only blanks are dropped where rows break.
  EXPECT_EQ(WithoutBlanks(licence.substr(0, end)), WithoutBlanks(shown));
  EXPECT_EQ("Quillmere Software", rows.back());
  for (int w : widths)
    EXPECT_LT(w, usable);
  EXPECT_EQ(BST_UNCHECKED, d.control(IDC_AGREE_CHECK)->checked);
}

TEST_F(AgreementDialog, TextsOfOurOwnFollowTheRowRule) {
  Strings loneLineFeed, ending, longWord, blanks, centredLong, centredShort;
  std::string word;
  int usable = 0;
  std::vector<int> longWordWidths, longWordWider;
  std::string blankCase;
  ScriptedUser user;
  user.Answer({Call([&](HWND d) {
                 HWND list = GetDlgItem(d, IDC_AGREE_TEXT);
                 usable = UsableWidth(list);
                 loneLineFeed = FillWith(d, "First line\nSecond line\r\n");
                 ending = FillWith(d, "Terms\r\nEnding the terms\r\nMore\r\n");
                 word = std::string(300, 'W');
                 longWord = FillWith(d, word + "\r\n");
                 for (const std::string& row : longWord) {
                   longWordWidths.push_back(Width(list, row));
                   longWordWider.push_back(Width(list, row + "W"));
                 }
                 // A row of m letters that fills on its second blank.
                 for (int m = 1; m < 300 && blankCase.empty(); ++m) {
                   std::string a(static_cast<size_t>(m), 'a');
                   if (Width(list, a + " ") < usable &&
                       Width(list, a + "  ") >= usable)
                     blankCase = a;
                 }
                 blanks = FillWith(d, blankCase + "    z\r\n");
                 std::string sentence;
                 for (int i = 0; i < 40; ++i)
                   sentence += "centred words ";
                 centredLong = FillWith(d, "\x02" + sentence + "\r\n");
                 centredShort = FillWith(d, "\x02short\r\n");
               }),
               Escape()});
  RunAgreementDialog(nullptr);

  EXPECT_EQ((Strings{"First line"}), loneLineFeed);
  EXPECT_EQ((Strings{"Terms"}), ending);

  // The long word: each row full but for the character that did not fit.
  ASSERT_GT(longWord.size(), 1u);
  std::string joined;
  for (size_t i = 0; i < longWord.size(); ++i) {
    joined += longWord[i];
    EXPECT_LT(longWordWidths[i], usable);
    if (i + 1 < longWord.size()) {
      EXPECT_GE(longWordWider[i], usable);
    }
  }
  EXPECT_EQ(word, joined);

  ASSERT_FALSE(blankCase.empty());
  EXPECT_EQ((Strings{blankCase + " ", " z"}), blanks);

  ASSERT_GT(centredLong.size(), 1u);
  for (const std::string& row : centredLong)
    EXPECT_NE(' ', row[0]) << row;
  ASSERT_EQ(1u, centredShort.size());
  EXPECT_EQ(' ', centredShort[0][0]);
  EXPECT_EQ("short", centredShort[0].substr(centredShort[0].find('s')));
}

TEST_F(AgreementDialog, AcceptWithoutTheTickBeepsAndStaysOpen) {
  state.agreementAccepted = 1;
  int acceptedThen = -1;
  bool openThen = false;
  CallRecorder recorder;
  ScriptedUser user;
  user.Answer({Call(ShowNow), Press(IDC_OK), Call([&](HWND d) {
                 acceptedThen = state.agreementAccepted;
                 openThen = IsWindowVisible(d) != 0;
               }),
               Tick(IDC_AGREE_CHECK), Press(IDC_OK)});
  EXPECT_EQ(1, RunAgreementDialog(nullptr));
  EXPECT_EQ(0, acceptedThen);
  EXPECT_TRUE(openThen);
  EXPECT_EQ(1, state.agreementAccepted);
  EXPECT_EQ((std::vector<UINT>{MB_ICONEXCLAMATION}), recorder.beeps());
}

TEST_F(AgreementDialog, EscapeAndDeclineClearAnEarlierAcceptance) {
  CallRecorder recorder;
  for (Step way : {Escape(), Press(IDC_CANCEL)}) {
    state.agreementAccepted = 1;
    ScriptedUser user;
    user.Answer({Tick(IDC_AGREE_CHECK), way});
    EXPECT_EQ(1, RunAgreementDialog(nullptr));
    EXPECT_EQ(0, state.agreementAccepted);
  }
  EXPECT_EQ((std::vector<UINT>{MB_ICONEXCLAMATION, MB_ICONEXCLAMATION}),
            recorder.beeps());
}

TEST_F(AgreementDialog, UpdateModeShowsTheChangesWithOneOkButton) {
  state.updateMode = 1;
  state.agreementAccepted = 1;
  CallRecorder recorder;
  RECT ok = {}, window = {};
  ScriptedUser user;
  user.Answer({Read(IDC_AGREE_LABEL), Read(IDC_OK), Call([&](HWND d) {
                 GetWindowRect(d, &window);
                 GetWindowRect(GetDlgItem(d, IDC_OK), &ok);
                 MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&ok), 2);
               }),
               Press(IDC_OK)});
  EXPECT_EQ(1, RunAgreementDialog(nullptr));
  // The one button stands in the middle of the window's width.
  const int W = window.right - window.left, w = ok.right - ok.left;
  EXPECT_EQ((W - w) / 2, ok.left);
  EXPECT_EQ(0, state.agreementAccepted);
  EXPECT_TRUE(recorder.beeps().empty());
  ASSERT_EQ(1u, user.shown().size());
  const Shown& d = user.shown()[0];
  EXPECT_EQ("New Changes in this Version", d.caption);
  EXPECT_EQ((Strings{"Please Read These Changes", "OK"}), d.reads);
  // Recorded before the dialog is first shown: the style tells.
  EXPECT_FALSE(d.control(IDC_AGREE_CHECK)->style & WS_VISIBLE);
  EXPECT_FALSE(d.control(IDC_CANCEL)->style & WS_VISIBLE);
  EXPECT_TRUE(d.control(IDC_OK)->style & WS_VISIBLE);
}

TEST_F(AgreementDialog, ButtonsAndListArePlacedByTheWindowSize) {
  RECT ok = {}, cancel = {}, list = {}, window = {};
  int listClient = 0;
  ScriptedUser user;
  user.Answer({Call([&](HWND d) {
                 GetWindowRect(d, &window);
                 GetWindowRect(GetDlgItem(d, IDC_OK), &ok);
                 GetWindowRect(GetDlgItem(d, IDC_CANCEL), &cancel);
                 GetWindowRect(GetDlgItem(d, IDC_AGREE_TEXT), &list);
                 for (RECT* r : {&ok, &cancel, &list})
                   MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(r), 2);
                 listClient = UsableWidth(GetDlgItem(d, IDC_AGREE_TEXT));
               }),
               Escape()});
  RunAgreementDialog(nullptr);
  const int W = window.right - window.left, H = window.bottom - window.top;
  const int w = ok.right - ok.left, h = ok.bottom - ok.top;
  EXPECT_EQ((W - w) / 3, ok.left);
  EXPECT_EQ(static_cast<int>(H - 2.3 * h), ok.top);
  EXPECT_EQ(2 * (W - w) / 3, cancel.left);
  EXPECT_EQ(W / 21, list.left);
  EXPECT_EQ(H / 16, list.top);
  EXPECT_EQ(W - 2 * (W / 21) - 4, list.right - list.left);
  // The list box trims its height to whole rows.
  const int height =
      static_cast<int>(H - (2 * GetSystemMetrics(SM_CYBORDER) + 3.2 * h));
  EXPECT_LE(list.bottom - list.top, height);
  EXPECT_GT(list.bottom - list.top, height - 20);
  // The scroll bar is always there, outside the rows' width.
  EXPECT_LT(listClient, list.right - list.left - 2);
}

// The installer's resources without the agreement text.
HMODULE ModuleWithoutAgreementText() {
  static HMODULE module = LoadLibraryExA(NO_AGREEMENT_TEXT_MODULE, nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE);
  return module;
}

TEST_F(AgreementDialog, MissingTextShowsItsErrorRowInBothModes) {
  HMODULE module = ModuleWithoutAgreementText();
  ASSERT_NE(nullptr, module);
  ASSERT_EQ(nullptr, FindResourceA(module, MAKEINTRESOURCEA(AGREEMENT_TEXT_ID),
                                   RT_RCDATA));
  for (int update : {0, 1}) {
    ResetForDialogs();
    state.appInstance = module;
    state.updateMode = update;
    ScriptedUser user;
    if (update)
      user.Answer({Press(IDC_OK)});
    else
      user.Answer({Tick(IDC_AGREE_CHECK), Press(IDC_OK)});
    EXPECT_EQ(1, RunAgreementDialog(nullptr));
    ASSERT_EQ(1u, user.shown().size());
    EXPECT_EQ((Strings{update ? " ERROR!       Changes File is Unavailable!!'"
                              : " ERROR!       EULA is Unavailable!!'"}),
              user.shown()[0].control(IDC_AGREE_TEXT)->rows);
    // The dialog works as usual: the licence can still be accepted.
    EXPECT_EQ(update ? 0 : 1, state.agreementAccepted);
  }
}

} // namespace
