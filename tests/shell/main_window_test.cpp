// The real main window in the test process: its paint, the colours it
// measures, its hit areas and the commands its clicks post.
#include "resources/resource_ids.h"
#include "shell/main_window.h"
#include "tests/shell/main_window_helper.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::vector<WPARAM> kNone;
const std::vector<WPARAM> kBegin = {CMD_BEGIN};
const std::vector<WPARAM> kChange = {CMD_CHANGE_DESTINATION};

std::vector<WPARAM> ClickAt(TestMainWindow& main, int x, int y) {
  SendMessageA(main.window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  // Posted, not run: the commands wait in the queue after the click.
  return main.TakePostedCommands();
}

int ClientWidth(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return client.right - client.left + 1;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right &&
         a.bottom == b.bottom;
}

TEST(MainWindow, ClickBeforeTheFirstPaintHitsNothing) {
  // The hit areas as they stand at process start.
  SetRectEmpty(&beginHitRect);
  SetRectEmpty(&destinationHitRect);
  TestMainWindow main;
  MeasuringDC m;
  const int th = m.Height();
  const int c = ClientWidth(main.window) / 2;
  EXPECT_EQ(kNone, ClickAt(main, c, 16 * th + 10));
  EXPECT_EQ(kNone, ClickAt(main, c, 12 * th));
  EXPECT_EQ(kNone, ClickAt(main, 0, 0));
}

TEST(MainWindow, PaintMeasuresColoursAndHitAreas) {
  TestMainWindow main;
  state.backgroundColor = state.textColor = 0x123456;
  main.ShowAndPaint();
  HDC screen = GetDC(nullptr);
  ASSERT_GE(GetDeviceCaps(screen, BITSPIXEL), 24);
  ReleaseDC(nullptr, screen);
  // On a true-colour display the nearest colours are the asked ones.
  EXPECT_EQ(RGB(65, 105, 225), state.backgroundColor);
  EXPECT_EQ(RGB(255, 255, 255), state.textColor);

  MeasuringDC m;
  const int th = m.Height();
  const int c = ClientWidth(main.window) / 2;
  RECT begin = {c - 80, 16 * th - 26, c + 80, 16 * th + 58};
  EXPECT_TRUE(SameRect(begin, beginHitRect));
  const int lw = m.Width("Destination Folder:");
  const int lx = (ClientWidth(main.window) - lw) / 2;
  RECT destination = {lx, 11 * th, lx + lw, 14 * th};
  EXPECT_TRUE(SameRect(destination, destinationHitRect));

  // A longer destination, shown after the window is invalidated, makes
  // the whole box clickable.
  lstrcpyA(state.destinationPath,
           "c:\\Program Files\\Quillmere Software\\Orvel\\");
  InvalidateRect(main.window, nullptr, FALSE);
  UpdateWindow(main.window);
  const int w = m.Width("  c:\\Program Files\\Quillmere Software\\Orvel\\  ");
  const int px = (ClientWidth(main.window) - w) / 2;
  RECT box = {px, 11 * th, px + w, 14 * th};
  EXPECT_TRUE(SameRect(box, destinationHitRect));
}

// How many pixels of the rectangle have the colour.
int CountPixels(HDC dc, int left, int top, int right, int bottom,
                COLORREF colour) {
  int count = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      count += GetPixel(dc, x, y) == colour;
  return count;
}

bool AnyPixel(HDC dc, int left, int top, int right, int bottom,
              COLORREF colour) {
  return CountPixels(dc, left, top, right, bottom, colour) > 0;
}

TEST(MainWindow, PaintShowsTextsBoxAndIconOnRoyalBlue) {
  TestMainWindow main;
  main.ShowAndPaint();
  MeasuringDC m;
  const int th = m.Height();
  const int cw = ClientWidth(main.window);
  const COLORREF blue = RGB(65, 105, 225);
  const COLORREF white = RGB(255, 255, 255);
  const COLORREF black = RGB(0, 0, 0);
  HDC dc = GetDC(main.window);

  EXPECT_EQ(blue, GetPixel(dc, 2, 2));
  EXPECT_EQ(blue, GetPixel(dc, cw - 3, 2 * th));
  // White title text on blue.
  const int tw = m.Width("Orvel Full Installation!");
  const int tx = (cw - tw) / 2;
  EXPECT_TRUE(AnyPixel(dc, tx, th, tx + tw, 2 * th, white));
  EXPECT_TRUE(AnyPixel(dc, tx, th, tx + tw, 2 * th, blue));
  // The path in its black outline, on white: the leading blanks are white.
  const int w = m.Width("  c:\\Orvel\\  ");
  const int px = (cw - w) / 2;
  const int py = th * 25 / 2;
  EXPECT_EQ(black, GetPixel(dc, px, py));
  EXPECT_EQ(black, GetPixel(dc, px + w, py + th));
  EXPECT_EQ(white, GetPixel(dc, px + 2, py + th / 2));
  EXPECT_EQ(blue, GetPixel(dc, px - 3, py + th / 2));
  EXPECT_TRUE(AnyPixel(dc, px + 1, py + 1, px + w, py + th, black));
  // The icon is drawn over the background.
  const int ix = cw / 2 - 16;
  EXPECT_LT(CountPixels(dc, ix, 16 * th, ix + 32, 16 * th + 32, blue),
            32 * 32 / 2);
  ReleaseDC(main.window, dc);
}

// The row under the menu bar, in window coordinates, after a paint of the
// given version class; the row starts green under a red pixel.
std::vector<COLORREF> RowUnderMenuBar(TestMainWindow& main, int versionClass) {
  const int y = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU);
  const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0);
  HDC dc = GetWindowDC(main.window);
  SetPixel(dc, 320, y - 1, red);
  for (int x = 0; x < 640; ++x)
    SetPixel(dc, x, y, green);
  state.windowsVersionClass = versionClass;
  InvalidateRect(main.window, nullptr, FALSE);
  UpdateWindow(main.window);
  std::vector<COLORREF> row;
  for (int x = 0; x < 640; ++x)
    row.push_back(GetPixel(dc, x, y));
  ReleaseDC(main.window, dc);
  return row;
}

TEST(MainWindow, WindowsClassFiveRedrawsTheLineUnderTheMenuBar) {
  TestMainWindow main;
  main.ShowAndPaint();
  const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0);
  const int border = GetSystemMetrics(SM_CXBORDER);
  std::vector<COLORREF> untouched = RowUnderMenuBar(main, 6);
  EXPECT_EQ(std::vector<COLORREF>(640, green), untouched);

  std::vector<COLORREF> line = RowUnderMenuBar(main, 5);
  // From the border to the last pixel before windowWidth - border.
  EXPECT_EQ(green, line[border - 1]);
  for (int x = border; x < 640 - border; ++x)
    ASSERT_EQ(red, line[x]) << x;
  EXPECT_EQ(green, line[640 - border]);
}

TEST(MainWindow, PaintWithoutAnUpdateRegionDoesNothing) {
  TestMainWindow main;
  main.ShowAndPaint();
  const RECT painted = beginHitRect;
  SetRect(&beginHitRect, 1, 2, 3, 4);
  ValidateRect(main.window, nullptr);
  SendMessageA(main.window, WM_PAINT, 0, 0);
  RECT untouched = {1, 2, 3, 4};
  EXPECT_TRUE(SameRect(untouched, beginHitRect));

  InvalidateRect(main.window, nullptr, FALSE);
  UpdateWindow(main.window);
  EXPECT_TRUE(SameRect(painted, beginHitRect));
}

TEST(MainWindow, ClicksPostTheirCommands) {
  TestMainWindow main;
  main.ShowAndPaint();
  MeasuringDC m;
  const int th = m.Height();
  const int cw = ClientWidth(main.window);
  const int c = cw / 2;
  // The begin area: left and top inclusive, right and bottom exclusive.
  EXPECT_EQ(kBegin, ClickAt(main, c, 16 * th + 16));
  EXPECT_EQ(kBegin, ClickAt(main, c - 80, 16 * th - 26));
  EXPECT_EQ(kBegin, ClickAt(main, c + 79, 16 * th + 57));
  EXPECT_EQ(kNone, ClickAt(main, c + 80, 16 * th));
  EXPECT_EQ(kNone, ClickAt(main, c, 16 * th + 58));
  EXPECT_EQ(kNone, ClickAt(main, c - 81, 16 * th));
  // The label under the icon.
  EXPECT_EQ(kBegin, ClickAt(main, c, 16 * th + 32 + th / 2));

  // The destination label and the box under it.
  EXPECT_EQ(kChange, ClickAt(main, c, 11 * th + 2));
  EXPECT_EQ(kChange, ClickAt(main, c, th * 25 / 2 + th / 2));
  EXPECT_EQ(kNone, ClickAt(main, c, 14 * th));
  EXPECT_EQ(kNone, ClickAt(main, 2, 2));
  EXPECT_EQ(kNone, ClickAt(main, c, th));
}

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
  EndMenu();
}

TEST(MainWindow, RoutesKeysCommandsAndClosing) {
  TestMainWindow main;
  EXPECT_EQ(0, SendMessageA(main.window, WM_KEYDOWN, 'Z', 0));
  // The right-click menu is tracked until it is closed: close it as Esc
  // would.
  UINT_PTR closer = SetTimer(nullptr, 0, 100, CloseMenu);
  EXPECT_EQ(0, SendMessageA(main.window, WM_RBUTTONUP, 0, MAKELPARAM(5, 5)));
  KillTimer(nullptr, closer);
  EXPECT_EQ(DefWindowProcA(main.window, WM_COMMAND, 999, 0),
            SendMessageA(main.window, WM_COMMAND, 999, 0));

  // The close box ends the message loop with 0.
  SendMessageA(main.window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(main.window));
  MSG quit;
  ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(0u, quit.wParam);
}

} // namespace
