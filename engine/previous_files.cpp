#include "engine/previous_files.h"

#include "engine/payload_table.h"
#include "state/installer_state.h"
#include "state/unguessable_file.h"

#include <windows.h>

#include <errno.h>
#include <string.h>

namespace {

struct Kept {
  char finalPath[PATH_SIZE];
  char aside[PATH_SIZE]; // empty: there was no previous file
  int replaced;
};

Kept kept[PAYLOAD_SLOT_COUNT];
int keptCount = 0;

// A volume without hard links (FAT) gets a copy under a name made anew.
int CopyAside(const char* finalPath, const char* folder, char* aside) {
  DWORD error;
  HANDLE made = CreateUnguessableFile(folder, "$", 8, "", FILE_ATTRIBUTE_NORMAL,
                                      aside, PATH_SIZE, &error);
  if (made == INVALID_HANDLE_VALUE)
    return 0;
  CloseHandle(made);
  if (CopyFileA(finalPath, aside, FALSE))
    return 1;
  DeleteFileA(aside);
  return 0;
}

void Forget(Kept& entry) {
  if (entry.aside[0] && !DeleteFileA(entry.aside))
    MoveFileExA(entry.aside, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

} // namespace

ErrorCode KeepPrevious(const char* finalPath) {
  if (keptCount >= PAYLOAD_SLOT_COUNT)
    return ERR_DELETE_PREVIOUS;
  Kept& entry = kept[keptCount];
  lstrcpynA(entry.finalPath, finalPath, PATH_SIZE);
  entry.aside[0] = '\0';
  entry.replaced = 0;
  if (GetFileAttributesA(finalPath) != INVALID_FILE_ATTRIBUTES) {
    char folder[PATH_SIZE];
    lstrcpynA(folder, finalPath, PATH_SIZE);
    if (char* slash = strrchr(folder, '\\'))
      slash[1] = '\0';
    if (!LinkUnguessableName(finalPath, folder, "$", entry.aside, PATH_SIZE) &&
        !CopyAside(finalPath, folder, entry.aside)) {
      state.errorDetail = EACCES;
      return ERR_DELETE_PREVIOUS;
    }
  }
  ++keptCount;
  return 0;
}

void MarkReplaced() {
  if (keptCount > 0)
    kept[keptCount - 1].replaced = 1;
}

void PutPreviousBack() {
  // Last first, in one step each: the final name holds a file throughout.
  while (keptCount > 0) {
    Kept& entry = kept[--keptCount];
    if (!entry.replaced)
      Forget(entry);
    else if (!entry.aside[0])
      DeleteFileA(entry.finalPath);
    else // one that cannot go back stays under its second name
      MoveFileExA(entry.aside, entry.finalPath,
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }
}

void DropPrevious() {
  while (keptCount > 0)
    Forget(kept[--keptCount]);
}
