// The folder rules of the change destination dialog and its browser.
#pragma once

// Appends a folder-list item and a backslash unless the item ends with
// one. 0, and the folder unchanged, when the result would not fit in size
// bytes.
int AppendFolderItem(char* folder, int size, const char* item);

void LowerCase(char* text);

// A folder that does not exist is cut back to its nearest existing
// ancestor, or to its first three characters (the drive root) when none
// exists. Paths of three characters or fewer stay as they are.
void NearestExistingFolder(char* path, int (*exists)(const char* path));

// Lower-cases a browsed path and ends it with a backslash if it fits.
// Returns the caret position: before that backslash, or at the end when
// none was added.
int FinishBrowsedPath(char* path, int size);
