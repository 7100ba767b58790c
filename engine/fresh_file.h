// A file of the destination written anew, never through whatever stood
// under its name before.
#pragma once

#include <windows.h>

// Makes the file `path` anew and returns it open for writing. It is made
// under a name nobody can guess beside it, then takes `path` in one rename,
// which replaces whatever stood there as a name: a link someone placed is
// replaced, never written through, and nothing is ever written to another
// file. INVALID_HANDLE_VALUE when it cannot be made; then nothing is left.
HANDLE CreateFreshFile(const char* path);
