// The DTLINFO help pager, driven by the scripted user; what it paints is
// read back from its TextOutA calls.
#include "dialogs/help_pager.h"

#include "dialogs/help_pages.h"
#include "dialogs/help_rows.h"
#include "resources/resource_ids.h"
#include "tests/dialogs/call_recorder.h"
#include "tests/dialogs/dialog_setup.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

using namespace scripted;

namespace {

int Width(HDC dc, const std::string& text) {
  SIZE size = {0, 0};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

class HelpPager : public ::testing::Test {
protected:
  void SetUp() override { ResetForDialogs(); }

  // A step that repaints the whole page, as the screen does before the
  // user looks again, and keeps what was painted.
  Step Look() {
    return Call([this](HWND d) {
      // Beeps since the last look, and those of this paint.
      std::vector<UINT> beeps = recorder.beeps();
      InvalidateRect(d, nullptr, TRUE);
      recorder.Clear();
      PaintNow(d);
      looks.push_back(recorder.texts());
      beeps.insert(beeps.end(), recorder.beeps().begin(),
                   recorder.beeps().end());
      beepsSeen.push_back(beeps);
      recorder.Clear();
      // What the pager measured: widths of the painted texts, the row
      // height, and the client size plus one.
      HDC dc = GetDC(d);
      std::vector<int> w;
      for (const PaintedText& t : looks.back())
        w.push_back(Width(dc, t.text));
      widths.push_back(w);
      SIZE zero = {0, 0};
      GetTextExtentPoint32A(dc, "0", 1, &zero);
      rowHeight = zero.cy;
      ReleaseDC(d, dc);
      RECT client;
      GetClientRect(d, &client);
      W = client.right + 1;
      H = client.bottom + 1;
    });
  }

  // The footer of a look.
  static std::string Footer(const std::vector<PaintedText>& look) {
    return look.empty() ? "" : look.back().text;
  }

  CallRecorder recorder;
  std::vector<std::vector<PaintedText>> looks;
  std::vector<std::vector<UINT>> beepsSeen;
  std::vector<std::vector<int>> widths;
  int rowHeight = 0, W = 0, H = 0;
};

TEST_F(HelpPager, OpensOnPageOneWithTheFocusOnForward) {
  int focus = 0;
  ScriptedUser user;
  user.Answer({Look(), Call([&](HWND) { focus = GetDlgCtrlID(GetFocus()); }),
               Press(IDC_OK)});
  EXPECT_EQ(1, RunHelpPager(nullptr));
  ASSERT_EQ(1u, user.shown().size());
  EXPECT_EQ("Information and Details", user.shown()[0].caption);
  ASSERT_EQ(1u, looks.size());
  EXPECT_EQ("Page 1 of 8", Footer(looks[0]));
  EXPECT_EQ("Install - Quick Instructions:", looks[0][1].text);
  EXPECT_EQ(user.shown()[0].control(IDC_FORWARD)->text, "&Forward >>");
  EXPECT_EQ(IDC_FORWARD, focus);
}

TEST_F(HelpPager, BackOnTheFirstPageBeepsAndStays) {
  ScriptedUser user;
  user.Answer({Press(IDC_BACK), Look(), Escape()});
  EXPECT_EQ(1, RunHelpPager(nullptr));
  ASSERT_EQ(1u, looks.size());
  EXPECT_EQ("Page 1 of 8", Footer(looks[0]));
  EXPECT_EQ((std::vector<UINT>{MB_ICONASTERISK}), beepsSeen[0]);
}

TEST_F(HelpPager, ForwardOnTheLastPageStaysAndBackThenShowsPageSeven) {
  ScriptedUser user;
  std::vector<Step> steps;
  for (int i = 0; i < 7; ++i)
    steps.push_back(Enter());
  steps.push_back(Look());
  steps.push_back(Press(IDC_FORWARD));
  steps.push_back(Look());
  steps.push_back(Press(IDC_BACK));
  steps.push_back(Look());
  steps.push_back(Press(IDC_OK));
  user.Answer(steps);
  EXPECT_EQ(1, RunHelpPager(nullptr));
  ASSERT_EQ(3u, looks.size());
  EXPECT_EQ("Page 8 of 8", Footer(looks[0]));
  EXPECT_TRUE(beepsSeen[0].empty());
  EXPECT_EQ("Page 8 of 8", Footer(looks[1]));
  EXPECT_EQ((std::vector<UINT>{MB_ICONASTERISK}), beepsSeen[1]);
  EXPECT_EQ("Page 7 of 8", Footer(looks[2]));
  EXPECT_TRUE(beepsSeen[2].empty());
  EXPECT_EQ("UN-INSTALL", looks[2][2].text);
}

TEST_F(HelpPager, ReopeningStartsOnPageOne) {
  ScriptedUser user;
  user.Answer({Enter(), Enter(), Enter(), Enter(), Look(), Press(IDC_OK)})
      .Answer({Look(), Escape()});
  RunHelpPager(nullptr);
  RunHelpPager(nullptr);
  ASSERT_EQ(2u, looks.size());
  EXPECT_EQ("Page 5 of 8", Footer(looks[0]));
  EXPECT_EQ("Page 1 of 8", Footer(looks[1]));
}

// Every page, as painted: each row at its height, centred or at a
// thirteenth of the width, bold rows twice one pixel apart, then the
// footer near the lower right.
TEST_F(HelpPager, EveryPageIsPaintedWithItsCentringAndBoldRows) {
  ScriptedUser user;
  std::vector<Step> steps = {Look()};
  for (int i = 1; i < 8; ++i) {
    steps.push_back(Press(IDC_FORWARD));
    steps.push_back(Look());
  }
  steps.push_back(Escape());
  user.Answer(steps);
  RunHelpPager(nullptr);
  ASSERT_EQ(8u, looks.size());

  const int rowCounts[] = {21, 19, 20, 20, 17, 11, 15, 13};
  ASSERT_GT(rowHeight, 0);
  for (int page = 0; page < 8; ++page) {
    const std::vector<PaintedText>& look = looks[static_cast<size_t>(page)];
    SCOPED_TRACE("page " + std::to_string(page + 1));
    HelpRow row;
    int position = 0, r = 0;
    size_t k = 0;
    while (NextHelpRow(helpPages[page], &position, &row)) {
      ASSERT_LT(k, look.size());
      const PaintedText& t = look[k++];
      EXPECT_EQ(row.text, t.text);
      EXPECT_EQ(r * rowHeight, t.y);
      const int width = widths[static_cast<size_t>(page)][k - 1];
      EXPECT_EQ(row.centred ? (W - width) / 2 : W / 13, t.x);
      if (row.bold) {
        ASSERT_LT(k, look.size());
        EXPECT_EQ(t.text, look[k].text);
        EXPECT_EQ(t.x + 1, look[k].x);
        EXPECT_EQ(t.y, look[k].y);
        ++k;
      }
      ++r;
    }
    EXPECT_EQ(rowCounts[page], r);
    ASSERT_EQ(k + 1, look.size());
    EXPECT_EQ("Page " + std::to_string(page + 1) + " of 8", look[k].text);
    EXPECT_EQ(static_cast<int>(W * 0.82), look[k].x);
    EXPECT_EQ(static_cast<int>(H * 0.9), look[k].y);
  }
}

} // namespace
