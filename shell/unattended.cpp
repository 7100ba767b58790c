#include "shell/unattended.h"

#include "engine/destination.h"
#include "engine/error_report.h"
#include "engine/install_files.h"
#include "engine/installation_record.h"
#include "shell/commands.h"
#include "shell/files_in_use.h"
#include "shell/run_lock.h"
#include "shell/start_up.h"
#include "shell/wide_command_line.h"
#include "shortcuts/shortcut_flags.h"
#include "shortcuts/shortcut_runner.h"
#include "state/installer_state.h"
#include "state/message_box.h"

#include <string.h>

namespace {

// The log, open for the whole run; none when none was asked for or it
// cannot be written.
HANDLE logFile = nullptr;

// One line, appended with the time. Each goes out at once, so that what
// was written stays even if the run is cut short.
void Log(const char* caption, const char* text) {
  if (!logFile)
    return;
  SYSTEMTIME now;
  GetLocalTime(&now);
  char line[MESSAGE_SIZE + 64];
  wsprintfA(line, "%04d-%02d-%02d %02d:%02d:%02d ", now.wYear, now.wMonth,
            now.wDay, now.wHour, now.wMinute, now.wSecond);
  size_t stamp = strlen(line);
  FormatLogLine(line + stamp, sizeof line - stamp - 2, caption, text);
  lstrcatA(line, "\r\n");
  DWORD written;
  WriteFile(logFile, line, lstrlenA(line), &written, nullptr);
}

// Copies a part of the tail; 0 when it does not fit (the copy is cut).
int CopySpan(char* buffer, size_t size, TailSpan span) {
  size_t length = span.length < size ? span.length : size - 1;
  memcpy(buffer, span.start, length);
  buffer[length] = '\0';
  return span.length < size;
}

int RefuseCommandLine(const CommandTail& tail) {
  char word[PATH_SIZE];
  CopySpan(word, sizeof word, tail.problemWord);
  const char* what = tail.problem == TAIL_UNKNOWN_SWITCH ? "Unknown switch"
                     : tail.problem == TAIL_NO_LOG_FILE  ? "No file after"
                     : tail.problem == TAIL_SWITCH_IN_DESTINATION
                         ? "Switch after /D="
                         : "No folder after";
  Log(what, word);
  Log("Usage",
      "install.exe /S [/UN] [/CLOSEAPPLICATIONS] [/LOG=file] [/D=folder]");
  return EXIT_BAD_COMMAND_LINE;
}

// /D= replaces the default destination; one too long for its buffer is
// refused whole rather than cut to another folder.
// So is one that the 8-bit line does not spell as it was given.
ErrorCode TakeDestination(TailSpan destination) {
  int taken = CopySpan(state.destinationPath, sizeof state.destinationPath,
                       destination);
  CopySpan(state.errorPath, sizeof state.errorPath, destination);
  state.errorDetail = 0;
  if (!taken)
    return ERR_PATH_TOO_LONG;
  return DestinationSpelledAsGiven(destination.start) ? 0
                                                      : ERR_NAME_NOT_SPELLED;
}

// The report a person would have been shown, into the log.
ErrorCode Failed(ErrorCode code) {
  ReportError(nullptr, code);
  return code;
}

// The files are in place; the shortcuts may not be.
int ShortcutsAsAsked() {
  if (lastShortcutStatus == 0)
    return 0;
  Log("Shortcuts", "not made or not removed as asked");
  return EXIT_SHORTCUTS_NOT_MADE;
}

// The deployer's copy of what was accepted on the users' behalf.
int AgreementCopyWritten() {
  if (!agreementCopyFailed)
    return 0;
  char path[PATH_SIZE + 16];
  wsprintfA(path, state.updateMode ? "%snew.txt" : "%seula.txt",
            state.destinationPath);
  Log("Agreement copy not written", path);
  return EXIT_AGREEMENT_NOT_WRITTEN;
}

ErrorCode Install() {
  ErrorCode code = ValidateDestination(0);
  if (code != 0)
    return Failed(code);
  if (FilesStillHeld(nullptr))
    return EXIT_FILES_IN_USE;
  Log(state.updateMode ? "Updating" : "Installing", state.destinationPath);
  // Starting the installer with /S is the deployer's acceptance.
  if (state.agreementIncluded == 1) {
    state.agreementAccepted = 1;
    Log("Agreement", "accepted by /S");
  }
  if (state.shortcutFlags &
      (SHORTCUT_DESKTOP | SHORTCUT_PROGRAMS | SHORTCUT_STARTUP))
    Log("Shortcuts", "the script that makes them may run (/S)");
  state.installPerformed = 1;
  LONG registryError;
  code = InstallWithUninstaller(&registryError);
  if (code != 0) {
    state.installPerformed = 0;
    return Failed(code);
  }
  Log("Installed", state.destinationPath);
  if (registryError) {
    char number[16];
    wsprintfA(number, "%ld", registryError);
    Log("Apps & features entry not written, system error", number);
  }
  int shortcuts = ShortcutsAsAsked();
  int copy = AgreementCopyWritten();
  return shortcuts ? shortcuts : copy;
}

// Without a person to read the warning, only a folder that holds an
// installation this installer made is removed: a mistyped /D= must not
// delete another tree.
int Remove() {
  ErrorCode code = ValidateDestination(0);
  if (code != 0)
    return Failed(code);
  if (!HoldsInstallation(state.destinationPath)) {
    Log("Not installed, nothing removed (no record of an installation made "
        "by this installer)",
        state.destinationPath);
    return EXIT_NOT_INSTALLED;
  }
  if (FilesStillHeld(nullptr))
    return EXIT_FILES_IN_USE;
  Log("Removing", state.destinationPath);
  if (!RemoveShortcutsAndFolder()) {
    char stayed[MESSAGE_SIZE];
    int used = wsprintfA(stayed, "%s:", state.destinationPath);
    ListWhatStayed(stayed + used, sizeof stayed - used, " ", "");
    Log("Removal incomplete, still there", stayed);
    return EXIT_REMOVAL_INCOMPLETE;
  }
  Log("Removed", state.destinationPath);
  return ShortcutsAsAsked();
}

int Run(HINSTANCE instance, const CommandTail& tail) {
  if (tail.problem != TAIL_FINE)
    return RefuseCommandLine(tail);
  // The window of an interactive installer is left alone: nobody asked
  // for it to come forward. One switched to removal counts as much.
  if (FindWindowA("Installation", "Install") ||
      FindWindowA("Installation", "UN-Install")) {
    Log("Refused", "another installer is running (its window is open)");
    return EXIT_INSTALLER_RUNNING;
  }
  DWORD lock = TakeRunLock();
  if (lock == ERROR_ALREADY_EXISTS) {
    Log("Refused", "another unattended installer is running");
    return EXIT_INSTALLER_RUNNING;
  }
  if (lock != 0) {
    char error[48];
    wsprintfA(error, "cannot be made (error %lu)", lock);
    Log("The mark of a running installer", error);
    return EXIT_NO_RUN_LOCK;
  }
  state.appInstance = instance;
  state.uninstallMode = tail.uninstall;
  InitializeState(nullptr);
  if (tail.destinationGiven) {
    ErrorCode code = TakeDestination(tail.destination);
    if (code != 0)
      return Failed(code);
  }
  closeApplications = tail.closeApplications;
  int exitCode = state.uninstallMode ? Remove() : Install();
  RestartClosedProduct();
  return exitCode;
}

// The log's folder may be one that others can write: a link standing at
// its name is not followed, and only a plain file is written, at its end.
// Its full name: the shortcut step moves the current folder.
void OpenLog(TailSpan name) {
  char given[PATH_SIZE], path[PATH_SIZE];
  if (!CopySpan(given, sizeof given, name) || !given[0])
    return;
  DWORD length = GetFullPathNameA(given, sizeof path, path, nullptr);
  if (length == 0 || length >= sizeof path)
    lstrcpynA(path, given, sizeof path);
  HANDLE file = CreateFileA(path, FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return;
  BY_HANDLE_FILE_INFORMATION facts;
  const DWORD notPlain =
      FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY;
  if (GetFileInformationByHandle(file, &facts) &&
      !(facts.dwFileAttributes & notPlain) && facts.nNumberOfLinks == 1)
    logFile = file;
  else
    CloseHandle(file);
}

} // namespace

int RunUnattended(HINSTANCE instance, const CommandTail& tail) {
  OpenLog(tail.logFile);
  MessageRecorder previous = messageRecorder;
  messageRecorder = Log;
  Log("Orvel installer",
      tail.uninstall ? "unattended removal" : "unattended installation");
  int exitCode = Run(instance, tail);
  char outcome[16];
  wsprintfA(outcome, "%d", exitCode);
  Log("Exit code", outcome);
  messageRecorder = previous;
  if (logFile)
    CloseHandle(logFile);
  logFile = nullptr;
  return exitCode;
}
