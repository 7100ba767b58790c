// Start-up: the command line, the installer state's defaults and WinMain's
// window.
#pragma once

#include <windows.h>

// The command-line scan: `/UN` selects uninstall mode and withholds the
// choice of icons.
void ApplyCommandLine(const char* tail);

// Fills the installer state with its defaults; runs while the main window
// handles WM_CREATE, or with no window at the start of an unattended run. `/UN`
// found by the command-line scan is applied after the defaults.
void InitializeState(HWND mainWindow);

// Registers the window class "Installation"; 0 on failure.
ATOM RegisterInstallerClass(HINSTANCE instance);

// Creates the main window, 640 by 480 at 96 dots per inch and scaled to the
// system's, centred on the screen, titled
// "Install", and keeps it in `mainWindow`. The state's defaults are
// applied while it is created.
HWND CreateMainWindow(HINSTANCE instance);
