// A program started like install.exe: it prints what its WinMain received
// and what ran around it, and returns 42.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

namespace {

int constructed = 0;

struct Constructed {
  Constructed() { constructed = 1; }
  ~Constructed() { fputs("destructor ran\n", stdout); }
};

Constructed instance;

void OnExit() {
  fputs("atexit ran\n", stdout);
}

} // namespace

int WINAPI WinMain(HINSTANCE module, HINSTANCE previous, LPSTR tail, int) {
  unsigned short control;
  __asm__("fnstcw %0" : "=m"(control));
  // Printed to a buffered stream: only exit's flush shows them.
  printf("tail=[%s]\nconstructed=%d\nown module=%d\nprevious=%d\n"
         "x87 control=%x\n",
         tail, constructed, module == GetModuleHandleA(nullptr),
         previous != nullptr, control);
  atexit(OnExit);
  return 42;
}
