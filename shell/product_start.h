// The start of the installed program after a completed installation.
#pragma once

#include <windows.h>

// The way a start took.
enum ProductStart {
  PRODUCT_STARTED_BY_DESKTOP = 1, // by the desktop's shell, as its person
  PRODUCT_STARTED_DIRECTLY,       // by the installer, which is not elevated
  PRODUCT_NOT_STARTED, // elevated, and the desktop's shell did not take it
};

// The calls the start makes, replaceable so that a test can see each way
// taken: under Wine every process is elevated and the desktop's shell
// always answers.
struct ProductStartCalls {
  int (*throughDesktopShell)(const char* program, const char* folder);
  int (*runsElevated)();
  UINT(WINAPI* startDirectly)(LPCSTR commandLine, UINT show);
};
extern ProductStartCalls productStartCalls;

// Starts orvel.exe of the destination folder, with that folder as its
// working folder, never with administrator rights: through the desktop's
// shell, else directly only when the installer itself is not elevated.
ProductStart StartInstalledProgram();
