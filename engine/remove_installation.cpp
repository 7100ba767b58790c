#include "engine/remove_installation.h"

#include "engine/destination.h"
#include "shortcuts/folder_walker.h"
#include "state/installer_state.h"

#include <windows.h>

int RemoveInstallation() {
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  if (ValidateDestination(0) == 0)
    WalkFolderTree(state.destinationPath, "*.*", "*.*", WALK_DELETE);
  SetCursor(previous);
  return 0;
}
