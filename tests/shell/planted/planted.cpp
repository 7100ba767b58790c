// A library or program that someone else placed where the installer might
// look for one: the moment it runs, it leaves a mark beside itself,
// named after itself with ".ran" added.
#include <windows.h>

static void LeaveMark(HMODULE self) {
  char path[MAX_PATH + 8];
  DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  lstrcpyA(path + length, ".ran");
  HANDLE mark =
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(mark);
}

#ifdef PLANTED_PROGRAM
#include <lzexpand.h>

// It imports LZ32 by name, as the installer once did: run beside a planted
// lz32.dll, with Wine told to prefer it, it shows that the planting works.
// The import is made by taking its address; a planted lz32.dll has no
// such function, so it is never called.
void(WINAPI* volatile importedByName)(INT) = LZClose;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  LeaveMark(nullptr);
  return 0;
}
#else
extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH)
    LeaveMark(self);
  return TRUE;
}
#endif
