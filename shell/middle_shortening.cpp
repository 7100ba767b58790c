#include "shell/middle_shortening.h"

#include <string.h>

constexpr int DOT_COUNT = 5;

void ShortenInMiddle(char* text, int limit, int width) {
  // Compared, not subtracted: a far negative limit must not overflow. A
  // width that is not positive measured nothing.
  if (width <= 0 || width <= limit)
    return;
  int length = static_cast<int>(strlen(text));
  // Computed in floating point and truncated. Fewer than five kept
  // characters would put the dots before the text starts, so the dots alone
  // are the shortest result; the bound is taken before the conversion, as a
  // far negative limit gives a quotient no int holds.
  double quotient = length * (static_cast<double>(limit) / width);
  int keep = quotient < DOT_COUNT ? DOT_COUNT : static_cast<int>(quotient);
  if (keep >= length)
    return;
  int drop = length - keep + DOT_COUNT;
  int start = (length - drop) / 2;
  memset(text + start, '.', DOT_COUNT);
  memmove(text + start + DOT_COUNT, text + start + drop,
          length - (start + drop) + 1);
}
