// The SEARCH dialog: finds "orvel.exe" on the destination's drive.
#pragma once

#include <windows.h>

// Runs the dialog modally; always 1.
INT_PTR RunSearchDialog(HWND owner);
