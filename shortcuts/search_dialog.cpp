#include "shortcuts/search_dialog.h"

#include "resources/resource_ids.h"
#include "shortcuts/folder_walker.h"
#include "state/installer_state.h"

#include <string.h>

namespace {

// Posted to itself once open, so that the search starts on screen.
enum { SEARCH_NOW = 10 };

COLORREF searchColor;
HBRUSH searchBrush;

void CloseSearch(HWND dialog) {
  DeleteObject(searchBrush);
  searchBrush = nullptr;
  EndDialog(dialog, 1);
}

void OpenSearch(HWND dialog) {
  searchColor = state.backgroundColor;
  searchBrush = CreateSolidBrush(searchColor);
  state.searchDialog = dialog;
  HWND list = GetDlgItem(dialog, IDC_SEARCH_LIST);
  SendMessageA(list, WM_SETREDRAW, 1, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  PostMessageA(dialog, WM_COMMAND, SEARCH_NOW, 0);
  SetFocus(list);
}

void SearchDrive(HWND dialog) {
  char root[4];
  lstrcpynA(root, state.destinationPath, sizeof root);
  WalkFolderTree(root, "*.*", "orvel.exe");
  if (SendDlgItemMessageA(dialog, IDC_SEARCH_LIST, LB_GETCOUNT, 0, 0) == 0)
    SendDlgItemMessageA(dialog, IDC_SEARCH_LIST, LB_ADDSTRING, 0,
                        (LPARAM) "NONE FOUND!");
}

// The chosen line, into `line`; 0 when there is none to take.
int ChosenLine(HWND dialog, char* line) {
  line[0] = '\0';
  LRESULT row =
      SendDlgItemMessageA(dialog, IDC_SEARCH_LIST, LB_GETCURSEL, 0, 0);
  if (row == LB_ERR)
    return 0;
  LRESULT length =
      SendDlgItemMessageA(dialog, IDC_SEARCH_LIST, LB_GETTEXTLEN, row, 0);
  if (length < 0 || length >= PATH_SIZE)
    return 0;
  SendDlgItemMessageA(dialog, IDC_SEARCH_LIST, LB_GETTEXT, row, (LPARAM)line);
  return lstrcmpiA(line, "NONE FOUND!") != 0;
}

// The folder of the chosen program file becomes the destination.
void Choose(HWND dialog) {
  char* line = state.scratchText;
  if (ChosenLine(dialog, line)) {
    char* lastBackslash = strrchr(line, '\\');
    if (lastBackslash && strchr(lastBackslash, '.'))
      lastBackslash[1] = '\0';
    CharLowerA(line);
    lstrcpynA(state.destinationPath, line, PATH_SIZE);
  }
  CloseSearch(dialog);
}

INT_PTR ColourControl(WPARAM deviceContext) {
  HDC dc = reinterpret_cast<HDC>(deviceContext);
  SetBkColor(dc, searchColor);
  SetTextColor(dc, state.textColor);
  return reinterpret_cast<INT_PTR>(searchBrush);
}

void Command(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
  case SEARCH_NOW:
    SearchDrive(dialog);
    break;
  case IDC_SEARCH_LIST:
    if (HIWORD(wParam) == LBN_DBLCLK)
      Choose(dialog);
    break;
  case IDC_OK:
    Choose(dialog);
    break;
  case IDCANCEL:
  case IDC_CANCEL:
    CloseSearch(dialog);
    break;
  }
}

INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                  LPARAM) {
  switch (message) {
  case WM_INITDIALOG:
    OpenSearch(dialog);
    return FALSE;
  case WM_CTLCOLORDLG:
    return reinterpret_cast<INT_PTR>(searchBrush);
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORSTATIC:
    return ColourControl(wParam);
  case WM_COMMAND:
    Command(dialog, wParam);
    return TRUE;
  }
  return FALSE;
}

} // namespace

INT_PTR RunSearchDialog(HWND owner) {
  return DialogBoxParamA(state.appInstance, "search", owner, SearchDialogProc,
                         0);
}
