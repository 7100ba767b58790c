// TEMPORARY: stands in for the destination check until it is on main.
#include "engine/destination.h"
#include "shell/installer_state.h"

#include <string.h>

ErrorCode ValidateDestination(int) {
  size_t length = strlen(state.destinationPath);
  if (length > 2 && state.destinationPath[length - 1] != '\\')
    strcat(state.destinationPath, "\\");
  return strlen(state.destinationPath) < 4 ? ERR_ROOT_FOLDER : 0;
}
