#include "shell/start_up_rules.h"

#include <string.h>

static int IsLetter(char c, char lower) {
  return c == lower || c == lower - 'a' + 'A';
}

int TailSelectsUninstall(const char* tail) {
  if (!tail)
    return 0;
  int found = 0;
  int length = static_cast<int>(strlen(tail));
  for (int i = 0; i < length; ++i) {
    // The second letter is read only after the first matched, so neither
    // read passes the terminator.
    if (tail[i] == '/' && IsLetter(tail[i + 1], 'u') &&
        IsLetter(tail[i + 2], 'n')) {
      found = 1;
      i += 2;
    }
  }
  return found;
}

void CutAfterLastBackslash(char* path) {
  size_t length = strlen(path);
  while (length > 0 && path[length - 1] != '\\')
    path[--length] = '\0';
}

int CentredPosition(int screenSize, int windowSize) {
  return (screenSize - windowSize) / 2;
}
