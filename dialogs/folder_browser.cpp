// The folder browser: the system's old-style Save As dialog, with the
// file name and type controls hidden, returning the folder chosen in its
// folder list.
#include "dialogs/change_destination_dialog.h"

#include "dialogs/browser_folder.h"
#include "dialogs/dialog_colours.h"
#include "state/display_scale.h"
#include "state/installer_state.h"
#include "state/system_library.h"

#include <commdlg.h>
#include <dlgs.h>
#include <io.h>
#include <string.h>

namespace {

HBRUSH browserBrush;
OPENFILENAMEA* browsing;

int FolderExists(const char* path) {
  return _access(path, 0) == 0;
}

void OpenBrowser(HWND browser, OPENFILENAMEA* record) {
  browsing = record;
  RECT r;
  GetWindowRect(browser, &r);
  SetWindowPos(browser, nullptr, r.left - ScaledPixels(150), r.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
  browserBrush = CreateSolidBrush(state.backgroundColor);
  static const int hidden[] = {stc2, cmb1, stc3, edt1};
  for (int id : hidden)
    ShowWindow(GetDlgItem(browser, id), SW_HIDE);
}

void CloseBrowser(HWND browser, INT_PTR result) {
  DeleteObject(browserBrush);
  browserBrush = nullptr;
  EndDialog(browser, result);
}

// The folder is the folder list's items from the top down to the selected
// one. 0 when it does not fit the path buffer.
int ComposeFolder(HWND browser, char* folder) {
  HWND list = GetDlgItem(browser, lst2);
  LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
  folder[0] = '\0';
  char item[PATH_SIZE];
  for (LRESULT i = 0; i <= selected; ++i) {
    if (SendMessageA(list, LB_GETTEXTLEN, i, 0) >= PATH_SIZE)
      return 0;
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
    if (!AppendFolderItem(folder, PATH_SIZE, item))
      return 0;
  }
  LowerCase(folder);
  return 1;
}

UINT_PTR CALLBACK BrowserHook(HWND browser, UINT message, WPARAM wParam,
                              LPARAM lParam) {
  switch (message) {
  case WM_INITDIALOG:
    OpenBrowser(browser, reinterpret_cast<OPENFILENAMEA*>(lParam));
    return TRUE;
  case WM_COMMAND:
    if (LOWORD(wParam) == IDOK) {
      char folder[PATH_SIZE];
      if (!ComposeFolder(browser, folder)) {
        // Too long for a destination: refused, the browser stays.
        MessageBeep(MB_ICONEXCLAMATION);
        return TRUE;
      }
      lstrcpynA(browsing->lpstrFile, folder, browsing->nMaxFile);
      CloseBrowser(browser, 1);
      return FALSE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
      CloseBrowser(browser, 0);
      return FALSE;
    }
    // A double click on a file name picks nothing.
    if (LOWORD(wParam) == lst1)
      return HIWORD(wParam) == LBN_DBLCLK;
    return FALSE;
  case WM_CTLCOLORSTATIC:
    return static_cast<UINT_PTR>(
        ColourControl(wParam, state.backgroundColor, browserBrush));
  case WM_CTLCOLORDLG:
    return reinterpret_cast<UINT_PTR>(browserBrush);
  }
  return FALSE;
}

// Where the browser opens: the typed folder, or the nearest one of its
// ancestors that exists.
void StartFolder() {
  lstrcpynA(state.scratchText, state.destinationPath, PATH_SIZE);
  int length = static_cast<int>(strlen(state.scratchText));
  if (length > 3 && state.scratchText[length - 1] == '\\')
    state.scratchText[length - 1] = '\0';
  SetCurrentDirectoryA(state.scratchText);
  if (strlen(state.scratchText) > 3 && !FolderExists(state.scratchText)) {
    NearestExistingFolder(state.scratchText, FolderExists);
    lstrcpynA(state.destinationPath, state.scratchText, PATH_SIZE);
  }
}

} // namespace

int BrowseForFolder(HWND owner) {
  StartFolder();
  char result[PATH_SIZE] = "";
  OPENFILENAMEA record = {};
  record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  record.hwndOwner = owner;
  record.lpstrFilter = " \0*.*\0";
  record.nFilterIndex = 1;
  record.lpstrFile = result;
  record.nMaxFile = PATH_SIZE;
  record.lpstrInitialDir = state.destinationPath;
  record.lpstrTitle = "Choose a Destination FOLDER";
  record.Flags = OFN_HIDEREADONLY | OFN_ENABLEHOOK | OFN_NONETWORKBUTTON;
  record.lpfnHook = BrowserHook;
  typedef BOOL(WINAPI * SaveAsCall)(LPOPENFILENAMEA);
  auto saveAs = SystemCall<SaveAsCall>("comdlg32.dll", "GetSaveFileNameA");
  if (!saveAs || !saveAs(&record))
    return 0;
  lstrcpynA(state.destinationPath, result, PATH_SIZE);
  return 1;
}
