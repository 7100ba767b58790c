#include "shell/run_lock.h"

#include "state/system_library.h"

#include <sddl.h>

namespace {

// The namespace calls of Windows Vista and later, looked up: Windows
// before them, and Wine, have none.
struct NamespaceCalls {
  HANDLE(WINAPI* boundary)(LPCSTR name, ULONG flags);
  BOOL(WINAPI* addSid)(HANDLE* boundary, PSID sid);
  HANDLE(WINAPI* create)
  (LPSECURITY_ATTRIBUTES attributes, LPVOID boundary, LPCSTR alias);
  HANDLE(WINAPI* open)(LPVOID boundary, LPCSTR alias);
};

int LookUp(NamespaceCalls* calls) {
  calls->boundary = SystemCall<decltype(calls->boundary)>(
      "kernel32.dll", "CreateBoundaryDescriptorA");
  calls->addSid = SystemCall<decltype(calls->addSid)>(
      "kernel32.dll", "AddSIDToBoundaryDescriptor");
  calls->create = SystemCall<decltype(calls->create)>(
      "kernel32.dll", "CreatePrivateNamespaceA");
  calls->open = SystemCall<decltype(calls->open)>("kernel32.dll",
                                                  "OpenPrivateNamespaceA");
  return calls->boundary && calls->addSid && calls->create && calls->open;
}

const char kNamespace[] = "Orvel Installer";

// The mark while this process holds it.
HANDLE mark = nullptr;

// Administrators and SYSTEM, nobody else, nothing inherited.
BOOL AdministratorsOnly(SECURITY_ATTRIBUTES* attributes) {
  attributes->nLength = sizeof *attributes;
  attributes->bInheritHandle = FALSE;
  return ConvertStringSecurityDescriptorToSecurityDescriptorA(
      "D:P(A;;GA;;;BA)(A;;GA;;;SY)", SDDL_REVISION_1,
      &attributes->lpSecurityDescriptor, nullptr);
}

// A namespace bound to the Administrators group: only a token that holds
// the group (an elevated one) can make or open it, so no ordinary account
// can make the mark first, or hold it. Its handle stays open for the run.
BOOL EnterNamespace(const NamespaceCalls& calls,
                    SECURITY_ATTRIBUTES* attributes) {
  HANDLE boundary = calls.boundary(kNamespace, 0);
  BYTE administrators[SECURITY_MAX_SID_SIZE];
  DWORD size = sizeof administrators;
  if (!boundary ||
      !CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators,
                          &size) ||
      !calls.addSid(&boundary, administrators))
    return FALSE;
  // Twice: a namespace whose maker has just ended cannot be opened, and
  // can be made anew.
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (calls.create(attributes, boundary, kNamespace))
      return TRUE;
    if (GetLastError() != ERROR_ALREADY_EXISTS)
      return FALSE;
    if (calls.open(boundary, kNamespace))
      return TRUE;
  }
  return FALSE;
}

DWORD LastError() {
  DWORD error = GetLastError();
  return error ? error : ERROR_INVALID_FUNCTION;
}

} // namespace

DWORD TakeRunLock() {
  if (mark)
    return 0;
  SECURITY_ATTRIBUTES attributes;
  NamespaceCalls calls;
  // Where there are no namespaces, a global name with the same access
  // list: an ordinary account can make that one first, but not open ours.
  const char* name = "Global\\Orvel Installer Run";
  if (!AdministratorsOnly(&attributes))
    return LastError();
  if (LookUp(&calls)) {
    if (!EnterNamespace(calls, &attributes))
      return LastError();
    name = "Orvel Installer\\Run";
  }
  HANDLE made = CreateMutexA(&attributes, FALSE, name);
  if (!made)
    return LastError();
  // Held is what counts, not made: a run that was refused may still keep
  // the name open. One left by a run that was killed is taken over.
  DWORD waited = WaitForSingleObject(made, 0);
  if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
    mark = made;
    return 0;
  }
  CloseHandle(made);
  return ERROR_ALREADY_EXISTS;
}

void ReleaseRunLock() {
  if (!mark)
    return;
  ReleaseMutex(mark);
  CloseHandle(mark);
  mark = nullptr;
}
