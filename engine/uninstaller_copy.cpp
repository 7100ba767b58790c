#include "engine/uninstaller_copy.h"

#include "engine/fresh_file.h"
#include "state/installer_state.h"

namespace {

enum { COPY_CHUNK = 32768 };

// 1 when every byte of `from` reached `to`.
int CopyBytes(HANDLE from, HANDLE to) {
  static char chunk[COPY_CHUNK];
  for (;;) {
    DWORD got = 0, written = 0;
    if (!ReadFile(from, chunk, sizeof chunk, &got, nullptr))
      return 0;
    if (got == 0)
      return 1;
    if (!WriteFile(to, chunk, got, &written, nullptr) || written != got)
      return 0;
  }
}

} // namespace

ErrorCode CopyWholeFile(const char* from, const char* to) {
  lstrcpynA(state.errorPath, to, sizeof state.errorPath);
  state.errorDetail = 0;
  HANDLE source =
      CreateFileA(from, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (source == INVALID_HANDLE_VALUE)
    return ERR_FILE_CREATE;
  HANDLE copy = CreateFreshFile(to);
  if (copy == INVALID_HANDLE_VALUE) {
    CloseHandle(source);
    return ERR_FILE_CREATE;
  }
  int whole = CopyBytes(source, copy);
  CloseHandle(source);
  if (!CloseHandle(copy))
    whole = 0;
  if (whole)
    return 0;
  DeleteFileA(to);
  return ERR_DISK_WRITE;
}

ErrorCode CopyUninstaller() {
  char self[PATH_SIZE];
  DWORD length = GetModuleFileNameA(state.appInstance, self, sizeof self);
  if (length == 0 || length >= sizeof self)
    return ERR_FILE_CREATE;
  char target[PATH_SIZE + 16];
  wsprintfA(target, "%sinstall.exe", state.destinationPath);
  // An installer started from the installation it installs into is the
  // uninstaller already; its running file cannot be replaced anyway.
  char full[PATH_SIZE];
  length = GetFullPathNameA(target, sizeof full, full, nullptr);
  if (length > 0 && length < sizeof full && lstrcmpiA(full, self) == 0)
    return 0;
  return CopyWholeFile(self, target);
}
