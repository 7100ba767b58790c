// Reads the FileVersion string of a file's version resource into
// `versionFileVersion`, demanding a Title string beside it.
#pragma once

#include "engine/error_codes.h"

ErrorCode ReadVersionInfo(const char* fileName);
