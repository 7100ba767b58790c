#include "dialogs/agreement_rows.h"

#include <string.h>

namespace {

int IsEndLine(const char* text, int position, int size) {
  if (size - position < 3)
    return 0;
  const char* word = "end";
  for (int k = 0; k < 3; ++k) {
    char c = text[position + k];
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
    if (c != word[k])
      return 0;
  }
  return 1;
}

// Puts blanks in front of a centred row, as many as half the free width
// holds, within the row buffer.
void Centre(const RowWrapper& w, int length, int width) {
  int blank = w.measure(" ", 1, w.context);
  if (blank <= 0)
    return;
  int pad = ((w.usableWidth - width) / 2) / blank;
  if (pad > w.rowSize - 1 - length)
    pad = w.rowSize - 1 - length;
  if (pad <= 0)
    return;
  memmove(w.row + pad, w.row, static_cast<size_t>(length) + 1);
  memset(w.row, ' ', static_cast<size_t>(pad));
}

// Takes one row from `position` on; returns where the next row begins.
int TakeRow(const RowWrapper& w, const char* text, int position, int size) {
  int i = 0, b = 0, blankAt = 0, centred = 0, width = 0;
  while (position < size && text[position] != '\r' && text[position] != '\n') {
    char c = text[position];
    if (c == CENTRE_MARK) {
      centred = 1;
      ++position;
      continue;
    }
    if (c == ' ') {
      b = i;
      blankAt = position;
    }
    w.row[i++] = c;
    ++position;
    width = w.measure(w.row, i, w.context);
    if (width < w.usableWidth) {
      if (i < w.rowSize - 1)
        continue;
      break; // the row buffer is full; the line goes on in the next row
    }
    centred = 0;
    if (b > 0) {
      // Cut at the last blank; it and one blank after it are dropped.
      i = b;
      position = blankAt + 1;
      if (position < size && text[position] == ' ')
        ++position;
    } else if (i > 1) {
      // The character that no longer fits begins the next row. A single
      // character stays, so that a width narrower than one character
      // still moves on.
      --i;
      --position;
    }
    break;
  }
  w.row[i] = '\0';
  if (centred && width < w.usableWidth)
    Centre(w, i, width);
  w.add(w.row, w.context);
  return position;
}

} // namespace

void WrapAgreementRows(const RowWrapper& w, const char* text, int size) {
  if (!text || w.rowSize < 2)
    return;
  int position = 0;
  while (position < size) {
    position = TakeRow(w, text, position, size);
    if (position < size && text[position] == '\r') {
      ++position;
      if (position < size && text[position] == '\n')
        ++position;
    }
    // The test is made wherever the next row would begin, also after a
    // row cut for width; the licence text is worded so that no word
    // begins with "end" before its closing line.
    if (position >= size || text[position] == '\n' ||
        IsEndLine(text, position, size))
      break;
  }
}
