// Writes the shortcut script, runs it with the script host, waits and
// deletes it.
#pragma once

#include "shortcuts/shortcut_flags.h"

ShortcutStatus UpdateShortcuts(ShortcutFlags flags, const char* target);

// Set once a script file has been opened for writing in this process, so
// that a later call with SHORTCUT_DELETE_SCRIPT knows there may be one.
extern int scriptWritten;

// How the script host is started; a test may replace it to see a launch
// fail. Returns what WinExec returns: below 32 is a failure.
struct ScriptHostCalls {
  unsigned (*start)(const char* commandLine, unsigned showState);
};
extern ScriptHostCalls scriptHostCalls;
