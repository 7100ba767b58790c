// Writes the shortcut script, runs it with the script host, waits and
// deletes it.
#pragma once

#include "shortcuts/shortcut_flags.h"

ShortcutStatus UpdateShortcuts(ShortcutFlags flags, const char* target);
