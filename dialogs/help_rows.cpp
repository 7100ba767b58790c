#include "dialogs/help_rows.h"

int NextHelpRow(const char* page, int* position, HelpRow* row) {
  row->length = 0;
  row->centred = 0;
  row->bold = 0;
  for (int p = *position; page[p]; ++p) {
    char c = page[p];
    if (c == '\t') {
      row->centred = 1;
    } else if (c == '\b') {
      row->bold = 1;
    } else if (c == '\n') {
      row->text[row->length] = '\0';
      *position = p + 1;
      return 1;
    } else if (row->length < HELP_ROW_SIZE - 1) {
      row->text[row->length++] = c;
    }
  }
  row->length = 0;
  row->text[0] = '\0';
  return 0;
}

int HelpRowX(int W, int width, int centred) {
  return centred ? (W - width) / 2 : W / 13;
}

void HelpFooterPosition(int W, int H, int* x, int* y) {
  *x = static_cast<int>(W * 0.82);
  *y = static_cast<int>(H * 0.9);
}

int HelpButtonX(int W, int w, int quarters) {
  return quarters * (W - w) / 4;
}

int HelpButtonY(int H, int h) {
  return static_cast<int>(H - 2.7 * h);
}
