// Two real installers under Wine: a second start while the first shows
// its "Install" window ends at once; an "UN-Install" window is no match.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

BOOL CALLBACK CollectInstallerWindow(HWND window, LPARAM list) {
  char name[32];
  if (GetClassNameA(window, name, sizeof name) &&
      lstrcmpA(name, "Installation") == 0)
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// A started install.exe, ended by its close box or, failing that, killed.
class Installer {
public:
  explicit Installer(const std::string& tail) {
    std::string command = std::string("\"") + INSTALL_EXE_PATH + "\" " + tail;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0,
                             nullptr, nullptr, &startup, &process) != 0;
  }
  ~Installer() {
    if (!started)
      return;
    if (HWND window = Window())
      PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
      TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  Installer(const Installer&) = delete;
  Installer& operator=(const Installer&) = delete;

  // Waits for the process to end; its exit code, or -1 if it did not.
  long ExitCodeWithin(DWORD milliseconds) {
    if (WaitForSingleObject(process.hProcess, milliseconds) != WAIT_OBJECT_0)
      return -1;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return static_cast<long>(code);
  }

  // The process's window of class "Installation", if it has one.
  HWND Window() const {
    for (HWND window : InstallerWindows()) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == process.dwProcessId)
        return window;
    }
    return nullptr;
  }

  // Waits until the process shows a window with this title.
  HWND WaitForWindow(const char* title) const {
    for (int i = 0; i < 300; ++i) {
      HWND window = Window();
      char text[32] = "";
      if (window)
        GetWindowTextA(window, text, sizeof text);
      if (window && IsWindowVisible(window) && lstrcmpA(text, title) == 0)
        return window;
      Sleep(100);
    }
    return nullptr;
  }

  static std::vector<HWND> InstallerWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectInstallerWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
  }

  bool started = false;
  PROCESS_INFORMATION process = {};
};

TEST(SingleInstance, SecondInstallerBringsTheFirstForwardAndEnds) {
  ASSERT_TRUE(Installer::InstallerWindows().empty());
  Installer first("");
  ASSERT_TRUE(first.started);
  HWND window = first.WaitForWindow("Install");
  ASSERT_NE(nullptr, window);
  ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(window));

  Installer second("");
  ASSERT_TRUE(second.started);
  EXPECT_EQ(0, second.ExitCodeWithin(30000));
  EXPECT_EQ(std::vector<HWND>{window}, Installer::InstallerWindows());
  // Restored and brought to the front by the second start.
  EXPECT_FALSE(IsIconic(window));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(window, GetForegroundWindow());
}

TEST(SingleInstance, SecondInstallerBringsACoveredWindowToTheFront) {
  Installer first("");
  ASSERT_TRUE(first.started);
  HWND window = first.WaitForWindow("Install");
  ASSERT_NE(nullptr, window);
  // Another program's window in front of it.
  HWND other = CreateWindowExA(0, "STATIC", "Other program",
                               WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                               nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  ASSERT_EQ(other, GetForegroundWindow());

  Installer second("");
  EXPECT_EQ(0, second.ExitCodeWithin(30000));
  EXPECT_EQ(window, GetForegroundWindow());
  DestroyWindow(other);
}

TEST(SingleInstance, UninstallWindowIsNoMatch) {
  ASSERT_TRUE(Installer::InstallerWindows().empty());
  Installer uninstaller("/UN");
  ASSERT_TRUE(uninstaller.started);
  ASSERT_NE(nullptr, uninstaller.WaitForWindow("UN-Install"));

  Installer installer("");
  ASSERT_TRUE(installer.started);
  EXPECT_NE(nullptr, installer.WaitForWindow("Install"));
  EXPECT_EQ(-1, installer.ExitCodeWithin(0));
  EXPECT_EQ(2u, Installer::InstallerWindows().size());
}

TEST(SingleInstance, ClosingTheWindowEndsTheInstallerWithZero) {
  Installer installer("");
  ASSERT_TRUE(installer.started);
  HWND window = installer.WaitForWindow("Install");
  ASSERT_NE(nullptr, window);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(0, installer.ExitCodeWithin(30000));
}

} // namespace
