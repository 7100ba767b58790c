// Start-up: the command line, the installer state's defaults and WinMain's
// window.
#pragma once

#include <windows.h>

// Fills the installer state with its defaults; runs while the main window
// handles WM_CREATE. `/UN` found by the command-line scan is applied after
// the defaults.
void InitializeState(HWND mainWindow);
