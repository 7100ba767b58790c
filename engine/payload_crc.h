// The checksum that each payload file must have once expanded: CRC-32 as
// zip and gzip compute it. The build records it beside the payload table,
// because the SZDD container carries none and damaged data may still
// expand without an error.
#pragma once

#include <stddef.h>
#include <stdint.h>

// The checksum of `size` bytes following `crc`, the checksum of what came
// before them (0 for nothing), so that a file can be taken in pieces.
uint32_t PayloadCrc(uint32_t crc, const void* data, size_t size);

// The recorded checksum of slot `slot` in a table of `tableSize` bytes: one
// little-endian 32-bit value per slot, in slot order. Returns 0 when the
// table holds no value for the slot.
int RecordedPayloadCrc(const void* table, size_t tableSize, int slot,
                       uint32_t* crc);
