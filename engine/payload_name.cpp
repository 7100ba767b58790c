// The installed name of a catalogue entry. No Windows header: a rule.
#include "engine/payload_table.h"

#include <string.h>

namespace {

const char placeholderName[] = "files/x.xxx";

// Compressed extension and the extension it is installed with; both of
// the same length, so a name can be mapped in place.
const char* const extensionMap[][2] = {
    {".ex_", ".exe"}, {".hl_", ".hlp"}, {".ch_", ".chm"},
    {".dl_", ".dll"}, {".da_", ".dat"},
};

void MapExtension(char* name) {
  size_t length = strlen(name);
  if (length == 0 || name[length - 1] != '_')
    return;
  char* extension = strrchr(name, '.');
  if (!extension)
    return;
  for (const auto& row : extensionMap) {
    if (strcmp(extension, row[0]) == 0) {
      memcpy(extension, row[1], strlen(row[1]));
      return;
    }
  }
}

} // namespace

int MapPayloadName(char* name, const char* catalogueName) {
  memmove(name, catalogueName, strlen(catalogueName) + 1);
  if (strlen(name) < 7 || strcmp(name, placeholderName) == 0) {
    name[0] = '\0';
    return 1;
  }
  if (char* slash = strchr(name, '/'))
    memmove(name, slash + 1, strlen(slash + 1) + 1);
  MapExtension(name);
  return 0;
}
