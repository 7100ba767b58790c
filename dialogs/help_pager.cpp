#include "dialogs/help_pager.h"

#include "dialogs/dialog_scale.h"
#include "dialogs/help_pages.h"
#include "dialogs/help_rows.h"
#include "resources/resource_ids.h"
#include "state/installer_state.h"

#include <string.h>

namespace {

int currentPage;

int PageCount() {
  int n = 0;
  while (helpPages[n][0])
    ++n;
  return n;
}

void PlaceButton(HWND dialog, int id, int quarters) {
  RECT window, button;
  GetWindowRect(dialog, &window);
  HWND control = GetDlgItem(dialog, id);
  GetWindowRect(control, &button);
  int w = button.right - button.left, h = button.bottom - button.top;
  SetWindowPos(control, nullptr,
               HelpButtonX(window.right - window.left, w, quarters),
               HelpButtonY(window.bottom - window.top, h), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
}

void Open(HWND dialog) {
  currentPage = 0;
  KeepOnScreen(dialog);
  PlaceButton(dialog, IDC_OK, 2);
  PlaceButton(dialog, IDC_BACK, 1);
  PlaceButton(dialog, IDC_FORWARD, 3);
  SetFocus(GetDlgItem(dialog, IDC_FORWARD));
}

void Paint(HWND dialog) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(dialog, &ps);
  RECT client;
  GetClientRect(dialog, &client);
  HBRUSH brush = CreateSolidBrush(state.backgroundColor);
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  SetTextColor(dc, state.textColor);
  if (!DrawHelpPage(dialog, dc, currentPage)) {
    // Forward went past the last page, which has been drawn again.
    MessageBeep(MB_ICONASTERISK);
    if (currentPage > 0)
      --currentPage;
  }
  EndPaint(dialog, &ps);
}

INT_PTR OnCommand(HWND dialog, int id) {
  switch (id) {
  case IDC_FORWARD:
    ++currentPage;
    InvalidateRect(dialog, nullptr, TRUE);
    return TRUE;
  case IDC_BACK:
    if (currentPage > 0)
      --currentPage;
    else
      MessageBeep(MB_ICONASTERISK);
    InvalidateRect(dialog, nullptr, TRUE);
    return TRUE;
  case IDC_OK:
  case IDCANCEL:
    EndDialog(dialog, 1);
    return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK HelpProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
  case WM_INITDIALOG:
    Open(dialog);
    return FALSE;
  case WM_PAINT:
    Paint(dialog);
    return TRUE;
  case WM_COMMAND:
    return OnCommand(dialog, LOWORD(wParam));
  }
  return FALSE;
}

} // namespace

INT_PTR RunHelpPager(HWND owner) {
  return DialogBoxParamA(state.appInstance, "DTLINFO", owner, HelpProc, 0);
}

int DrawHelpPage(HWND window, HDC dc, int index) {
  int previousMode = SetBkMode(dc, TRANSPARENT);
  const int n = PageCount();
  int result = 1;
  if (index < 0)
    index = 0;
  if (index >= n) {
    result = 0;
    index = n - 1;
  }
  SIZE zero = {0, 0};
  GetTextExtentPoint32A(dc, "0", 1, &zero);
  RECT client;
  GetClientRect(window, &client);
  const int W = client.right - client.left + 1;
  const int H = client.bottom - client.top + 1;
  HelpRow row;
  int position = 0;
  for (int r = 0; NextHelpRow(helpPages[index], &position, &row); ++r) {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, row.text, row.length, &size);
    int x = HelpRowX(W, size.cx, row.centred);
    TextOutA(dc, x, r * zero.cy, row.text, row.length);
    if (row.bold)
      TextOutA(dc, x + 1, r * zero.cy, row.text, row.length);
  }
  char footer[40];
  wsprintfA(footer, "Page %d of %d", index + 1, n);
  int x, y;
  HelpFooterPosition(W, H, &x, &y);
  TextOutA(dc, x, y, footer, static_cast<int>(strlen(footer)));
  SetBkMode(dc, previousMode);
  return result;
}
