// Where the installer's libraries come from. It runs with administrator
// rights, often from a Downloads folder: a library of the same name placed
// beside it, or in the current folder, must never be loaded. Libraries
// that are not on Windows' known list (VERSION, LZ32, OLE32 for the shell
// links) are loaded at run time by their full path in the system folder;
// the entry point restricts every other search to that folder.
#pragma once

#include <windows.h>

// The full path of `name` in the system folder, into `path` (`size`
// bytes); 0 when it does not fit.
int SystemFolderPath(const char* name, char* path, UINT size);

// A function of a system library, loaded from the system folder only;
// null when the library or the function is missing.
FARPROC SystemLibraryCall(const char* library, const char* function);

// SystemLibraryCall as a typed function pointer.
template <typename Call>
Call SystemCall(const char* library, const char* function) {
  return reinterpret_cast<Call>(
      reinterpret_cast<void*>(SystemLibraryCall(library, function)));
}
