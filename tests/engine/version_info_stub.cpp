// TEMPORARY: stands in for ReadVersionInfo until it lands on main; delete
// after the merge.
#include "engine/version_info.h"
#include "shell/installer_state.h"

#include <windows.h>

ErrorCode ReadVersionInfo(const char* fileName) {
  state.versionFileVersion[0] = '\0';
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(fileName, &handle);
  if (size == 0 || size >= 2500)
    return 0;
  static char block[2500];
  if (!GetFileVersionInfoA(fileName, 0, sizeof block, block))
    return ERR_VERSION_DATA;
  DWORD* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block, "\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      length == 0)
    return ERR_VERSION_DATA;
  char path[100];
  char* value = nullptr;
  int found = 0;
  wsprintfA(path, "\\StringFileInfo\\%04x%04x\\Title", LOWORD(*translation),
            HIWORD(*translation));
  if (VerQueryValueA(block, path, reinterpret_cast<void**>(&value), &length) &&
      length)
    ++found;
  wsprintfA(path, "\\StringFileInfo\\%04x%04x\\FileVersion",
            LOWORD(*translation), HIWORD(*translation));
  if (VerQueryValueA(block, path, reinterpret_cast<void**>(&value), &length) &&
      length) {
    lstrcpynA(state.versionFileVersion, value, 41);
    ++found;
  }
  if (found == 2)
    return 0;
  state.versionFileVersion[0] = '\0';
  return ERR_VERSION_DATA;
}
