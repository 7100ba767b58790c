#include "shell/version_class.h"

int WindowsVersionClass(unsigned major, unsigned minor) {
  // Windows 95 reports itself as 3.95 to old programs.
  if (major <= 3 && minor < 95)
    return 3;
  if (major < 5)
    return 4;
  if (major < 6)
    return 5;
  if (major < 7)
    return 6;
  return 0;
}
