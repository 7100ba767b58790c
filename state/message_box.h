// The one door through which the installer shows a message box. An
// unattended run sets a recorder: every box is then recorded instead of
// shown, and answered as the flow needs to go on.
#pragma once

#include <windows.h>

// Receives the caption and the text of a box that is not shown.
typedef void (*MessageRecorder)(const char* caption, const char* text);

// Null (the default): boxes are shown.
extern MessageRecorder messageRecorder;

// MessageBoxA, or with a recorder the answer that continues: Yes for a
// Yes/No box, else OK.
int ShowMessageBox(HWND owner, const char* text, const char* caption,
                   UINT style);
