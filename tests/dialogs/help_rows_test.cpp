// Reading help page rows, and the eight pages themselves.
#include "dialogs/help_pages.h"
#include "dialogs/help_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Row {
  std::string text;
  int centred, bold;
  bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* out) {
  *out << '"' << row.text << "\" centred " << row.centred << " bold "
       << row.bold;
}

std::vector<Row> RowsOf(const char* page) {
  std::vector<Row> rows;
  HelpRow row;
  int position = 0;
  while (NextHelpRow(page, &position, &row)) {
    EXPECT_EQ(static_cast<int>(std::string(row.text).size()), row.length);
    rows.push_back({row.text, row.centred, row.bold});
  }
  return rows;
}

TEST(HelpRows, TabCentresBackspaceBoldensAndBothAreSwallowed) {
  EXPECT_EQ((std::vector<Row>{{"Title", 1, 1},
                              {"", 1, 0},
                              {"plain", 0, 1},
                              {"mid", 1, 0},
                              {"", 0, 0}}),
            RowsOf("\t\bTitle\n\t\npla\bin\nm\tid\n\n"));
  // The bold marker alone is no centring.
  EXPECT_EQ((std::vector<Row>{{"x", 0, 1}}), RowsOf("\bx\n"));
}

TEST(HelpRows, CharactersAfterTheLastLineFeedAreNotDrawn) {
  EXPECT_EQ((std::vector<Row>{{"one", 0, 0}}), RowsOf("one\ntwo"));
  EXPECT_TRUE(RowsOf("no line feed").empty());
  EXPECT_TRUE(RowsOf("").empty());
}

TEST(HelpRows, RowLongerThanItsBufferIsCutAndTheNextRowFollows) {
  std::string page = std::string(300, 'x') + "\nnext\n";
  std::vector<Row> rows = RowsOf(page.c_str());
  ASSERT_EQ(2u, rows.size());
  EXPECT_EQ(std::string(255, 'x'), rows[0].text);
  EXPECT_EQ("next", rows[1].text);
}

TEST(HelpRows, LayoutFormulas) {
  EXPECT_EQ(100 / 13, HelpRowX(100, 40, 0));
  EXPECT_EQ(30, HelpRowX(100, 40, 1));
  EXPECT_EQ(-5, HelpRowX(100, 111, 1)); // rounds toward zero
  int x = 0, y = 0;
  HelpFooterPosition(561, 371, &x, &y);
  EXPECT_EQ(460, x); // 460.02
  EXPECT_EQ(333, y); // 333.9
  EXPECT_EQ(30, HelpButtonX(200, 80, 1));
  EXPECT_EQ(60, HelpButtonX(200, 80, 2));
  EXPECT_EQ(90, HelpButtonX(200, 80, 3));
  EXPECT_EQ(337, HelpButtonY(400, 23)); // 400 - 62.1, truncated
}

TEST(HelpPages, EightPagesWithTheirRowCounts) {
  int counts[] = {21, 19, 20, 20, 17, 11, 15, 13};
  int n = 0;
  while (helpPages[n][0])
    ++n;
  ASSERT_EQ(8, n);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(static_cast<size_t>(counts[i]), RowsOf(helpPages[i]).size())
        << "page " << i + 1;
}

TEST(HelpPages, CentredAndBoldRowsAreTheTitles) {
  // Every centred or bold row of the pages, page by page.
  std::vector<std::vector<Row>> expected = {
      {{"Install - Quick Instructions:", 1, 1}},
      {},
      {},
      {{"Note:", 1, 1}},
      {},
      {{"NO Changes are made,", 1, 1},
       {"until you click 'Perform Installation' (or 'Perform Update')", 1, 0}},
      {{"UN-INSTALL", 1, 1}},
      {{"INSTALL", 1, 1}}};
  for (int i = 0; i < 8; ++i) {
    std::vector<Row> marked;
    std::vector<Row> rows = RowsOf(helpPages[i]);
    for (const Row& row : rows)
      if (row.centred || row.bold)
        marked.push_back(row);
    if (i == 7) {
      // The credits: five more centred rows around one empty row.
      ASSERT_EQ(6u, marked.size());
      EXPECT_EQ(expected[7][0], marked[0]);
      EXPECT_EQ("", rows[11].text);
      EXPECT_EQ(0, rows[11].centred);
      EXPECT_NE(std::string::npos, rows[12].text.find("www.quillmere.example"));
      continue;
    }
    EXPECT_EQ(expected[i], marked) << "page " << i + 1;
  }
}

} // namespace
