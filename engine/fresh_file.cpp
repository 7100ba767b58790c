#include "engine/fresh_file.h"

#include "engine/native_files.h"
#include "state/installer_state.h"
#include "state/unguessable_file.h"

#include <string.h>

namespace {

// A read-only file under the name, which Windows will not replace, made
// writable through a handle to the name itself: a link stays as it is.
int ClearReadOnly(const char* path) {
  HANDLE file = CreateFileA(
      path, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
      nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return 0;
  HeldEntry held;
  int cleared = !NativeFailed(DescribeHeld(file, &held)) &&
                !(held.attributes &
                  (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) &&
                !NativeFailed(MakeHeldWritable(file));
  CloseHandle(file);
  return cleared;
}

} // namespace

HANDLE CreateFreshFile(const char* path) {
  char folder[PATH_SIZE];
  lstrcpynA(folder, path, sizeof folder);
  char* slash = strrchr(folder, '\\');
  if (!slash)
    return INVALID_HANDLE_VALUE;
  slash[1] = '\0';
  char fresh[PATH_SIZE];
  DWORD error;
  // As long as the installer's own temporary names, so that it fits
  // wherever they do.
  HANDLE file = CreateUnguessableFile(folder, "$", 8, "", FILE_ATTRIBUTE_NORMAL,
                                      fresh, sizeof fresh, &error);
  if (file == INVALID_HANDLE_VALUE)
    return file;
  if (MoveFileExA(fresh, path, MOVEFILE_REPLACE_EXISTING) ||
      (ClearReadOnly(path) &&
       MoveFileExA(fresh, path, MOVEFILE_REPLACE_EXISTING)))
    return file;
  CloseHandle(file);
  DeleteFileA(fresh);
  return INVALID_HANDLE_VALUE;
}
