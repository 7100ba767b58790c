#include "engine/version_info.h"

#include "state/installer_state.h"
#include "state/system_library.h"

#include <string.h>

enum {
  VERSION_BLOCK_SIZE = 2500,
  FILE_VERSION_KEPT = 40,
  SUB_BLOCK_SIZE = 64,
};

typedef DWORD(WINAPI* InfoSizeCall)(LPCWSTR, LPDWORD);
typedef BOOL(WINAPI* InfoCall)(LPCWSTR, DWORD, DWORD, LPVOID);
typedef BOOL(WINAPI* QueryCall)(LPCVOID, LPCSTR, LPVOID*, PUINT);

// A value of the version block by its sub-block path; 0 when it is
// missing or empty.
static UINT QueryValue(void* block, const char* path, const char** value) {
  auto query = SystemCall<QueryCall>("version.dll", "VerQueryValueA");
  void* found = nullptr;
  UINT length = 0;
  if (!query || !query(block, path, &found, &length) || !found)
    return 0;
  *value = static_cast<const char*>(found);
  return length;
}

// Keeps at most FILE_VERSION_KEPT characters, never reading past the value.
static void KeepFileVersion(const char* value, UINT length) {
  UINT kept = 0;
  while (kept < length && kept < FILE_VERSION_KEPT && value[kept]) {
    state.versionFileVersion[kept] = value[kept];
    ++kept;
  }
  state.versionFileVersion[kept] = '\0';
}

// The size the system gives for a version block leaves room behind the
// block, as long again plus four bytes, for the 8-bit copies of its
// strings, which VerQueryValueA writes at the block's own length. A file
// whose block announces more than it holds would have them written past
// the buffer.
static bool BlockFits(const char* block, DWORD size) {
  WORD length;
  memcpy(&length, block, sizeof length);
  return 2UL * length + 4 <= size;
}

ErrorCode ReadVersionInfo(const char* fileName) {
  wchar_t wide[PATH_SIZE];
  if (!MultiByteToWideChar(CP_ACP, 0, fileName, -1, wide, PATH_SIZE))
    wide[0] = L'\0';
  return ReadVersionInfoW(wide);
}

// The wide calls read the same block as the 8-bit ones, which only
// convert the name; the 8-bit query still finds room behind it.
ErrorCode ReadVersionInfoW(const wchar_t* fileName) {
  state.versionFileVersion[0] = '\0';
  auto infoSize =
      SystemCall<InfoSizeCall>("version.dll", "GetFileVersionInfoSizeW");
  auto info = SystemCall<InfoCall>("version.dll", "GetFileVersionInfoW");
  // Without the system's reader no version data can be vouched for.
  if (!infoSize || !info)
    return ERR_VERSION_DATA;
  DWORD unused = 0;
  DWORD size = infoSize(fileName, &unused);
  // No version data, or more than the block holds: accepted as it is.
  if (size == 0 || size >= VERSION_BLOCK_SIZE)
    return 0;
  char block[VERSION_BLOCK_SIZE];
  if (!info(fileName, 0, sizeof block, block) || !BlockFits(block, size))
    return ERR_VERSION_DATA;

  const char* value = nullptr;
  // A translation entry is a 16-bit language and a 16-bit code page.
  if (QueryValue(block, "\\VarFileInfo\\Translation", &value) < 4)
    return ERR_VERSION_DATA;
  DWORD translation;
  memcpy(&translation, value, sizeof translation);
  char prefix[SUB_BLOCK_SIZE];
  wsprintfA(prefix, "\\StringFileInfo\\%04x%04x\\",
            static_cast<unsigned>(LOWORD(translation)),
            static_cast<unsigned>(HIWORD(translation)));

  char path[SUB_BLOCK_SIZE];
  int found = 0;
  wsprintfA(path, "%sTitle", prefix);
  if (QueryValue(block, path, &value) > 0)
    ++found;
  wsprintfA(path, "%sFileVersion", prefix);
  UINT length = QueryValue(block, path, &value);
  if (length > 0) {
    KeepFileVersion(value, length);
    ++found;
  }
  if (found == 2)
    return 0;
  state.versionFileVersion[0] = '\0';
  return ERR_VERSION_DATA;
}
