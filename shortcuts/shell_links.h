// The shortcuts that the script is asked to make or remove, checked on
// the disk afterwards, and made or removed through Windows' own shell
// links where the script did not: a script host that is missing, switched
// off by policy, without VBScript or short of what the script asks of it
// must not leave an installation without its shortcuts.
#pragma once

#include "shortcuts/shortcut_flags.h"

// Makes each shortcut that `flags` asks for and that is not there, and
// removes each that a removal asks to go and that is still there, in the
// folders the script itself chooses. 1 when, afterwards, every one is as
// asked.
int CompleteShortcuts(ShortcutFlags flags, const char* targetPath,
                      const char* workingFolder);
