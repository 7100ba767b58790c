// UpdateShortcuts on Wine's disk: which calls write and run a script, what
// the written file holds, the launch of the script host, the wait and the
// messages shown.
#include "shortcuts/shortcut_runner.h"
#include "tests/support/disk_files.h"
#include "tests/shortcuts/shortcut_script_lines.h"
#include "tests/support/installer_state_reset.h"
#include "tests/support/script_host_fake.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <fstream>
#include <iterator>
#include <set>
#include <thread>

using namespace script_lines;
using namespace scripted;

namespace {

const char kRoot[] = "c:\\orvel-tests\\shortcuts";
const char kTemp[] = "c:\\orvel-tests\\shortcuts\\temp\\";

using disk::Exists;
using disk::FolderContents;
using disk::ReadBytes;
using script_host::launches;

std::string CurrentFolder() {
  char folder[MAX_PATH];
  GetCurrentDirectoryA(sizeof folder, folder);
  return folder;
}

std::string SystemFolder() {
  char folder[MAX_PATH];
  GetSystemDirectoryA(folder, sizeof folder);
  return folder;
}

// A start that makes the real host; ScriptHostCalls as the product has it.
ScriptHostCalls realCalls = scriptHostCalls;
// A host that takes this long before it ends (0: the real one).
DWORD hostLateMs = 0;

unsigned LateStart(const char* program, char* commandLine, HANDLE* process) {
  unsigned result = script_host::RecordStart(program, commandLine, process);
  if (result == 0 && hostLateMs) {
    HANDLE finished = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread([finished] {
      Sleep(hostLateMs);
      SetEvent(finished);
    }).detach();
    CloseHandle(*process);
    *process = finished;
  }
  return result;
}

std::string ShellFolder(int folder) {
  char path[MAX_PATH] = "";
  SHGetSpecialFolderPathA(nullptr, path, folder, FALSE);
  return path;
}

class ShortcutRunner : public testing::Test {
protected:
  void SetUp() override {
    ResetInstallerState();
    state.allUsersShortcuts = 1;
    CreateDirectoryA("c:\\orvel-tests", nullptr);
    CreateDirectoryA(kRoot, nullptr);
    disk::RemoveTree(kTemp);
    CreateDirectoryA(kTemp, nullptr);
    CreateDirectoryA("c:\\orvel-tests\\Orvel", nullptr);
    std::ofstream(kTarget, std::ios::binary) << "MZ";
    saveFolder = CurrentFolder();
    SetEnvironmentVariableA("TMP", kTemp);
    SetEnvironmentVariableA("TEMP", kTemp);
    launches.clear();
    script_host::startResult = 0;
    hostLateMs = 0;
    scriptHostCalls.start = script_host::RecordStart;
  }
  void TearDown() override {
    scriptHostCalls = realCalls;
    SetCurrentDirectoryA(saveFolder.c_str());
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
  EXPECT_TRUE(launches.empty());
  EXPECT_TRUE(FolderContents(kTemp).empty());
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

// The host by its full path in the system folder, the script by its full
// quoted path under a fresh name; nothing found through a search path.
TEST_F(ShortcutRunner, WritesTheScriptWithCrLfAndStartsTheHostByFullPath) {
  state.allUsersShortcuts = 0;
  // Files already in the temporary folder are never written into.
  disk::WriteBytes(std::string(kTemp) + "ins3a8.vbs", "someone else's");
  disk::WriteBytes(std::string(kTemp) + "wscript.exe", "planted");
  ScriptedUser user;
  EXPECT_EQ(0, TimedUpdate(6, kTarget));
  EXPECT_EQ(0, TimedUpdate(6, kTarget));
  ASSERT_EQ(2u, launches.size());
  EXPECT_EQ(Joined(kHeaderCurrentUser + kD1toD3 + kD4toD10 + kP1toP24, "\r\n"),
            launches[0].script);
  const std::string host = SystemFolder() + "\\wscript.exe";
  EXPECT_EQ(host, launches[0].program);
  const std::string& script = launches[0].scriptPath;
  EXPECT_EQ("\"" + host + "\" //B \"" + script + "\"", launches[0].commandLine);
  EXPECT_EQ(0, _strnicmp(script.c_str(), kTemp, strlen(kTemp))) << script;
  EXPECT_EQ(".vbs", script.substr(script.size() - 4));
  EXPECT_NE(launches[1].scriptPath, script) << "a name that can be guessed";
  // Only what was there before stays: the scripts are gone, the current
  // folder is the caller's.
  EXPECT_EQ((std::set<std::string>{"ins3a8.vbs", "wscript.exe"}),
            FolderContents(kTemp));
  EXPECT_EQ("someone else's", ReadBytes(std::string(kTemp) + "ins3a8.vbs"));
  EXPECT_EQ(saveFolder, CurrentFolder());
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
    seen.scriptThere = !launches.empty() && Exists(launches[0].scriptPath);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// A host that starts late is waited for, not cut off by a clock, and the
// thread's windows take their messages meanwhile.
TEST_F(ShortcutRunner, WaitsForALateHostWhileTheWindowsTakeMessages) {
  scriptHostCalls.start = LateStart;
  hostLateMs = 3000;
  seen = Seen();
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ProbeProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "ShortcutWaitProbe";
  RegisterClassA(&wc);
  HWND probe = CreateWindowA("ShortcutWaitProbe", "", 0, 0, 0, 0, 0,
                             HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(nullptr, probe);
  std::thread poster([probe] {
    Sleep(600);
    PostMessageA(probe, WM_APP + 5, 0, 0);
  });
  DWORD start = GetTickCount();
  ShortcutStatus status = TimedUpdate(31, "c:\\orvel-tests\\Orvel\\");
  poster.join();
  DestroyWindow(probe);

  EXPECT_EQ(0, status);
  ASSERT_EQ(1u, launches.size());
  EXPECT_EQ(
      Joined(kHeaderAllUsers + kD1toD3 + kP1toP15 + kU1toU15 + kS1toS9, "\r\n"),
      launches[0].script);
  EXPECT_GT(seen.at, start) << "the posted message was not delivered";
  EXPECT_TRUE(seen.scriptThere);
  EXPECT_GE(elapsed, 3000u);
  EXPECT_FALSE(Exists(launches[0].scriptPath));
}

// The real host, started by the product's own start: the run ends once it
// has ended, and not later than the bound.
TEST_F(ShortcutRunner, RealScriptHostRunsToItsEnd) {
  scriptHostCalls.start = realCalls.start;
  EXPECT_EQ(0, TimedUpdate(31, "c:\\orvel-tests\\Orvel\\"));
  EXPECT_LT(elapsed, 60000u);
  EXPECT_TRUE(FolderContents(kTemp).empty());
}

TEST_F(ShortcutRunner, QuitRequestedDuringTheWaitReachesTheMainLoop) {
  scriptHostCalls.start = LateStart;
  hostLateMs = 800;
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

// Without a script host (missing, switched off, or one without VBScript)
// the shortcuts are made and removed all the same, silently, with the
// target, arguments and hot key the script gives them.
TEST_F(ShortcutRunner, WithoutAHostTheShortcutsAreStillMadeAndRemoved) {
  script_host::startResult = 2;
  const std::string programs = ShellFolder(CSIDL_COMMON_PROGRAMS);
  const std::string links[] = {ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) +
                                   "\\Orvel.lnk",
                               programs + "\\Orvel\\Orvel.lnk",
                               programs + "\\Orvel\\UN-INSTALL Orvel.lnk",
                               programs + "\\StartUp\\Orvel.lnk"};
  ScriptedUser user;
  EXPECT_EQ(0, TimedUpdate(0x1E, kTarget));
  for (const std::string& link : links) {
    std::string bytes = ReadBytes(link);
    EXPECT_NE(std::string::npos,
              bytes.find(link == links[2] ? "install.exe" : "orvel.exe"))
        << link;
  }
  EXPECT_NE(std::string::npos, ReadBytes(links[2]).find("/\0U\0N", 0, 5));
  EXPECT_EQ(0, TimedUpdate(0x1F, "c:\\orvel-tests\\Orvel\\"));
  for (const std::string& link : links)
    EXPECT_FALSE(Exists(link)) << link;
  EXPECT_FALSE(Exists(programs + "\\Orvel"));
  EXPECT_TRUE(user.shown().empty());
  EXPECT_EQ(2u, launches.size());
}

// The box, then the shell links do the script's work.
TEST_F(ShortcutRunner, MissingTempFolderGivesTempPathError) {
  SetEnvironmentVariableA("TMP", "c:\\orvel-tests\\shortcuts\\gone\\");
  SetEnvironmentVariableA("TEMP", "c:\\orvel-tests\\shortcuts\\gone\\");
  ScriptedUser user;
  user.Answer({Press(IDOK)});
  lastShortcutStatus = 1;
  EXPECT_EQ(0, TimedUpdate(6, kTarget));
  EXPECT_EQ(0, lastShortcutStatus);
  EXPECT_TRUE(
      Exists(ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\Orvel.lnk"));
  EXPECT_TRUE(launches.empty());
  ASSERT_EQ(1u, user.shown().size());
  EXPECT_EQ("Temp Path Error", user.shown()[0].caption);
  EXPECT_EQ("", user.shown()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_OK), user.shown()[0].style);
  DeleteFileA(
      (ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\Orvel.lnk").c_str());
  DeleteFileA(
      (ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Orvel\\Orvel.lnk").c_str());
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
  EXPECT_EQ(0, _strnicmp("\\WINDOWS\\", launches[0].scriptPath.c_str(), 9))
      << launches[0].scriptPath;
  EXPECT_FALSE(launches[0].script.empty());
  EXPECT_FALSE(Exists("c:" + launches[0].scriptPath));
  EXPECT_TRUE(user.shown().empty());
}

TEST_F(ShortcutRunner, DeleteScriptOnlyDeletesWhatThisProcessWrote) {
  scriptWritten = 0;
  EXPECT_EQ(0, TimedUpdate(SHORTCUT_DELETE_SCRIPT, kTarget));
  EXPECT_EQ(0, TimedUpdate(2, kTarget)); // writes one
  EXPECT_EQ(1, scriptWritten);
  ASSERT_EQ(1u, launches.size());
  disk::WriteBytes(launches[0].scriptPath, "held by the host");
  EXPECT_EQ(0, TimedUpdate(SHORTCUT_DELETE_SCRIPT, kTarget));
  EXPECT_FALSE(Exists(launches[0].scriptPath));
  EXPECT_EQ(1u, launches.size());
}

// A removal takes only the shortcuts that start its folder's programs;
// while another folder's stay, the script, which removes every kind, is
// not run.
TEST_F(ShortcutRunner, RemovalLeavesAnotherFoldersShortcuts) {
  script_host::startResult = 2;
  const std::string programs = ShellFolder(CSIDL_COMMON_PROGRAMS);
  const std::string desktop =
      ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\Orvel.lnk";
  const std::string own[] = {programs + "\\Orvel\\Orvel.lnk",
                             programs + "\\Orvel\\UN-INSTALL Orvel.lnk",
                             programs + "\\StartUp\\Orvel.lnk"};
  const std::string other = std::string(kRoot) + "\\B\\orvel.exe";
  CreateDirectoryA((std::string(kRoot) + "\\B").c_str(), nullptr);
  std::ofstream(other, std::ios::binary) << "MZ";
  ScriptedUser user;
  ASSERT_EQ(0, UpdateShortcuts(0x1F, kTarget)); // none left by others
  ASSERT_EQ(0, UpdateShortcuts(2, other.c_str()));
  ASSERT_EQ(0, UpdateShortcuts(0x1C, kTarget));
  launches.clear();
  // Spelled otherwise than the shortcuts' targets.
  EXPECT_EQ(0, RemoveOwnShortcuts("C:\\ORVEL-TESTS\\x\\..\\orvel\\"));
  EXPECT_TRUE(launches.empty());
  EXPECT_TRUE(Exists(desktop));
  for (const std::string& link : own)
    EXPECT_FALSE(Exists(link)) << link;
  EXPECT_EQ(0, RemoveOwnShortcuts((std::string(kRoot) + "\\B\\").c_str()));
  EXPECT_FALSE(Exists(desktop));
  EXPECT_EQ(1u, launches.size()) << "the script, with nobody else's left";
  EXPECT_TRUE(user.shown().empty());
}

} // namespace
