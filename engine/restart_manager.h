// Windows' Restart Manager: which programs hold given files, and asking
// them to close as Windows' own shutdown does. Not on Windows' known
// list, so it is loaded from the system folder only.
#pragma once

#include <windows.h>
#include <restartmanager.h>

// The calls, looked up on first use; a test may put its own in place.
struct RestartManagerCalls {
  DWORD(WINAPI* startSession)(DWORD*, DWORD, WCHAR*);
  DWORD(WINAPI* registerResources)
  (DWORD, UINT, LPCWSTR*, UINT, RM_UNIQUE_PROCESS*, UINT, LPCWSTR*);
  DWORD(WINAPI* getList)(DWORD, UINT*, UINT*, RM_PROCESS_INFO*, LPDWORD);
  DWORD(WINAPI* shutdown)(DWORD, ULONG, RM_WRITE_STATUS_CALLBACK);
  DWORD(WINAPI* endSession)(DWORD);
};
extern RestartManagerCalls restartManagerCalls;

// A session with `files` (`count` of them) registered; 0 when the
// Restart Manager is missing or refuses.
int OpenRestartSession(const char* const* files, int count, DWORD* session);

// The programs the session's files are held by, up to `max` into `apps`;
// their number (0 also when it cannot tell).
UINT ListFileHolders(DWORD session, RM_PROCESS_INFO* apps, UINT max);

// Asks them to close, without forcing any; 1 when all did.
int ShutDownFileHolders(DWORD session);

void CloseRestartSession(DWORD session);
