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

// Copies the open file `source` (closed afterwards) to a new file `to`.
ErrorCode CopyOpened(HANDLE source, const char* to) {
  lstrcpynA(state.errorPath, to, sizeof state.errorPath);
  state.errorDetail = 0;
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

const DWORD kShareRead = FILE_SHARE_READ;
const DWORD kScan = FILE_FLAG_SEQUENTIAL_SCAN;

} // namespace

ErrorCode CopyWholeFile(const char* from, const char* to) {
  return CopyOpened(CreateFileA(from, GENERIC_READ, kShareRead, nullptr,
                                OPEN_EXISTING, kScan, nullptr),
                    to);
}

// The installer's own file is named in wide characters: it may stand in
// a folder that the 8-bit calls cannot spell (a Cyrillic name on a
// Western system), where its 8-bit name holds question marks.
ErrorCode CopyUninstaller() {
  wchar_t self[PATH_SIZE];
  DWORD length = GetModuleFileNameW(state.appInstance, self, PATH_SIZE);
  if (length == 0 || length >= PATH_SIZE)
    return ERR_FILE_CREATE;
  char target[PATH_SIZE + 16];
  wsprintfA(target, "%sinstall.exe", state.destinationPath);
  // An installer started from the installation it installs into is the
  // uninstaller already; its running file cannot be replaced anyway.
  // Kept off the stack, which is small in a build without stack probes.
  static wchar_t wide[PATH_SIZE + 16], full[PATH_SIZE];
  MultiByteToWideChar(CP_ACP, 0, target, -1, wide, PATH_SIZE + 16);
  length = GetFullPathNameW(wide, PATH_SIZE, full, nullptr);
  if (length > 0 && length < PATH_SIZE && lstrcmpiW(full, self) == 0)
    return 0;
  return CopyOpened(CreateFileW(self, GENERIC_READ, kShareRead, nullptr,
                                OPEN_EXISTING, kScan, nullptr),
                    target);
}
