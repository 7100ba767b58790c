#include "engine/installation_record.h"

#include "engine/fresh_file.h"
#include "engine/folder_security.h"
#include "engine/native_files.h"
#include "engine/payload_table.h"
#include "engine/registration.h"
#include "state/installer_state.h"
#include "state/same_folder.h"

#include <string.h>

const char kRecordName[] = "install.rec";

RecordCalls recordCalls = {OthersMayChangeFolder};

namespace {

const char kHeading[] = "Orvel installation record\r\n";

enum { RECORD_SIZE = 4096 };

// One line "name<tab>bytes" of the record.
void AddLine(const char* name, ULONGLONG size, void* record) {
  char* text = static_cast<char*>(record);
  if (strlen(text) + strlen(name) + 32 >= RECORD_SIZE)
    return;
  wsprintfA(text + strlen(text), "%s\t%I64u\r\n", name, size);
}

// The record, opened inside the held folder by its exact name and never
// through a link, begins with its heading.
int RecordStandsIn(HANDLE folder) {
  wchar_t name[16];
  unsigned length = MultiByteToWideChar(CP_ACP, 0, kRecordName, -1, name, 16);
  HANDLE record;
  if (length < 2 || NativeFailed(OpenInFolder(
                        folder, name, (length - 1) * sizeof(wchar_t),
                        FILE_READ_DATA | FILE_READ_ATTRIBUTES, &record)))
    return 0;
  HeldEntry held;
  char start[sizeof kHeading] = "";
  DWORD got = 0;
  int stands = !NativeFailed(DescribeHeld(record, &held)) &&
               !(held.attributes &
                 (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) &&
               ReadFile(record, start, sizeof start - 1, &got, nullptr) &&
               got == sizeof start - 1 && memcmp(start, kHeading, got) == 0;
  CloseHandle(record);
  return stands;
}

int RecordedInFolder(const char* path) {
  HANDLE folder = CreateFileA(
      path, READ_CONTROL | FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
      nullptr);
  if (folder == INVALID_HANDLE_VALUE)
    return 0;
  HeldEntry held;
  int recorded = !NativeFailed(DescribeHeld(folder, &held)) &&
                 (held.attributes &
                  (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
                     FILE_ATTRIBUTE_DIRECTORY &&
                 !recordCalls.othersMayChange(folder) && RecordStandsIn(folder);
  CloseHandle(folder);
  return recorded;
}

} // namespace

void VisitInstalledFiles(void (*visit)(const char* name, ULONGLONG size,
                                       void* context),
                         void* context) {
  const char* const others[] = {"install.exe", "eula.txt", "new.txt"};
  for (int at = 0; at < PAYLOAD_SLOT_COUNT + 3; ++at) {
    char name[PATH_SIZE], path[PATH_SIZE + PATH_SIZE];
    if (at < PAYLOAD_SLOT_COUNT) {
      if (MapPayloadName(name, PayloadTable[at].catalogueName))
        continue;
    } else {
      lstrcpyA(name, others[at - PAYLOAD_SLOT_COUNT]);
    }
    wsprintfA(path, "%s%s", state.destinationPath, name);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path, GetFileExInfoStandard, &data))
      visit(name,
            (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) |
                data.nFileSizeLow,
            context);
  }
}

ErrorCode WriteInstallationRecord() {
  static char text[RECORD_SIZE];
  lstrcpyA(text, kHeading);
  VisitInstalledFiles(AddLine, text);
  wsprintfA(state.errorPath, "%s%s", state.destinationPath, kRecordName);
  state.errorDetail = 0;
  HANDLE record = CreateFreshFile(state.errorPath);
  if (record == INVALID_HANDLE_VALUE)
    return ERR_FILE_CREATE;
  DWORD written = 0;
  DWORD length = static_cast<DWORD>(strlen(text));
  int whole =
      WriteFile(record, text, length, &written, nullptr) && written == length;
  if (!CloseHandle(record))
    whole = 0;
  if (whole)
    return 0;
  DeleteFileA(state.errorPath);
  return ERR_DISK_WRITE;
}

int HoldsInstallation(const char* folder) {
  if (RecordedInFolder(folder))
    return 1;
  char location[PATH_SIZE];
  return ReadEntryLocation(location, sizeof location) &&
         SameFolder(location, folder);
}
