// The token calls of the rights probe, replaceable so that a test can
// give the answers of a machine Wine does not imitate (a token without
// the privilege, a failing call).
#pragma once

#include <windows.h>

struct RightsCalls {
  BOOL(WINAPI* openProcessToken)(HANDLE process, DWORD access, PHANDLE token);
  BOOL(WINAPI* lookupPrivilegeValue)(LPCSTR system, LPCSTR name, PLUID luid);
  BOOL(WINAPI* adjustTokenPrivileges)
  (HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state, DWORD length,
   PTOKEN_PRIVILEGES previous, PDWORD returnLength);
  BOOL(WINAPI* privilegeCheck)
  (HANDLE token, PPRIVILEGE_SET privileges, LPBOOL held);
};

// The real calls.
extern const RightsCalls realRightsCalls;
// The calls the probe makes; realRightsCalls unless a test replaced them.
extern RightsCalls rightsCalls;
