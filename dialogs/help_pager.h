// The DTLINFO help pager.
#pragma once

#include <windows.h>

// Always 1.
INT_PTR RunHelpPager(HWND owner);

// Draws a page; 0 (and the last page) when the index is past the end.
int DrawHelpPage(HWND window, HDC dc, int index);
