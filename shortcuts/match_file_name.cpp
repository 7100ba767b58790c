#include "shortcuts/match_file_name.h"

#include <string.h>

namespace {

// Only A to Z: file names are compared the same way whatever the locale.
char Lowered(char c) {
  return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

// The next full stop, or the end of the text.
const char* NextFullStop(const char* text) {
  while (*text && *text != '.')
    ++text;
  return text;
}

} // namespace

int MatchFileName(const char* filter, const char* name) {
  if (strcmp(filter, "*.*") == 0)
    return 1;
  for (;;) {
    if (*filter == '\0')
      return *name == '\0';
    if (*filter == '*') {
      filter = NextFullStop(filter);
      name = NextFullStop(name);
    } else if (*filter == '?') {
      if (*name == '\0')
        return 0;
      ++filter;
      ++name;
    } else {
      if (Lowered(*filter) != Lowered(*name))
        return 0;
      ++filter;
      ++name;
    }
  }
}
