#include "shell/product_start.h"

#include "shell/desktop_start.h"
#include "state/installer_state.h"

ProductStartCalls productStartCalls = {StartThroughDesktopShell, RunsElevated,
                                       WinExec};

ProductStart StartInstalledProgram() {
  char program[PATH_SIZE + 16];
  wsprintfA(program, "%sorvel.exe", state.destinationPath);
  if (productStartCalls.throughDesktopShell(program, state.destinationPath))
    return PRODUCT_STARTED_BY_DESKTOP;
  // Started from here, the program would hold the installer's rights,
  // and whatever it starts after it; the person has the shortcut.
  if (productStartCalls.runsElevated())
    return PRODUCT_NOT_STARTED;
  // Quoted, so that a destination with blanks cannot start another
  // program named after its first word.
  wsprintfA(state.scratchText, "\"%s\"", program);
  productStartCalls.startDirectly(state.scratchText, SW_SHOWNORMAL);
  return PRODUCT_STARTED_DIRECTLY;
}
