// How the agreement text becomes the rows of its list: the row rule, with
// the text measured by whoever shows the rows.
#pragma once

// A byte that is not shown; the row it stands in is centred.
const char CENTRE_MARK = 0x02;

struct RowWrapper {
  // Width a row may take; a row that reaches it is full.
  int usableWidth;
  // Width of the first `length` characters of `row`.
  int (*measure)(const char* row, int length, void* context);
  // Takes one finished row (NUL-terminated).
  void (*add)(const char* row, void* context);
  void* context;
  // Where each row is built.
  char* row;
  int rowSize;
};

// Adds the display rows of the text (its bytes and their count).
void WrapAgreementRows(const RowWrapper& wrapper, const char* text, int size);
