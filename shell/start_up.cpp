#include "shell/start_up.h"

#include "engine/installation_record.h"
#include "engine/version_info.h"
#include "shell/rights_probe.h"
#include "shell/start_up_rules.h"
#include "state/build_configuration.h"
#include "state/installer_state.h"
#include "state/system_library.h"

#include <commdlg.h>

enum {
  DEFAULT_SHORTCUTS = 6, // desktop and programs menu
};

void ApplyCommandLine(const char* tail) {
  if (TailSelectsUninstall(tail)) {
    state.uninstallMode = 1;
    state.iconChoiceOffered = 0;
  }
}

// The installer's folder and its own version.
static void ReadOwnFile() {
  char self[PATH_SIZE];
  DWORD length = GetModuleFileNameA(state.appInstance, self, sizeof self);
  // A path that filled the buffer may lack its terminator.
  self[length < sizeof self ? length : sizeof self - 1] = '\0';
  lstrcpynA(state.installerFolder, self, sizeof state.installerFolder);
  typedef short(WINAPI * FileTitleCall)(LPCSTR, LPSTR, WORD);
  if (auto title = SystemCall<FileTitleCall>("comdlg32.dll", "GetFileTitleA"))
    title(self, state.scratchText, sizeof state.scratchText);
  CutAfterLastBackslash(state.installerFolder);
  // The file title may lack its extension (Explorer's setting), and a bare
  // name is found by a search, so the version is read from the full path,
  // spelled in wide characters: the 8-bit spelling of a folder named
  // outside the code page holds question marks.
  wchar_t wide[PATH_SIZE];
  length = GetModuleFileNameW(state.appInstance, wide, PATH_SIZE);
  wide[length < PATH_SIZE ? length : PATH_SIZE - 1] = L'\0';
  ReadVersionInfoW(wide);
  lstrcpynA(state.installerVersion, state.versionFileVersion,
            sizeof state.installerVersion);
}

static void ProbeMachine() {
  state.windowsVersionClass = ClassifyWindowsVersion();
  int rights = ProbeRights(1);
  if (rights < RIGHTS_OPEN_FAILED)
    rights = RIGHTS_HELD;
  state.allUsersShortcuts = rights == RIGHTS_HELD ? 1 : 0;
  // Leave the privilege withdrawn.
  ProbeRights(0);
}

void InitializeState(HWND mainWindow) {
  ReadOwnFile();
  lstrcpynA(state.destinationPath, "c:\\Orvel\\", sizeof state.destinationPath);
  // The uninstaller an installation keeps works on the folder it stands
  // in; a folder that merely holds files of the same names is no
  // installation.
  if (HoldsInstallation(state.installerFolder))
    lstrcpynA(state.destinationPath, state.installerFolder,
              sizeof state.destinationPath);
  state.installPerformed = 0;
  ProbeMachine();

  // Fixed when this installer was built (full installer or update).
  state.destinationChangeable = buildConfiguration.destinationChangeable;
  state.updateMode = buildConfiguration.updateMode;
  state.agreementIncluded = buildConfiguration.agreementIncluded;
  state.iconsOffered = buildConfiguration.iconsOffered;
  state.iconChoiceOffered = 1;
  state.shortcutFlags = DEFAULT_SHORTCUTS;
  if (state.iconsOffered == 0) {
    state.shortcutFlags = 0;
    state.iconChoiceOffered = 0;
  }

  // `/UN` on the command line has already set uninstallMode.
  if (state.uninstallMode == 1) {
    state.iconChoiceOffered = 0;
    // An unattended run has no window.
    if (mainWindow)
      SetWindowTextA(mainWindow, "UN-Install");
  }
}
