// Asking the programs that hold the installation's files to close.
#include "engine/file_holders.h"

#include "engine/restart_manager.h"

namespace {

// The Restart Manager's shutdown for the programs it found: it sends what
// Windows' own shutdown sends, across sessions too. 1 when it closed all.
int ShutDownThroughRestartManager(const FileHolders* found) {
  const char* files[HOLDERS_MAX];
  int count = 0;
  for (int i = 0; i < found->count; ++i)
    if (found->holder[i].restartManager)
      files[count++] = found->holder[i].file;
  DWORD session;
  if (!count || !OpenRestartSession(files, count, &session))
    return 0;
  int closed = ShutDownFileHolders(session);
  CloseRestartSession(session);
  return closed;
}

// A close request to each top-level window of the process, as a click on
// its close box sends: the program may ask its person first.
BOOL CALLBACK RequestClose(HWND window, LPARAM process) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(process) && !GetWindow(window, GW_OWNER))
    PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

} // namespace

void CloseFileHolders(const FileHolders* found, DWORD milliseconds) {
  const int shutDown = ShutDownThroughRestartManager(found);
  HANDLE running[HOLDERS_MAX];
  DWORD count = 0;
  for (int i = 0; i < found->count; ++i) {
    const FileHolder& holder = found->holder[i];
    if (!holder.processId)
      continue;
    if (!shutDown || !holder.restartManager)
      EnumWindows(RequestClose, static_cast<LPARAM>(holder.processId));
    if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, holder.processId))
      running[count++] = process;
  }
  if (count)
    WaitForMultipleObjects(count, running, TRUE, milliseconds);
  for (DWORD i = 0; i < count; ++i)
    CloseHandle(running[i]);
}
