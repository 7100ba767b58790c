// Shows an ErrorCode with its caption, text, extended error and path.
#pragma once

#include <windows.h>

#include "engine/error_codes.h"

void ReportError(HWND owner, ErrorCode code);
