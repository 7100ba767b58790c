// The uninstaller of an installation that is running while its folder is
// removed (the removal was started from it): Windows does not delete a
// running program's file, but lets it be renamed on its volume. It goes
// out of the folder, and is deleted at the next restart.
#pragma once

#include <windows.h>

// Moves the held, running `uninstaller` of `destinationPath` into a fresh
// folder of the temporary folder, or beside the installation folder when
// that is on another volume, and has both deleted at the next restart.
// 1 when it has left the folder.
int MoveUninstallerAside(HANDLE uninstaller);
