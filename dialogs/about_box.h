// The About box and its message table.
#pragma once

#include <windows.h>

// Shows the table entry of a command id with the insert text; the message
// box result, or 0 when the id has no entry.
int ShowTableMessage(HWND owner, int id, const char* insert);
