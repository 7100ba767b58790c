#include "dialogs/message_table.h"

#include <string.h>

// The first line is left blank for the caller's line: 52 blanks.
const TableMessage messageTable[] = {
    {"About Install",
     "                                                    \n"
     "Orvel and this installer are made by Quillmere Software.\n"
     "The installer carries the whole of Orvel inside itself.\n\n"
     "Please see Help (F1) for details."},
    {"", ""}};

const TableMessage* FindTableMessage(int id) {
  int n = 0;
  while (messageTable[n].caption[0])
    ++n;
  int k = id - FIRST_TABLE_MESSAGE;
  if (k < 0 || k >= n)
    return nullptr;
  return &messageTable[k];
}

void InsertAtLongestBlankRun(char* text, const char* insert) {
  size_t longestStart = 0, longest = 0, runStart = 0, run = 0;
  for (size_t p = 0;; ++p) {
    if (text[p] == ' ') {
      if (run == 0)
        runStart = p;
      ++run;
      continue;
    }
    if (run > longest) {
      longest = run;
      longestStart = runStart;
    }
    run = 0;
    if (!text[p])
      break;
  }
  size_t m = strlen(insert);
  if (m > longest)
    m = longest;
  memcpy(text + longestStart, insert, m);
}
