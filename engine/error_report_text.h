// The texts of the error report, built from the code and the context of
// the failure. No Windows header: these are rules.
#pragma once

#include <stddef.h>

#include "engine/error_codes.h"

// "Memory Error", "Folder Error" or "File Error", by the code's range.
const char* ErrorCaption(ErrorCode code);

// The code's fixed text, "???" for a code without one.
const char* ErrorText(ErrorCode code);

// The line that explains a system error number, "???\n" when unknown.
const char* ExtendedErrorText(int errorNumber);

// The whole report into `text` (`size` bytes, always terminated, cut
// short rather than overrun): the code, its text, the extended error
// when `errorDetail` is not 0, and `errorPath`.
void FormatErrorReport(char* text, size_t size, ErrorCode code, int errorDetail,
                       const char* errorPath);
