// The scripted user against a real MessageBoxA and a real dialog made
// from a resource template.
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

using namespace scripted;

namespace {

// What the test dialog saw when it closed, and how.
struct DialogOutcome {
  std::string typed;
  int ticked = -1;
  int selected = -1;
  int doubleClicked = -1;
  int askAnswer = 0;
} outcome;

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                LPARAM) {
  switch (message) {
  case WM_INITDIALOG:
    for (const char* row : {"first", "second", "third"})
      SendDlgItemMessageA(dialog, 1003, LB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(row));
    SetDlgItemTextA(dialog, 1001, "initial");
    return TRUE;
  case WM_COMMAND:
    switch (LOWORD(wParam)) {
    case 1003:
      if (HIWORD(wParam) == LBN_DBLCLK)
        outcome.doubleClicked = static_cast<int>(
            SendDlgItemMessageA(dialog, 1003, LB_GETCURSEL, 0, 0));
      return TRUE;
    case 1004:
      outcome.askAnswer = MessageBoxA(dialog, "Really?", "Question",
                                      MB_YESNO | MB_ICONQUESTION);
      return TRUE;
    case IDOK: {
      char text[64];
      GetDlgItemTextA(dialog, 1001, text, sizeof text);
      outcome.typed = text;
      outcome.ticked = IsDlgButtonChecked(dialog, 1002);
      outcome.selected = static_cast<int>(
          SendDlgItemMessageA(dialog, 1003, LB_GETCURSEL, 0, 0));
      EndDialog(dialog, 7);
      return TRUE;
    }
    case IDCANCEL:
      EndDialog(dialog, 3);
      return TRUE;
    }
  }
  return FALSE;
}

INT_PTR RunTestDialog() {
  outcome = DialogOutcome();
  return DialogBoxParamA(GetModuleHandleA(nullptr), "SCRIPTTEST", nullptr,
                         TestDialogProc, 0);
}

TEST(ScriptedUser, AnswersAMessageBoxAndReadsWhatItShowed) {
  ScriptedUser user;
  user.Answer({Press(IDNO)});
  int result = MessageBoxA(nullptr, "Line one\n\nLine three", "Caption Here",
                           MB_YESNO | MB_DEFBUTTON2 | MB_ICONINFORMATION);
  EXPECT_EQ(IDNO, result);
  ASSERT_EQ(1u, user.shown().size());
  const Shown& box = user.shown()[0];
  EXPECT_TRUE(box.isMessageBox);
  EXPECT_EQ("Caption Here", box.caption);
  EXPECT_EQ("Line one\n\nLine three", box.text);
  EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_DEFBUTTON2 | MB_ICONINFORMATION),
            box.style);
  EXPECT_EQ(IDNO, box.result);
  EXPECT_FALSE(box.unexpected);
}

TEST(ScriptedUser, AnswersSuccessiveBoxesInOrder) {
  ScriptedUser user;
  user.Answer({Press(IDCANCEL)}).Answer({Press(IDOK)});
  EXPECT_EQ(IDCANCEL, MessageBoxA(nullptr, "one", "A", MB_OKCANCEL));
  EXPECT_EQ(IDOK, MessageBoxA(nullptr, "two", "B", MB_OK));
  ASSERT_EQ(2u, user.shown().size());
  EXPECT_EQ("A", user.shown()[0].caption);
  EXPECT_EQ("two", user.shown()[1].text);
  EXPECT_EQ(0u, user.pending());
}

TEST(ScriptedUser, DismissesAWindowItHasNoAnswerFor) {
  ScriptedUser user;
  int result = MessageBoxA(nullptr, "surprise", "Unplanned", MB_YESNO);
  EXPECT_EQ(IDNO, result);
  ASSERT_EQ(1u, user.shown().size());
  EXPECT_TRUE(user.shown()[0].unexpected);
}

TEST(ScriptedUser, TypesTicksSelectsAndPressesInADialog) {
  ScriptedUser user;
  user.Answer({Read(1001), Type(1001, "c:\\new folder\\"), Tick(1002),
               SelectRow(1003, 2), Read(1001), Press(IDOK)});
  EXPECT_EQ(7, RunTestDialog());
  EXPECT_EQ("c:\\new folder\\", outcome.typed);
  EXPECT_EQ(BST_CHECKED, outcome.ticked);
  EXPECT_EQ(2, outcome.selected);

  ASSERT_EQ(1u, user.shown().size());
  const Shown& dialog = user.shown()[0];
  EXPECT_FALSE(dialog.isMessageBox);
  EXPECT_EQ("Scripted User Test", dialog.caption);
  ASSERT_EQ(2u, dialog.reads.size());
  EXPECT_EQ("initial", dialog.reads[0]);
  EXPECT_EQ("c:\\new folder\\", dialog.reads[1]);
  const Control* list = dialog.control(1003);
  ASSERT_NE(nullptr, list);
  EXPECT_EQ((std::vector<std::string>{"first", "second", "third"}), list->rows);
  const Control* box = dialog.control(1002);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ("Remember me", box->text);
  EXPECT_EQ(BST_UNCHECKED, box->checked);
}

TEST(ScriptedUser, ClearsABoxAndDoubleClicksARow) {
  ScriptedUser user;
  user.Answer({Tick(1002), Clear(1002), DoubleClickRow(1003, 1), Enter()});
  EXPECT_EQ(7, RunTestDialog());
  EXPECT_EQ(BST_UNCHECKED, outcome.ticked);
  EXPECT_EQ(1, outcome.doubleClicked);
}

TEST(ScriptedUser, AnswersANestedBoxBeforeGoingOnInTheDialog) {
  ScriptedUser user;
  user.Answer({Press(1004), Read(1001), Escape()}).Answer({Press(IDYES)});
  EXPECT_EQ(3, RunTestDialog());
  EXPECT_EQ(IDYES, outcome.askAnswer);
  ASSERT_EQ(2u, user.shown().size());
  EXPECT_EQ("Scripted User Test", user.shown()[0].caption);
  EXPECT_EQ("Question", user.shown()[1].caption);
  EXPECT_EQ(user.shown()[0].window, user.shown()[1].owner);
  // The read after the press ran once the nested box had closed.
  ASSERT_EQ(1u, user.shown()[0].reads.size());
  EXPECT_EQ("initial", user.shown()[0].reads[0]);
}

} // namespace
