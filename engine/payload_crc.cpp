#include "engine/payload_crc.h"

namespace {

// Slice-by-8: eight bytes per step through eight tables of 256 entries.
// The 8 KB are built on first use in uninitialised data, so the installer
// file carries only the code that builds them, while the checksum of a
// large payload runs at memory speed instead of bit by bit (about twenty
// times slower).
uint32_t tables[8][256];
bool tablesBuilt;

void BuildTables() {
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t crc = n;
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    tables[0][n] = crc;
  }
  for (int k = 1; k < 8; ++k)
    for (int n = 0; n < 256; ++n)
      tables[k][n] =
          (tables[k - 1][n] >> 8) ^ tables[0][tables[k - 1][n] & 0xFF];
  tablesBuilt = true;
}

uint32_t Word(const unsigned char* bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
         static_cast<uint32_t>(bytes[3]) << 24;
}

} // namespace

uint32_t PayloadCrc(uint32_t crc, const void* data, size_t size) {
  if (!tablesBuilt)
    BuildTables();
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  crc = ~crc;
  for (; size >= 8; size -= 8, bytes += 8) {
    uint32_t low = crc ^ Word(bytes), high = Word(bytes + 4);
    crc = tables[7][low & 0xFF] ^ tables[6][(low >> 8) & 0xFF] ^
          tables[5][(low >> 16) & 0xFF] ^ tables[4][low >> 24] ^
          tables[3][high & 0xFF] ^ tables[2][(high >> 8) & 0xFF] ^
          tables[1][(high >> 16) & 0xFF] ^ tables[0][high >> 24];
  }
  for (; size > 0; --size)
    crc = (crc >> 8) ^ tables[0][(crc ^ *bytes++) & 0xFF];
  return ~crc;
}

int RecordedPayloadCrc(const void* table, size_t tableSize, int slot,
                       uint32_t* crc) {
  if (slot < 0 || tableSize / 4 <= static_cast<size_t>(slot))
    return 0;
  const unsigned char* at = static_cast<const unsigned char*>(table) + 4 * slot;
  *crc = at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24;
  return 1;
}
