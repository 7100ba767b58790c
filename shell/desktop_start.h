// A program started by the desktop's own shell, as the person the desktop
// belongs to, rather than with the installer's administrator rights.
#pragma once

// Asks the shell of the desktop (explorer, running as that person) to
// open `program` with `folder` as its working folder. 1 when the shell
// took the request; 0 when there is no desktop shell to ask, or a step
// on the way to it fails.
int StartThroughDesktopShell(const char* program, const char* folder);

// 1 when the installer runs with an elevated token, or when that cannot
// be told (a program started from here could then hold its rights).
int RunsElevated();
