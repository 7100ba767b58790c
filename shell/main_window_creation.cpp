#include "shell/start_up.h"

#include "resources/resource_ids.h"
#include "shell/main_window.h"
#include "shell/start_up_rules.h"
#include "state/installer_state.h"

enum { MAIN_WINDOW_WIDTH = 640, MAIN_WINDOW_HEIGHT = 480 };

ATOM RegisterInstallerClass(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(ICON_APP));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  // No background brush: the paint covers the whole window itself.
  windowClass.lpszMenuName = "INSTALLMENU";
  windowClass.lpszClassName = "Installation";
  return RegisterClassA(&windowClass);
}

HWND CreateMainWindow(HINSTANCE instance) {
  state.appInstance = instance;
  state.windowWidth = MAIN_WINDOW_WIDTH;
  state.windowHeight = MAIN_WINDOW_HEIGHT;
  int x = CentredPosition(GetSystemMetrics(SM_CXSCREEN), MAIN_WINDOW_WIDTH);
  int y = CentredPosition(GetSystemMetrics(SM_CYSCREEN), MAIN_WINDOW_HEIGHT);
  state.mainWindow = CreateWindowExA(
      0, "Installation", "Install", WS_SYSMENU, x, y, MAIN_WINDOW_WIDTH,
      MAIN_WINDOW_HEIGHT, nullptr, nullptr, instance, nullptr);
  return state.mainWindow;
}
