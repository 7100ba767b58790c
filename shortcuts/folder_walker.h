// The folder tree walker, in delete and in search mode, and the removal of
// an installation.
#pragma once

enum { WALK_SEARCH = 0, WALK_DELETE = 86 };

// Returns the stop flag: 1 when, searching, the result list refused a line.
int WalkFolderTree(const char* folder, const char* findPattern,
                   const char* nameFilter, int mode);

// Deletes the folder tree of `destinationPath` once it passes the check.
int RemoveInstallation();
