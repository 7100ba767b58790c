#include "engine/payload_check.h"

#include "engine/payload_crc.h"
#include "engine/payload_table.h"
#include "state/installer_state.h"

#include <windows.h>

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

} // namespace

bool ExpandedPayloadIsIntact(const char* name, uint32_t crc) {
  uint32_t recorded;
  return RecordedCrc(SlotOf(name), &recorded) && crc == recorded;
}
