// The rights probe: on Wine's real token, and through replaced token calls
// for the answers Wine does not give (failures, a token without the
// privilege), with the scripted user reading the messages.
#include "shell/rights_probe.h"
#include "shell/rights_calls.h"
#include "shell/start_up.h"
#include "tests/support/installer_state_reset.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

#include <vector>

using scripted::Press;
using scripted::ScriptedUser;
using scripted::Shown;

namespace {

// What the replaced calls saw.
struct TokenCalls {
  std::vector<DWORD> adjustedAttributes;
  std::vector<DWORD> adjustLengths;
  int checks = 0;
  DWORD checkControl = 0;
  DWORD checkAttributes = 0;
} calls;

BOOL WINAPI OpenFailing(HANDLE, DWORD, PHANDLE) {
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

BOOL WINAPI OpenWithoutSecurity(HANDLE, DWORD, PHANDLE) {
  SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
  return FALSE;
}

BOOL WINAPI LookupFailing(LPCSTR, LPCSTR, PLUID) {
  SetLastError(ERROR_NO_SUCH_PRIVILEGE);
  return FALSE;
}

BOOL WINAPI AdjustRecording(HANDLE, BOOL, PTOKEN_PRIVILEGES privileges,
                            DWORD length, PTOKEN_PRIVILEGES, PDWORD) {
  calls.adjustedAttributes.push_back(privileges->Privileges[0].Attributes);
  calls.adjustLengths.push_back(length);
  return TRUE;
}

BOOL WINAPI AdjustFailing(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD,
                          PTOKEN_PRIVILEGES, PDWORD) {
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}

BOOL WINAPI CheckFailing(HANDLE, PPRIVILEGE_SET, LPBOOL) {
  ++calls.checks;
  SetLastError(ERROR_NO_IMPERSONATION_TOKEN);
  return FALSE;
}

BOOL WINAPI CheckHeld(HANDLE, PPRIVILEGE_SET set, LPBOOL held) {
  ++calls.checks;
  calls.checkControl = set->Control;
  calls.checkAttributes = set->Privilege[0].Attributes;
  *held = TRUE;
  return TRUE;
}

BOOL WINAPI CheckNotHeld(HANDLE, PPRIVILEGE_SET, LPBOOL held) {
  ++calls.checks;
  *held = FALSE;
  return TRUE;
}

class RightsProbe : public ::testing::Test {
protected:
  void SetUp() override {
    ResetInstallerState();
    calls = TokenCalls();
    rightsCalls = realRightsCalls;
  }
  void TearDown() override { rightsCalls = realRightsCalls; }
};

void ExpectErrorBox(const Shown& box, const char* text) {
  EXPECT_TRUE(box.isMessageBox);
  EXPECT_EQ("Error", box.caption);
  EXPECT_EQ(text, box.text);
  EXPECT_EQ(static_cast<UINT>(MB_OK), box.style);
  EXPECT_EQ(nullptr, box.owner);
}

// Whether this process's token has the system-time privilege enabled.
bool SystemTimePrivilegeEnabled() {
  HANDLE token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
    return false;
  LUID luid;
  LookupPrivilegeValueA(nullptr, "SeSystemtimePrivilege", &luid);
  char buffer[4096];
  DWORD length = 0;
  bool enabled = false;
  if (GetTokenInformation(token, TokenPrivileges, buffer, sizeof buffer,
                          &length)) {
    auto* list = reinterpret_cast<TOKEN_PRIVILEGES*>(buffer);
    for (DWORD i = 0; i < list->PrivilegeCount; ++i)
      if (list->Privileges[i].Luid.LowPart == luid.LowPart &&
          list->Privileges[i].Luid.HighPart == luid.HighPart)
        enabled = (list->Privileges[i].Attributes & SE_PRIVILEGE_ENABLED);
  }
  CloseHandle(token);
  return enabled;
}

TEST_F(RightsProbe, WinesTokenAnswersWithoutAMessageAndEndsWithdrawn) {
  ScriptedUser user;
  int result = ProbeRights(1);
  EXPECT_TRUE(result == RIGHTS_HELD || result == RIGHTS_NOT_HELD) << result;
  EXPECT_FALSE(SystemTimePrivilegeEnabled());
  EXPECT_EQ(RIGHTS_HELD, ProbeRights(0));
  EXPECT_FALSE(SystemTimePrivilegeEnabled());
  EXPECT_TRUE(user.shown().empty());
}

TEST_F(RightsProbe, HeldPrivilegeIsEnabledForTheCheckOnly) {
  rightsCalls.adjustTokenPrivileges = AdjustRecording;
  rightsCalls.privilegeCheck = CheckHeld;
  ScriptedUser user;
  EXPECT_EQ(RIGHTS_HELD, ProbeRights(1));
  EXPECT_EQ((std::vector<DWORD>{SE_PRIVILEGE_ENABLED, 0}),
            calls.adjustedAttributes);
  EXPECT_EQ((std::vector<DWORD>{16, 16}), calls.adjustLengths);
  EXPECT_EQ(static_cast<DWORD>(PRIVILEGE_SET_ALL_NECESSARY),
            calls.checkControl);
  EXPECT_EQ(static_cast<DWORD>(SE_PRIVILEGE_ENABLED), calls.checkAttributes);

  // Withdrawing only adjusts.
  calls = TokenCalls();
  EXPECT_EQ(RIGHTS_HELD, ProbeRights(0));
  EXPECT_EQ(std::vector<DWORD>{0}, calls.adjustedAttributes);
  EXPECT_EQ(0, calls.checks);
  // Any argument but 1 withdraws.
  EXPECT_EQ(RIGHTS_HELD, ProbeRights(7));
  EXPECT_EQ((std::vector<DWORD>{0, 0}), calls.adjustedAttributes);
  EXPECT_TRUE(user.shown().empty());
}

TEST_F(RightsProbe, PrivilegeNotHeldEndsAtTheCheck) {
  rightsCalls.adjustTokenPrivileges = AdjustRecording;
  rightsCalls.privilegeCheck = CheckNotHeld;
  ScriptedUser user;
  EXPECT_EQ(RIGHTS_NOT_HELD, ProbeRights(1));
  EXPECT_EQ(std::vector<DWORD>{SE_PRIVILEGE_ENABLED}, calls.adjustedAttributes);
  EXPECT_TRUE(user.shown().empty());
}

TEST_F(RightsProbe, SystemWithoutTokensIsQuiet) {
  rightsCalls.openProcessToken = OpenWithoutSecurity;
  ScriptedUser user;
  EXPECT_EQ(RIGHTS_NO_SECURITY, ProbeRights(1));
  EXPECT_EQ(RIGHTS_NO_SECURITY, ProbeRights(0));
  EXPECT_TRUE(user.shown().empty());
}

TEST_F(RightsProbe, FailedLookupIsQuiet) {
  rightsCalls.lookupPrivilegeValue = LookupFailing;
  ScriptedUser user;
  EXPECT_EQ(RIGHTS_LOOKUP_FAILED, ProbeRights(1));
  EXPECT_TRUE(user.shown().empty());
}

TEST_F(RightsProbe, EachFailureShowsItsErrorBox) {
  ScriptedUser user;
  user.Answer({Press(IDOK)}).Answer({Press(IDOK)}).Answer({Press(IDOK)});

  rightsCalls.openProcessToken = OpenFailing;
  EXPECT_EQ(RIGHTS_OPEN_FAILED, ProbeRights(1));
  rightsCalls = realRightsCalls;
  rightsCalls.adjustTokenPrivileges = AdjustFailing;
  EXPECT_EQ(RIGHTS_ADJUST_FAILED, ProbeRights(1));
  rightsCalls = realRightsCalls;
  rightsCalls.privilegeCheck = CheckFailing;
  EXPECT_EQ(RIGHTS_CHECK_FAILED, ProbeRights(1));

  ASSERT_EQ(3u, user.shown().size());
  ExpectErrorBox(user.shown()[0], "OpenProcess  err=5");
  ExpectErrorBox(user.shown()[1], "AdjustToken  err=6");
  ExpectErrorBox(user.shown()[2], "PrivilegeCheck  err=1309");
}

// Start-up probes twice: once to decide, once to withdraw.
TEST_F(RightsProbe, StartUpDecidesAllUsersShortcuts) {
  const struct {
    const char* name;
    void (*replace)();
    int allUsersShortcuts;
    std::vector<DWORD> adjustedAttributes;
    size_t boxes; // each "OpenProcess  err=5"
  } rows[] = {
      {"open fails",
       [] { rightsCalls.openProcessToken = OpenFailing; },
       0,
       {},
       2},
      {"no security",
       [] { rightsCalls.openProcessToken = OpenWithoutSecurity; },
       1,
       {},
       0},
      {"privilege held",
       [] {
         rightsCalls.adjustTokenPrivileges = AdjustRecording;
         rightsCalls.privilegeCheck = CheckHeld;
       },
       1,
       {SE_PRIVILEGE_ENABLED, 0, 0},
       0},
      {"privilege not held",
       [] {
         rightsCalls.adjustTokenPrivileges = AdjustRecording;
         rightsCalls.privilegeCheck = CheckNotHeld;
       },
       0,
       {SE_PRIVILEGE_ENABLED, 0},
       0},
      {"look-up fails",
       [] { rightsCalls.lookupPrivilegeValue = LookupFailing; },
       0,
       {},
       0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ResetInstallerState();
    state.allUsersShortcuts = 1 - row.allUsersShortcuts;
    calls = TokenCalls();
    rightsCalls = realRightsCalls;
    row.replace();
    ScriptedUser user;
    user.Answer({Press(IDOK)}).Answer({Press(IDOK)});
    InitializeState(nullptr);
    EXPECT_EQ(row.allUsersShortcuts, state.allUsersShortcuts);
    EXPECT_EQ(row.adjustedAttributes, calls.adjustedAttributes);
    ASSERT_EQ(row.boxes, user.shown().size());
    for (const Shown& box : user.shown())
      ExpectErrorBox(box, "OpenProcess  err=5");
  }
}

} // namespace
