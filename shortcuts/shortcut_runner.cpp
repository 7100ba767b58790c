#include "shortcuts/shortcut_runner.h"

#include "shortcuts/shortcut_script.h"
#include "state/installer_state.h"
#include "state/message_box.h"

#include <stdio.h>
#include <string.h>

int scriptWritten = 0;

namespace {

unsigned StartWithWinExec(const char* commandLine, unsigned showState) {
  return WinExec(commandLine, showState);
}

const char kShortcutName[] = "Orvel";
const DWORD kScriptWaitMs = 1800;
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

// The fixed script name in the temporary folder: the same on every call,
// so a later script overwrites one left behind. 0 when none can be formed.
int FormScriptPath(char* scriptPath) {
  char tempFolder[TEMP_FOLDER_SIZE];
  DWORD length = GetTempPathA(sizeof tempFolder, tempFolder);
  if (length == 0 || length >= sizeof tempFolder)
    lstrcpyA(tempFolder, "\\WINDOWS");
  scriptPath[0] = '\0';
  if (!GetTempFileNameA(tempFolder, "ins", 936, scriptPath))
    scriptPath[0] = '\0';
  size_t end = strlen(scriptPath);
  while (end > 0 && scriptPath[end - 1] != '.')
    --end;
  if (end == 0 || end + 3 >= PATH_SIZE) {
    ShowMessageBox(state.mainWindow, "", "Temp Path Error", MB_OK);
    return 0;
  }
  lstrcpyA(scriptPath + end, "vbs");
  return 1;
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

// Runs the script by its bare name from its own folder, so that a
// temporary folder with blanks in its path needs no quoting.
ShortcutStatus StartScriptHost(const char* scriptPath) {
  char folder[PATH_SIZE];
  lstrcpynA(folder, scriptPath, PATH_SIZE);
  char* lastSlash = strrchr(folder, '\\');
  const char* fileName = scriptPath + (lastSlash ? lastSlash - folder + 1 : 0);
  if (lastSlash) {
    lastSlash[1] = '\0';
    SetCurrentDirectoryA(folder);
  }
  char commandLine[PATH_SIZE + 16];
  wsprintfA(commandLine, "wscript.exe %s", fileName);
  unsigned result = scriptHostCalls.start(commandLine, SW_SHOWNA);
  return result < 32 ? 1000 + static_cast<int>(result) : 0;
}

// Gives the script host its time while the thread's windows keep taking
// their messages. Sleeps between messages instead of spinning, so the
// host is not starved of the processor; a quit request met on the way is
// posted again for the main loop.
void WaitDispatchingMessages(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  bool quit = false;
  WPARAM quitCode = 0;
  MSG message;
  for (DWORD elapsed = 0; elapsed < milliseconds;
       elapsed = GetTickCount() - start) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = true;
        quitCode = message.wParam;
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } else {
      MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds - elapsed,
                                  QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
  }
  if (quit)
    PostQuitMessage(static_cast<int>(quitCode));
}

} // namespace

ScriptHostCalls scriptHostCalls = {StartWithWinExec};

ShortcutStatus UpdateShortcuts(ShortcutFlags flags, const char* target) {
  if ((flags & 0xFF) == 0 || state.windowsVersionClass == 3)
    return 0;
  if (TargetMissing(flags, target))
    return 0;
  const bool deleteScript = (flags & SHORTCUT_DELETE_SCRIPT) != 0;
  if (deleteScript && !scriptWritten)
    return 0;

  char targetPath[PATH_SIZE];
  char workingFolder[PATH_SIZE];
  SetTargetAndFolder(target, targetPath, workingFolder);

  char scriptPath[PATH_SIZE];
  if (!FormScriptPath(scriptPath))
    return 1;
  if (deleteScript) {
    DeleteFileA(scriptPath);
    return 0;
  }

  ShortcutStatus status = 1;
  if (FILE* file = fopen(scriptPath, "wt")) {
    scriptWritten = 1;
    status = WriteScript(file, flags, targetPath, workingFolder);
    if (status == 0)
      status = StartScriptHost(scriptPath);
    WaitDispatchingMessages(kScriptWaitMs);
    DeleteFileA(scriptPath);
  }
  if (status != 0) {
    wsprintfA(state.scratchText,
              "Could not access Shortcut Icons\n\n(Error #%d)\n", status);
    ShowMessageBox(state.mainWindow, state.scratchText, "Error",
                   MB_OK | MB_ICONEXCLAMATION);
  }
  return status;
}
