// The installer's main window made in the test process the way WinMain
// makes it, and put away again with everything it posted.
#pragma once

#include "shell/main_window_layout.h"
#include "shell/start_up.h"
#include "tests/support/installer_state_reset.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class TestMainWindow {
public:
  explicit TestMainWindow(const char* tail = "") {
    ResetInstallerState();
    ApplyCommandLine(tail);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (!GetClassInfoA(instance, "Installation", &existing)) {
      EXPECT_NE(0, RegisterInstallerClass(instance));
    }
    // Start-up shows no box on Wine; one that did appear is dismissed
    // rather than left to hang the run.
    scripted::ScriptedUser user;
    window = CreateMainWindow(instance);
    EXPECT_TRUE(user.shown().empty());
  }
  ~TestMainWindow() {
    if (IsWindow(window))
      DestroyWindow(window);
    DrainQueue();
  }
  TestMainWindow(const TestMainWindow&) = delete;
  TestMainWindow& operator=(const TestMainWindow&) = delete;

  // Shows the window and lets it paint, as WinMain does.
  void ShowAndPaint() {
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
  }

  // Removes and returns the commands posted to the window.
  std::vector<WPARAM> TakePostedCommands() {
    std::vector<WPARAM> commands;
    MSG message;
    while (PeekMessageA(&message, window, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
      EXPECT_EQ(0, message.lParam);
      commands.push_back(message.wParam);
    }
    return commands;
  }

  // Drops what the window left in the thread's queue, the quit message of
  // its destruction above all, so that later message loops are not ended.
  static void DrainQueue() {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE))
      ;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
      ;
  }

  HWND window = nullptr;
};

// A screen device context with the window's font as it is described:
// Arial, 14 points as a character height, FF_SWISS.
class MeasuringDC {
public:
  MeasuringDC() {
    dc = GetDC(nullptr);
    int height = GetDeviceCaps(dc, LOGPIXELSY) * 14 / 72;
    font = CreateFontA(-height, 0, 0, 0, 0, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FF_SWISS | DEFAULT_PITCH, "Arial");
    previous = SelectObject(dc, font);
  }
  ~MeasuringDC() {
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
  }
  MeasuringDC(const MeasuringDC&) = delete;
  MeasuringDC& operator=(const MeasuringDC&) = delete;

  SIZE Extent(const std::string& text) const {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()),
                          &size);
    return size;
  }
  int Width(const std::string& text) const { return Extent(text).cx; }
  int Height() const { return Extent("Orvel").cy; }

  // The measuring function the layout takes; the context is the DC.
  static TextExtent Measure(void* context, const char* text, int length) {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(static_cast<HDC>(context), text, length, &size);
    return {size.cx, size.cy};
  }

  HDC dc;
  HFONT font;
  HGDIOBJ previous;
};
