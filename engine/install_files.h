// The file installation pipeline.
#pragma once

#include "engine/error_codes.h"

ErrorCode InstallFiles();
ErrorCode ExtractPayload(unsigned short resourceId);
ErrorCode InstallPayloadFile(const char* name);
