#include "shell/middle_shortening.h"

#include <string.h>

enum { DOT_COUNT = 5 };

void ShortenInMiddle(char* text, int limit, int width) {
  if (width - limit <= 0)
    return;
  int length = static_cast<int>(strlen(text));
  int keep = static_cast<int>(length * (static_cast<double>(limit) / width));
  // Fewer than five kept characters would put the dots before the text
  // starts; the dots alone are the shortest honest result.
  if (keep < DOT_COUNT)
    keep = DOT_COUNT;
  if (keep >= length)
    return;
  int drop = length - keep + DOT_COUNT;
  int start = (length - drop) / 2;
  memset(text + start, '.', DOT_COUNT);
  memmove(text + start + DOT_COUNT, text + start + drop,
          length - (start + drop) + 1);
}
