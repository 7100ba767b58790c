#include "state/display_scale.h"

#include <windows.h>

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : BASE_DPI;
}

int ScaledPixels(int pixels) {
  return ScaledForDpi(pixels, SystemDpi());
}
