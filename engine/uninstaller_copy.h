// The uninstaller an installation keeps: a copy of the installer that
// made it, as install.exe in its folder, the program that the uninstall
// shortcut and Apps & features start.
#pragma once

#include "engine/error_codes.h"

// Copies the running installer byte for byte (its signature stays valid)
// to install.exe in `destinationPath`, made anew, never written through a
// link. Nothing to do when the installer is that file. 0, or
// ERR_FILE_CREATE or ERR_DISK_WRITE with `errorPath` set.
ErrorCode CopyUninstaller();

// Copies the file `from` to a new file `to`, made as CreateFreshFile makes
// one; 0, or the error code as above.
ErrorCode CopyWholeFile(const char* from, const char* to);
