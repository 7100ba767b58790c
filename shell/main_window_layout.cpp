#include "shell/main_window_layout.h"

#include "shell/middle_shortening.h"
#include "state/display_scale.h"

#include <string.h>

const char RELEASE_DATE[] = "Sep 22 2012";
const char NOTICE_LINE[] = "Copyright 2012 Quillmere Software. "
                           "All rights reserved.";

static_assert(sizeof NOTICE_LINE <= LINE_TEXT_SIZE, "notice fits its line");

enum { ICON_SIZE = 32, BEGIN_GROW_X = 64, BEGIN_GROW_Y = 26 };

const char* TitleLine(InstallMode mode) {
  switch (mode) {
  case InstallMode::Uninstall:
    return "Orvel UN-INSTALL!";
  case InstallMode::Update:
    return "Orvel Update!";
  default:
    return "Orvel Full Installation!";
  }
}

const char* BeginLabel(InstallMode mode) {
  switch (mode) {
  case InstallMode::Uninstall:
    return "UN-INSTALL !!";
  case InstallMode::Update:
    return "Begin Update";
  default:
    return "Begin Installation";
  }
}

// Appends as much of `text` as fits, always terminated.
static void Append(char* buffer, int size, const char* text) {
  int used = static_cast<int>(strlen(buffer));
  while (*text && used < size - 1)
    buffer[used++] = *text++;
  buffer[used] = '\0';
}

// What every placement needs: the measuring function and the layout whose
// textHeight each measurement updates.
struct Measuring {
  MeasureText measure;
  void* context;
  int clientWidth;
  int dpi;
  MainWindowLayout* layout;
};

// Measures a text, notes its height and returns its width.
static int MeasureWidth(const Measuring& m, const char* text) {
  TextExtent extent =
      m.measure(m.context, text, static_cast<int>(strlen(text)));
  m.layout->textHeight = extent.height;
  return extent.width;
}

static int CentredX(const Measuring& m, int width) {
  return (m.clientWidth - width) / 2;
}

// Places a centred line whose top is `lines` line heights down.
static void PlaceLine(const Measuring& m, PlacedText* placed, const char* text,
                      int lines) {
  placed->text[0] = '\0';
  Append(placed->text, LINE_TEXT_SIZE, text);
  placed->width = MeasureWidth(m, placed->text);
  placed->x = CentredX(m, placed->width);
  placed->y = lines * m.layout->textHeight;
}

static void PlaceBegin(const Measuring& m, InstallMode mode,
                       MainWindowLayout* layout) {
  int size = ScaledForDpi(ICON_SIZE, m.dpi);
  layout->iconSize = size;
  layout->iconX = m.clientWidth / 2 - size / 2;
  layout->iconY = 16 * layout->textHeight;
  LayoutRect& hit = layout->beginHitRect;
  hit = {layout->iconX, layout->iconY, layout->iconX + size,
         layout->iconY + size};
  PlacedText& label = layout->beginLabel;
  label.text[0] = '\0';
  Append(label.text, LINE_TEXT_SIZE, BeginLabel(mode));
  label.width = MeasureWidth(m, label.text);
  label.x = CentredX(m, label.width);
  label.y = hit.bottom;
  // Clicks on the label under the icon count too.
  int growX = ScaledForDpi(BEGIN_GROW_X, m.dpi);
  int growY = ScaledForDpi(BEGIN_GROW_Y, m.dpi);
  hit = {hit.left - growX, hit.top - growY, hit.right + growX,
         hit.bottom + growY};
}

static void PlaceDestination(const Measuring& m,
                             const MainWindowLayoutInput& input,
                             MainWindowLayout* layout) {
  PlacedText& label = layout->destinationLabel;
  label.text[0] = '\0';
  Append(label.text, LINE_TEXT_SIZE, "Destination Folder:");
  label.width = MeasureWidth(m, label.text);
  label.x = CentredX(m, label.width);
  label.y = 11 * layout->textHeight;
  layout->destinationHitRect = {label.x, label.y, label.x + label.width,
                                14 * layout->textHeight};

  char* path = layout->pathText;
  path[0] = '\0';
  Append(path, PATH_TEXT_SIZE, "  ");
  Append(path, PATH_TEXT_SIZE, input.destinationPath);
  Append(path, PATH_TEXT_SIZE, "  ");
  int limit = static_cast<int>(input.windowWidth * 0.9);
  ShortenInMiddle(path, limit, MeasureWidth(m, path));

  layout->pathWidth = MeasureWidth(m, path);
  layout->pathX = CentredX(m, layout->pathWidth);
  layout->pathY = static_cast<int>(layout->textHeight * 12.5);
  // A box wider than its label is clickable over its whole width.
  if (layout->pathX < layout->destinationHitRect.left) {
    layout->destinationHitRect.left = layout->pathX;
    layout->destinationHitRect.right = layout->pathX + layout->pathWidth;
  }
}

void LayOutMainWindow(const MainWindowLayoutInput& input, MeasureText measure,
                      void* context, MainWindowLayout* layout) {
  Measuring m = {measure, context, input.clientWidth, input.dpi, layout};
  PlaceLine(m, &layout->title, TitleLine(input.mode), 1);
  char release[LINE_TEXT_SIZE] = "Release Date: ";
  Append(release, LINE_TEXT_SIZE, RELEASE_DATE);
  PlaceLine(m, &layout->releaseLine, release, 3);
  PlaceLine(m, &layout->notice, NOTICE_LINE, 5);
  PlaceBegin(m, input.mode, layout);
  PlaceDestination(m, input, layout);
}
