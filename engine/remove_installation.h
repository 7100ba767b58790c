// The removal of an installation: the destination folder tree, deleted
// without ever leaving it. Each folder is held open while it is emptied,
// each entry is opened by its exact name inside its held folder without
// following a link, checked through its own handle and deleted through
// it: a folder swapped for a link after it was listed, or a name that the
// path rules would read as another entry, can lead nowhere else.
#pragma once

#include "engine/native_files.h"

// Deletes the folder tree of `destinationPath` once it passes the check.
// "orvel.exe", the installation's record and its uninstaller go last, in
// that order, and only once nothing else stays, so that a removal cut
// short or refused by a file in use is finished by the next one. A folder
// that stays is reported in a "Folder Delete Error" box.
int RemoveInstallation();

// How the removal opens an entry of a held folder; a test may put in its
// own to change the disk at that moment.
struct RemovalCalls {
  NativeStatus (*openEntry)(HANDLE folder, const wchar_t* name,
                            unsigned nameBytes, ACCESS_MASK access,
                            HANDLE* entry);
};

extern RemovalCalls removalCalls;
