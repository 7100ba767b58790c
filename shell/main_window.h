// The main window: its procedure, paint and hit areas.
#pragma once

#include <windows.h>

// Client rectangles recomputed by every paint; empty until the first one.
extern RECT beginHitRect;
extern RECT destinationHitRect;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam);
