// The check of an expanded payload file against the checksum recorded for
// it when the installer was built.
#pragma once

// The number that the "Decompress Error" box shows when the check fails;
// the LZ functions' own errors run from -1 to -8.
#define PAYLOAD_CRC_MISMATCH (-9)

// Whether the file at `path` is, byte for byte as far as CRC-32 tells, the
// file that the build packed for the slot installed under `name`. A slot
// without a recorded checksum, or a file that cannot be read, fails.
bool ExpandedPayloadIsIntact(const char* name, const char* path);
