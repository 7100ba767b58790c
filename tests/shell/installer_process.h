// A real install.exe (or install-update.exe) started by a test under
// Wine, with the windows it shows.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

inline BOOL CALLBACK CollectInstallerWindow(HWND window, LPARAM list) {
  char name[32];
  if (GetClassNameA(window, name, sizeof name) &&
      lstrcmpA(name, "Installation") == 0)
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// A started install.exe, ended by its close box or, failing that, killed.
class Installer {
public:
  // Program and tail in UTF-8, so that a test can name what the code
  // page cannot.
  explicit Installer(const std::string& tail,
                     const char* program = INSTALL_EXE_PATH) {
    std::string command = std::string("\"") + program + "\" " + tail;
    std::wstring wide(command.size() + 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, command.c_str(), -1, &wide[0],
                        static_cast<int>(wide.size()));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    started = CreateProcessW(nullptr, &wide[0], nullptr, nullptr, FALSE, 0,
                             nullptr, nullptr, &startup, &process) != 0;
    startError = started ? 0 : GetLastError();
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

  // Waits for the process to end like ExitCodeWithin, meanwhile noting
  // the class of every top-level window it makes, however briefly shown.
  long ExitCodeNotingWindows(DWORD milliseconds,
                             std::vector<std::string>* classes) {
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(process.hProcess, 5) == WAIT_TIMEOUT) {
      if (GetTickCount() - start > milliseconds)
        return -1;
      WindowsOfProcess(process.dwProcessId, classes);
    }
    return ExitCodeWithin(0);
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

  // What a failed expectation shows of the run: why it did not start, or
  // its exit code so far and the classes of the windows it has open.
  std::string Describe() const {
    char text[64];
    if (!started) {
      snprintf(text, sizeof text, "not started, system error %lu", startError);
      return text;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    snprintf(text, sizeof text, "exit code %lu%s", code,
             code == STILL_ACTIVE ? " (still running)" : "");
    std::vector<std::string> classes;
    WindowsOfProcess(process.dwProcessId, &classes);
    std::string shown = text;
    for (const std::string& name : classes)
      shown += ", window " + name;
    return shown;
  }

  struct WindowSearch {
    DWORD id;
    std::vector<std::string>* classes;
  };
  static BOOL CALLBACK NoteWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = "";
    std::vector<std::string>& classes = *search->classes;
    if (owner == search->id && GetClassNameA(window, name, sizeof name) &&
        std::find(classes.begin(), classes.end(), name) == classes.end())
      classes.push_back(name);
    return TRUE;
  }
  static void WindowsOfProcess(DWORD id, std::vector<std::string>* classes) {
    WindowSearch search = {id, classes};
    EnumWindows(NoteWindow, reinterpret_cast<LPARAM>(&search));
  }

  // Waits until `window` is the foreground window: another process's
  // activation reaches it a little later than the call that asked for it.
  static HWND WaitForForeground(HWND window, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetForegroundWindow() != window &&
           GetTickCount() - start < milliseconds)
      Sleep(20);
    return GetForegroundWindow();
  }

  static std::vector<HWND> InstallerWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectInstallerWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
  }

  bool started = false;
  DWORD startError = 0;
  PROCESS_INFORMATION process = {};
};
