// What the system's native layer offers and the Win32 calls do not: a name
// opened inside a folder that is held open, never through a link; a held
// folder listed; an entry described, changed and deleted through its own
// handle. A folder that someone else may change is only safe to act on
// this way: a path can name another entry between two calls, a handle
// cannot.
#pragma once

#include <windows.h>

// The native layer's status: negative for an error.
typedef LONG NativeStatus;

enum : NativeStatus {
  NATIVE_NO_MORE_FILES = static_cast<NativeStatus>(0x80000006),
  NATIVE_MISSING = static_cast<NativeStatus>(0xC0000002),
};

// An error, as opposed to success or a warning (such as the end of a
// listing, or an answer cut to the buffer given).
inline int NativeFailed(NativeStatus status) {
  return (static_cast<unsigned long>(status) >> 30) == 3;
}

// One entry of a folder's listing, pointing into the listing's buffer.
struct ListedEntry {
  const wchar_t* name;
  unsigned nameBytes;
  DWORD attributes;
  DWORD reparseTag;
  LONGLONG id;
};

// What an entry's own handle says of it.
struct HeldEntry {
  DWORD attributes;
  DWORD reparseTag;
  LONGLONG id;
};

// Opens the entry `name` (one name, `nameBytes` long, taken exactly as it
// is: no dots or blanks dropped) of the held `folder`. A link is opened as
// the link, not as what it points to.
NativeStatus OpenInFolder(HANDLE folder, const wchar_t* name,
                          unsigned nameBytes, ACCESS_MASK access,
                          HANDLE* entry);

// The next entries of a held folder into `buffer`: as many as fit, or
// one; `restart` starts from its first entry. NATIVE_NO_MORE_FILES at its
// end.
NativeStatus ListFolder(HANDLE folder, void* buffer, ULONG size, int single,
                        int restart);

// The entry of the listing at `at` into `entry`; returns where the next
// one is, or null after the last.
const unsigned char* ReadListed(const unsigned char* at, ListedEntry* entry);

NativeStatus DescribeHeld(HANDLE entry, HeldEntry* held);

// Clears the attributes (read-only among them) of the held entry.
NativeStatus MakeHeldWritable(HANDLE entry);

// Marks the held entry for deletion: it is gone when its last handle is
// closed. A read-only file is made writable first.
NativeStatus DeleteHeld(HANDLE entry);

// Gives the held entry the full path `path` (no link followed, nothing
// replaced), as long as it stays on its volume.
NativeStatus RenameHeld(HANDLE entry, const char* path);

// The Win32 error code of a native status.
DWORD NativeError(NativeStatus status);
