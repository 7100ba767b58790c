#include "state/system_random.h"

#include <windows.h>

typedef BOOLEAN(WINAPI* RandomCall)(PVOID, ULONG);

__attribute__((no_stack_protector)) void SystemRandom(unsigned long bits[2]) {
  // ADVAPI32 is on Windows' known list, so its name alone cannot reach
  // another copy; what its random call forwards to is loaded after the
  // entry point has restricted the search to the system folder.
  auto random = reinterpret_cast<RandomCall>(reinterpret_cast<void*>(
      GetProcAddress(LoadLibraryA("advapi32.dll"), "SystemFunction036")));
  if (random && random(bits, 2 * sizeof bits[0]))
    return;
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  unsigned long long cycles = __builtin_ia32_rdtsc();
  bits[0] = counter.LowPart ^ GetCurrentProcessId() << 16 ^
            static_cast<unsigned long>(cycles);
  bits[1] = counter.HighPart ^ GetTickCount() ^ GetCurrentThreadId() << 16 ^
            static_cast<unsigned long>(cycles >> 32);
}
