#include "dialogs/dialog_scale.h"

enum { UNIT_PIXELS_AT_96 = 16 };

int ScaledInDialog(HWND dialog, int pixels) {
  RECT units = {0, 0, 0, 8};
  MapDialogRect(dialog, &units);
  return MulDiv(pixels, units.bottom, UNIT_PIXELS_AT_96);
}

void KeepOnScreen(HWND dialog) {
  RECT work, r;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(dialog, &r);
  int height = r.bottom - r.top, room = work.bottom - work.top;
  if (r.top >= work.top && r.bottom <= work.bottom)
    return;
  if (height > room)
    height = room;
  int top = r.top < work.top ? work.top : r.top;
  if (top + height > work.bottom)
    top = work.bottom - height;
  SetWindowPos(dialog, nullptr, r.left, top, r.right - r.left, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}
