#include "engine/uninstaller_aside.h"

#include "engine/folder_security.h"
#include "engine/native_files.h"
#include "state/installer_state.h"
#include "state/unguessable_file.h"

#include <string.h>

namespace {

// Into a fresh folder of the temporary folder; 1 when it went there.
int MoveIntoTemporaryFolder(HANDLE uninstaller) {
  char temp[PATH_SIZE], home[PATH_SIZE], moved[PATH_SIZE + 16];
  DWORD length = GetTempPathA(sizeof temp, temp);
  if (length == 0 || length >= sizeof temp - 40 ||
      !CreateUnguessableFolder(temp, "orvel-", InstallationFolderAttributes(),
                               home, sizeof home))
    return 0;
  wsprintfA(moved, "%sinstall.exe", home);
  if (NativeFailed(RenameHeld(uninstaller, moved))) {
    RemoveDirectoryA(home);
    return 0;
  }
  // The file first, then its folder: the system takes them in order.
  MoveFileExA(moved, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  MoveFileExA(home, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  return 1;
}

// Beside the installation folder, as "<folder>-removed-<process>.exe".
int MoveBeside(HANDLE uninstaller) {
  char moved[PATH_SIZE + 32];
  int length = lstrlenA(state.destinationPath) - 1;
  if (length <= 0 || length + 32 >= PATH_SIZE)
    return 0;
  lstrcpynA(moved, state.destinationPath, length + 1);
  wsprintfA(moved + length, "-removed-%lu.exe", GetCurrentProcessId());
  if (NativeFailed(RenameHeld(uninstaller, moved)))
    return 0;
  MoveFileExA(moved, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  return 1;
}

} // namespace

int MoveUninstallerAside(HANDLE uninstaller) {
  return MoveIntoTemporaryFolder(uninstaller) || MoveBeside(uninstaller);
}
