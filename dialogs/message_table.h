// The message table of the About box, keyed by command id, and the rule
// that writes a caller's line into an entry's text.
#pragma once

struct TableMessage {
  const char* caption;
  const char* text;
};

// Entry k belongs to command id FIRST_TABLE_MESSAGE + k; an entry with an
// empty caption ends the table.
enum { FIRST_TABLE_MESSAGE = 18 };
extern const TableMessage messageTable[];

// The entry of a command id, or 0 when it has none.
const TableMessage* FindTableMessage(int id);

// Overwrites the text's longest run of blanks (the first of equal ones)
// with the beginning of the insert; the text keeps its length.
void InsertAtLongestBlankRun(char* text, const char* insert);
