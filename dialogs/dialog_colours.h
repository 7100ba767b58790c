// The colours every coloured dialog gives its buttons and static texts.
#pragma once

#include <windows.h>

// Sets the text background and colour on the control's device context and
// returns the dialog's brush, as WM_CTLCOLORBTN and WM_CTLCOLORSTATIC want.
INT_PTR ColourControl(WPARAM dc, COLORREF background, HBRUSH brush);
