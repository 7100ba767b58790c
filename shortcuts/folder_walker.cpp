#include "shortcuts/folder_walker.h"

#include "resources/resource_ids.h"
#include "shortcuts/match_file_name.h"
#include "state/installer_state.h"

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
}

void* RealFindFirst(const char* findPath, WalkEntry* entry) {
  wchar_t widePath[WALK_PATH_SIZE];
  if (!MultiByteToWideChar(CP_ACP, 0, findPath, -1, widePath, WALK_PATH_SIZE))
    return nullptr;
  WIN32_FIND_DATAW data;
  memset(&data, 0, sizeof data);
  // Without the short names, which the walk never reads, and in large
  // batches; a system older than Windows 7 knows neither and is asked
  // plainly.
  HANDLE find =
      FindFirstFileExW(widePath, FindExInfoBasic, &data, FindExSearchNameMatch,
                       nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER)
    find = FindFirstFileW(widePath, &data);
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

// A junction or a link to a folder elsewhere.
int IsReparsePoint(const WalkEntry& entry) {
  return (entry.attributes & WALK_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Returns the stop flag: the list refused the line.
int AddResult(const char* path) {
  int answer = walkPlatform.addResultLine(path);
  walkPlatform.repaint();
  return answer == LB_ERR || answer == LB_ERRSPACE;
}

// The sub-folders met in the one pass over a folder's entries, noted to be
// walked after its files, by name. The levels of a walk share the space as
// a stack: a folder's notes lie above its parent's and are given back when
// it is done. A folder whose notes do not fit is read a second time
// instead.
char notes[0x8000];
size_t notesEnd;

// Returns 0 when there is no room left.
int NoteSubFolder(const WalkEntry& entry) {
  size_t length = strlen(entry.name);
  if (notesEnd + length + 1 > sizeof notes)
    return 0;
  memcpy(notes + notesEnd, entry.name, length + 1);
  notesEnd += length + 1;
  return 1;
}

enum { NO_SUB_FOLDERS, SUB_FOLDERS_NOTED, SUB_FOLDERS_UNNOTED };

// A sub-folder to walk: a link or junction never is, so that a search
// cannot go round a loop.
int IsSubFolderToWalk(const WalkEntry& entry) {
  return IsFolder(entry) && !IsReparsePoint(entry) && NamesOneEntry(entry.name);
}

int WalkFiles(const char* folder, const char* findPath, const char* nameFilter,
              int* subFolders) {
  WalkEntry entry;
  void* find = walkPlatform.findFirst(findPath, &entry);
  if (!find)
    return 0;
  int stop = 0;
  do {
    char path[WALK_PATH_SIZE];
    if (IsFolder(entry)) {
      if (IsSubFolderToWalk(entry) && *subFolders != SUB_FOLDERS_UNNOTED)
        *subFolders =
            NoteSubFolder(entry) ? SUB_FOLDERS_NOTED : SUB_FOLDERS_UNNOTED;
    } else if (NamesOneEntry(entry.name) &&
               MatchFileName(nameFilter, entry.name) &&
               JoinPath(path, folder, entry.name)) {
      stop = AddResult(path);
    }
  } while (!stop && walkPlatform.findNext(find, &entry));
  walkPlatform.findClose(find);
  return stop;
}

int TakeSubFolder(const char* folder, const char* name, const char* findPattern,
                  const char* nameFilter) {
  char path[WALK_PATH_SIZE];
  if (JoinPath(path, folder, name, "\\"))
    return WalkFolderTree(path, findPattern, nameFilter);
  return 0;
}

int WalkNotedSubFolders(const char* folder, size_t from,
                        const char* findPattern, const char* nameFilter) {
  size_t end = notesEnd;
  int stop = 0;
  for (size_t at = from; at < end && !stop; at += strlen(notes + at) + 1)
    stop = TakeSubFolder(folder, notes + at, findPattern, nameFilter);
  return stop;
}

// The second reading, for a folder with more sub-folders than fit the
// notes.
int WalkSubFolders(const char* folder, const char* findPath,
                   const char* findPattern, const char* nameFilter) {
  WalkEntry entry;
  void* find = walkPlatform.findFirst(findPath, &entry);
  if (!find)
    return 0;
  int stop = 0;
  do {
    if (IsSubFolderToWalk(entry))
      stop = TakeSubFolder(folder, entry.name, findPattern, nameFilter);
  } while (!stop && walkPlatform.findNext(find, &entry));
  walkPlatform.findClose(find);
  return stop;
}

} // namespace

const WalkPlatform realWalkPlatform = {
    RealFindFirst, RealFindNext, RealFindClose, RealAddResultLine, RealRepaint,
};

WalkPlatform walkPlatform = realWalkPlatform;

int WalkFolderTree(const char* folder, const char* findPattern,
                   const char* nameFilter) {
  char base[WALK_PATH_SIZE];
  char findPath[WALK_PATH_SIZE];
  size_t length = strlen(folder);
  int hasBackslash = length > 0 && folder[length - 1] == '\\';
  if (!JoinPath(base, folder, hasBackslash ? "" : "\\") ||
      !JoinPath(findPath, base, findPattern))
    return 0;
  size_t notesFrom = notesEnd;
  int subFolders = NO_SUB_FOLDERS;
  int stop = WalkFiles(base, findPath, nameFilter, &subFolders);
  if (subFolders == SUB_FOLDERS_UNNOTED) {
    notesEnd = notesFrom;
    if (!stop)
      stop = WalkSubFolders(base, findPath, findPattern, nameFilter);
  } else if (!stop) {
    stop = WalkNotedSubFolders(base, notesFrom, findPattern, nameFilter);
  }
  notesEnd = notesFrom;
  return stop;
}
