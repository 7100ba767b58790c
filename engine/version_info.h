// Reads the FileVersion string of a file's version resource into
// `versionFileVersion`, demanding a Title string beside it.
#pragma once

#include "engine/error_codes.h"

ErrorCode ReadVersionInfo(const char* fileName);

// The same for a file named in wide characters, as the installer names
// its own file: its folder may be one the 8-bit calls cannot spell.
ErrorCode ReadVersionInfoW(const wchar_t* fileName);
