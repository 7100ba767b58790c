// The payload catalogue and the names its files are installed under.
#include "engine/payload_crc.h"
#include "engine/payload_table.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Mapped {
  int result;
  std::string name;
};

bool operator==(const Mapped& a, const Mapped& b) {
  return a.result == b.result && a.name == b.name;
}

void PrintTo(const Mapped& mapped, std::ostream* out) {
  *out << mapped.result << " \"" << mapped.name << "\"";
}

Mapped Map(const char* catalogueName) {
  char name[64];
  memset(name, '#', sizeof name);
  int result = MapPayloadName(name, catalogueName);
  return {result, name};
}

// In place, as the pipeline maps a slot's name.
Mapped MapInPlace(const char* catalogueName) {
  char name[64];
  strcpy(name, catalogueName);
  int result = MapPayloadName(name, name);
  return {result, name};
}

TEST(MapPayloadName, InstallsCompressedProductFilesUnderTheirRealNames) {
  for (auto map : {Map, MapInPlace}) {
    EXPECT_EQ(0, map("files/orvel.ex_").result);
    EXPECT_EQ("orvel.exe", map("files/orvel.ex_").name);
    EXPECT_EQ(0, map("files/orvel.ch_").result);
    EXPECT_EQ("orvel.chm", map("files/orvel.ch_").name);
    EXPECT_EQ("help.hlp", map("files/help.hl_").name);
    EXPECT_EQ("lib.dll", map("files/lib.dl_").name);
    EXPECT_EQ("data.dat", map("files/data.da_").name);
  }
}

TEST(MapPayloadName, PlaceholdersAndShortNamesInstallNothing) {
  for (auto map : {Map, MapInPlace}) {
    for (const char* placeholder :
         {"files/x.xxx", "", "f", "files/", "a/b.c_", "ab.ex_"}) {
      Mapped mapped = map(placeholder);
      EXPECT_EQ(1, mapped.result) << placeholder;
      EXPECT_EQ("", mapped.name) << placeholder;
    }
  }
  // Seven characters are enough for a real name.
  EXPECT_EQ((Mapped{0, "a.exe"}), Map("ab/a.ex_"));
}

TEST(MapPayloadName, OtherNamesKeepTheirExtensionAfterTheFolder) {
  for (auto map : {Map, MapInPlace}) {
    EXPECT_EQ((Mapped{0, "readme.txt"}), map("files/readme.txt"));
    EXPECT_EQ((Mapped{0, "readme.tx_"}), map("files/readme.tx_"));
    EXPECT_EQ((Mapped{0, "PROG.EX_"}), map("files/PROG.EX_"));
    // Only the part after the first slash is dropped.
    EXPECT_EQ((Mapped{0, "sub/tool.exe"}), map("files/sub/tool.ex_"));
    // The last dot starts the extension.
    EXPECT_EQ((Mapped{0, "orvel.ex_.dll"}), map("files/orvel.ex_.dl_"));
    EXPECT_EQ((Mapped{0, "noextension_"}), map("files/noextension_"));
  }
}

TEST(PayloadTable, YieldsTheTwoProductFilesInOrder) {
  std::vector<std::string> installed;
  for (const PayloadSlot& slot : PayloadTable) {
    char name[64];
    if (MapPayloadName(name, slot.catalogueName) == 0)
      installed.push_back(name);
  }
  EXPECT_EQ((std::vector<std::string>{"orvel.exe", "orvel.chm"}), installed);
}

TEST(PayloadTable, EverySlotNamesAResourceOfThisProgram) {
  for (int slot = 0; slot < PAYLOAD_SLOT_COUNT; ++slot) {
    EXPECT_EQ(900 + slot, PayloadTable[slot].resourceId);
    EXPECT_NE(nullptr,
              FindResourceA(GetModuleHandleA(nullptr),
                            MAKEINTRESOURCEA(PayloadTable[slot].resourceId),
                            MAKEINTRESOURCEA(10)))
        << "slot " << slot;
  }
}

} // namespace

// Known CRC-32 values (as zip and zlib give them) of texts shorter and
// longer than the eight bytes the checksum takes per step, whole and in
// pieces that split those steps anywhere.
TEST(PayloadCrc, GivesTheZipChecksumWholeAndInPieces) {
  std::string counting;
  for (int i = 0; i < 1024; ++i)
    counting += static_cast<char>(i & 0xFF);
  const struct {
    std::string text;
    uint32_t crc;
  } known[] = {
      {"", 0},
      {"a", 0xE8B7BE43},
      {"123456789", 0xCBF43926},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339},
      {counting, 0xB70B4C26},
  };
  for (const auto& k : known) {
    EXPECT_EQ(PayloadCrc(0, k.text.data(), k.text.size()), k.crc) << k.text;
    for (size_t cut = 1; cut < k.text.size() && cut < 20; ++cut) {
      uint32_t first = PayloadCrc(0, k.text.data(), cut);
      EXPECT_EQ(PayloadCrc(first, k.text.data() + cut, k.text.size() - cut),
                k.crc)
          << k.text.size() << " bytes cut at " << cut;
    }
  }
}
