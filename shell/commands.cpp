// The command dispatcher of the main window, its keys and right-click
// menu, and the flows the commands start: begin (install, update or
// uninstall) and the switch to uninstall mode.
#include "shell/commands.h"

#include "dialogs/about_box.h"
#include "dialogs/agreement_dialog.h"
#include "dialogs/change_destination_dialog.h"
#include "dialogs/help_pager.h"
#include "dialogs/icons_dialog.h"
#include "engine/destination.h"
#include "engine/error_report.h"
#include "engine/file_list.h"
#include "engine/install_files.h"
#include "engine/installation_record.h"
#include "engine/registration.h"
#include "engine/remove_installation.h"
#include "engine/uninstaller_copy.h"
#include "resources/resource_ids.h"
#include "shell/files_in_use.h"
#include "shell/flow_messages.h"
#include "shell/keyboard_focus.h"
#include "shell/main_window.h"
#include "shell/popup_menu.h"
#include "shell/product_start.h"
#include "shell/run_lock.h"
#include "shell/unattended_rules.h"
#include "shortcuts/shortcut_runner.h"
#include "state/installer_state.h"

int closingExitCode = 0;

namespace {

// From the first step of a flow to its end (its dialogs, its boxes, the
// wait for the script host) the window starts nothing else; only what the
// flow itself sends gets through.
int flowRunning = 0;
int flowSending = 0;

// Whole client area, without erasing: the paint covers everything.
void Repaint(HWND window) {
  InvalidateRect(window, nullptr, FALSE);
}

int Show(HWND window, const FlowMessage& message) {
  lstrcpynA(state.scratchText, message.text, sizeof state.scratchText);
  return MessageBoxA(window, state.scratchText, message.caption, message.style);
}

void ChangeDestination(HWND window) {
  if (state.destinationChangeable != 1) {
    Show(window, FixedDestinationMessage);
    return;
  }
  if (RunChangeDestinationDialog(window))
    Repaint(window);
}

void ShowAbout(HWND window) {
  wsprintfA(state.scratchText, "%s Install  Ver. %s  (32 bit)", "Orvel",
            state.installerVersion);
  ShowTableMessage(window, CMD_ABOUT, state.scratchText);
}

// The folder's remaining text, for its box.
void FormatWhatStayed(const FlowMessage& message) {
  int used = wsprintfA(state.scratchText, message.text, state.destinationPath);
  used += ListWhatStayed(state.scratchText + used, MESSAGE_SIZE - used - 160,
                         "    ", "\n");
  lstrcpynA(state.scratchText + used, RemovalIncompleteAdvice,
            MESSAGE_SIZE - used);
}

// Removes every shortcut, then the folder tree, and closes; says what
// stayed, if anything did. Only a folder that holds an installation made
// by this installer is taken.
void UninstallBranch(HWND window) {
  if (!HoldsInstallation(state.destinationPath)) {
    wsprintfA(state.scratchText, NotInstalledMessage.text,
              state.destinationPath);
    MessageBoxA(window, state.scratchText, NotInstalledMessage.caption,
                NotInstalledMessage.style);
    return;
  }
  ShowFileList();
  if (Show(window, DestroyWarningMessage) != IDYES || FilesStillHeld(window))
    return;
  if (RemoveShortcutsAndFolder()) {
    Show(window, RemovedMessage);
  } else {
    FormatWhatStayed(RemovalIncompleteMessage);
    MessageBoxA(window, state.scratchText, RemovalIncompleteMessage.caption,
                RemovalIncompleteMessage.style);
    closingExitCode = EXIT_REMOVAL_INCOMPLETE;
  }
  DestroyWindow(window);
}

// Runs the installation with the wait cursor; 1 when it completed.
int RunInstallation(HWND window) {
  state.installPerformed = 1;
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  LONG registryError;
  ErrorCode code = InstallWithUninstaller(&registryError);
  SetCursor(previous);
  if (code != 0) {
    ReportError(window, code);
    state.installPerformed = 0;
    return 0;
  }
  return 1;
}

// The questions before an installation; 0 stops the flow.
int AskBeforeInstalling(HWND window) {
  if (state.iconChoiceOffered == 1 && ChooseIcons(window) == 0)
    return 0;
  if (state.agreementAccepted == 0 && state.agreementIncluded == 1) {
    flowSending = 1;
    SendMessageA(window, WM_COMMAND, CMD_READ_AGREEMENT, 0);
    flowSending = 0;
    if (state.agreementAccepted == 0 && state.updateMode == 0)
      return 0;
  }
  const int madeShortcuts =
      SHORTCUT_DESKTOP | SHORTCUT_PROGRAMS | SHORTCUT_STARTUP;
  if (state.shortcutFlags & madeShortcuts) {
    if (Show(window, ScriptNoteMessage) != IDYES) {
      if (state.iconChoiceOffered == 0)
        return 0;
      state.shortcutFlags = 0;
    }
  }
  return 1;
}

void RunFlow(HWND window);

// The run mark, or the person is told why nothing will be done.
int MarkTaken(HWND window) {
  DWORD lock = TakeRunLock();
  if (lock == ERROR_ALREADY_EXISTS)
    Show(window, InProgressMessage);
  if (lock == 0 || lock == ERROR_ALREADY_EXISTS)
    return lock == 0;
  wsprintfA(state.scratchText, NoRunMarkText, lock);
  MessageBoxA(window, state.scratchText, InProgressMessage.caption,
              InProgressMessage.style);
  return 0;
}

// From the first check to the last change no other run may work on an
// installation: an unattended removal would delete what this one made.
void BeginFlow(HWND window) {
  flowRunning = 1;
  if (MarkTaken(window))
    RunFlow(window);
  ReleaseRunLock();
  flowRunning = 0;
}

void RunFlow(HWND window) {
  ErrorCode code = ValidateDestination(0);
  if (code != 0) {
    ReportError(window, code);
    return;
  }
  if (state.uninstallMode == 1) {
    UninstallBranch(window);
    return;
  }
  if (!AskBeforeInstalling(window))
    return;
  if (state.installPerformed == 1)
    return;
  if (Show(window, InstallNowMessage) != IDOK || FilesStillHeld(window))
    return;
  if (!RunInstallation(window))
    return;
  FormatCompletionMessage(state.scratchText, sizeof state.scratchText,
                          state.windowsVersionClass);
  MessageBoxA(window, state.scratchText, CompletionCaption, COMPLETION_STYLE);
  StartInstalledProgram();
  DestroyWindow(window);
}

void SwitchToUninstall(HWND window) {
  if (Show(window, SwitchWarningMessage) != IDYES)
    return;
  state.uninstallMode = 1;
  SetWindowTextA(window, "UN-Install");
  state.iconChoiceOffered = 0;
  Repaint(window);
}

HMENU BuildMenu(const PopupEntry* entries, int count, HMENU submenu) {
  HMENU menu = CreatePopupMenu();
  for (int i = 0; i < count; ++i) {
    const PopupEntry& entry = entries[i];
    if (!entry.text)
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    else if (entry.opensSubmenu)
      AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu),
                  entry.text);
    else
      AppendMenuA(menu, entry.greyed ? MF_GRAYED : MF_STRING, entry.id,
                  entry.text);
  }
  return menu;
}

} // namespace

int RefusedWhileBusy() {
  if (!flowRunning || flowSending)
    return 0;
  MessageBeep(MB_OK);
  return 1;
}

int ListWhatStayed(char* text, int size, const char* before,
                   const char* after) {
  char pattern[PATH_SIZE + 4];
  wsprintfA(pattern, "%s*", state.destinationPath);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  int used = 0;
  text[0] = '\0';
  for (int shown = 0; search != INVALID_HANDLE_VALUE && shown < 8;) {
    const char* name = found.cFileName;
    if (lstrcmpA(name, ".") && lstrcmpA(name, "..") &&
        used + lstrlenA(name) + lstrlenA(before) + lstrlenA(after) < size) {
      used += wsprintfA(text + used, "%s%s%s", before, name, after);
      ++shown;
    }
    if (!FindNextFileA(search, &found))
      break;
  }
  if (search != INVALID_HANDLE_VALUE)
    FindClose(search);
  return used;
}

int RemoveShortcutsAndFolder() {
  // 31: remove every kind of shortcut, make none; but only those that
  // start this folder's programs.
  state.shortcutFlags = SHORTCUT_REMOVE_ONLY | SHORTCUT_DESKTOP |
                        SHORTCUT_PROGRAMS | SHORTCUT_STARTUP |
                        SHORTCUT_UNINSTALL;
  RemoveOwnShortcuts(state.destinationPath);
  RemoveInstallation();
  state.installPerformed = 1;
  // Kept while anything of the folder stays, so that Settings can run
  // the removal again.
  if (GetFileAttributesA(state.destinationPath) != INVALID_FILE_ATTRIBUTES)
    return 0;
  UnregisterInstallation();
  return 1;
}

ErrorCode InstallWithUninstaller(LONG* registryError) {
  *registryError = 0;
  ErrorCode code = InstallFiles();
  if (code == 0)
    code = CopyUninstaller();
  // Last: only a complete installation is one.
  if (code == 0)
    code = WriteInstallationRecord();
  if (code == 0)
    *registryError = RegisterInstallation();
  return code;
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  if (RefusedWhileBusy())
    return 0;
  switch (LOWORD(wParam)) {
  case CMD_EXIT:
    DestroyWindow(window);
    return 0;
  case CMD_CHANGE_DESTINATION:
    ChangeDestination(window);
    return 0;
  case CMD_HELP:
    if (RunHelpPager(window))
      Repaint(window);
    return 0;
  case CMD_BEGIN:
    BeginFlow(window);
    return 0;
  case CMD_LIST_FILES:
    ShowFileList();
    return 0;
  case CMD_READ_AGREEMENT:
    if (RunAgreementDialog(window))
      Repaint(window);
    return 0;
  case CMD_CHOOSE_ICONS:
    if (state.uninstallMode == 0)
      ChooseIcons(window);
    return 0;
  case CMD_SWITCH_TO_UNINSTALL:
    SwitchToUninstall(window);
    return 0;
  case CMD_ABOUT:
    ShowAbout(window);
    return 0;
  }
  return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
}

void OnKeyDown(HWND window, WPARAM wParam, LPARAM lParam) {
  if (RefusedWhileBusy())
    return;
  if (LOWORD(wParam) == VK_F5)
    PostMessageA(window, WM_COMMAND, CMD_READ_AGREEMENT, 0);
  else if (LOWORD(wParam) == VK_F9)
    PostMessageA(window, WM_COMMAND, CMD_LIST_FILES, 0);
  else
    OnFocusKey(window, LOWORD(wParam), lParam);
}

// The popup menu with its top left corner at a point of the screen.
static void ShowPopupMenu(HWND window, POINT corner) {
  if (RefusedWhileBusy())
    return;
  PopupEntry entries[POPUP_MAX_ENTRIES];
  int count = DescribePopupMenu(state.uninstallMode, state.updateMode,
                                state.agreementIncluded,
                                state.iconChoiceOffered, entries);
  HMENU submenu = BuildMenu(UtilitiesEntries, UTILITIES_ENTRY_COUNT, nullptr);
  HMENU popup = BuildMenu(entries, count, submenu);
  TrackPopupMenu(popup, 0, corner.x, corner.y, 0, window, nullptr);
  DestroyMenu(popup); // takes the submenu with it
}

void OnRightButtonUp(HWND window, LPARAM lParam) {
  POINT click = {static_cast<LONG>(LOWORD(lParam)),
                 static_cast<LONG>(HIWORD(lParam))};
  ClientToScreen(window, &click);
  ShowPopupMenu(window, {click.x - 15, click.y - 35});
}

int OnContextMenu(HWND window, LPARAM lParam) {
  POINT corner = {static_cast<short>(LOWORD(lParam)),
                  static_cast<short>(HIWORD(lParam))};
  if (lParam == -1) {
    // From the keyboard: the menu opens at the centre of the begin icon.
    corner = {(beginHitRect.left + beginHitRect.right) / 2,
              (beginHitRect.top + beginHitRect.bottom) / 2};
    ClientToScreen(window, &corner);
  } else {
    RECT client;
    GetClientRect(window, &client);
    POINT inside = corner;
    ScreenToClient(window, &inside);
    if (!PtInRect(&client, inside))
      return 0;
  }
  ShowPopupMenu(window, corner);
  return 1;
}
