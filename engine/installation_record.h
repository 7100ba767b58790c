// The record an installation keeps of itself. A file name proves nothing:
// anyone can put an orvel.exe and an eula.txt in their Downloads. What
// makes a folder an installation, one that the installer may take as its
// destination by default and delete whole, is the record it leaves there
// at the end of a successful installation or update, in a folder that
// only administrators and SYSTEM can change, or the Apps & features
// entry, which only they can write, naming the folder.
#pragma once

#include "engine/error_codes.h"

#include <windows.h>

// The record's name in the installation folder.
extern const char kRecordName[];

// Writes the record into `destinationPath`: the files the installation
// holds, with their sizes. Made anew, never written through a link. 0, or
// ERR_FILE_CREATE with the record's path in errorPath.
ErrorCode WriteInstallationRecord();

// Calls `visit` with the name and size of each file an installation puts
// into `destinationPath` that is there: the product's files, the
// uninstaller and the agreement copies; not what the user added since.
void VisitInstalledFiles(void (*visit)(const char* name, ULONGLONG size,
                                       void* context),
                         void* context);

// 1 when `folder` (ending in a backslash) holds an installation this
// installer made: its record, a plain file, stands in a folder nobody but
// administrators and SYSTEM may change; or the Apps & features entry
// names the folder.
int HoldsInstallation(const char* folder);

// How the record's folder is asked who may change it; a test may put in
// its own, since Wine maps access lists onto Unix permission bits.
struct RecordCalls {
  // 1 when an account other than administrators and SYSTEM may change
  // the folder held open as `folder`, or when that cannot be told.
  int (*othersMayChange)(HANDLE folder);
};

extern RecordCalls recordCalls;
