// The payload catalogue: which resource holds which product file.
#pragma once

#include "resources/resource_ids.h"

struct PayloadSlot {
  const char* catalogueName;
  int resourceId;
};

extern const PayloadSlot PayloadTable[PAYLOAD_SLOT_COUNT];

// The installed file name of a catalogue name, into `name` (which may be
// the same buffer as `catalogueName`; the output is never longer than the
// input). Returns 1 for a placeholder (name empty), 0 for a real slot.
int MapPayloadName(char* name, const char* catalogueName);
