#include "shell/keyboard_focus.h"

#include "resources/resource_ids.h"
#include "shell/main_window.h"

int focusedItem = ITEM_BEGIN;

// The focus is drawn once the person moves it with the keyboard, not
// before: the window's first look stays the same for everyone. (The
// system's own keyboard cues are no guide here: Wine shows them from the
// start.)
static int focusShown = 0;

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
    focusShown = 1;
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

void DrawKeyboardFocus(HDC dc) {
  if (!focusShown)
    return;
  DrawFocusRect(dc, focusedItem == ITEM_BEGIN ? &beginHitRect
                                              : &destinationHitRect);
}
