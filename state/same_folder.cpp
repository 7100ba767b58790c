#include "state/same_folder.h"

#include "state/installer_state.h"

namespace {

// The full, long spelling without a trailing backslash; 0 when it does
// not fit.
int Canonical(const char* path, char* full) {
  DWORD length = GetFullPathNameA(path, PATH_SIZE, full, nullptr);
  if (length == 0 || length >= PATH_SIZE)
    return 0;
  // A folder that is not there keeps the spelling it has.
  GetLongPathNameA(full, full, PATH_SIZE);
  int end = lstrlenA(full);
  if (end && full[end - 1] == '\\')
    full[end - 1] = '\0';
  return 1;
}

} // namespace

int SameFolder(const char* a, const char* b) {
  char fullA[PATH_SIZE], fullB[PATH_SIZE];
  return Canonical(a, fullA) && Canonical(b, fullB) &&
         lstrcmpiA(fullA, fullB) == 0;
}
