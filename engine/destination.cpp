#include "engine/destination.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "engine/destination_rules.h"
#include "engine/drive_table.h"
#include "engine/folder_security.h"
#include "state/installer_state.h"
#include "state/system_library.h"

namespace {

const unsigned long long minimumFreeBytes = 10000000;

int Exists(const char* path) {
  return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// The destination must lie on a hard disk with room for the product; a
// removal needs no room, and must be possible on a full disk.
ErrorCode CheckDrive(const char* path) {
  char root[4] = {path[0], path[1], path[2], '\0'};
  if (driveTable.getDriveType(root) != DRIVE_FIXED)
    return ERR_NOT_HARD_DRIVE;
  if (state.uninstallMode == 1)
    return 0;
  DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
  if (!driveTable.getDiskFreeSpace(root, &sectorsPerCluster, &bytesPerSector,
                                   &freeClusters, &totalClusters))
    return ERR_LOW_DISK_SPACE;
  // In 64 bits: a disk with more than 4 GiB free must not wrap to little.
  unsigned long long freeBytes =
      1ULL * sectorsPerCluster * bytesPerSector * freeClusters;
  return freeBytes < minimumFreeBytes ? ERR_LOW_DISK_SPACE : 0;
}

void ReadWindowsDirectory(char* buffer, UINT size) {
  UINT length = driveTable.getWindowsDirectory(buffer, size);
  if (length == 0 || length >= size)
    buffer[0] = '\0';
}

typedef DWORD(WINAPI* FinalPathCall)(HANDLE, LPSTR, DWORD, DWORD);

// The name the file system gives an existing folder once its short names
// are expanded and its links followed; 0 when it cannot say.
DWORD FinalName(const char* folder, char* name, DWORD size) {
  auto finalPath =
      SystemCall<FinalPathCall>("kernel32.dll", "GetFinalPathNameByHandleA");
  if (!finalPath)
    return GetLongPathNameA(folder, name, size);
  HANDLE handle = CreateFileA(
      folder, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    return 0;
  DWORD length = finalPath(handle, name, size, 0);
  CloseHandle(handle);
  // It answers in the \\?\ form; the tests compare drive paths.
  if (length >= 4 && length < size && strncmp(name, "\\\\?\\", 4) == 0) {
    memmove(name, name + 4, length - 3);
    length -= 4;
  }
  return length;
}

// `path` as the disk resolves it, into `resolved`: its longest part that
// exists by its final name, then the rest as it stands. A short name or a
// link must not hide the root or the Windows folder from the tests.
void ResolveOnDisk(const char* path, char* resolved) {
  CopyBounded(resolved, PATH_SIZE, path);
  char part[PATH_SIZE];
  for (size_t end = strlen(path); end >= 3; --end) {
    if (path[end - 1] != '\\')
      continue;
    memcpy(part, path, end);
    part[end] = '\0';
    char name[PATH_SIZE];
    DWORD length = FinalName(part, name, sizeof name);
    if (length == 0 || length >= sizeof name)
      continue;
    if (name[length - 1] != '\\' && length + 1 < sizeof name) {
      name[length++] = '\\';
      name[length] = '\0';
    }
    _snprintf(resolved, PATH_SIZE, "%s%s", name, path + end);
    resolved[PATH_SIZE - 1] = '\0';
    return;
  }
}

// The root, Windows folder and compile path tests once more on the folder
// the path resolves to on the disk.
ErrorCode CheckResolvedFolder(const char* path) {
  char resolved[PATH_SIZE];
  char windows[PATH_SIZE] = "";
  ResolveOnDisk(path, resolved);
  // With its backslash, so that the Windows folder itself is resolved too;
  // without it again for the test, which refuses what begins like it.
  ReadWindowsDirectory(state.scratchText, PATH_SIZE - 1);
  if (state.scratchText[0]) {
    lstrcatA(state.scratchText, "\\");
    ResolveOnDisk(state.scratchText, windows);
    size_t length = strlen(windows);
    if (length > 3 && windows[length - 1] == '\\')
      windows[length - 1] = '\0';
  }
  return CheckDestinationFolder(resolved, windows);
}

// An update goes over an earlier installation: its folder and program
// must be there already.
ErrorCode CheckEarlierInstallation(const char* path) {
  char* folder = state.scratchText;
  CopyBounded(folder, PATH_SIZE, path);
  size_t length = strlen(folder);
  if (length && folder[length - 1] == '\\')
    folder[--length] = '\0';
  if (!Exists(folder))
    return ERR_UPDATE_NO_FOLDER;
  wsprintfA(folder + length, "\\%s", "orvel.exe");
  return Exists(folder) ? 0 : ERR_UPDATE_NO_APP;
}

// Each level of the path from the left. None may be a link (a junction,
// or a symbolic link to a folder): the folder created, written and removed
// must be the one named. Creating, a missing level is made with the
// installation folder's permissions, and a file standing where a folder
// must go cannot hold the product; the levels made before a failing one
// stay. Checking, the first missing level ends the check.
ErrorCode CheckLevels(const char* path, int createFolders) {
  char* level = state.scratchText;
  for (size_t end = NextFolderLevel(path, 0); end;
       end = NextFolderLevel(path, end + 1)) {
    memcpy(level, path, end);
    level[end] = '\0';
    DWORD attributes = GetFileAttributesA(level);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      if (createFolders != 1)
        return 0;
      CreateDirectoryA(level, InstallationFolderAttributes());
      attributes = GetFileAttributesA(level);
    }
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
        (createFolders == 1 && !(attributes & FILE_ATTRIBUTE_DIRECTORY)))
      return ERR_CREATE_FOLDER;
  }
  return 0;
}

} // namespace

ErrorCode ValidateDestination(int createFolders) {
  char* path = state.destinationPath;
  CopyBounded(state.errorPath, sizeof state.errorPath, path);
  state.errorDetail = 0;
  ErrorCode code = NormaliseDestination(path, PATH_SIZE, state.installerFolder);
  if (code == ERR_BAD_DRIVE)
    return code;
  CopyBounded(state.errorPath, sizeof state.errorPath, path);
  if (code)
    return code;
  // What the 8-bit calls leave of a character outside the code page; a
  // name can hold none, so no other spelling is lost.
  if (strchr(path, '?'))
    return ERR_NAME_NOT_SPELLED;
  if ((code = CheckDrive(path)))
    return code;
  ReadWindowsDirectory(state.scratchText, PATH_SIZE);
  if ((code = CheckDestinationPlace(path, state.scratchText)) ||
      (code = CheckResolvedFolder(path)))
    return code;
  if (state.updateMode == 1 && (code = CheckEarlierInstallation(path)))
    return code;
  // Refused before any folder is made, rather than after, by the first
  // file that cannot be opened.
  if (createFolders == 1 && strlen(path) > DESTINATION_LONGEST_MADE)
    return ERR_PATH_TOO_LONG;
  // A drive without its medium must fail quietly, not ask the user.
  SetErrorMode(SEM_FAILCRITICALERRORS);
  code = CheckLevels(path, createFolders);
  if (code == 0 && createFolders == 1)
    code = SecureInstallationFolder(path);
  SetErrorMode(0);
  return code;
}
