#include "shortcuts/shortcut_runner.h"

#include "shortcuts/shell_links.h"
#include "shortcuts/shortcut_script.h"
#include "state/installer_state.h"
#include "state/message_box.h"
#include "state/system_library.h"
#include "state/unguessable_file.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <string.h>

int scriptWritten = 0;
ShortcutStatus lastShortcutStatus = 0;

namespace {

// The script of the last call; it may have been left behind when the host
// still held it.
char lastScriptPath[PATH_SIZE];

// The script host by its full path in the system folder, never found by
// a search that starts beside the installer or in the current folder.
unsigned StartByFullPath(const char* program, char* commandLine,
                         HANDLE* process) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNA;
  PROCESS_INFORMATION started;
  if (!CreateProcessA(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &started)) {
    // The launcher's numbers: 2 for a program that is not there.
    DWORD error = GetLastError();
    return error > 0 && error < 32 ? error : 31;
  }
  CloseHandle(started.hThread);
  *process = started.hProcess;
  return 0;
}

const char kShortcutName[] = "Orvel";
const ShortcutFlags kEveryKind = SHORTCUT_DESKTOP | SHORTCUT_PROGRAMS |
                                 SHORTCUT_STARTUP | SHORTCUT_UNINSTALL;
// However late the script host starts, it gets this long to finish.
const DWORD kScriptHostLimitMs = 60000;
enum { TEMP_FOLDER_SIZE = 825 };

// Shortcuts that would start a program that is not there are not made.
bool TargetMissing(ShortcutFlags flags, const char* target) {
  return target[0] != '\0' &&
         GetFileAttributesA(target) == INVALID_FILE_ATTRIBUTES &&
         !(flags & SHORTCUT_REMOVE_ONLY) &&
         (flags & (SHORTCUT_DESKTOP | SHORTCUT_PROGRAMS | SHORTCUT_STARTUP));
}

// The program the shortcuts start (the installer itself when no target is
// given) and the folder it lies in, with its trailing backslash.
void SetTargetAndFolder(const char* target, char* targetPath,
                        char* workingFolder) {
  if (target[0] != '\0') {
    lstrcpynA(targetPath, target, PATH_SIZE);
  } else {
    targetPath[0] = '\0';
    GetModuleFileNameA(state.appInstance, targetPath, PATH_SIZE);
    targetPath[PATH_SIZE - 1] = '\0';
  }
  lstrcpynA(workingFolder, targetPath, PATH_SIZE);
  char* lastSlash = strrchr(workingFolder, '\\');
  if (lastSlash)
    lastSlash[1] = '\0';
  else
    workingFolder[0] = '\0';
}

// Creates the script file in the temporary folder under a name nobody can
// guess, failing rather than opening a file that is already there (another
// account may have made it and kept the right to change it). Its path goes
// into `scriptPath`. INVALID_HANDLE_VALUE with the error when it fails.
HANDLE CreateScriptFile(char* scriptPath, DWORD* error) {
  char tempFolder[TEMP_FOLDER_SIZE];
  DWORD length = GetTempPathA(sizeof tempFolder, tempFolder);
  if (length == 0 || length >= sizeof tempFolder)
    lstrcpyA(tempFolder, "\\WINDOWS\\");
  return CreateUnguessableFile(tempFolder, "ins", 16, ".vbs",
                               FILE_ATTRIBUTE_TEMPORARY, scriptPath, PATH_SIZE,
                               error);
}

// The script file as a C stream in text mode, which stores each line
// break as CR LF; null when that fails (the file is closed then).
FILE* ScriptStream(HANDLE file) {
  int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_TEXT);
  if (descriptor == -1) {
    CloseHandle(file);
    return nullptr;
  }
  FILE* stream = _fdopen(descriptor, "wt");
  if (!stream)
    _close(descriptor);
  return stream;
}

int WriteLine(const char* line, void* file) {
  size_t length = strlen(line);
  return fwrite(line, 1, length, static_cast<FILE*>(file)) == length;
}

// Text mode stores each line break as CR LF.
ShortcutStatus WriteScript(FILE* file, ShortcutFlags flags,
                           const char* targetPath, const char* workingFolder) {
  ShortcutScriptInputs inputs = {flags, state.allUsersShortcuts, kShortcutName,
                                 targetPath, workingFolder};
  ShortcutStatus status = BuildShortcutScript(inputs, WriteLine, file) ? 0 : 1;
  if (fclose(file) != 0)
    status = 2;
  return status;
}

// The host is named by its full path, as the program and in the command
// line, and so is the script, quoted: no search path takes part.
ShortcutStatus StartScriptHost(const char* scriptPath, HANDLE* process) {
  char program[MAX_PATH];
  if (!SystemFolderPath("wscript.exe", program, sizeof program))
    return 1000 + ERROR_FILE_NOT_FOUND;
  char commandLine[MAX_PATH + PATH_SIZE + 8];
  // //B: a script error ends the host at once instead of waiting in a box
  // for someone to read it; the shortcuts are checked afterwards anyway.
  _snprintf(commandLine, sizeof commandLine, "\"%s\" //B \"%s\"", program,
            scriptPath);
  commandLine[sizeof commandLine - 1] = '\0';
  unsigned result = scriptHostCalls.start(program, commandLine, process);
  return result ? 1000 + static_cast<int>(result) : 0;
}

// Waits until the script host ends, at most kScriptHostLimitMs, while the
// thread's windows keep taking their messages; a quit request met on the
// way is posted again for the main loop. A host still running then is
// ended: its script is not to be trusted any more.
void WaitForScriptHost(HANDLE process) {
  const DWORD start = GetTickCount();
  bool quit = false;
  WPARAM quitCode = 0;
  int finished = 0;
  for (DWORD elapsed = 0; elapsed < kScriptHostLimitMs;
       elapsed = GetTickCount() - start) {
    DWORD woken = MsgWaitForMultipleObjects(
        1, &process, FALSE, kScriptHostLimitMs - elapsed, QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0) {
      finished = 1;
      break;
    }
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = true;
        quitCode = message.wParam;
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  if (!finished)
    TerminateProcess(process, 1);
  CloseHandle(process);
  if (quit)
    PostQuitMessage(static_cast<int>(quitCode));
}

// Notes the status for an unattended run's exit code and tells the user
// of a failure.
ShortcutStatus Reported(ShortcutStatus status) {
  lastShortcutStatus = status;
  if (status != 0) {
    wsprintfA(state.scratchText,
              "Could not access Shortcut Icons\n\n(Error #%d)\n", status);
    ShowMessageBox(state.mainWindow, state.scratchText, "Error",
                   MB_OK | MB_ICONEXCLAMATION);
  }
  return status;
}

// Writes the script and has the host carry it out; the status.
ShortcutStatus RunScript(HANDLE file, const char* scriptPath,
                         ShortcutFlags flags, const char* targetPath,
                         const char* workingFolder) {
  FILE* stream = ScriptStream(file);
  if (!stream)
    return 1;
  ShortcutStatus status = WriteScript(stream, flags, targetPath, workingFolder);
  HANDLE process = nullptr;
  if (status == 0)
    status = StartScriptHost(scriptPath, &process);
  if (status == 0)
    WaitForScriptHost(process);
  return status;
}

} // namespace

ScriptHostCalls scriptHostCalls = {StartByFullPath};

ShortcutStatus UpdateShortcuts(ShortcutFlags flags, const char* target) {
  if ((flags & 0xFF) == 0 || state.windowsVersionClass == 3)
    return 0;
  if (TargetMissing(flags, target))
    return 0;
  if (flags & SHORTCUT_DELETE_SCRIPT) {
    if (scriptWritten)
      DeleteFileA(lastScriptPath);
    return 0;
  }

  char targetPath[PATH_SIZE];
  char workingFolder[PATH_SIZE];
  SetTargetAndFolder(target, targetPath, workingFolder);

  char scriptPath[PATH_SIZE];
  DWORD error = 0;
  HANDLE file = CreateScriptFile(scriptPath, &error);
  // Without a temporary folder the shell links below still do the work.
  if (file == INVALID_HANDLE_VALUE && error == ERROR_PATH_NOT_FOUND)
    ShowMessageBox(state.mainWindow, "", "Temp Path Error", MB_OK);
  ShortcutStatus status = 1;
  if (file != INVALID_HANDLE_VALUE) {
    scriptWritten = 1;
    lstrcpyA(lastScriptPath, scriptPath);
    status = RunScript(file, scriptPath, flags, targetPath, workingFolder);
    DeleteFileA(scriptPath);
  }
  // Whatever the script did or failed to do, the shortcuts end up as
  // asked, or the user is told. A removal's script removes every kind.
  if (flags & SHORTCUT_REMOVE_ONLY)
    flags |= kEveryKind;
  if (CompleteShortcuts(flags, targetPath, workingFolder))
    status = 0;
  else if (status == 0)
    status = SHORTCUTS_NOT_MADE;
  return Reported(status);
}

ShortcutStatus RemoveOwnShortcuts(const char* folder) {
  ShortcutFlags others;
  ShortcutFlags own = ShortcutsOfFolder(folder, &others);
  // The script removes every kind whatever it starts: it is asked only
  // when no shortcut starts another folder's program.
  if (!others)
    return UpdateShortcuts(SHORTCUT_REMOVE_ONLY | kEveryKind, folder);
  ShortcutStatus status = 0;
  if (own && !CompleteShortcuts(SHORTCUT_REMOVE_ONLY | own, "", ""))
    status = SHORTCUTS_NOT_MADE;
  return Reported(status);
}
