// Packed files expand to the original bytes with the platform's LZ32
// functions, the expander the installer itself uses.
#include "tools/szdd/szdd_pack.h"
#include "tests/support/disk_files.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <lzexpand.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

const char kPacked[] = "c:\\orvel-tests\\packer.tm$";
const char kExpanded[] = "c:\\orvel-tests\\packer.out";

std::vector<unsigned char> Pack(const std::string& data) {
  return PackSzdd(reinterpret_cast<const unsigned char*>(data.data()),
                  data.size(), 'e');
}

// Expands through LZOpenFileA / LZCopy; an LZ error comes back as text.
std::string ExpandWithLz32(const std::vector<unsigned char>& packed) {
  CreateDirectoryA("c:\\orvel-tests", nullptr);
  {
    std::ofstream out(kPacked, std::ios::binary);
    out.write(reinterpret_cast<const char*>(packed.data()),
              static_cast<std::streamsize>(packed.size()));
  }
  OFSTRUCT ofIn = {}, ofOut = {};
  INT source = LZOpenFileA(const_cast<char*>(kPacked), &ofIn, OF_READ);
  INT target = LZOpenFileA(const_cast<char*>(kExpanded), &ofOut, OF_CREATE);
  LONG copied = LZCopy(source, target);
  LZClose(source);
  LZClose(target);
  std::string bytes = disk::ReadBytes(kExpanded);
  DeleteFileA(kPacked);
  DeleteFileA(kExpanded);
  if (copied < 0)
    return "<LZCopy error " + std::to_string(copied) + ">";
  return bytes;
}

void ExpectRoundTrip(const std::string& data) {
  std::vector<unsigned char> packed = Pack(data);
  std::string expanded = ExpandWithLz32(packed);
  ASSERT_EQ(data.size(), expanded.size());
  EXPECT_TRUE(data == expanded);
}

std::string RandomBytes(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s(n, '\0');
  for (char& c : s)
    c = static_cast<char>(rng());
  return s;
}

TEST(Packer, HeaderHoldsMagicMethodCharacterAndSize) {
  std::vector<unsigned char> packed = Pack("hello");
  ASSERT_GE(packed.size(), 14u);
  const unsigned char magic[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
  EXPECT_TRUE(std::equal(magic, magic + 8, packed.begin()));
  EXPECT_EQ('A', packed[8]);
  EXPECT_EQ('e', packed[9]);
  EXPECT_EQ(5, packed[10]);
  EXPECT_EQ(0, packed[11] | packed[12] | packed[13]);
}

TEST(Packer, EmptyFileIsTheHeaderAlone) {
  EXPECT_EQ(14u, Pack("").size());
  ExpectRoundTrip("");
}

TEST(Packer, OneByte) {
  ExpectRoundTrip("x");
}

TEST(Packer, HundredKilobytesOfOneByte) {
  std::string data(100 * 1024, 'Z');
  ExpectRoundTrip(data);
  // Every match is 18 bytes long: two bytes and a flag bit each.
  EXPECT_LT(Pack(data).size(), data.size() / 8);
}

TEST(Packer, OneMegabyteOfRandomBytes) {
  std::string data = RandomBytes(1024 * 1024, 7);
  ExpectRoundTrip(data);
  // Nothing repeats: one flag byte for every eight literals, no worse.
  EXPECT_LE(Pack(data).size(), 14 + data.size() + (data.size() + 7) / 8);
}

TEST(Packer, TextThatBeginsWithBlanksMatchesTheBlankWindow) {
  std::string data = std::string(40, ' ') + "Orvel\r\n" + std::string(7, ' ') +
                     "indented line\r\n";
  ExpectRoundTrip(data);
  // The leading blanks come from the window's blank fill: no literals.
  EXPECT_LT(Pack(data).size(), 14 + data.size() - 30);
}

TEST(Packer, RepeatsFartherBackThanTheWindowStillExpand) {
  std::string block = RandomBytes(3000, 11);
  std::string data =
      block + RandomBytes(5000, 12) + block + block.substr(0, 40);
  ExpectRoundTrip(data);
}

TEST(Packer, ProductFilesRoundTrip) {
  ExpectRoundTrip(disk::ReadBytes(ORVEL_EXE_PATH));
  ExpectRoundTrip(disk::ReadBytes(ORVEL_CHM_PATH));
}

TEST(Packer, MixedTextAndBinary) {
  std::string data;
  for (int i = 0; i < 2000; ++i)
    data += "line " + std::to_string(i * 7919 % 1000) + "\t" +
            RandomBytes(static_cast<size_t>(i % 5), static_cast<unsigned>(i));
  ExpectRoundTrip(data);
}

} // namespace
