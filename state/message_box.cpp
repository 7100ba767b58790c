#include "state/message_box.h"

MessageRecorder messageRecorder = nullptr;

int ShowMessageBox(HWND owner, const char* text, const char* caption,
                   UINT style) {
  if (!messageRecorder)
    return MessageBoxA(owner, text, caption, style);
  messageRecorder(caption, text);
  const UINT buttons = style & MB_TYPEMASK;
  return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
}
