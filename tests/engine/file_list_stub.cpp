// TEMPORARY: stands in for the payload catalogue until it is on main.
#include "engine/payload_table.h"

#include <string.h>

const PayloadSlot PayloadTable[PAYLOAD_SLOT_COUNT] = {
    {"files/orvel.ex_", 900}, {"files/orvel.ch_", 901}, {"files/x.xxx", 902},
    {"files/x.xxx", 903},     {"files/x.xxx", 904},     {"files/x.xxx", 905},
    {"files/x.xxx", 906},     {"files/x.xxx", 907},     {"files/x.xxx", 908},
    {"files/x.xxx", 909}};

int MapPayloadName(char* name, const char* catalogueName) {
  if (strlen(catalogueName) < 7 || strcmp(catalogueName, "files/x.xxx") == 0) {
    name[0] = '\0';
    return 1;
  }
  strcpy(name, strchr(catalogueName, '/') + 1);
  size_t length = strlen(name);
  if (strcmp(name + length - 4, ".ex_") == 0)
    name[length - 1] = 'e';
  if (strcmp(name + length - 4, ".ch_") == 0)
    name[length - 1] = 'm';
  return 0;
}
