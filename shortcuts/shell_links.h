// The shortcuts that the script is asked to make or remove, checked on
// the disk afterwards, and made or removed through Windows' own shell
// links where the script did not: a script host that is missing, switched
// off by policy, without VBScript or short of what the script asks of it
// must not leave an installation without its shortcuts.
#pragma once

#include "shortcuts/shortcut_flags.h"

// Makes each shortcut that `flags` asks for and that is not there, or,
// with SHORTCUT_REMOVE_ONLY, removes each of those kinds that is still
// there, in the folders the script itself chooses. 1 when, afterwards,
// every one is as asked.
int CompleteShortcuts(ShortcutFlags flags, const char* targetPath,
                      const char* workingFolder);

// Sorts the shortcuts that are there by the program each starts, read
// through its shell link: the kinds that start a program in `folder` are
// returned; those that start one elsewhere, or cannot be read, go into
// `*others`.
ShortcutFlags ShortcutsOfFolder(const char* folder, ShortcutFlags* others);
