#include "engine/payload_check.h"

#include "engine/payload_crc.h"
#include "engine/payload_table.h"
#include "state/installer_state.h"

#include <windows.h>

#include <stdio.h>

namespace {

// The slot whose file is installed under `name`, or -1.
int SlotOf(const char* name) {
  for (int slot = 0; slot < PAYLOAD_SLOT_COUNT; ++slot) {
    char mapped[PATH_SIZE];
    if (MapPayloadName(mapped, PayloadTable[slot].catalogueName) == 0 &&
        lstrcmpiA(mapped, name) == 0)
      return slot;
  }
  return -1;
}

bool RecordedCrc(int slot, uint32_t* crc) {
  HRSRC found = FindResourceA(state.appInstance,
                              MAKEINTRESOURCEA(PAYLOAD_CRC_ID), RT_RCDATA);
  HGLOBAL loaded = found ? LoadResource(state.appInstance, found) : nullptr;
  const void* table = loaded ? LockResource(loaded) : nullptr;
  return table &&
         RecordedPayloadCrc(table, SizeofResource(state.appInstance, found),
                            slot, crc);
}

bool FileCrc(const char* path, uint32_t* crc) {
  FILE* file = fopen(path, "rb");
  if (!file)
    return false;
  *crc = 0;
  unsigned char chunk[2048];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, file)) > 0)
    *crc = PayloadCrc(*crc, chunk, got);
  bool ok = !ferror(file);
  fclose(file);
  return ok;
}

} // namespace

// A frame of its own: inlined into the installation step, its read buffer
// would make that frame larger than one stack page, which the program,
// built without stack probes, must never have.
[[gnu::noinline]] bool ExpandedPayloadIsIntact(const char* name,
                                               const char* path) {
  uint32_t recorded, actual;
  return RecordedCrc(SlotOf(name), &recorded) && FileCrc(path, &actual) &&
         actual == recorded;
}
