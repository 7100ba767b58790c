// The text of the "List of Files" box, as a function of the choices made.
#pragma once

#include "state/install_mode.h"

#include <stddef.h>

struct FileListChoices {
  InstallMode mode;
  int shortcutFlags;
  int windowsVersionClass;
  int agreementIncluded;
  const char* destinationPath;
};

// Writes the text into `text` (of `size` bytes), cut short rather than
// written past its end.
void FormatFileList(char* text, size_t size, const FileListChoices& choices);
