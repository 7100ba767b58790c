#include "dialogs/browser_folder.h"

#include <string.h>

int AppendFolderItem(char* folder, int size, const char* item) {
  size_t have = strlen(folder), add = strlen(item);
  int slash = add == 0 || item[add - 1] != '\\';
  if (have + add + slash + 1 > static_cast<size_t>(size))
    return 0;
  memcpy(folder + have, item, add);
  if (slash)
    folder[have + add++] = '\\';
  folder[have + add] = '\0';
  return 1;
}

void LowerCase(char* text) {
  for (; *text; ++text)
    if (*text >= 'A' && *text <= 'Z')
      *text = static_cast<char>(*text - 'A' + 'a');
}

void NearestExistingFolder(char* path, int (*exists)(const char* path)) {
  int length = static_cast<int>(strlen(path));
  if (length <= 3 || exists(path))
    return;
  for (int p = length - 1; p > 3; --p) {
    if (path[p] != '\\')
      continue;
    path[p] = '\0';
    if (exists(path))
      return;
  }
  path[3] = '\0';
}

int FinishBrowsedPath(char* path, int size) {
  LowerCase(path);
  int n = static_cast<int>(strlen(path));
  if ((n == 0 || path[n - 1] != '\\') && n + 2 <= size) {
    path[n] = '\\';
    path[n + 1] = '\0';
  }
  return n;
}
