#include "shell/self_removal.h"

#include "engine/folder_security.h"
#include "engine/installation_record.h"
#include "engine/uninstaller_copy.h"
#include "shell/start_up_rules.h"
#include "state/installer_state.h"
#include "state/same_folder.h"
#include "state/unguessable_file.h"

#include <stdio.h>
#include <string.h>

namespace {

enum { COMMAND_SIZE = 4096 };

// This installer's file, and the fresh folder that holds its copy.
char self[PATH_SIZE], home[PATH_SIZE];

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

// Puts this process into a job that ends every process in it once this
// one ends, however: killed or logged off, the caller leaves no removal
// running unseen. The copy is born into the job, so no moment of its
// start escapes it. Where jobs cannot be had (this process in a job that
// allows no other, before Windows 8), the copy runs on its own.
void JoinJobEndingWithThisProcess() {
  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  // The handle stays open until this process ends: closing it would end
  // the job's processes, this one among them.
  if (job && (!SetInformationJobObject(job, JobObjectExtendedLimitInformation,
                                       &limits, sizeof limits) ||
              !AssignProcessToJobObject(job, GetCurrentProcess())))
    CloseHandle(job);
}

// Runs the copy and waits for it; its exit code, or -1 when it could not
// be started.
long RunAndWait(char* command, const char* home) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  JoinJobEndingWithThisProcess();
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

// A fresh folder for the copy, of the installation's permissions: in the
// temporary folder, or, where that cannot be used, beside the
// installation folder.
int MakeHome(const char* folder) {
  char place[PATH_SIZE];
  DWORD length = GetTempPathA(sizeof place, place);
  if (length && length < sizeof place - 40 &&
      CreateUnguessableFolder(place, "orvel-", InstallationFolderAttributes(),
                              home, sizeof home))
    return 1;
  lstrcpynA(place, folder, sizeof place);
  length = lstrlenA(place);
  if (length)
    place[length - 1] = '\0';
  CutAfterLastBackslash(place);
  return place[0] && lstrlenA(place) < PATH_SIZE - 40 &&
         CreateUnguessableFolder(place, "orvel-",
                                 InstallationFolderAttributes(), home,
                                 sizeof home);
}

} // namespace

int RemoveFromOutside(const char* tail, const CommandTail& reading,
                      int* exitCode) {
  static char folder[PATH_SIZE], copy[PATH_SIZE + 16];
  static char command[COMMAND_SIZE];
  DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
  if (length == 0 || length >= sizeof self ||
      !RemovesOwnFolder(reading, folder) || !MakeHome(folder))
    return 0;
  wsprintfA(copy, "%sremove.exe", home);
  long code = -1;
  if (CopyWholeFile(self, copy) == 0) {
    // Before it runs: were this process or the copy killed, the restart
    // still clears them away.
    MoveFileExA(copy, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    MoveFileExA(home, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    if (FormCommand(command, copy, tail, reading, folder))
      code = RunAndWait(command, home);
  }
  DeleteFileA(copy);
  RemoveDirectoryA(home);
  if (code < 0)
    return 0;
  *exitCode = static_cast<int>(code);
  return 1;
}
