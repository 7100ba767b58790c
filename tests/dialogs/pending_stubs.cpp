// TEMPORARY: stand-ins for the agreement text access, destination check,
// error report and search dialog until they land on main. Delete after the
// merge.
#include "engine/agreement_text.h"
#include "engine/destination.h"
#include "engine/error_report.h"
#include "resources/resource_ids.h"
#include "shell/installer_state.h"
#include "shortcuts/search_dialog.h"

#include <stdio.h>
#include <string.h>

int UseAgreementText(AgreementConsumer consumer, void* context) {
  HRSRC found = FindResourceA(state.appInstance,
                              MAKEINTRESOURCEA(AGREEMENT_TEXT_ID), RT_RCDATA);
  if (!found)
    return 1;
  HGLOBAL loaded = LoadResource(state.appInstance, found);
  if (!loaded)
    return 1;
  const char* text = static_cast<const char*>(LockResource(loaded));
  if (!text)
    return 1;
  consumer(text, static_cast<int>(SizeofResource(state.appInstance, found)),
           context);
  return 0;
}

ErrorCode ValidateDestination(int) {
  char* d = state.destinationPath;
  lstrcpynA(state.errorPath, d, PATH_SIZE);
  if (!d[0]) {
    lstrcpynA(d, state.installerFolder, PATH_SIZE);
    CharLowerA(d);
  }
  size_t n = strlen(d);
  if (n > 2 && d[n - 1] != '\\')
    strcat(d, "\\");
  lstrcpynA(state.errorPath, d, PATH_SIZE);
  if (strlen(d) < 4)
    return 40;
  return 0;
}

void ReportError(HWND owner, ErrorCode code) {
  snprintf(state.scratchText, sizeof state.scratchText,
           "Error #%d\n\n%s\n\n%s\n", code,
           code == 40 ? "Installation not allowed in Root Directory" : "???",
           state.errorPath);
  MessageBoxA(owner, state.scratchText,
              code <= 10   ? "Memory Error"
              : code <= 59 ? "Folder Error"
                           : "File Error",
              MB_OK);
}

namespace {

void Find(HWND list, const char* folder, int depth) {
  char pattern[MAX_PATH];
  snprintf(pattern, sizeof pattern, "%s*", folder);
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(pattern, &data);
  if (find == INVALID_HANDLE_VALUE)
    return;
  do {
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s%s", folder, data.cFileName);
    if (data.cFileName[0] == '.')
      continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (depth < 4) {
        strcat(path, "\\");
        Find(list, path, depth + 1);
      }
    } else if (lstrcmpiA(data.cFileName, "orvel.exe") == 0) {
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path));
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
}

INT_PTR CALLBACK SearchProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    char root[4] = {state.destinationPath[0], ':', '\\', 0};
    Find(GetDlgItem(dialog, IDC_SEARCH_LIST), root, 0);
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_OK) {
    LRESULT row =
        SendDlgItemMessageA(dialog, IDC_SEARCH_LIST, LB_GETCURSEL, 0, 0);
    if (row >= 0) {
      SendDlgItemMessageA(dialog, IDC_SEARCH_LIST, LB_GETTEXT, row,
                          reinterpret_cast<LPARAM>(state.scratchText));
      *(strrchr(state.scratchText, '\\') + 1) = 0;
      CharLowerA(state.scratchText);
      lstrcpynA(state.destinationPath, state.scratchText, PATH_SIZE);
    }
    EndDialog(dialog, 1);
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    EndDialog(dialog, 1);
    return TRUE;
  }
  return FALSE;
}

} // namespace

INT_PTR RunSearchDialog(HWND owner) {
  return DialogBoxParamA(state.appInstance, "search", owner, SearchProc, 0);
}
