// The programs that hold files of the installation, found before anything
// changes, and asked to close when the deployer wants that.
#pragma once

#include "state/installer_state.h"

#include <windows.h>

enum { HOLDERS_MAX = 4 };

struct FileHolder {
  DWORD processId;         // 0: open in a program nobody could name
  int restartManager;      // found by the Restart Manager, which may close it
  char name[PATH_SIZE];    // its name for the person, "" when unknown
  char program[PATH_SIZE]; // its program file, "" when unknown
  char file[PATH_SIZE];    // the installation's file it holds
};

struct FileHolders {
  int count;
  FileHolder holder[HOLDERS_MAX];
};

// 1 when another program has `path` open, so that it cannot be replaced
// or deleted: it cannot be opened by this program alone.
int OpenedElsewhere(const char* path);

// The programs that hold a file of the installation in the destination
// folder, into `found`: those the Restart Manager names; where it names
// none, the running programs whose file lies in the folder; and a file
// still open elsewhere, with nobody named. The running installer and the
// installers that started it do not count. Returns their number.
int FindFileHolders(FileHolders* found);

// Asks every holder to close, as Windows' shutdown would (the Restart
// Manager's shutdown, else a close request to its windows), and waits
// until they have ended, at most `milliseconds`.
void CloseFileHolders(const FileHolders* found, DWORD milliseconds);
