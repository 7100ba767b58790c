// Orvel: the small program that the installer carries. Its window says that
// Orvel is installed and shows its version.
#include <windows.h>

#include "product/orvel_version.h"

namespace {

const char kClassName[] = "OrvelDemo";

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  SetBkMode(dc, TRANSPARENT);
  RECT upper = client;
  upper.bottom = client.bottom / 2;
  DrawTextA(dc, "Orvel is installed.", -1, &upper,
            DT_CENTER | DT_BOTTOM | DT_SINGLELINE);
  RECT lower = client;
  lower.top = client.bottom / 2 + 4;
  DrawTextA(dc, "Version " ORVEL_VERSION, -1, &lower,
            DT_CENTER | DT_TOP | DT_SINGLELINE);
  EndPaint(window, &ps);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                            LPARAM lParam) {
  switch (message) {
  case WM_PAINT:
    Paint(window);
    return 0;
  // Nothing of Orvel's waits to be saved: it agrees to end with the
  // session, or when an installer asks it to close (ENDSESSION_CLOSEAPP),
  // and then closes as after WM_CLOSE.
  case WM_QUERYENDSESSION:
    return TRUE;
  case WM_ENDSESSION:
    if (wParam)
      DestroyWindow(window);
    return 0;
  case WM_DESTROY:
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  if (!RegisterClassA(&wc))
    return 1;
  HWND window = CreateWindowExA(0, kClassName, "Orvel", WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, 360, 200, nullptr,
                                nullptr, instance, nullptr);
  if (!window)
    return 1;
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
