#include "state/stack_guard.h"

#include "state/system_random.h"

#include <stdint.h>
#include <windows.h>

// Our own, so that neither GCC's libssp nor its DLL comes in. Zero until
// seeded keeps it in uninitialised data, which costs no file space.
extern "C" uintptr_t __stack_chk_guard;
uintptr_t __stack_chk_guard;

__attribute__((no_stack_protector)) void SeedStackGuard() {
  unsigned long bits[2];
  SystemRandom(bits);
  uint64_t guard = static_cast<uint64_t>(bits[1]) << 32 | bits[0];
  // The lowest byte, the first that an overrun reaches, is zero: the
  // string copies and formatting calls that could overrun a buffer stop at
  // a zero, so they cannot write the guard back intact and go on behind it,
  // and a text read past its buffer ends before the guard.
  __stack_chk_guard = static_cast<uintptr_t>(guard) & ~uintptr_t{0xFF};
}

// PF_FASTFAIL_AVAILABLE and FAST_FAIL_STACK_COOKIE_CHECK_FAILURE, which
// older headers lack.
static const DWORD kFastFailAvailable = 23;
static const DWORD kStackCookieFailure = 2;

// An overwritten cookie means the stack can no longer be trusted: end the
// process at once, without running any handler, atexit function or other
// code of ours. Windows 8 and later do that for the fail-fast interrupt;
// before them the interrupt would be an ordinary fault, so the process is
// terminated instead.
extern "C" __attribute__((used, noreturn, no_stack_protector)) void
__stack_chk_fail() {
  if (IsProcessorFeaturePresent(kFastFailAvailable))
    __asm__ volatile("int $0x29" : : "c"(kStackCookieFailure) : "memory");
  TerminateProcess(GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
  __builtin_trap();
}
