// The installer declares itself DPI aware, so it scales what it draws
// itself: every pixel size is its value at 96 dots per inch times the
// system's dots per inch / 96.
#pragma once

enum { BASE_DPI = 96 };

// A 96-DPI size at `dpi`, rounded to the nearest pixel as MulDiv rounds.
inline int ScaledForDpi(int pixels, int dpi) {
  int product = pixels * dpi;
  int half = product < 0 ? -BASE_DPI / 2 : BASE_DPI / 2;
  return (product + half) / BASE_DPI;
}

// The system's dots per inch: LOGPIXELSY of the screen.
int SystemDpi();

// A 96-DPI size at the system's dots per inch.
int ScaledPixels(int pixels);
