// Commands of the main window: the dispatcher, the keys, the right-click
// menu and the flows they start.
#pragma once

#include "engine/error_codes.h"

#include <windows.h>

// WM_COMMAND; the result is the window procedure's.
LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam);
// WM_KEYDOWN: F5, F9 and the keys of the focus; every key is consumed.
void OnKeyDown(HWND window, WPARAM wParam, LPARAM lParam);
// WM_RBUTTONUP: the right-click popup menu.
void OnRightButtonUp(HWND window, LPARAM lParam);
// WM_CONTEXTMENU (Shift+F10, the menu key): the same menu, at the begin
// icon. 0 when the point lies outside the client area (the default
// procedure's then).
int OnContextMenu(HWND window, LPARAM lParam);

// The removal, after the destination was checked: every shortcut of the
// product, then the destination folder tree; and the Apps & features entry
// once the folder is gone. 1 when the folder is gone.
int RemoveShortcutsAndFolder();

// The first names still in the destination after a removal, each between
// `before` and `after`, into `text` (`size` bytes); the length written.
int ListWhatStayed(char* text, int size, const char* before, const char* after);

// The exit code of the installer once its window has closed: 1603 after
// a removal that left something behind, else 0.
extern int closingExitCode;

// InstallFiles, then the uninstaller copy, the installation's record and
// the Apps & features entry.
// The installation's ErrorCode; the registry's error, if any, goes to
// `registryError`.
ErrorCode InstallWithUninstaller(LONG* registryError);

// While a flow runs, the window's input starts nothing: 1 (with a beep)
// when the input at hand must be refused.
int RefusedWhileBusy();
