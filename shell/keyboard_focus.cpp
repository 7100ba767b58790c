#include "shell/keyboard_focus.h"

#include "resources/resource_ids.h"
#include "shell/main_window.h"

int focusedItem = ITEM_BEGIN;

void AnnounceFocus(HWND window) {
  if (GetFocus() == window)
    NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, focusedItem);
}

void MoveFocus(HWND window, int item) {
  focusedItem = item;
  InvalidateRect(window, nullptr, FALSE);
  AnnounceFocus(window);
}

int OnFocusKey(HWND window, WPARAM key, LPARAM flags) {
  if (key == VK_TAB) {
    // From now on the person works with keys: show where the focus is.
    SendMessageA(window, WM_CHANGEUISTATE,
                 MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    // Two items: forwards and backwards lead to the other one.
    MoveFocus(window,
              focusedItem == ITEM_BEGIN ? ITEM_DESTINATION : ITEM_BEGIN);
    return 1;
  }
  if (key != VK_RETURN && key != VK_SPACE)
    return 0;
  // A key held down repeats; it acts once, as one click does.
  if (flags & 0x40000000)
    return 1;
  PostMessageA(window, WM_COMMAND,
               focusedItem == ITEM_BEGIN ? CMD_BEGIN : CMD_CHANGE_DESTINATION,
               0);
  return 1;
}

void HideFocusUntilKeyboard(HWND window) {
  BOOL alwaysShown = FALSE;
  SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &alwaysShown, 0);
  if (!alwaysShown)
    SendMessageA(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS),
                 0);
}

void DrawKeyboardFocus(HWND window, HDC dc) {
  if (SendMessageA(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)
    return;
  DrawFocusRect(dc, focusedItem == ITEM_BEGIN ? &beginHitRect
                                              : &destinationHitRect);
}
