// The entry point of the shipped programs, in place of MinGW's start-up
// code: nothing in the installer needs what that code sets up (argument
// vectors, static constructors, thread-local storage, runtime relocations),
// and it costs several kilobytes. msvcrt.dll initialises itself when it is
// loaded, so its functions work as they are.
#include "state/stack_guard.h"

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

// LOAD_LIBRARY_SEARCH_SYSTEM32
const DWORD kSearchSystemFolder = 0x800;

typedef BOOL(WINAPI* SetDefaultDirectoriesCall)(DWORD);

// The program runs with administrator rights, often from a Downloads
// folder: every library loaded from now on, also those that the system's
// own libraries load (the common dialogs load more), comes from the system
// folder, never from beside the program or the current folder. Windows
// before 8 without its update lacks the call; there the current folder at
// least leaves the search, and the program loads its own libraries by
// their full path.
__attribute__((no_stack_protector)) void RestrictLibrarySearch() {
  auto setDefault = reinterpret_cast<SetDefaultDirectoriesCall>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                             "SetDefaultDllDirectories")));
  if (!setDefault || !setDefault(kSearchSystemFolder))
    SetDllDirectoryA("");
}

} // namespace

// The static constructors, between a -1 and a null entry that the linker
// script puts around them; they run from the last one to the first, as in
// MinGW's start-up code. (Destructors register themselves with atexit.)
extern "C" void (*__CTOR_LIST__[])();

static void RunStaticConstructors() {
  size_t count = 0;
  while (__CTOR_LIST__[count + 1])
    ++count;
  for (; count > 0; --count)
    __CTOR_LIST__[count]();
}

// MinGW's atexit lives in its start-up code; msvcrt.dll's _onexit keeps
// the same list, which exit runs.
extern "C" int atexit(void (*function)()) {
  return _onexit(reinterpret_cast<_onexit_t>(function)) ? 0 : -1;
}

// "used": with link-time optimisation nothing else refers to it.
// No stack cookie: one taken here, before the guard is seeded, would not
// match when it is checked.
extern "C"
    __attribute__((used, force_align_arg_pointer, no_stack_protector)) void
    WinMainCRTStartup() {
  // The x87 unit at its full precision, as MinGW's start-up code leaves it,
  // so that floating results stay the same.
  __asm__ volatile("fninit");
  // Before anything can load a library: none from beside the installer.
  RestrictLibrarySearch();
  // Before any function with a stack cookie runs (the random source may
  // load a library, hence after the search is restricted).
  SeedStackGuard();
  RunStaticConstructors();
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
