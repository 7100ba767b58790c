// The unattended run (/S): installation, update or removal without a
// window or a box, its reports recorded in the log of /LOG=.
#pragma once

#include "shell/unattended_rules.h"

#include <windows.h>

// Runs the whole installation or removal the tail asks for; returns the
// process's exit code: 0, the first failure's ErrorCode, or one of the
// EXIT_ codes.
int RunUnattended(HINSTANCE instance, const CommandTail& tail);
