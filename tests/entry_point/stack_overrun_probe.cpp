// A program built like install.exe, with one function that copies its
// command line into an 8-byte buffer as an unchecked lstrcpyA would; if it
// ever comes back from there, it prints how much it copied and returns 0.
#include <windows.h>

#include <stdio.h>

static __attribute__((noinline)) int CopyName(const char* text) {
  char name[8];
  lstrcpyA(name, text);
  return lstrlenA(name);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR tail, int) {
  printf("copied %d\n", CopyName(tail));
  return 0;
}
