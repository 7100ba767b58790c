// The CHANGEIT dialog and its folder browser.
#pragma once

#include <windows.h>

// Always 1.
INT_PTR RunChangeDestinationDialog(HWND owner);

// 1 when the user confirmed a folder, which is then in destinationPath.
int BrowseForFolder(HWND owner);
