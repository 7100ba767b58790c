#include "shell/wide_command_line.h"

#include "state/installer_state.h"

#include <string.h>

int DestinationSpelledAsGiven(const char* start) {
  // Room for the longest folder that the buffers take, its quote and more.
  wchar_t readBack[PATH_SIZE + 8];
  int length =
      MultiByteToWideChar(CP_ACP, 0, start, -1, readBack, PATH_SIZE + 8) - 1;
  const wchar_t* line = GetCommandLineW();
  int lineLength = lstrlenW(line);
  return length >= 0 && length <= lineLength &&
         memcmp(line + lineLength - length, readBack,
                length * sizeof *readBack) == 0;
}
