#include "shell/rights_probe.h"

#include "shell/rights_calls.h"
#include "state/installer_state.h"
#include "state/message_box.h"

const RightsCalls realRightsCalls = {OpenProcessToken, LookupPrivilegeValueA,
                                     AdjustTokenPrivileges, PrivilegeCheck};
RightsCalls rightsCalls = realRightsCalls;

// Only an administrator may set the clock, so holding this privilege
// marks one.
static const char kProbedPrivilege[] = "SeSystemtimePrivilege";

static void ShowProbeError(const char* format, DWORD error) {
  wsprintfA(state.scratchText, format, static_cast<long>(error));
  ShowMessageBox(state.mainWindow, state.scratchText, "Error", MB_OK);
}

static BOOL SetPrivilege(HANDLE token, LUID luid, DWORD attributes) {
  TOKEN_PRIVILEGES privileges;
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Luid = luid;
  privileges.Privileges[0].Attributes = attributes;
  return rightsCalls.adjustTokenPrivileges(token, FALSE, &privileges,
                                           sizeof privileges, nullptr, nullptr);
}

// Checks the enabled privilege, then withdraws it again.
static int CheckPrivilege(HANDLE token, LUID luid) {
  PRIVILEGE_SET privileges;
  privileges.PrivilegeCount = 1;
  privileges.Control = PRIVILEGE_SET_ALL_NECESSARY;
  privileges.Privilege[0].Luid = luid;
  privileges.Privilege[0].Attributes = SE_PRIVILEGE_ENABLED;
  BOOL held = FALSE;
  if (!rightsCalls.privilegeCheck(token, &privileges, &held)) {
    ShowProbeError("PrivilegeCheck  err=%ld", GetLastError());
    return RIGHTS_CHECK_FAILED;
  }
  if (!held)
    return RIGHTS_NOT_HELD;
  SetPrivilege(token, luid, 0);
  return RIGHTS_HELD;
}

static int ProbeToken(HANDLE token, int argument) {
  LUID luid;
  if (!rightsCalls.lookupPrivilegeValue(nullptr, kProbedPrivilege, &luid))
    return RIGHTS_LOOKUP_FAILED;
  if (!SetPrivilege(token, luid, argument == 1 ? SE_PRIVILEGE_ENABLED : 0)) {
    ShowProbeError("AdjustToken  err=%ld", GetLastError());
    return RIGHTS_ADJUST_FAILED;
  }
  // Success of the adjustment does not mean the token holds the
  // privilege; only the check tells.
  if (argument != 1)
    return RIGHTS_HELD;
  return CheckPrivilege(token, luid);
}

int ProbeRights(int argument) {
  HANDLE token;
  if (!rightsCalls.openProcessToken(
          GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
    DWORD error = GetLastError();
    if (error == ERROR_CALL_NOT_IMPLEMENTED)
      return RIGHTS_NO_SECURITY;
    ShowProbeError("OpenProcess  err=%ld", error);
    return RIGHTS_OPEN_FAILED;
  }
  int result = ProbeToken(token, argument);
  CloseHandle(token);
  return result;
}
