// The steps that install one payload file, in the order InstallPayloadFile
// takes them, each on its own so that the time of each can be measured.
#pragma once

#include "engine/error_codes.h"
#include "state/installer_state.h"

#include <stdint.h>

// The three files of one slot, all in the destination folder.
struct PayloadPaths {
  char compressed[PATH_SIZE];
  char uncompressed[PATH_SIZE];
  char finalPath[PATH_SIZE];
};

void FormPayloadPaths(const char* name, PayloadPaths* paths);

// Expands the compressed temporary file into the uncompressed one. Returns
// the bytes written or a negative LZ error; `crc` receives the checksum of
// what was written, where the expansion takes it on the way, else 0.
long ExpandPayload(const PayloadPaths* paths, uint32_t* crc);

// The expansion's result once the expanded file is checked against its
// header and the checksum recorded for slot `name`, or a negative error.
long CheckExpandedPayload(const char* name, const PayloadPaths* paths,
                          long expanded, uint32_t crc);

// Shows the "Decompress Error" box for a negative `checked`; returns
// ERR_DECOMPRESS then, else 0.
ErrorCode ReportExpansion(long checked, const PayloadPaths* paths);

// The version data of the new file, of the one it replaces and of a file
// with the backup name must be readable.
ErrorCode CheckPayloadVersions(const PayloadPaths* paths);

// The expanded file's bytes on the disk, before it takes the final name.
void FlushPayload(const PayloadPaths* paths);

// The expanded file takes the final name in one step.
ErrorCode ReplaceFinalFile(const PayloadPaths* paths);
