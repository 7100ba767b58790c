// Puts the installer state back to all zeros, as at process start, with
// the test executable as the module that holds the resources.
#pragma once

#include "state/installer_state.h"

#include <cstring>

inline void ResetInstallerState() {
  memset(&state, 0, sizeof state);
  state.appInstance = GetModuleHandleA(nullptr);
}
