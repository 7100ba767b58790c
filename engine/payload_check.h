// The check of an expanded payload file against the checksum recorded for
// it when the installer was built.
#pragma once

#include <stdint.h>

// The number that the "Decompress Error" box shows when the check fails;
// the LZ functions' own errors run from -1 to -8.
#define PAYLOAD_CRC_MISMATCH (-9)

// Whether `crc`, the CRC-32 of an expanded file, is that of the file the
// build packed for the slot installed under `name`, so that the file is
// that one byte for byte as far as CRC-32 tells. A slot without a recorded
// checksum fails.
bool ExpandedPayloadIsIntact(const char* name, uint32_t crc);
