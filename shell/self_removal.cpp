#include "shell/self_removal.h"

#include "engine/folder_security.h"
#include "engine/uninstaller_copy.h"
#include "shell/start_up_rules.h"
#include "state/installer_state.h"
#include "state/unguessable_file.h"

#include <stdio.h>
#include <string.h>

namespace {

enum { COMMAND_SIZE = 4096 };

// This installer's file, where it was moved to, the fresh folder of the
// temporary folder that holds it, and the folder it stepped out of.
char self[PATH_SIZE], temp[PATH_SIZE], home[PATH_SIZE], left[PATH_SIZE],
    moved[PATH_SIZE + 32];
int outside;

int Exists(const char* folder, const char* name) {
  char path[PATH_SIZE + 16];
  wsprintfA(path, "%s%s", folder, name);
  return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// The same folder, however it was spelled (case, short names, "..").
int SameFolder(const char* a, const char* b) {
  char fullA[PATH_SIZE], fullB[PATH_SIZE];
  DWORD lengthA = GetFullPathNameA(a, sizeof fullA, fullA, nullptr);
  DWORD lengthB = GetFullPathNameA(b, sizeof fullB, fullB, nullptr);
  if (!lengthA || lengthA >= sizeof fullA || !lengthB ||
      lengthB >= sizeof fullB)
    return 0;
  GetLongPathNameA(fullA, fullA, sizeof fullA);
  GetLongPathNameA(fullB, fullB, sizeof fullB);
  size_t endA = strlen(fullA), endB = strlen(fullB);
  if (endA && fullA[endA - 1] == '\\')
    fullA[endA - 1] = '\0';
  if (endB && fullB[endB - 1] == '\\')
    fullB[endB - 1] = '\0';
  return lstrcmpiA(fullA, fullB) == 0;
}

// The installation folder the running file stands in, if the tail removes
// that one.
int RemovesOwnFolder(const CommandTail& reading, char* folder) {
  DWORD length = GetModuleFileNameA(nullptr, folder, PATH_SIZE);
  // A tail the run refuses anyway is refused here, where nothing moved.
  if (!reading.uninstall || reading.problem != TAIL_FINE || length == 0 ||
      length >= PATH_SIZE)
    return 0;
  CutAfterLastBackslash(folder);
  if (!HoldsInstallation(folder))
    return 0;
  if (!reading.destinationGiven)
    return 1;
  char given[PATH_SIZE];
  if (reading.destination.length >= sizeof given)
    return 0;
  memcpy(given, reading.destination.start, reading.destination.length);
  given[reading.destination.length] = '\0';
  return SameFolder(given, folder);
}

// The copy's command line: this one's switches, and the folder to remove
// named last, unless it already is.
int FormCommand(char* command, const char* copy, const char* tail,
                const CommandTail& reading, const char* folder) {
  const char* more = reading.destinationGiven ? "" : " /D=";
  const char* named = reading.destinationGiven ? "" : folder;
  // Formatted in full or not at all: wsprintfA would stop at 1,024
  // characters, and a tail cut short could name another folder.
  int length = _snprintf(command, COMMAND_SIZE, "\"%s\" %s%s%s", copy, tail,
                         more, named);
  return length > 0 && length < COMMAND_SIZE;
}

// Runs the copy and waits for it; its exit code, or -1 when it could not
// be started.
long RunAndWait(char* command, const char* home) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return -1;
  CloseHandle(process.hThread);
  // This process's current folder must not hold the installation open.
  SetCurrentDirectoryA(home);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  return static_cast<long>(code);
}

// What the copy could not take: gone now, or at the next restart.
void DeleteNowOrAtRestart(const char* path, int folder) {
  if (folder ? RemoveDirectoryA(path) : DeleteFileA(path))
    return;
  MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

// The installation on another volume than the temporary folder: the file
// goes beside the folder, to "<folder>-removed-<process>.exe".
int MoveBeside(const char* self, const char* folder, char* moved) {
  int length = lstrlenA(folder) - 1;
  if (length + 32 >= PATH_SIZE)
    return 0;
  lstrcpynA(moved, folder, length + 1);
  wsprintfA(moved + length, "-removed-%lu.exe", GetCurrentProcessId());
  return MoveFileExA(self, moved, 0);
}

} // namespace

int HoldsInstallation(const char* folder) {
  return Exists(folder, "orvel.exe") &&
         (Exists(folder, "eula.txt") || Exists(folder, "new.txt"));
}

int StepOutOf(const char* folder) {
  if (!GetModuleFileNameA(nullptr, self, sizeof self) ||
      lstrlenA(self) >= PATH_SIZE - 1)
    return 0;
  char own[PATH_SIZE];
  lstrcpynA(own, self, sizeof own);
  CutAfterLastBackslash(own);
  DWORD length = GetTempPathA(sizeof temp, temp);
  if (!SameFolder(own, folder) || length == 0 || length >= sizeof temp - 40 ||
      !CreateUnguessableFolder(temp, "orvel-", InstallationFolderAttributes(),
                               home, sizeof home))
    return 0;
  lstrcpynA(left, folder, sizeof left);
  wsprintfA(moved, "%sinstall.exe", home);
  // A running program may be renamed, not deleted, and only on its volume.
  outside = MoveFileExA(self, moved, 0) || MoveBeside(self, folder, moved);
  return 1;
}

void StepBack() {
  // A removal refused or cut short keeps its uninstaller.
  if (outside && GetFileAttributesA(left) != INVALID_FILE_ATTRIBUTES)
    outside = !MoveFileExA(moved, self, 0);
  if (outside)
    DeleteNowOrAtRestart(moved, 0);
  outside = 0;
  DeleteNowOrAtRestart(home, 1);
}

int RemoveFromOutside(const char* tail, const CommandTail& reading,
                      int* exitCode) {
  static char folder[PATH_SIZE], copy[PATH_SIZE + 16];
  static char command[COMMAND_SIZE];
  if (!RemovesOwnFolder(reading, folder) || !StepOutOf(folder))
    return 0;
  wsprintfA(copy, "%sremove.exe", home);
  long code = -1;
  if (CopyWholeFile(outside ? moved : self, copy) == 0 &&
      FormCommand(command, copy, tail, reading, folder))
    code = RunAndWait(command, home);
  DeleteNowOrAtRestart(copy, 0);
  StepBack();
  if (code < 0)
    return 0;
  *exitCode = static_cast<int>(code);
  return 1;
}
