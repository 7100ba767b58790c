#include "engine/restart_manager.h"

#include "state/installer_state.h"
#include "state/system_library.h"

RestartManagerCalls restartManagerCalls = {};

namespace {

enum { FILES_MAX = 8 };

// Loaded once; a test's calls, set before, stay.
int Loaded() {
  RestartManagerCalls& calls = restartManagerCalls;
  if (!calls.startSession) {
    const char library[] = "rstrtmgr.dll";
    calls.startSession =
        SystemCall<decltype(calls.startSession)>(library, "RmStartSession");
    calls.registerResources = SystemCall<decltype(calls.registerResources)>(
        library, "RmRegisterResources");
    calls.getList = SystemCall<decltype(calls.getList)>(library, "RmGetList");
    calls.shutdown =
        SystemCall<decltype(calls.shutdown)>(library, "RmShutdown");
    calls.endSession =
        SystemCall<decltype(calls.endSession)>(library, "RmEndSession");
  }
  return calls.startSession && calls.registerResources && calls.getList &&
         calls.shutdown && calls.endSession;
}

} // namespace

int OpenRestartSession(const char* const* files, int count, DWORD* session) {
  static WCHAR wide[FILES_MAX][PATH_SIZE];
  LPCWSTR names[FILES_MAX];
  if (!Loaded() || count > FILES_MAX)
    return 0;
  for (int i = 0; i < count; ++i) {
    if (!MultiByteToWideChar(CP_ACP, 0, files[i], -1, wide[i], PATH_SIZE))
      return 0;
    names[i] = wide[i];
  }
  WCHAR key[CCH_RM_SESSION_KEY + 1];
  if (restartManagerCalls.startSession(session, 0, key) != ERROR_SUCCESS)
    return 0;
  if (restartManagerCalls.registerResources(*session, count, names, 0, nullptr,
                                            0, nullptr) == ERROR_SUCCESS)
    return 1;
  restartManagerCalls.endSession(*session);
  return 0;
}

UINT ListFileHolders(DWORD session, RM_PROCESS_INFO* apps, UINT max) {
  UINT needed = 0, got = max;
  DWORD reasons = 0;
  DWORD error =
      restartManagerCalls.getList(session, &needed, &got, apps, &reasons);
  // More than there is room for fills nothing; the files' own check
  // still finds them held.
  return error == ERROR_SUCCESS && got <= max ? got : 0;
}

int ShutDownFileHolders(DWORD session) {
  return restartManagerCalls.shutdown(session, 0, nullptr) == ERROR_SUCCESS;
}

void CloseRestartSession(DWORD session) {
  restartManagerCalls.endSession(session);
}
