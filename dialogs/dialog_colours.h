// The colours every coloured dialog gives its buttons and static texts.
#pragma once

#include <windows.h>

// Sets the text background and colour on the control's device context and
// returns the dialog's brush, as WM_CTLCOLORBTN and WM_CTLCOLORSTATIC want.
INT_PTR ColourControl(WPARAM dc, COLORREF background, HBRUSH brush);

// Answers WM_CTLCOLORBTN and WM_CTLCOLORSTATIC through ColourControl and
// WM_CTLCOLORDLG with the brush. Returns false, leaving `answer` alone, for
// every other message.
bool AnswerDialogColours(UINT message, WPARAM dc, COLORREF background,
                         HBRUSH brush, INT_PTR* answer);
