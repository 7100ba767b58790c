// UpdateShortcuts on Wine's disk: which calls write and run a script, what
// the written file holds, the launch of the script host, the wait and the
// messages shown.
#include "shortcuts/shortcut_runner.h"
#include "tests/support/disk_files.h"
#include "tests/shortcuts/shortcut_script_lines.h"
#include "tests/support/installer_state_reset.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <fstream>
#include <iterator>
#include <thread>

using namespace script_lines;
using namespace scripted;

namespace {

const char kRoot[] = "c:\\orvel-tests\\shortcuts";
const char kTemp[] = "c:\\orvel-tests\\shortcuts\\temp\\";
// The name made from "ins" and 936 (hexadecimal 3A8) in the temp folder.
const char kScript[] = "c:\\orvel-tests\\shortcuts\\temp\\ins3a8.vbs";

using disk::Exists;
using disk::ReadBytes;

std::string CurrentFolder() {
  char folder[MAX_PATH];
  GetCurrentDirectoryA(sizeof folder, folder);
  return folder;
}

bool SameFolder(std::string a, std::string b) {
  while (!a.empty() && a.back() == '\\')
    a.pop_back();
  while (!b.empty() && b.back() == '\\')
    b.pop_back();
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// What the start function saw when the runner launched the script host.
struct Launch {
  std::string commandLine;
  unsigned showState = 0;
  std::string folder;
  std::string script; // the bytes of the script named on the command line
};

std::vector<Launch> launches;
unsigned startResult = 33;
bool startForReal = false;
unsigned (*realStart)(const char*, unsigned) = nullptr;
std::vector<HANDLE> hosts; // script hosts still running after their start

// The processes started from this one, counted by a job that the test
// process belongs to: a host that has already run its script and ended
// is still counted.
DWORD ProcessesStartedInJob() {
  static HANDLE job = [] {
    HANDLE j = CreateJobObjectA(nullptr, nullptr);
    AssignProcessToJobObject(j, GetCurrentProcess());
    return j;
  }();
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info = {};
  QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info,
                            sizeof info, nullptr);
  return info.TotalProcesses;
}

// Script hosts this process started that still run.
void CollectHosts() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry;
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32First(snapshot, &entry); ok;
       ok = Process32Next(snapshot, &entry))
    if (entry.th32ParentProcessID == GetCurrentProcessId() &&
        lstrcmpiA(entry.szExeFile, "wscript.exe") == 0)
      if (HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE,
                                 entry.th32ProcessID))
        hosts.push_back(h);
  CloseHandle(snapshot);
}

unsigned RecordingStart(const char* commandLine, unsigned showState) {
  Launch launch;
  launch.commandLine = commandLine;
  launch.showState = showState;
  launch.folder = CurrentFolder();
  const char* blank = strchr(commandLine, ' ');
  if (blank)
    launch.script = ReadBytes(blank + 1);
  launches.push_back(launch);
  if (!startForReal)
    return startResult;
  unsigned result = realStart(commandLine, showState);
  CollectHosts();
  return result;
}

class ShortcutRunner : public testing::Test {
protected:
  void SetUp() override {
    ResetInstallerState();
    state.allUsersShortcuts = 1;
    CreateDirectoryA("c:\\orvel-tests", nullptr);
    CreateDirectoryA(kRoot, nullptr);
    CreateDirectoryA(kTemp, nullptr);
    CreateDirectoryA("c:\\orvel-tests\\Orvel", nullptr);
    std::ofstream(kTarget, std::ios::binary) << "MZ";
    DeleteFileA(kScript);
    saveFolder = CurrentFolder();
    SetEnvironmentVariableA("TMP", kTemp);
    SetEnvironmentVariableA("TEMP", kTemp);
    launches.clear();
    startResult = 33;
    startForReal = false;
    realStart = scriptHostCalls.start;
    scriptHostCalls.start = RecordingStart;
  }
  void TearDown() override {
    scriptHostCalls.start = realStart;
    SetCurrentDirectoryA(saveFolder.c_str());
    // Nothing started here outlives the test: a host still busy after a
    // few seconds is ended.
    for (HANDLE host : hosts) {
      if (WaitForSingleObject(host, 5000) != WAIT_OBJECT_0)
        TerminateProcess(host, 1);
      CloseHandle(host);
    }
    hosts.clear();
  }

  ShortcutStatus TimedUpdate(ShortcutFlags flags, const char* target) {
    DWORD start = GetTickCount();
    ShortcutStatus status = UpdateShortcuts(flags, target);
    elapsed = GetTickCount() - start;
    return status;
  }

  std::string saveFolder;
  DWORD elapsed = 0;
};

TEST_F(ShortcutRunner, NothingToDoWritesNothingAndShowsNothing) {
  ScriptedUser user;
  EXPECT_EQ(0, TimedUpdate(0, kTarget));
  // Only the low eight bits ask for anything.
  EXPECT_EQ(0, TimedUpdate(0x100, kTarget));
  state.windowsVersionClass = 3;
  EXPECT_EQ(0, TimedUpdate(6, kTarget));
  state.windowsVersionClass = 0;
  // A program that is not there gets no shortcut, without a word.
  EXPECT_EQ(0, TimedUpdate(6, "c:\\orvel-tests\\shortcuts\\none\\orvel.exe"));
  EXPECT_EQ(0, TimedUpdate(8, "c:\\orvel-tests\\shortcuts\\none\\orvel.exe"));
  EXPECT_LT(elapsed, 1000u);
  EXPECT_TRUE(launches.empty());
  EXPECT_FALSE(Exists(kScript));
  EXPECT_TRUE(user.shown().empty());
}

TEST_F(ShortcutRunner, MissingTargetStillGetsItsUninstallShortcut) {
  ScriptedUser user;
  EXPECT_EQ(0, TimedUpdate(0x10, "c:\\orvel-tests\\Orvel\\none\\orvel.exe"));
  ASSERT_EQ(1u, launches.size());
  std::string script = launches[0].script;
  EXPECT_NE(std::string::npos,
            script.find("MyShortcut.TargetPath=\"c:\\orvel-tests\\Orvel\\none"
                        "\\\\install.exe /UN\"\r\n"));
  EXPECT_TRUE(user.shown().empty());
}

TEST_F(ShortcutRunner, WritesTheScriptWithCrLfAndStartsTheHostOnIt) {
  state.allUsersShortcuts = 0;
  ScriptedUser user;
  EXPECT_EQ(0, TimedUpdate(6, kTarget));
  ASSERT_EQ(1u, launches.size());
  EXPECT_EQ(Joined(kHeaderCurrentUser + kD1toD3 + kD4toD10 + kP1toP24, "\r\n"),
            launches[0].script);
  EXPECT_EQ(
      0, lstrcmpiA("wscript.exe ins3a8.vbs", launches[0].commandLine.c_str()))
      << launches[0].commandLine;
  EXPECT_EQ(static_cast<unsigned>(SW_SHOWNA), launches[0].showState);
  EXPECT_TRUE(SameFolder(kTemp, launches[0].folder)) << launches[0].folder;
  // The temp folder stays the current folder; the script is gone.
  EXPECT_TRUE(SameFolder(kTemp, CurrentFolder())) << CurrentFolder();
  EXPECT_GE(elapsed, 1800u);
  EXPECT_FALSE(Exists(kScript));
  EXPECT_EQ(1, scriptWritten);
  EXPECT_TRUE(user.shown().empty());
}

TEST_F(ShortcutRunner, EmptyTargetMeansTheInstallerItself) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof self);
  std::string folder(self, strrchr(self, '\\') + 1);
  EXPECT_EQ(0, TimedUpdate(2, ""));
  ASSERT_EQ(1u, launches.size());
  const std::string& script = launches[0].script;
  EXPECT_NE(std::string::npos,
            script.find("MyShortcut.TargetPath=\"" + std::string(self) +
                        "\"\r\nMyShortcut.WorkingDirectory=\"" + folder +
                        "\"\r\n"));
}

// When a window of the thread got its message, and whether the script was
// on disk then.
struct Seen {
  DWORD at = 0;
  bool scriptThere = false;
} seen;

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam,
                           LPARAM lParam) {
  if (message == WM_APP + 5) {
    seen.at = GetTickCount();
    seen.scriptThere = Exists(kScript);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Wine's script host starts, but its shell object lacks some of what the
// script sets, so only the launch is checked, not the shortcuts made.
TEST_F(ShortcutRunner, RealScriptHostStartsWhileTheWaitDeliversMessages) {
  startForReal = true;
  seen = Seen();
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ProbeProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "ShortcutWaitProbe";
  RegisterClassA(&wc);
  HWND probe = CreateWindowA("ShortcutWaitProbe", "", 0, 0, 0, 0, 0,
                             HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(nullptr, probe);

  // Posted from elsewhere while the runner waits.
  std::thread poster([probe] {
    Sleep(600);
    PostMessageA(probe, WM_APP + 5, 0, 0);
  });
  DWORD processesBefore = ProcessesStartedInJob();
  DWORD start = GetTickCount();
  ShortcutStatus status = TimedUpdate(31, "c:\\orvel-tests\\Orvel\\");
  DWORD end = GetTickCount();
  poster.join();
  DestroyWindow(probe);

  EXPECT_EQ(0, status);
  ASSERT_EQ(1u, launches.size());
  EXPECT_EQ(
      Joined(kHeaderAllUsers + kD1toD3 + kP1toP15 + kU1toU15 + kS1toS9, "\r\n"),
      launches[0].script);
  EXPECT_EQ(processesBefore + 1, ProcessesStartedInJob())
      << "no script host was started";
  EXPECT_NE(0u, seen.at) << "the posted message was not delivered";
  EXPECT_GT(seen.at, start);
  EXPECT_LT(seen.at, end);
  EXPECT_TRUE(seen.scriptThere);
  EXPECT_GE(elapsed, 1800u);
  EXPECT_FALSE(Exists(kScript));
}

TEST_F(ShortcutRunner, QuitRequestedDuringTheWaitReachesTheMainLoop) {
  std::thread poster([thread = GetCurrentThreadId()] {
    Sleep(300);
    PostThreadMessageA(thread, WM_QUIT, 3, 0);
  });
  EXPECT_EQ(0, TimedUpdate(2, kTarget));
  poster.join();
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(3u, message.wParam);
}

TEST_F(ShortcutRunner, HostNotFoundShowsError1002AfterTheWait) {
  startResult = 2;
  ScriptedUser user;
  user.Answer({Press(IDOK)});
  EXPECT_EQ(1002, TimedUpdate(6, kTarget));
  EXPECT_GE(elapsed, 1800u);
  EXPECT_FALSE(Exists(kScript));
  ASSERT_EQ(1u, user.shown().size());
  const Shown& box = user.shown()[0];
  EXPECT_TRUE(box.isMessageBox);
  EXPECT_EQ("Error", box.caption);
  EXPECT_EQ("Could not access Shortcut Icons\n\n(Error #1002)\n", box.text);
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), box.style);
}

TEST_F(ShortcutRunner, ScriptThatCannotBeOpenedGives1WithoutWaiting) {
  CreateDirectoryA(kScript, nullptr); // a folder where the file would go
  ScriptedUser user;
  user.Answer({Press(IDOK)});
  ShortcutStatus status = TimedUpdate(6, kTarget);
  RemoveDirectoryA(kScript);
  EXPECT_EQ(1, status);
  EXPECT_LT(elapsed, 1800u);
  EXPECT_TRUE(launches.empty());
  ASSERT_EQ(1u, user.shown().size());
  EXPECT_EQ("Could not access Shortcut Icons\n\n(Error #1)\n",
            user.shown()[0].text);
}

TEST_F(ShortcutRunner, MissingTempFolderGivesTempPathError) {
  SetEnvironmentVariableA("TMP", "c:\\orvel-tests\\shortcuts\\gone\\");
  SetEnvironmentVariableA("TEMP", "c:\\orvel-tests\\shortcuts\\gone\\");
  ScriptedUser user;
  user.Answer({Press(IDOK)});
  EXPECT_EQ(1, TimedUpdate(6, kTarget));
  EXPECT_TRUE(launches.empty());
  ASSERT_EQ(1u, user.shown().size());
  EXPECT_EQ("Temp Path Error", user.shown()[0].caption);
  EXPECT_EQ("", user.shown()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_OK), user.shown()[0].style);
}

// Wine gives no temp folder for a TMP longer than a path may be.
TEST_F(ShortcutRunner, WithoutATempFolderTheScriptGoesToWindows) {
  std::string tooLong = "c:\\" + std::string(300, 't') + "\\";
  SetEnvironmentVariableA("TMP", tooLong.c_str());
  SetEnvironmentVariableA("TEMP", tooLong.c_str());
  char asked[900];
  ASSERT_EQ(0u, GetTempPathA(sizeof asked, asked));
  SetCurrentDirectoryA("c:\\"); // "\\WINDOWS" is on the current drive
  ScriptedUser user;
  EXPECT_EQ(0, TimedUpdate(2, kTarget));
  ASSERT_EQ(1u, launches.size());
  EXPECT_TRUE(SameFolder("c:\\WINDOWS", launches[0].folder))
      << launches[0].folder;
  EXPECT_FALSE(launches[0].script.empty());
  EXPECT_FALSE(Exists("c:\\windows\\ins3a8.vbs"));
  EXPECT_TRUE(user.shown().empty());
}

TEST_F(ShortcutRunner, DeleteScriptOnlyDeletesWhatThisProcessWrote) {
  scriptWritten = 0;
  std::ofstream(kScript) << "left behind";
  EXPECT_EQ(0, TimedUpdate(SHORTCUT_DELETE_SCRIPT, kTarget));
  EXPECT_TRUE(Exists(kScript));

  EXPECT_EQ(0, TimedUpdate(2, kTarget)); // writes one
  EXPECT_EQ(1, scriptWritten);
  std::ofstream(kScript) << "held by the host";
  EXPECT_EQ(0, TimedUpdate(SHORTCUT_DELETE_SCRIPT, kTarget));
  EXPECT_FALSE(Exists(kScript));
  EXPECT_LT(elapsed, 1000u);
  EXPECT_EQ(1u, launches.size());
}

} // namespace
