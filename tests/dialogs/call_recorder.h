// Records what the dialogs paint with TextOutA and the beeps they make, by
// routing the test executable's imports of those two calls through a
// recorder (the calls still happen).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct PaintedText {
  int x, y;
  std::string text;
};

class CallRecorder {
public:
  CallRecorder();
  ~CallRecorder();
  void Clear();
  const std::vector<PaintedText>& texts() const;
  const std::vector<UINT>& beeps() const;
  // The painted texts, in order, as one line each.
  std::vector<std::string> lines() const;
};

// Shows a dialog the dialog manager has not shown yet. The scripted user's
// first steps run as the dialog is activated, before its modal loop first
// finds its queue empty and shows it; a person sees it first.
void ShowNow(HWND dialog);

// Paints a window's invalid area now, as the screen would before a person
// clicks again.
void PaintNow(HWND window);
