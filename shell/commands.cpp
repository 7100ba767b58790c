#include "shell/commands.h"

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
}

void OnKeyDown(HWND, WPARAM) {}

void OnRightButtonUp(HWND, LPARAM) {}
