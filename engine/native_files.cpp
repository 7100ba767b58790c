#include "engine/native_files.h"

#include <winternl.h>

#include <string.h>

namespace {

typedef NTSTATUS(NTAPI* CreateCall)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES,
                                    PIO_STATUS_BLOCK, PLARGE_INTEGER, ULONG,
                                    ULONG, ULONG, ULONG, PVOID, ULONG);
typedef NTSTATUS(NTAPI* ListCall)(HANDLE, HANDLE, PVOID, PVOID,
                                  PIO_STATUS_BLOCK, PVOID, ULONG, ULONG,
                                  BOOLEAN, PUNICODE_STRING, BOOLEAN);
typedef NTSTATUS(NTAPI* InformationCall)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG,
                                         ULONG);
typedef ULONG(NTAPI* ErrorCall)(NTSTATUS);

// The native layer's information classes and options used here.
enum : ULONG {
  BASIC_INFORMATION = 4,
  INTERNAL_INFORMATION = 6,
  RENAME_INFORMATION = 10,
  DISPOSITION_INFORMATION = 13,
  ID_BOTH_FOLDER_INFORMATION = 37,
  ATTRIBUTE_TAG_INFORMATION = 35,
  SYNCHRONOUS_NONALERT = 0x00000020,
  FOR_BACKUP = 0x00004000,
  OPEN_LINK_ITSELF = 0x00200000,
  OPEN_EXISTING_ONLY = 1,
  CANNOT_DELETE = 0xC0000121,
};

// ntdll is in every process, loaded first, from the system folder; its
// functions are looked up once.
struct NativeCalls {
  CreateCall create;
  ListCall list;
  InformationCall query;
  InformationCall set;
  ErrorCall error;
};

const NativeCalls* Calls() {
  static NativeCalls calls;
  static int looked;
  if (!looked) {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    calls.create = reinterpret_cast<CreateCall>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "NtCreateFile")));
    calls.list = reinterpret_cast<ListCall>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryDirectoryFile")));
    calls.query = reinterpret_cast<InformationCall>(reinterpret_cast<void*>(
        GetProcAddress(ntdll, "NtQueryInformationFile")));
    calls.set = reinterpret_cast<InformationCall>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "NtSetInformationFile")));
    calls.error = reinterpret_cast<ErrorCall>(reinterpret_cast<void*>(
        GetProcAddress(ntdll, "RtlNtStatusToDosError")));
    looked = 1;
  }
  return calls.create && calls.list && calls.query && calls.set && calls.error
             ? &calls
             : nullptr;
}

template <typename T> T At(const unsigned char* bytes, size_t offset) {
  T value;
  memcpy(&value, bytes + offset, sizeof value);
  return value;
}

} // namespace

NativeStatus OpenInFolder(HANDLE folder, const wchar_t* name,
                          unsigned nameBytes, ACCESS_MASK access,
                          HANDLE* entry) {
  *entry = nullptr;
  const NativeCalls* calls = Calls();
  if (!calls)
    return NATIVE_MISSING;
  UNICODE_STRING text;
  text.Buffer = const_cast<wchar_t*>(name);
  text.Length = text.MaximumLength = static_cast<USHORT>(nameBytes);
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, folder,
                             nullptr);
  IO_STATUS_BLOCK io;
  return calls->create(
      entry, access | SYNCHRONIZE, &attributes, &io, nullptr, 0,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      OPEN_EXISTING_ONLY, SYNCHRONOUS_NONALERT | FOR_BACKUP | OPEN_LINK_ITSELF,
      nullptr, 0);
}

NativeStatus ListFolder(HANDLE folder, void* buffer, ULONG size, int single,
                        int restart) {
  const NativeCalls* calls = Calls();
  if (!calls)
    return NATIVE_MISSING;
  IO_STATUS_BLOCK io;
  return calls->list(folder, nullptr, nullptr, nullptr, &io, buffer, size,
                     ID_BOTH_FOLDER_INFORMATION, single != 0, nullptr,
                     restart != 0);
}

// The layout of one entry of that listing.
const unsigned char* ReadListed(const unsigned char* at, ListedEntry* entry) {
  entry->attributes = At<ULONG>(at, 56);
  entry->nameBytes = At<ULONG>(at, 60);
  entry->reparseTag = (entry->attributes & FILE_ATTRIBUTE_REPARSE_POINT)
                          ? At<ULONG>(at, 64)
                          : 0;
  entry->id = At<LONGLONG>(at, 96);
  entry->name = reinterpret_cast<const wchar_t*>(at + 104);
  ULONG next = At<ULONG>(at, 0);
  return next ? at + next : nullptr;
}

NativeStatus DescribeHeld(HANDLE entry, HeldEntry* held) {
  const NativeCalls* calls = Calls();
  if (!calls)
    return NATIVE_MISSING;
  // The basic times and attributes, then the file's id: two small
  // answers, which the system gives without looking up the entry's name.
  alignas(8) unsigned char basic[40];
  IO_STATUS_BLOCK io;
  NTSTATUS status =
      calls->query(entry, &io, basic, sizeof basic, BASIC_INFORMATION);
  if (NativeFailed(status))
    return status;
  held->attributes = At<ULONG>(basic, 32);
  status = calls->query(entry, &io, &held->id, sizeof held->id,
                        INTERNAL_INFORMATION);
  held->reparseTag = 0;
  if (NativeFailed(status) ||
      !(held->attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return status;
  // Only a reparse point says what kind it is.
  ULONG tag[2];
  status = calls->query(entry, &io, tag, sizeof tag, ATTRIBUTE_TAG_INFORMATION);
  held->reparseTag = tag[1];
  return status;
}

NativeStatus MakeHeldWritable(HANDLE entry) {
  const NativeCalls* calls = Calls();
  if (!calls)
    return NATIVE_MISSING;
  // Times of 0 stay as they are.
  alignas(8) unsigned char basic[40] = {};
  ULONG normal = FILE_ATTRIBUTE_NORMAL;
  memcpy(basic + 32, &normal, sizeof normal);
  IO_STATUS_BLOCK io;
  return calls->set(entry, &io, basic, sizeof basic, BASIC_INFORMATION);
}

NativeStatus DeleteHeld(HANDLE entry) {
  const NativeCalls* calls = Calls();
  if (!calls)
    return NATIVE_MISSING;
  BOOLEAN remove = TRUE;
  IO_STATUS_BLOCK io;
  NTSTATUS status =
      calls->set(entry, &io, &remove, sizeof remove, DISPOSITION_INFORMATION);
  if (status == static_cast<NTSTATUS>(CANNOT_DELETE) &&
      !NativeFailed(MakeHeldWritable(entry)))
    status =
        calls->set(entry, &io, &remove, sizeof remove, DISPOSITION_INFORMATION);
  return status;
}

NativeStatus RenameHeld(HANDLE entry, const char* path) {
  const NativeCalls* calls = Calls();
  if (!calls)
    return NATIVE_MISSING;
  struct {
    ULONG replace;
    HANDLE root;
    ULONG nameBytes;
    wchar_t name[4 + 1024];
  } rename = {0, nullptr, 0, L"\\??\\"};
  int length = MultiByteToWideChar(CP_ACP, 0, path, -1, rename.name + 4, 1024);
  if (length < 2)
    return NATIVE_MISSING;
  rename.nameBytes = static_cast<ULONG>((length - 1 + 4) * sizeof(wchar_t));
  IO_STATUS_BLOCK io;
  return calls->set(entry, &io, &rename, sizeof rename, RENAME_INFORMATION);
}

DWORD NativeError(NativeStatus status) {
  const NativeCalls* calls = Calls();
  return calls ? calls->error(status) : ERROR_PROC_NOT_FOUND;
}
