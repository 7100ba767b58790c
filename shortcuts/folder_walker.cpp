#include "shortcuts/folder_walker.h"

#include "resources/resource_ids.h"
#include "shortcuts/match_file_name.h"
#include "state/installer_state.h"
#include "state/message_box.h"

#include <string.h>

namespace {

// The wide find calls give every name as it is on the disk; the 8-bit ones
// would give a best-fit spelling, in which a full-width "．．＼x" reads
// "..\x". A name that the 8-bit code page cannot spell exactly is handed
// on empty: no path is formed from it, so it can name no other entry.
void CopyEntry(const WIN32_FIND_DATAW& data, WalkEntry* entry) {
  BOOL inexact = FALSE;
  int length =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, data.cFileName, -1,
                          entry->name, sizeof entry->name, nullptr, &inexact);
  if (length == 0 || inexact)
    entry->name[0] = '\0';
  entry->attributes = data.dwFileAttributes;
  // The find data says nothing of a reparse point's kind unless it is one;
  // the data is cleared first so that a platform that leaves the tag out
  // gives 0, which no link carries.
  entry->reparseTag = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                          ? data.dwReserved0
                          : 0;
}

void* RealFindFirst(const char* findPath, WalkEntry* entry) {
  wchar_t widePath[WALK_PATH_SIZE];
  if (!MultiByteToWideChar(CP_ACP, 0, findPath, -1, widePath, WALK_PATH_SIZE))
    return nullptr;
  WIN32_FIND_DATAW data;
  memset(&data, 0, sizeof data);
  HANDLE find = FindFirstFileW(widePath, &data);
  if (find == INVALID_HANDLE_VALUE)
    return nullptr;
  CopyEntry(data, entry);
  return find;
}

int RealFindNext(void* find, WalkEntry* entry) {
  WIN32_FIND_DATAW data;
  memset(&data, 0, sizeof data);
  if (!FindNextFileW(find, &data))
    return 0;
  CopyEntry(data, entry);
  return 1;
}

void RealFindClose(void* find) {
  FindClose(find);
}

int RealSetAttributes(const char* path, unsigned long attributes) {
  return SetFileAttributesA(path, attributes);
}

int RealDeleteFile(const char* path) {
  return DeleteFileA(path);
}

int RealRemoveFolder(const char* path, unsigned long* error) {
  if (RemoveDirectoryA(path))
    return 1;
  *error = GetLastError();
  return 0;
}

int RealAddResultLine(const char* line) {
  return static_cast<int>(SendDlgItemMessageA(
      state.searchDialog, IDC_SEARCH_LIST, LB_ADDSTRING, 0, (LPARAM)line));
}

void RealRepaint() {
  UpdateWindow(state.searchDialog);
}

// Joins the parts into `out`, or returns 0 when the whole would not fit
// the platform's path limit; such a path is skipped, never cut.
int JoinPath(char* out, const char* first, const char* second,
             const char* third = "") {
  size_t a = strlen(first), b = strlen(second), c = strlen(third);
  if (a + b + c >= WALK_PATH_SIZE)
    return 0;
  memcpy(out, first, a);
  memcpy(out + a, second, b);
  memcpy(out + a + b, third, c + 1);
  return 1;
}

int IsDotEntry(const char* name) {
  return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

// Only a name that stands for exactly one entry of the folder is joined
// to its path: one with a separator, a drive colon or a wildcard (where a
// character could not be spelled) would reach another entry, or another
// folder. Such an entry is left where it is, and so is its folder.
int NamesOneEntry(const char* name) {
  return name[0] && !IsDotEntry(name) && !strpbrk(name, "\\/:*?");
}

int IsFolder(const WalkEntry& entry) {
  return (entry.attributes & WALK_ATTRIBUTE_DIRECTORY) != 0;
}

// A junction or a link to a folder elsewhere: never walked into, so that
// removal stays inside the tree and a search cannot go round a loop.
int IsReparsePoint(const WalkEntry& entry) {
  return (entry.attributes & WALK_ATTRIBUTE_REPARSE_POINT) != 0;
}

void RemoveFolder(const char* path) {
  unsigned long error = 0;
  if (walkPlatform.removeFolder(path, &error))
    return;
  // The path is shorter than the platform limit, far below wsprintfA's.
  wsprintfA(state.scratchText, "<%s>\nlen= %d\nGetLastError was %ld", path,
            static_cast<int>(strlen(path)), static_cast<long>(error));
  ShowMessageBox(state.mainWindow, state.scratchText, "Folder Delete Error",
                 MB_OK);
}

// A link to a file keeps its attributes: setting them would reach the file
// it points to.
void DeleteOneFile(const char* path, unsigned long attributes) {
  if ((attributes & 0xFFFF) && !(attributes & WALK_ATTRIBUTE_REPARSE_POINT))
    walkPlatform.setAttributes(path, 0);
  walkPlatform.deleteFile(path);
}

// Returns the stop flag: the list refused the line.
int AddResult(const char* path) {
  int answer = walkPlatform.addResultLine(path);
  walkPlatform.repaint();
  return answer == LB_ERR || answer == LB_ERRSPACE;
}

// Only a link (its tag says so) is removed, by its own name; any other
// reparse point is left alone, and so is its folder.
void RemoveLink(const char* folder, const WalkEntry& entry) {
  char path[WALK_PATH_SIZE];
  if (!(entry.reparseTag & WALK_REPARSE_NAME_SURROGATE) ||
      !JoinPath(path, folder, entry.name))
    return;
  RemoveFolder(path);
}

int WalkFiles(const char* folder, const char* findPath, const char* nameFilter,
              int mode, int* hasSubFolders) {
  WalkEntry entry;
  void* find = walkPlatform.findFirst(findPath, &entry);
  if (!find)
    return 0;
  int stop = 0;
  do {
    char path[WALK_PATH_SIZE];
    if (IsFolder(entry)) {
      if (!IsDotEntry(entry.name))
        *hasSubFolders = 1;
    } else if (NamesOneEntry(entry.name) &&
               MatchFileName(nameFilter, entry.name) &&
               JoinPath(path, folder, entry.name)) {
      if (mode == WALK_DELETE)
        DeleteOneFile(path, entry.attributes);
      else
        stop = AddResult(path);
    }
  } while (!stop && walkPlatform.findNext(find, &entry));
  walkPlatform.findClose(find);
  return stop;
}

int WalkSubFolders(const char* folder, const char* findPath,
                   const char* findPattern, const char* nameFilter, int mode) {
  WalkEntry entry;
  void* find = walkPlatform.findFirst(findPath, &entry);
  if (!find)
    return 0;
  int stop = 0;
  do {
    char path[WALK_PATH_SIZE];
    if (!IsFolder(entry) || !NamesOneEntry(entry.name))
      continue;
    if (IsReparsePoint(entry)) {
      if (mode == WALK_DELETE)
        RemoveLink(folder, entry);
    } else if (JoinPath(path, folder, entry.name, "\\")) {
      stop = WalkFolderTree(path, findPattern, nameFilter, mode);
    }
  } while (!stop && walkPlatform.findNext(find, &entry));
  walkPlatform.findClose(find);
  return stop;
}

} // namespace

const WalkPlatform realWalkPlatform = {
    RealFindFirst,  RealFindNext,     RealFindClose,     RealSetAttributes,
    RealDeleteFile, RealRemoveFolder, RealAddResultLine, RealRepaint,
};

WalkPlatform walkPlatform = realWalkPlatform;

int WalkFolderTree(const char* folder, const char* findPattern,
                   const char* nameFilter, int mode) {
  char base[WALK_PATH_SIZE];
  char findPath[WALK_PATH_SIZE];
  size_t length = strlen(folder);
  int hasBackslash = length > 0 && folder[length - 1] == '\\';
  if (!JoinPath(base, folder, hasBackslash ? "" : "\\"))
    return 0;
  int stop = 0;
  int hasSubFolders = 0;
  if (JoinPath(findPath, base, findPattern)) {
    stop = WalkFiles(base, findPath, nameFilter, mode, &hasSubFolders);
    if (hasSubFolders && !stop)
      stop = WalkSubFolders(base, findPath, findPattern, nameFilter, mode);
  }
  if (mode == WALK_DELETE)
    RemoveFolder(base);
  return stop;
}
