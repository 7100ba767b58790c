// Which way the installed program is started after a completed
// installation: by the desktop's shell, directly, or not at all.
#include "shell/product_start.h"
#include "state/installer_state.h"
#include "tests/shell/commands_test_support.h"
#include "tests/support/installer_state_reset.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <string>

namespace {

int desktopAnswer = 0, elevatedAnswer = 0;
std::string asked; // the calls made, in order

int Desktop(const char* program, const char* folder) {
  asked += std::string("desktop ") + program + " in " + folder + "; ";
  return desktopAnswer;
}
int Elevated() {
  asked += "elevated? ";
  return elevatedAnswer;
}
UINT WINAPI Directly(LPCSTR commandLine, UINT show) {
  asked += std::string("start ") + commandLine + " " + std::to_string(show);
  return 33;
}

struct Case {
  int desktop, elevated;
  ProductStart way;
  const char* asked;
};

#define ASKED_DESKTOP "desktop c:\\My Apps\\orvel.exe in c:\\My Apps\\; "

TEST(ProductStart, NeverWithTheInstallersElevatedRights) {
  const Case cases[] = {
      {1, 1, PRODUCT_STARTED_BY_DESKTOP, ASKED_DESKTOP},
      {1, 0, PRODUCT_STARTED_BY_DESKTOP, ASKED_DESKTOP},
      {0, 0, PRODUCT_STARTED_DIRECTLY,
       ASKED_DESKTOP "elevated? start \"c:\\My Apps\\orvel.exe\" 1"},
      {0, 1, PRODUCT_NOT_STARTED, ASKED_DESKTOP "elevated? "},
  };
  ResetInstallerState();
  lstrcpyA(state.destinationPath, "c:\\My Apps\\");
  const ProductStartCalls real = productStartCalls;
  productStartCalls = {Desktop, Elevated, Directly};
  for (const Case& c : cases) {
    asked.clear();
    desktopAnswer = c.desktop;
    elevatedAnswer = c.elevated;
    EXPECT_EQ(c.way, StartInstalledProgram()) << c.asked;
    EXPECT_EQ(c.asked, asked);
  }
  productStartCalls = real;
}

// The name of the process that started the running `program`.
std::string StarterOf(const char* program) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry;
  entry.dwSize = sizeof entry;
  DWORD parent = 0;
  for (BOOL ok = Process32First(snapshot, &entry); ok;
       ok = Process32Next(snapshot, &entry))
    if (lstrcmpiA(entry.szExeFile, program) == 0)
      parent = entry.th32ParentProcessID;
  std::string name = parent ? "a process that has ended" : "nobody";
  for (BOOL ok = Process32First(snapshot, &entry); ok && parent;
       ok = Process32Next(snapshot, &entry))
    if (entry.th32ProcessID == parent)
      name = entry.szExeFile;
  CloseHandle(snapshot);
  return name;
}

// With the real calls (under Wine the installer counts as elevated, so
// only the desktop's shell may start it): orvel.exe is a child of the
// desktop's explorer, not of the process that installed it.
TEST(ProductStart, TheDesktopsShellStartsIt) {
  const std::string folder = "c:\\orvel-tests\\product start\\";
  CreateDirectoryA("c:\\orvel-tests", nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(ORVEL_EXE_PATH, (folder + "orvel.exe").c_str(), 0));
  ResetInstallerState();
  lstrcpyA(state.destinationPath, folder.c_str());
  EXPECT_EQ(PRODUCT_STARTED_BY_DESKTOP, StartInstalledProgram());
  // The shell starts it a little later, in its own time.
  std::string starter = StarterOf("orvel.exe");
  for (DWORD start = GetTickCount();
       starter == "nobody" && GetTickCount() - start < 20000;
       starter = StarterOf("orvel.exe"))
    Sleep(50);
  EXPECT_EQ("explorer.exe", starter);
  EXPECT_TRUE(commands_test::CloseStartedOrvel());
  DeleteFileA((folder + "orvel.exe").c_str());
  RemoveDirectoryA(folder.c_str());
}

} // namespace
