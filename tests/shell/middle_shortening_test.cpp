// The middle shortening of the destination text: its edges, and that it
// never writes outside the text. The worked example is in the layout test.
#include "shell/middle_shortening.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

// Shortens a copy of `text` inside a guarded buffer and checks that no
// byte outside the text changed.
std::string Shorten(const std::string& text, int limit, int width) {
  const size_t guard = 16;
  std::string buffer(guard + text.size() + 1 + guard, '#');
  memcpy(&buffer[guard], text.c_str(), text.size() + 1);
  ShortenInMiddle(&buffer[guard], limit, width);
  EXPECT_EQ(std::string(guard, '#'), buffer.substr(0, guard));
  EXPECT_EQ(std::string(guard, '#'), buffer.substr(guard + text.size() + 1));
  return std::string(buffer.c_str() + guard);
}

TEST(MiddleShortening, EdgesOfTheRule) {
  // Not wider than the limit: whole.
  EXPECT_EQ("abcdefghij", Shorten("abcdefghij", 576, 576));
  // One pixel too wide: keep = trunc(10 * 100 / 101) = 9, drop 6, start 2.
  EXPECT_EQ("ab.....ij", Shorten("abcdefghij", 100, 101));
  // keep = trunc(20 * 5 / 20) = 5: the dots alone.
  EXPECT_EQ(".....", Shorten("abcdefghijklmnopqrst", 5, 20));
}

TEST(MiddleShortening, KeepBelowFiveNeverWritesOutsideTheText) {
  std::string path = "  c:\\a very long folder name\\and another one\\  ";
  // A tiny limit (keep 0 to 4) for texts of every length from 0 to 48.
  for (size_t length = 0; length <= path.size(); ++length) {
    std::string text = path.substr(0, length);
    for (int limit : {0, 1, 3}) {
      std::string shortened = Shorten(text, limit, 1000);
      SCOPED_TRACE(text);
      // Five characters or fewer, "  " + "" + "  " among them, stay.
      if (length <= 5)
        EXPECT_EQ(text, shortened);
      else
        EXPECT_EQ(".....", shortened);
    }
  }
}

TEST(MiddleShortening, KeepIsTheFloatingQuotientTruncated) {
  // 22 x (10 / 21) is 10.47...: 10 are kept, the first 2, the dots and
  // the last 3.
  EXPECT_EQ("ab.....tuv", Shorten("abcdefghijklmnopqrstuv", 10, 21));
  // 100 x (576 / 700) is 82.28...: the first 38, the dots, the last 39.
  std::string hundred;
  for (int k = 0; k < 100; ++k)
    hundred += static_cast<char>('a' + k % 26);
  std::string kept = Shorten(hundred, 576, 700);
  EXPECT_EQ(82u, kept.size());
  EXPECT_EQ(hundred.substr(0, 38) + "....." + hundred.substr(61), kept);
}

TEST(MiddleShortening, ExtremeMeasuresStayWithinTheRule) {
  // Far apart limit and width: no overflow, the dots alone.
  EXPECT_EQ(".....", Shorten("abcdefghij", INT_MIN, INT_MAX));
  // A width that is not positive measured nothing: the text stays.
  EXPECT_EQ("abcdefghij", Shorten("abcdefghij", -100, 0));
  EXPECT_EQ("abcdefghij", Shorten("abcdefghij", INT_MIN, -1));
}

} // namespace
