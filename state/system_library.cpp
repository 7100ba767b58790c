#include "state/system_library.h"

#include <string.h>

// LOAD_LIBRARY_SEARCH_SYSTEM32, which older headers lack.
static const DWORD kSearchSystemFolder = 0x800;

int SystemFolderPath(const char* name, char* path, UINT size) {
  UINT length = GetSystemDirectoryA(path, size);
  if (length == 0 || length + 1 + strlen(name) >= size)
    return 0;
  path[length] = '\\';
  lstrcpyA(path + length + 1, name);
  return 1;
}

FARPROC SystemLibraryCall(const char* library, const char* function) {
  char path[MAX_PATH];
  if (!SystemFolderPath(library, path, sizeof path))
    return nullptr;
  // Its own dependencies come from the system folder too; where Windows
  // does not know that flag, they are looked for in the library's folder
  // first. A loaded library is found again by its path; the count it gains
  // is kept for the life of the process.
  HMODULE module = LoadLibraryExA(path, nullptr, kSearchSystemFolder);
  if (!module)
    module = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  return module ? GetProcAddress(module, function) : nullptr;
}
