#include "state/installer_state.h"

InstallerState state;

InstallMode CurrentInstallMode() {
  if (state.uninstallMode == 1)
    return InstallMode::Uninstall;
  if (state.updateMode == 1)
    return InstallMode::Update;
  return InstallMode::Full;
}
