#include "engine/payload_crc.h"

// Bit by bit rather than with a 1 KB table: the payload is small, and the
// installer's size matters more than microseconds.
uint32_t PayloadCrc(uint32_t crc, const void* data, size_t size) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
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
