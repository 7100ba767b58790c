#include "engine/destination_rules.h"

#include <string.h>

namespace {

const char compilePath[] = "c:\\mysource";

// strnlen is not in every msvcrt.dll; MinGW's own copy would bring unwind
// tables into the installer.
size_t BoundedLength(const char* text, size_t limit) {
  size_t length = 0;
  while (length < limit && text[length])
    ++length;
  return length;
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

void RemoveLeadingSpaces(char* path) {
  size_t spaces = 0;
  while (path[spaces] == ' ')
    ++spaces;
  if (spaces)
    memmove(path, path + spaces, strlen(path + spaces) + 1);
}

void CopyLowerCase(char* to, size_t size, const char* from) {
  CopyBounded(to, size, from);
  for (; *to; ++to)
    *to = LowerAscii(*to);
}

// Windows takes a forward slash for a backslash.
void ForwardSlashesToBackslashes(char* path) {
  for (; *path; ++path)
    if (*path == '/')
      *path = '\\';
}

// The folder names after "c:\" in the form Windows resolves them to: runs
// of backslashes count as one, "." is the folder itself, ".." its parent
// (never above the root), and the dots and blanks that end a name are
// dropped, as Windows drops them. So c:\x\..\ is the root and c:\.\windows.
// the Windows folder, and the tests see the folder that is meant.
void ResolveFolderNames(char* path) {
  size_t read = 3, write = 3;
  while (path[read]) {
    size_t start = read;
    while (path[read] && path[read] != '\\')
      ++read;
    size_t end = read;
    if (path[read])
      ++read;
    size_t length = end - start;
    if (length == 2 && path[start] == '.' && path[start + 1] == '.') {
      while (write > 3 && path[write - 1] == '\\')
        --write;
      while (write > 3 && path[write - 1] != '\\')
        --write;
      continue;
    }
    while (end > start && (path[end - 1] == '.' || path[end - 1] == ' '))
      --end;
    if (end == start)
      continue;
    memmove(path + write, path + start, end - start);
    write += end - start;
    path[write++] = '\\';
  }
  path[write] = '\0';
}

// The last colon's position; one at position 0 names no drive either.
size_t LastColon(const char* path) {
  const char* colon = strrchr(path, ':');
  return colon ? static_cast<size_t>(colon - path) : 0;
}

} // namespace

void CopyBounded(char* to, size_t size, const char* from) {
  if (size == 0)
    return;
  size_t length = BoundedLength(from, size - 1);
  memmove(to, from, length);
  to[length] = '\0';
}

ErrorCode NormaliseDestination(char* path, size_t size,
                               const char* defaultFolder) {
  // A buffer filled to its end holds no terminated path: cut it, and the
  // length test refuses it below.
  size_t length = BoundedLength(path, size);
  if (length == size)
    path[--length] = '\0';
  RemoveLeadingSpaces(path);
  if (path[0] == '\0')
    CopyLowerCase(path, size, defaultFolder);
  ForwardSlashesToBackslashes(path);
  length = strlen(path);
  if (length > 2 && path[length - 1] != '\\') {
    // No room for the backslash: far longer than any accepted path.
    if (length + 1 >= size)
      return ERR_PATH_TOO_LONG;
    path[length] = '\\';
    path[length + 1] = '\0';
  }
  size_t colon = LastColon(path);
  if (colon == 0)
    return ERR_NO_DRIVE;
  if (colon != 1 || path[2] != '\\')
    return ERR_BAD_DRIVE;
  // Every extra backslash goes, not only the first after the drive: one
  // left behind would let c:\\\windows slip past the Windows folder test,
  // and a second normalisation would change the path again.
  ResolveFolderNames(path);
  return 0;
}

ErrorCode CheckDestinationPlace(const char* path,
                                const char* windowsDirectory) {
  if (strlen(path) > DESTINATION_LONGEST)
    return ERR_PATH_TOO_LONG;
  return CheckDestinationFolder(path, windowsDirectory);
}

ErrorCode CheckDestinationFolder(const char* path,
                                 const char* windowsDirectory) {
  if (strlen(path) < DESTINATION_SHORTEST)
    return ERR_ROOT_FOLDER;
  // An unknown Windows directory would be an empty prefix of everything.
  if (windowsDirectory[0] && StartsWithIgnoringCase(path, windowsDirectory))
    return ERR_WINDOWS_FOLDER;
  if (StartsWithIgnoringCase(path, compilePath))
    return ERR_COMPILE_FOLDER;
  return 0;
}

int StartsWithIgnoringCase(const char* text, const char* prefix) {
  for (; *prefix; ++text, ++prefix)
    if (LowerAscii(*text) != LowerAscii(*prefix))
      return 0;
  return 1;
}

size_t NextFolderLevel(const char* path, size_t from) {
  for (size_t end = from; path[end]; ++end) {
    if (path[end] != '\\' || end == 0 || path[end - 1] == ':')
      continue;
    return end;
  }
  return 0;
}
