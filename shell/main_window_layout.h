// What the main window paints and where, computed from a text-measuring
// function so that the same layout serves the paint and its checks.
#pragma once

#include "state/install_mode.h"

enum {
  LINE_TEXT_SIZE = 64,
  // Two blanks, a destination path of up to 774 characters, two blanks.
  PATH_TEXT_SIZE = 780,
};

struct TextExtent {
  int width;
  int height;
};

// Measures the first `length` characters of `text` in the window font.
typedef TextExtent (*MeasureText)(void* context, const char* text, int length);

struct LayoutRect {
  int left, top, right, bottom;
};

struct PlacedText {
  int x, y, width;
  char text[LINE_TEXT_SIZE];
};

struct MainWindowLayoutInput {
  InstallMode mode;
  const char* destinationPath;
  int windowWidth;
  int clientWidth; // client rectangle right - left + 1
  int dpi;         // the paint's LOGPIXELSY; the pixel sizes are for 96
};

struct MainWindowLayout {
  // The height of the line measured last; every vertical position is a
  // multiple of it.
  int textHeight;
  PlacedText title, releaseLine, notice, destinationLabel, beginLabel;
  int iconX, iconY, iconSize; // the begin icon, 32 by 32 at 96 DPI
  // The destination text, black on white, and its outline
  // (pathX, pathY) to (pathX + pathWidth, pathY + textHeight).
  int pathX, pathY, pathWidth;
  char pathText[PATH_TEXT_SIZE];
  LayoutRect beginHitRect, destinationHitRect;
};

extern const char RELEASE_DATE[];
extern const char NOTICE_LINE[];

const char* TitleLine(InstallMode mode);
const char* BeginLabel(InstallMode mode);

void LayOutMainWindow(const MainWindowLayoutInput& input, MeasureText measure,
                      void* context, MainWindowLayout* layout);
