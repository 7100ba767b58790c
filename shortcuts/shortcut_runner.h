// Writes the shortcut script, runs it with the script host, waits and
// deletes it.
#pragma once

#include "shortcuts/shortcut_flags.h"

#include <windows.h>

ShortcutStatus UpdateShortcuts(ShortcutFlags flags, const char* target);

// A removal's shortcuts: those that start a program in `folder` (ending in
// a backslash) go, those of another folder's installation stay. The
// status as UpdateShortcuts gives it.
ShortcutStatus RemoveOwnShortcuts(const char* folder);

// The script ran, but a shortcut it was asked for is not as asked, and
// could not be made or removed otherwise either.
enum { SHORTCUTS_NOT_MADE = 3 };

// The status of the last call that had shortcuts to make or remove: an
// unattended run reports it in its exit code.
extern ShortcutStatus lastShortcutStatus;

// Set once a script file has been opened for writing in this process, so
// that a later call with SHORTCUT_DELETE_SCRIPT knows there may be one.
extern int scriptWritten;

// How the script host is started; a test may replace it to see a launch
// fail or a host that is late. Starts `program` (a full path) with
// `commandLine` and returns 0 with its process in `process`, or the
// launcher's error number (1 to 31; 2: the program is not there).
struct ScriptHostCalls {
  unsigned (*start)(const char* program, char* commandLine, HANDLE* process);
};
extern ScriptHostCalls scriptHostCalls;
