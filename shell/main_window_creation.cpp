#include "shell/start_up.h"

#include "resources/resource_ids.h"
#include "shell/main_window.h"
#include "shell/start_up_rules.h"
#include "state/display_scale.h"
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

// The window of 96 dots per inch, scaled to the system's.
HWND CreateMainWindow(HINSTANCE instance) {
  state.appInstance = instance;
  int width = ScaledPixels(MAIN_WINDOW_WIDTH);
  int height = ScaledPixels(MAIN_WINDOW_HEIGHT);
  state.windowWidth = width;
  state.windowHeight = height;
  int x = CentredPosition(GetSystemMetrics(SM_CXSCREEN), width);
  int y = CentredPosition(GetSystemMetrics(SM_CYSCREEN), height);
  state.mainWindow =
      CreateWindowExA(0, "Installation", "Install", WS_SYSMENU, x, y, width,
                      height, nullptr, nullptr, instance, nullptr);
  return state.mainWindow;
}
