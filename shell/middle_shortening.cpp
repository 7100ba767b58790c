#include "shell/middle_shortening.h"

#include <string.h>

enum { DOT_COUNT = 5 };

void ShortenInMiddle(char* text, int limit, int width) {
  // Compared, not subtracted: a far negative limit must not overflow. A
  // width that is not positive measured nothing.
  if (width <= 0 || width <= limit)
    return;
  int length = static_cast<int>(strlen(text));
  // Whole numbers, so the kept count is exactly the truncated quotient; a
  // floating quotient can land just below a whole number and lose one.
  long long kept = static_cast<long long>(length) * limit / width;
  // Fewer than five kept characters would put the dots before the text
  // starts; the dots alone are the shortest honest result.
  int keep = kept < DOT_COUNT ? DOT_COUNT : static_cast<int>(kept);
  if (keep >= length)
    return;
  int drop = length - keep + DOT_COUNT;
  int start = (length - drop) / 2;
  memset(text + start, '.', DOT_COUNT);
  memmove(text + start + DOT_COUNT, text + start + drop,
          length - (start + drop) + 1);
}
