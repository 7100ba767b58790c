// The rows of a help page and where the pager draws them.
#pragma once

// A row holds up to 255 characters; longer rows are cut.
enum { HELP_ROW_SIZE = 256 };

struct HelpRow {
  char text[HELP_ROW_SIZE];
  int length;
  int centred;
  int bold;
};

// Reads the row that begins at *position and moves past it. 0 when no
// complete row is left: characters after the last line feed are not drawn.
int NextHelpRow(const char* page, int* position, HelpRow* row);

// Left edge of a row of the given width, in a client area W wide (its
// width plus one).
int HelpRowX(int W, int width, int centred);

// Position of the "Page %d of %d" footer.
void HelpFooterPosition(int W, int H, int* x, int* y);

// Left edge of a pager button w wide in a window W wide: Back at a
// quarter, Return at the half, Forward at three quarters of the free width.
int HelpButtonX(int W, int w, int quarters);
// Top of a pager button h high in a window H high.
int HelpButtonY(int H, int h);
