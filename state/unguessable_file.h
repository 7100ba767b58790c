// Files made under names nobody can guess. The installer runs with
// administrator rights; a name known in advance, in a folder another
// account can write, is a name someone else may have taken first.
#pragma once

#include <windows.h>

// Creates a new file in `folder` (ending in a backslash) named `prefix`,
// `digits` (8 or 16) random hexadecimal digits and `extension`, never
// opening a file that is there already. Its path goes into `path` (`size`
// bytes). The file is open for writing and may be renamed while open.
// INVALID_HANDLE_VALUE, with the system's error in `error`, when it cannot be
// made.
HANDLE CreateUnguessableFile(const char* folder, const char* prefix, int digits,
                             const char* extension, DWORD attributes,
                             char* path, int size, DWORD* error);

// Gives the file `existing` a second name (a hard link) in `folder`, made
// like the names above from `prefix` and 8 random digits; a name that is
// there already is never taken. 1 with its path in `path` (`size` bytes);
// 0 when the volume has no hard links or no name could be made.
int LinkUnguessableName(const char* existing, const char* folder,
                        const char* prefix, char* path, int size);

// Creates a new folder in `folder` (ending in a backslash) named `prefix`
// and 16 random hexadecimal digits, with the given security, never taking
// one that is there already. Its path, with a trailing backslash, goes
// into `path` (`size` bytes). 0 when it cannot be made.
int CreateUnguessableFolder(const char* folder, const char* prefix,
                            SECURITY_ATTRIBUTES* security, char* path,
                            int size);
