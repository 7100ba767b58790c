#include "shell/rights_probe.h"

#include "shell/version_class.h"

#include <windows.h>

int ClassifyWindowsVersion() {
  DWORD version = GetVersion();
  return WindowsVersionClass(LOBYTE(LOWORD(version)), HIBYTE(LOWORD(version)));
}
