// TEMPORARY stand-ins for parts not yet on main; deleted once they land.
#include "dialogs/about_box.h"
#include "dialogs/agreement_dialog.h"
#include "dialogs/change_destination_dialog.h"
#include "dialogs/help_pager.h"
#include "dialogs/icons_dialog.h"
#include "engine/destination.h"
#include "engine/error_report.h"
#include "engine/file_list.h"
#include "engine/install_files.h"
#include "resources/resource_ids.h"
#include "shell/installer_state.h"
#include "shortcuts/folder_walker.h"
#include "shortcuts/shortcut_runner.h"

#include <stdio.h>
#include <string>

namespace {
INT_PTR CALLBACK SimpleProc(HWND d, UINT m, WPARAM w, LPARAM) {
  if (m == WM_INITDIALOG)
    return TRUE;
  if (m != WM_COMMAND)
    return FALSE;
  int id = LOWORD(w);
  if (id == IDC_OK) {
    if (GetDlgItem(d, IDC_AGREE_CHECK)) {
      state.agreementAccepted = IsDlgButtonChecked(d, IDC_AGREE_CHECK);
      if (!state.agreementAccepted && !state.updateMode)
        return TRUE;
    }
    EndDialog(d, 1);
    return TRUE;
  }
  if (id == IDC_CANCEL || id == IDCANCEL) {
    if (GetDlgItem(d, IDC_AGREE_CHECK))
      state.agreementAccepted = 0;
    EndDialog(d, GetDlgItem(d, IDC_ICON_DESKTOP) ? 0 : 1);
    return TRUE;
  }
  return FALSE;
}
INT_PTR Run(HWND owner, const char* name) {
  return DialogBoxParamA(state.appInstance, name, owner, SimpleProc, 0);
}
void DeleteTree(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..")
        continue;
      std::string path = folder + "\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        DeleteTree(path);
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}
} // namespace

INT_PTR ChooseIcons(HWND owner) {
  return Run(owner, "ICONS");
}
INT_PTR RunAgreementDialog(HWND owner) {
  return Run(owner, "agree");
}
INT_PTR RunChangeDestinationDialog(HWND owner) {
  return Run(owner, "changeit");
}
INT_PTR RunHelpPager(HWND owner) {
  return Run(owner, "DTLINFO");
}
int ShowTableMessage(HWND owner, int, const char* insert) {
  return MessageBoxA(owner, insert, "About Install", 0x40);
}
void ShowFileList() {
  MessageBoxA(state.mainWindow,
              state.uninstallMode ? "  WARNING!!!!!!!\n" : "Files Installed",
              "List of Files", 0);
}
ShortcutStatus UpdateShortcuts(ShortcutFlags flags, const char*) {
  if (!flags)
    return 0;
  char folder[MAX_PATH], name[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "ins", 936, name);
  strcpy(strrchr(name, '.') + 1, "vbs");
  FILE* f = fopen(name, "wt");
  fprintf(f, "flags %d\n", flags);
  if (flags & 1)
    fprintf(f, "UN-INSTALL StartUp\n");
  fclose(f);
  DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < 1800)
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  DeleteFileA(name);
  return 0;
}
int RemoveInstallation() {
  std::string folder = state.destinationPath;
  folder.pop_back();
  DeleteTree(folder);
  return 0;
}
ErrorCode InstallFiles() {
  if (ErrorCode code = ValidateDestination(1))
    return code;
  std::string exe = std::string(state.destinationPath) + "orvel.exe";
  if (!CopyFileA(ORVEL_EXE_PATH, exe.c_str(), FALSE))
    return 70;
  UpdateShortcuts(state.shortcutFlags, exe.c_str());
  return 0;
}
