#include "shell/main_window.h"

#include "resources/resource_ids.h"
#include "shell/accessible_window.h"
#include "shell/commands.h"
#include "shell/keyboard_focus.h"
#include "shell/main_window_layout.h"
#include "shell/start_up.h"
#include "state/installer_state.h"

RECT beginHitRect;
RECT destinationHitRect;

static const COLORREF kRoyalBlue = RGB(65, 105, 225);
static const COLORREF kWhite = RGB(255, 255, 255);
static const COLORREF kBlack = RGB(0, 0, 0);

// Windows 2000 and XP: the line under the menu bar is drawn again in the
// colour of the bar just above it, so that bar and painting meet cleanly.
static void RedrawMenuBarLine(HWND window) {
  HDC dc = GetWindowDC(window);
  int y = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU);
  int border = GetSystemMetrics(SM_CXBORDER);
  HPEN pen = CreatePen(PS_SOLID, 1, GetPixel(dc, state.windowWidth / 2, y - 1));
  HGDIOBJ previous = SelectObject(dc, pen);
  MoveToEx(dc, border, y, nullptr);
  LineTo(dc, state.windowWidth - border, y);
  SelectObject(dc, previous);
  DeleteObject(pen);
  ReleaseDC(window, dc);
}

static TextExtent MeasureOnDevice(void* context, const char* text, int length) {
  SIZE size = {0, 0};
  GetTextExtentPoint32A(static_cast<HDC>(context), text, length, &size);
  return {size.cx, size.cy};
}

// Arial at 14 points: a character height, so negative.
static HFONT CreateWindowFont(int dpi) {
  int height = dpi * 14 / 72;
  return CreateFontA(-height, 0, 0, 0, 0, FALSE, FALSE, FALSE, ANSI_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     FF_SWISS | DEFAULT_PITCH, "Arial");
}

static void DrawLine(HDC dc, const PlacedText& line) {
  TextOutA(dc, line.x, line.y, line.text, lstrlenA(line.text));
}

static void FillBackground(HDC dc) {
  RECT all = {0, 0, state.windowWidth, state.windowHeight};
  HBRUSH brush = CreateSolidBrush(state.backgroundColor);
  FillRect(dc, &all, brush);
  DeleteObject(brush);
}

// Loaded at the size it is drawn, so that the system picks the nearest
// image of the icon and stretches it once.
static void DrawBeginIcon(HDC dc, const MainWindowLayout& layout) {
  int size = layout.iconSize;
  HANDLE icon = LoadImageA(state.appInstance, MAKEINTRESOURCEA(ICON_APP),
                           IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
  DrawIconEx(dc, layout.iconX, layout.iconY, static_cast<HICON>(icon), size,
             size, 0, nullptr, DI_NORMAL);
  DestroyIcon(static_cast<HICON>(icon));
}

static void DrawDestinationBox(HDC dc, const MainWindowLayout& layout) {
  SetTextColor(dc, kBlack);
  SetBkColor(dc, kWhite);
  TextOutA(dc, layout.pathX, layout.pathY, layout.pathText,
           lstrlenA(layout.pathText));
  int right = layout.pathX + layout.pathWidth;
  int bottom = layout.pathY + layout.textHeight;
  POINT outline[5] = {{layout.pathX, layout.pathY},
                      {right, layout.pathY},
                      {right, bottom},
                      {layout.pathX, bottom},
                      {layout.pathX, layout.pathY}};
  Polyline(dc, outline, 5);
}

static void Draw(HDC dc, const MainWindowLayout& layout) {
  DrawLine(dc, layout.title);
  DrawLine(dc, layout.releaseLine);
  DrawLine(dc, layout.notice);
  DrawBeginIcon(dc, layout);
  DrawLine(dc, layout.beginLabel);
  DrawLine(dc, layout.destinationLabel);
  DrawDestinationBox(dc, layout);
}

static RECT ToRect(const LayoutRect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

static void OnPaint(HWND window) {
  if (!GetUpdateRect(window, nullptr, FALSE))
    return;
  if (state.windowsVersionClass == 5)
    RedrawMenuBarLine(window);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  int previousMode = SetMapMode(dc, MM_TEXT);
  state.backgroundColor = GetNearestColor(dc, kRoyalBlue);
  state.textColor = GetNearestColor(dc, kWhite);
  SetBkColor(dc, state.backgroundColor);
  SetTextColor(dc, state.textColor);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  HFONT font = CreateWindowFont(dpi);
  HGDIOBJ previousFont = SelectObject(dc, font);
  FillBackground(dc);

  RECT client;
  GetClientRect(window, &client);
  MainWindowLayoutInput input = {CurrentInstallMode(), state.destinationPath,
                                 state.windowWidth,
                                 client.right - client.left + 1, dpi};
  MainWindowLayout layout;
  LayOutMainWindow(input, MeasureOnDevice, dc, &layout);
  Draw(dc, layout);
  beginHitRect = ToRect(layout.beginHitRect);
  destinationHitRect = ToRect(layout.destinationHitRect);
  DrawKeyboardFocus(dc);
  KeepPaintedLayout(window, layout);

  SelectObject(dc, previousFont);
  DeleteObject(font);
  SetMapMode(dc, previousMode);
  EndPaint(window, &paint);
}

// The commands are posted, so that no flow runs inside the mouse message.
static void OnLeftButtonUp(HWND window, LPARAM lParam) {
  POINT point = {LOWORD(lParam), HIWORD(lParam)};
  if (PtInRect(&beginHitRect, point))
    PostMessageA(window, WM_COMMAND, CMD_BEGIN, 0);
  if (PtInRect(&destinationHitRect, point))
    PostMessageA(window, WM_COMMAND, CMD_CHANGE_DESTINATION, 0);
}

// Closing the window and clicking its hit areas (commands, keys and the
// popup refuse themselves).
static bool IsInput(UINT message, WPARAM wParam) {
  return message == WM_LBUTTONUP || message == WM_CLOSE ||
         (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam) {
  // While the installer works, the window takes no command and cannot be
  // closed.
  if (IsInput(message, wParam) && RefusedWhileBusy())
    return 0;
  switch (message) {
  case WM_CREATE:
    InitializeState(window);
    return 0;
  case WM_PAINT:
    OnPaint(window);
    return 0;
  case WM_KEYDOWN:
    OnKeyDown(window, wParam, lParam);
    return 0;
  case WM_COMMAND:
    return OnCommand(window, wParam, lParam);
  case WM_LBUTTONUP:
    OnLeftButtonUp(window, lParam);
    return 0;
  case WM_RBUTTONUP:
    OnRightButtonUp(window, lParam);
    return 0;
  case WM_CONTEXTMENU:
    if (OnContextMenu(window, lParam))
      return 0;
    break;
  case WM_SETFOCUS:
    AnnounceFocus(window);
    return 0;
  case WM_GETOBJECT:
    return AnswerGetObject(window, wParam, lParam);
  case WM_DESTROY:
    PostQuitMessage(closingExitCode);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
