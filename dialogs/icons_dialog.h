// The ICONS dialog: 1 after "OK", 0 after Esc, -1 when it cannot open.
#pragma once

#include <windows.h>

INT_PTR ChooseIcons(HWND owner);
