#include "tests/shell/commands_test_support.h"

#include "engine/folder_security.h"
#include "engine/installation_record.h"
#include "shell/commands.h"
#include "state/installer_state.h"
#include "tests/support/disk_files.h"

namespace commands_test {

std::function<void(HWND, UINT, WPARAM, LPARAM)> observeMessage;

namespace {

LRESULT CALLBACK CommandsWindowProc(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) {
  if (observeMessage)
    observeMessage(window, message, wParam, lParam);
  switch (message) {
  case WM_COMMAND:
    return OnCommand(window, wParam, lParam);
  case WM_KEYDOWN:
    OnKeyDown(window, wParam, lParam);
    return 0;
  case WM_RBUTTONUP:
    OnRightButtonUp(window, lParam);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

HWND CreateCommandsWindow() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CommandsWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszMenuName = "INSTALLMENU";
    wc.lpszClassName = "CommandsTestWindow";
    registered = RegisterClassA(&wc) != 0;
  }
  HWND window = CreateWindowExA(0, "CommandsTestWindow", "Install", WS_SYSMENU,
                                100, 100, 640, 480, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  state.mainWindow = window;
  return window;
}

void DestroyCommandsWindow(HWND window) {
  if (IsWindow(window))
    DestroyWindow(window);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  state.mainWindow = nullptr;
}

bool RunMessageLoop(const std::function<bool()>& done, DWORD milliseconds) {
  HACCEL accelerators =
      LoadAcceleratorsA(GetModuleHandleA(nullptr), "acceltable");
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > milliseconds)
      return false;
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      continue;
    }
    if (IsWindow(state.mainWindow) &&
        TranslateAcceleratorA(state.mainWindow, accelerators, &msg))
      continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

int RecordedInstallation::asked = 0;

namespace {
int AdministratorsOnly(HANDLE) {
  ++RecordedInstallation::asked;
  return 0;
}
} // namespace

RecordedInstallation::RecordedInstallation(const std::string& folder) {
  CreateDirectoryA(folder.c_str(), nullptr);
  disk::WriteBytes(folder + kRecordName, "Orvel installation record\r\n");
  recordCalls.othersMayChange = AdministratorsOnly;
  asked = 0;
}

RecordedInstallation::~RecordedInstallation() {
  recordCalls.othersMayChange = OthersMayChangeFolder;
}

bool CloseStartedOrvel() {
  HWND orvel = nullptr;
  for (int i = 0; i < 200 && !orvel; ++i) {
    orvel = FindWindowA("OrvelDemo", "Orvel");
    if (!orvel)
      Sleep(50);
  }
  if (!orvel)
    return false;
  DWORD process = 0;
  GetWindowThreadProcessId(orvel, &process);
  PostMessageA(orvel, WM_CLOSE, 0, 0);
  HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, process);
  if (handle) {
    WaitForSingleObject(handle, 10000);
    CloseHandle(handle);
  }
  return true;
}

} // namespace commands_test
