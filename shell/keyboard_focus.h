// The keyboard's way through the painted window: a focus that Tab and
// Shift+Tab move between the begin icon and the destination box, and
// Enter and Space acting on the focused one as a click on it does.
#pragma once

#include <windows.h>

// The children of the window's accessible object, in reading order; the
// focus rests on one of the last two.
enum WindowItem {
  ITEM_TITLE = 1,
  ITEM_RELEASE,
  ITEM_NOTICE,
  ITEM_DESTINATION,
  ITEM_BEGIN,
  ITEM_COUNT = ITEM_BEGIN
};

// ITEM_BEGIN at first, so that Enter begins.
extern int focusedItem;

// Tab, Shift+Tab, Enter and Space of WM_KEYDOWN; 1 when it was one of them.
int OnFocusKey(HWND window, WPARAM key, LPARAM flags);
// Moves the focus, repaints and announces it.
void MoveFocus(HWND window, int item);
// Tells a screen reader where the focus is (when the window has it).
void AnnounceFocus(HWND window);
// Paint: the focus rectangle around the focused item's click area, once
// Tab has moved it.
void DrawKeyboardFocus(HDC dc);
