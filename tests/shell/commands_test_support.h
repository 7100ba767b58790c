// A window that handles its commands, keys and right-click as the main
// window does, and the small helpers the command and flow tests share.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace commands_test {

// A visible top-level window titled "Install" with the menu bar
// INSTALLMENU, routing WM_COMMAND, WM_KEYDOWN and WM_RBUTTONUP to the
// command handlers. It becomes `state.mainWindow`.
HWND CreateCommandsWindow();
// Destroys the window if a flow has not, and removes the quit message
// nothing else would take.
void DestroyCommandsWindow(HWND window);

// Runs the main message loop, accelerators included, until `done` or
// `milliseconds` pass; true when `done`.
bool RunMessageLoop(const std::function<bool()>& done, DWORD milliseconds);

// Sees every message of the test window before it is handled.
extern std::function<void(HWND, UINT, WPARAM, LPARAM)> observeMessage;

// Waits for the Orvel window that a completed installation starts and
// closes it; true when it appeared.
bool CloseStartedOrvel();

// Makes `folder` (ending in a backslash) an installation as the
// installer records one: its record, in a folder that answers as one only
// administrators may change (Wine keeps no access lists, so the answer is
// given here, for as long as this lives). `asked` counts the questions.
struct RecordedInstallation {
  explicit RecordedInstallation(const std::string& folder);
  ~RecordedInstallation();
  static int asked;
};

} // namespace commands_test
