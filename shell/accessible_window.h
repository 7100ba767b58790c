// What a screen reader reads of the painted window: an accessible object
// for its client area, whose children are the painted lines, the
// destination box and the begin icon, placed by the layout of the last
// paint.
#pragma once

#include "shell/main_window_layout.h"

#include <windows.h>

// WM_GETOBJECT: the object for OBJID_CLIENT, the default answer otherwise.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam);

// After a paint has laid the window out anew: announces a changed mode or
// destination, then keeps the layout for the object's answers.
void KeepPaintedLayout(HWND window, const MainWindowLayout& layout);
