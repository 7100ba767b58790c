#include "dialogs/icons_dialog.h"

#include "dialogs/dialog_colours.h"
#include "dialogs/dialog_scale.h"
#include "resources/resource_ids.h"
#include "shortcuts/shortcut_flags.h"
#include "state/installer_state.h"

#include <string.h>

namespace {

HBRUSH dialogBrush;

struct IconBox {
  int id;
  int bit;
};

const IconBox iconBoxes[] = {{IDC_ICON_DESKTOP, SHORTCUT_DESKTOP},
                             {IDC_ICON_PROGRAMS, SHORTCUT_PROGRAMS},
                             {IDC_ICON_STARTUP, SHORTCUT_STARTUP}};

void CentreOverMainWindow(HWND dialog) {
  RECT m, d;
  GetWindowRect(state.mainWindow, &m);
  GetWindowRect(dialog, &d);
  int x = m.left + ((m.right - m.left) - (d.right - d.left)) / 2;
  int y = m.top + ((m.bottom - m.top) - (d.bottom - d.top)) / 2;
  SetWindowPos(dialog, HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}

void Open(HWND dialog) {
  dialogBrush = CreateSolidBrush(state.backgroundColor);
  CentreOverMainWindow(dialog);
  for (const IconBox& box : iconBoxes)
    SendDlgItemMessageA(
        dialog, box.id, BM_SETCHECK,
        (state.shortcutFlags & box.bit) ? BST_CHECKED : BST_UNCHECKED, 0);
  SetFocus(GetDlgItem(dialog, IDC_OK));
}

// Whether the shortcuts are made for everyone, centred below the boxes.
void Paint(HWND dialog) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(dialog, &ps);
  SetBkColor(dc, state.backgroundColor);
  SetTextColor(dc, state.textColor);
  lstrcpynA(state.scratchText,
            state.allUsersShortcuts == 1 ? "(For ALL users!)"
                                         : "(ONLY for CURRENT user!)",
            sizeof state.scratchText);
  int length = static_cast<int>(strlen(state.scratchText));
  SIZE text = {0, 0};
  GetTextExtentPoint32A(dc, state.scratchText, length, &text);
  RECT client;
  GetClientRect(dialog, &client);
  // Below the three check boxes.
  TextOutA(dc, (client.right - client.left - text.cx) / 2,
           ScaledInDialog(dialog, 112), state.scratchText, length);
  EndPaint(dialog, &ps);
}

void Close(HWND dialog, INT_PTR result) {
  DeleteObject(dialogBrush);
  dialogBrush = nullptr;
  EndDialog(dialog, result);
}

void Accept(HWND dialog) {
  // The remove-only bit goes with the three boxes; higher bits stay.
  state.shortcutFlags &= 0xF0;
  for (const IconBox& box : iconBoxes)
    if (SendDlgItemMessageA(dialog, box.id, BM_GETCHECK, 0, 0) == BST_CHECKED)
      state.shortcutFlags |= box.bit;
  Close(dialog, 1);
}

INT_PTR CALLBACK IconsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
  case WM_INITDIALOG:
    Open(dialog);
    return FALSE;
  case WM_PAINT:
    Paint(dialog);
    return FALSE;
  case WM_COMMAND:
    if (LOWORD(wParam) == IDC_OK) {
      Accept(dialog);
      return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
      MessageBeep(MB_ICONEXCLAMATION);
      Close(dialog, 0);
      return TRUE;
    }
    return FALSE;
  }
  INT_PTR colours;
  if (AnswerDialogColours(message, wParam, state.backgroundColor, dialogBrush,
                          &colours))
    return colours;
  return FALSE;
}

} // namespace

INT_PTR ChooseIcons(HWND owner) {
  return DialogBoxParamA(state.appInstance, "ICONS", owner, IconsProc, 0);
}
