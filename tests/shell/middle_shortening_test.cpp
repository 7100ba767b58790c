// The middle shortening of the destination text: the worked example, its
// edges, and that it never writes outside the text.
#include "shell/middle_shortening.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// 100 distinct-enough characters.
std::string HundredCharacters() {
  std::string text;
  for (int i = 0; i < 100; ++i)
    text += static_cast<char>('!' + i % 90);
  return text;
}

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

TEST(MiddleShortening, HundredCharactersSevenHundredPixelsKeep82) {
  std::string text = HundredCharacters();
  std::string shortened = Shorten(text, 576, 700);
  ASSERT_EQ(82u, shortened.size());
  EXPECT_EQ(text.substr(0, 38), shortened.substr(0, 38));
  EXPECT_EQ(".....", shortened.substr(38, 5));
  EXPECT_EQ(text.substr(61), shortened.substr(43));
}

TEST(MiddleShortening, TextThatFitsStaysWhole) {
  std::string text = HundredCharacters();
  EXPECT_EQ(text, Shorten(text, 576, 576));
  EXPECT_EQ(text, Shorten(text, 576, 300));
}

TEST(MiddleShortening, OneCharacterTooWide) {
  // keep = trunc(10 * 100 / 101) = 9: drop 6, start 2.
  EXPECT_EQ("ab.....ij", Shorten("abcdefghij", 100, 101));
}

TEST(MiddleShortening, KeepingFiveLeavesOnlyTheDots) {
  // keep = trunc(20 * 5 / 20) = 5.
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
      if (length <= 5)
        EXPECT_EQ(text, shortened);
      else
        EXPECT_EQ(".....", shortened);
    }
  }
}

TEST(MiddleShortening, TheEmptyDestinationIsLeftAlone) {
  // "  %s  " of an empty path, far too wide for a tiny limit.
  EXPECT_EQ("    ", Shorten("    ", 2, 400));
}

} // namespace
