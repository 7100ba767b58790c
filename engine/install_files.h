// The file installation pipeline.
#pragma once

#include "engine/error_codes.h"

ErrorCode InstallFiles();

// The last successful InstallFiles did not write the agreement copy (the
// window says nothing of it; an unattended run tells it by its exit code).
extern int agreementCopyFailed;
// The step that gives a new file its final name, replacing the previous
// one; nonzero on success. A test may make it fail.
extern int (*replaceFinalName)(const char* from, const char* to);

ErrorCode ExtractPayload(unsigned short resourceId);
ErrorCode InstallPayloadFile(const char* name);
