// Programs that hold files of the installation, met before the first
// change of an installation, update or removal.
#pragma once

#include <windows.h>

// /CLOSEAPPLICATIONS of an unattended run: the holders are asked to close
// and waited for, rather than answered at once.
extern int closeApplications;

// 0 when no program holds a file of the installation (any more); 1 when
// one still does, and the flow must stop with nothing changed. A person
// is shown a box that names the program, with Retry and Cancel; an
// unattended run logs it instead.
int FilesStillHeld(HWND window);

// Orvel, when this run closed it and it is still installed, started again
// as the person, through the desktop's shell.
void RestartClosedProduct();
