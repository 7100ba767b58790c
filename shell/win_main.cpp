#include "engine/error_report.h"
#include "shell/self_removal.h"
#include "shell/start_up.h"
#include "shell/unattended.h"
#include "shell/wide_command_line.h"
#include "state/installer_state.h"

#include <string.h>

// A running installer shows its window titled "Install"; one that has
// switched to "UN-Install" is left alone.
static int BringRunningInstallerForward(HINSTANCE instance) {
  HWND running = FindWindowA("Installation", "Install");
  if (!running)
    return 0;
  ShowWindow(running, SW_SHOWNORMAL);
  // SetFocus alone cannot reach another process's window; the process
  // the user just started may bring it to the front.
  SetForegroundWindow(running);
  SetFocus(running);
  UnregisterClassA("Installation", instance);
  return 1;
}

// A /D= at the end of the tail names the window's destination; one too
// long for its buffer is passed over rather than cut to another folder,
// and one the 8-bit line does not spell as given is refused at once.
static void TakeWindowDestination(HWND window, const CommandTail& reading) {
  if (reading.destinationGiven &&
      reading.destination.length < sizeof state.destinationPath) {
    char* taken = DestinationSpelledAsGiven(reading.destination.start)
                      ? state.destinationPath
                      : state.errorPath;
    memcpy(taken, reading.destination.start, reading.destination.length);
    taken[reading.destination.length] = '\0';
    if (taken == state.errorPath)
      ReportError(window, ERR_NAME_NOT_SPELLED);
  }
}

static int RunMessageLoop(HWND window, HACCEL accelerators) {
  MSG message = {};
  // GetMessage gives -1 on an error; ending then beats spinning on it.
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (!TranslateAcceleratorA(window, accelerators, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return static_cast<int>(message.wParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR tail,
                   int show) {
  CommandTail reading;
  ReadCommandTail(tail, &reading);
  int exitCode;
  if (RemoveFromOutside(tail, reading, &exitCode))
    return exitCode;
  if (reading.unattended)
    return RunUnattended(instance, reading);
  ApplyCommandLine(tail);
  if (!previous && !RegisterInstallerClass(instance))
    return 0;
  if (BringRunningInstallerForward(instance))
    return 0;
  HWND window = CreateMainWindow(instance);
  // Without a window the loop would wait for ever.
  if (!window)
    return 0;
  TakeWindowDestination(window, reading);
  HACCEL accelerators = LoadAcceleratorsA(instance, "acceltable");
  ShowWindow(window, show);
  UpdateWindow(window);
  return RunMessageLoop(window, accelerators);
}
