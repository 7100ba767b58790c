// The mark that one unattended run holds while it works, so that two
// never overlap (a deployment tool that retries, two tools at once).
#pragma once

#include <windows.h>

// Takes the mark; the system lets it go however the process ends. 0 when
// it is taken, ERROR_ALREADY_EXISTS when another installer holds it, any
// other number: the system's error when the mark could not be made.
DWORD TakeRunLock();
