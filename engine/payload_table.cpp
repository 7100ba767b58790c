#include "engine/payload_table.h"

// The two product files first, the program always in slot 0; the other
// slots stay free for later releases and are skipped by every walk.
const PayloadSlot PayloadTable[PAYLOAD_SLOT_COUNT] = {
    {"files/orvel.ex_", PAYLOAD_FIRST_ID + 0},
    {"files/orvel.ch_", PAYLOAD_FIRST_ID + 1},
    {"files/x.xxx", PAYLOAD_FIRST_ID + 2},
    {"files/x.xxx", PAYLOAD_FIRST_ID + 3},
    {"files/x.xxx", PAYLOAD_FIRST_ID + 4},
    {"files/x.xxx", PAYLOAD_FIRST_ID + 5},
    {"files/x.xxx", PAYLOAD_FIRST_ID + 6},
    {"files/x.xxx", PAYLOAD_FIRST_ID + 7},
    {"files/x.xxx", PAYLOAD_FIRST_ID + 8},
    {"files/x.xxx", PAYLOAD_FIRST_ID + 9},
};
