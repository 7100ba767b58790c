// The row rule of the agreement list, with every character 10 pixels wide,
// so that where rows break does not depend on a font.
#include "dialogs/agreement_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int TenPixelsEach(const char*, int length, void*) {
  return 10 * length;
}

void Collect(const char* row, void* context) {
  static_cast<std::vector<std::string>*>(context)->push_back(row);
}

std::vector<std::string> Rows(const std::string& text, int usableWidth,
                              int rowSize = 1400) {
  std::vector<std::string> rows;
  std::vector<char> buffer(static_cast<size_t>(rowSize));
  RowWrapper w = {usableWidth, TenPixelsEach, Collect,
                  &rows,       buffer.data(), rowSize};
  WrapAgreementRows(w, text.data(), static_cast<int>(text.size()));
  return rows;
}

using Strings = std::vector<std::string>;

TEST(AgreementRows, StopAtTheEndLineButShowTheFirstLineAlways) {
  EXPECT_EQ((Strings{"End of nothing", "Terms", ""}),
            Rows("End of nothing\r\nTerms\r\n\r\nEnd\r\nNot shown\r\n", 1000));
  EXPECT_EQ((Strings{"Terms"}), Rows("Terms\r\nENDING here\r\nmore\r\n", 1000));
  EXPECT_EQ((Strings{"Terms"}), Rows("Terms\r\neNd", 1000));
  // Fewer than three letters left is no end line.
  EXPECT_EQ((Strings{"Terms", "en"}), Rows("Terms\r\nen", 1000));
}

TEST(AgreementRows, LoneLineFeedEndsTheTextAndLoneCarriageReturnALine) {
  EXPECT_EQ((Strings{"first"}), Rows("first\nsecond\r\n", 1000));
  EXPECT_EQ((Strings{"first", "second"}), Rows("first\rsecond\r", 1000));
  EXPECT_EQ((Strings{"a", "", "b"}), Rows("a\r\n\r\nb\r\n", 1000));
  EXPECT_EQ((Strings{}), Rows("", 1000));
}

TEST(AgreementRows, LongWordIsCutWhereItStopsFitting) {
  // 50 pixels hold four characters: the fifth makes the row full.
  EXPECT_EQ((Strings{"abcd", "efgh", "ij"}), Rows("abcdefghij\r\n", 50));
}

TEST(AgreementRows, CutAtABlankDropsItAndOneMoreButNotAThird) {
  EXPECT_EQ((Strings{"abc ", " def"}), Rows("abc    def\r\n", 50));
  EXPECT_EQ((Strings{"ab", "cd"}), Rows("ab cd\r\n", 50));
}

TEST(AgreementRows, WordBeginningWithEndAfterACutStopsTheText) {
  EXPECT_EQ((Strings{"abc"}), Rows("abc ends\r\nmore\r\nEnd\r\n", 50));
}

TEST(AgreementRows, ShortCentredLineIsPaddedWithBlanks) {
  // (100 - 30) / 2 / 10 = 3 blanks.
  EXPECT_EQ((Strings{"   abc", "left"}), Rows("\x02"
                                              "abc\r\nleft\r\n",
                                              100));
  EXPECT_EQ((Strings{"   abc"}), Rows("ab\x02"
                                      "c\r\n",
                                      100));
}

TEST(AgreementRows, LongCentredLineIsCentredOnNoneOfItsRows) {
  EXPECT_EQ((Strings{"abcd", "efgh", "ij"}), Rows("\x02"
                                                  "abcdefghij\r\n",
                                                  50));
}

TEST(AgreementRows, WidthNarrowerThanOneCharacterStillMovesOn) {
  EXPECT_EQ((Strings{"a", "b", "c", "x", "y"}), Rows("abc\r\nxy\nz", 5));
  EXPECT_EQ((Strings{"a", "b", "c"}), Rows("abc", 0));
  EXPECT_EQ((Strings{"a", "b"}), Rows("ab", -20));
}

TEST(AgreementRows, RowNeverPassesItsBuffer) {
  EXPECT_EQ((Strings{"abcdefg", "hijk"}), Rows("abcdefghijk\r\n", 100000, 8));
  // Centring blanks are cut to what the buffer still holds.
  EXPECT_EQ((Strings{"    abc"}), Rows("\x02"
                                       "abc\r\n",
                                       100000, 8));
}

} // namespace
