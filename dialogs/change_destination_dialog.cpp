#include "dialogs/change_destination_dialog.h"

#include "dialogs/browser_folder.h"
#include "dialogs/dialog_colours.h"
#include "dialogs/dialog_scale.h"
#include "engine/destination.h"
#include "engine/error_report.h"
#include "resources/resource_ids.h"
#include "shortcuts/search_dialog.h"
#include "state/display_scale.h"
#include "state/installer_state.h"

#include <string.h>

namespace {

char savedDestination[PATH_SIZE];
COLORREF dialogColour;
HBRUSH dialogBrush;

struct Label {
  int x, y;
  const char* text;
};

// The two small buttons carry no text of their own; their labels and the
// instruction are painted, at these places at 96 DPI.
const Label labels[] = {{45, 10, "Enter the New Folder Location,"},
                        {45, 31, "Then Press Enter or click 'OK'"},
                        {40, 90, "Default Destination"},
                        {220, 90, "Search"}};

void ShowInEdit(HWND dialog, const char* text, int caret) {
  SetDlgItemTextA(dialog, IDC_DESTINATION_EDIT, text);
  SendDlgItemMessageA(dialog, IDC_DESTINATION_EDIT, EM_SETSEL, caret, caret);
  SetFocus(GetDlgItem(dialog, IDC_DESTINATION_EDIT));
}

void ShowInEdit(HWND dialog, const char* text) {
  ShowInEdit(dialog, text, static_cast<int>(strlen(text)));
}

void ReadEdit(HWND dialog, char* into) {
  GetDlgItemTextA(dialog, IDC_DESTINATION_EDIT, into, PATH_SIZE);
}

void Open(HWND dialog) {
  dialogColour = state.backgroundColor;
  dialogBrush = CreateSolidBrush(dialogColour);
  RECT r;
  GetWindowRect(dialog, &r);
  SetWindowPos(dialog, HWND_TOP, r.left, r.top - ScaledInDialog(dialog, 80), 0,
               0, SWP_NOSIZE);
  lstrcpynA(savedDestination, state.destinationPath, PATH_SIZE);
  ShowInEdit(dialog, state.destinationPath);
}

void Paint(HWND dialog) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(dialog, &ps);
  SetBkColor(dc, dialogColour);
  SetTextColor(dc, state.textColor);
  for (const Label& label : labels)
    TextOutA(dc, ScaledPixels(label.x), ScaledInDialog(dialog, label.y),
             label.text, static_cast<int>(strlen(label.text)));
  EndPaint(dialog, &ps);
}

void Close(HWND dialog) {
  DeleteObject(dialogBrush);
  dialogBrush = nullptr;
  EndDialog(dialog, 1);
}

void Accept(HWND dialog) {
  ReadEdit(dialog, state.scratchText);
  SetFocus(GetDlgItem(dialog, IDC_DESTINATION_EDIT));
  lstrcpynA(state.destinationPath, state.scratchText, PATH_SIZE);
  ErrorCode code = ValidateDestination(0);
  if (code != 0)
    ReportError(dialog, code);
  else
    Close(dialog);
}

void Browse(HWND dialog) {
  ReadEdit(dialog, state.destinationPath);
  BrowseForFolder(dialog);
  int caret = FinishBrowsedPath(state.destinationPath, PATH_SIZE);
  ShowInEdit(dialog, state.destinationPath, caret);
}

void Search(HWND dialog) {
  ReadEdit(dialog, state.destinationPath);
  ErrorCode code = ValidateDestination(0);
  if (code != 0) {
    ReportError(dialog, code);
    return;
  }
  RunSearchDialog(dialog);
  ShowInEdit(dialog, state.destinationPath);
}

INT_PTR OnCommand(HWND dialog, int id) {
  switch (id) {
  case IDC_OK:
    Accept(dialog);
    return TRUE;
  case IDC_CANCEL:
  case IDCANCEL:
    lstrcpynA(state.destinationPath, savedDestination, PATH_SIZE);
    Close(dialog);
    return TRUE;
  case IDC_DEFAULT_DESTINATION:
    ShowInEdit(dialog, "c:\\Orvel\\");
    return TRUE;
  case IDC_BROWSE:
    Browse(dialog);
    return TRUE;
  case IDC_SEARCH:
    Search(dialog);
    return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK ChangeDestinationProc(HWND dialog, UINT message, WPARAM wParam,
                                       LPARAM) {
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
  INT_PTR colours;
  if (AnswerDialogColours(message, wParam, dialogColour, dialogBrush, &colours))
    return colours;
  return FALSE;
}

} // namespace

INT_PTR RunChangeDestinationDialog(HWND owner) {
  return DialogBoxParamA(state.appInstance, "changeit", owner,
                         ChangeDestinationProc, 0);
}
