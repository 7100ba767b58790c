#include "engine/destination.h"

#include <windows.h>

#include <string.h>

#include "engine/destination_rules.h"
#include "engine/drive_table.h"
#include "state/installer_state.h"

namespace {

const unsigned long long minimumFreeBytes = 10000000;

int Exists(const char* path) {
  return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

int IsFolder(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The destination must lie on a hard disk with room for the product.
ErrorCode CheckDrive(const char* path) {
  char root[4] = {path[0], path[1], path[2], '\0'};
  if (driveTable.getDriveType(root) != DRIVE_FIXED)
    return ERR_NOT_HARD_DRIVE;
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

// Makes the missing levels of the path one by one from the left; the
// levels made before a failing one stay.
ErrorCode CreateMissingFolders(const char* path) {
  char* level = state.scratchText;
  for (size_t end = NextFolderLevel(path, 0); end;
       end = NextFolderLevel(path, end + 1)) {
    memcpy(level, path, end);
    level[end] = '\0';
    if (!Exists(level))
      CreateDirectoryA(level, nullptr);
    // A file standing where a folder must go cannot hold the product.
    if (!IsFolder(level))
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
  if ((code = CheckDrive(path)))
    return code;
  ReadWindowsDirectory(state.scratchText, PATH_SIZE);
  if ((code = CheckDestinationPlace(path, state.scratchText)))
    return code;
  if (state.updateMode == 1 && (code = CheckEarlierInstallation(path)))
    return code;
  // Refused before any folder is made, rather than after, by the first
  // file that cannot be opened.
  if (createFolders == 1 && strlen(path) > DESTINATION_LONGEST_MADE)
    return ERR_PATH_TOO_LONG;
  // A drive without its medium must fail quietly, not ask the user.
  SetErrorMode(SEM_FAILCRITICALERRORS);
  if (createFolders == 1)
    code = CreateMissingFolders(path);
  SetErrorMode(0);
  return code;
}
