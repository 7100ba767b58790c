// The programs that hold the installation's files, as the Restart Manager
// names them. Wine's never names one, so its calls are replaced here and
// the test checks what they are given and what comes of their answer.
#include "engine/file_holders.h"
#include "engine/restart_manager.h"
#include "tests/support/disk_files.h"
#include "tests/support/installer_state_reset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> registered;
int shutdowns = 0;

DWORD WINAPI Start(DWORD* session, DWORD, WCHAR* key) {
  *session = 7;
  key[0] = L'\0';
  return ERROR_SUCCESS;
}
DWORD WINAPI Register(DWORD session, UINT count, LPCWSTR* files, UINT,
                      RM_UNIQUE_PROCESS*, UINT, LPCWSTR*) {
  for (UINT i = 0; i < count && session == 7; ++i)
    registered.push_back(files[i]);
  return ERROR_SUCCESS;
}
// A help viewer of another process, and this process, which never counts.
DWORD WINAPI List(DWORD, UINT* needed, UINT* count, RM_PROCESS_INFO* apps,
                  LPDWORD) {
  *needed = 2;
  if (*count < 2)
    return ERROR_MORE_DATA;
  apps[0] = {};
  apps[0].Process.dwProcessId = 0x7FFFFFF0;
  lstrcpyW(apps[0].strAppName, L"Help Viewer");
  apps[1] = {};
  apps[1].Process.dwProcessId = GetCurrentProcessId();
  *count = 2;
  return ERROR_SUCCESS;
}
DWORD WINAPI Shutdown(DWORD session, ULONG flags, RM_WRITE_STATUS_CALLBACK) {
  shutdowns += session == 7 && flags == 0; // asked, never forced
  return ERROR_SUCCESS;
}
DWORD WINAPI End(DWORD) {
  return ERROR_SUCCESS;
}

TEST(FileHolders, TheRestartManagerNamesTheProgramAndClosesIt) {
  ResetInstallerState();
  const std::string folder = "c:\\orvel-tests\\holders\\";
  disk::RemoveTree(folder);
  CreateDirectoryA("c:\\orvel-tests", nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  disk::WriteBytes(folder + "orvel.chm", "help");
  disk::WriteBytes(folder + "eula.txt", "licence");
  lstrcpyA(state.destinationPath, folder.c_str());
  const RestartManagerCalls real = restartManagerCalls;
  restartManagerCalls = {Start, Register, List, Shutdown, End};

  FileHolders found;
  ASSERT_EQ(1, FindFileHolders(&found));
  EXPECT_EQ((std::vector<std::wstring>{L"c:\\orvel-tests\\holders\\orvel.chm",
                                       L"c:\\orvel-tests\\holders\\eula.txt"}),
            registered);
  EXPECT_STREQ("Help Viewer", found.holder[0].name);
  EXPECT_EQ(1, found.holder[0].restartManager);
  EXPECT_EQ(folder + "orvel.chm", found.holder[0].file);
  CloseFileHolders(&found, 0);
  EXPECT_EQ(1, shutdowns);

  restartManagerCalls = real;
  disk::RemoveTree(folder);
}

} // namespace
