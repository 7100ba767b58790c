#include "dialogs/about_box.h"

#include "dialogs/message_table.h"

#include <stdlib.h>
#include <string.h>

int ShowTableMessage(HWND owner, int id, const char* insert) {
  const TableMessage* entry = FindTableMessage(id);
  if (!entry)
    return 0;
  size_t length = strlen(entry->text);
  char* copy = static_cast<char*>(malloc(length + 5));
  if (!copy)
    return 0;
  memcpy(copy, entry->text, length + 1);
  InsertAtLongestBlankRun(copy, insert);
  int result =
      MessageBoxA(owner, copy, entry->caption, MB_OK | MB_ICONINFORMATION);
  free(copy);
  return result;
}
