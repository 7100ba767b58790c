// The entry point of the shipped programs, in place of MinGW's start-up
// code: nothing in the installer needs what that code sets up (argument
// vectors, static constructors, thread-local storage, runtime relocations),
// and it costs several kilobytes. msvcrt.dll initialises itself when it is
// loaded, so its functions work as they are.
#include <windows.h>

#include <stdlib.h>

namespace {

// The command line after the program's own name and the blanks behind it,
// as WinMain receives it. Bytes above 127 belong to the name.
char* CommandTail(char* line) {
  bool quoted = false;
  for (; static_cast<unsigned char>(*line) > ' ' || (*line && quoted); ++line)
    if (*line == '"')
      quoted = !quoted;
  while (*line && static_cast<unsigned char>(*line) <= ' ')
    ++line;
  return line;
}

} // namespace

// "used": with link-time optimisation nothing else refers to it.
extern "C" __attribute__((used, force_align_arg_pointer)) void
WinMainCRTStartup() {
#if defined(__i386__)
  // The x87 unit at its full precision, as MinGW's start-up code leaves it,
  // so that floating results stay the same.
  __asm__ volatile("fninit");
#endif
  STARTUPINFOA startup;
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow
                                                      : SW_SHOWDEFAULT;
  // exit, not ExitProcess: functions registered with atexit run and open
  // files are flushed, as after a return from WinMain.
  exit(WinMain(GetModuleHandleA(nullptr), nullptr,
               CommandTail(GetCommandLineA()), show));
}
