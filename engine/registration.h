// Windows' record of the installation: its entry in Apps & features, which
// Settings, Programs and Features and deployment tools read to list it,
// compare its version and remove it. The installer writes the entry and
// deletes it; it reads back only the folder it names.
#pragma once

#include <windows.h>

// Writes the entry for the installation in `destinationPath`: its name,
// the installed orvel.exe's version, publisher, icon, folder, the command
// lines of the uninstaller copy, size and date. Always in the 32-bit view
// of the registry, the one the shipped installer sees, whichever build
// runs. 0, or the system's error.
LONG RegisterInstallation();

// Deletes the entry, when it names `destinationPath`; for a removal that
// left nothing of the folder.
void UnregisterInstallation();

// The folder the entry names (its InstallLocation) into `location`; 0
// when there is no entry or it names none.
int ReadEntryLocation(char* location, DWORD size);
