#include "engine/file_holders.h"

#include "engine/payload_table.h"
#include "engine/restart_manager.h"

#include <tlhelp32.h>

namespace {

enum { FILES_MAX = PAYLOAD_SLOT_COUNT + 3, ANCESTORS_MAX = 8 };

char files[FILES_MAX][PATH_SIZE];
int fileCount;

// Processes that do not count: this one and those that started it (the
// uninstaller that runs a copy of itself and waits for it, for one).
DWORD ownLine[ANCESTORS_MAX];
int ownCount;

int Exists(const char* path) {
  return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// The full, long spelling of `path` (short names and "." resolved) into
// `out`; 0 when it cannot be had.
int Canonical(const char* path, char* out) {
  DWORD length = GetFullPathNameA(path, PATH_SIZE, out, nullptr);
  if (length == 0 || length >= PATH_SIZE)
    return 0;
  length = GetLongPathNameA(out, out, PATH_SIZE);
  return length < PATH_SIZE;
}

void AddFile(const char* name, const char* self) {
  char* path = files[fileCount];
  wsprintfA(path, "%s%s", state.destinationPath, name);
  char full[PATH_SIZE];
  if (Exists(path) && !(Canonical(path, full) && lstrcmpiA(full, self) == 0))
    ++fileCount;
}

// The files of the installation that are there, but for this program's
// own file when it runs from the folder.
void ListInstallationFiles() {
  char self[PATH_SIZE] = "";
  if (GetModuleFileNameA(nullptr, self, PATH_SIZE) >= PATH_SIZE)
    self[0] = '\0';
  Canonical(self, self);
  fileCount = 0;
  for (int slot = 0; slot < PAYLOAD_SLOT_COUNT; ++slot) {
    char name[PATH_SIZE];
    if (!MapPayloadName(name, PayloadTable[slot].catalogueName))
      AddFile(name, self);
  }
  static const char* const kept[] = {"install.exe", "eula.txt", "new.txt"};
  for (const char* name : kept)
    AddFile(name, self);
}

DWORD ParentOf(DWORD process) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry;
  entry.dwSize = sizeof entry;
  DWORD parent = 0;
  for (BOOL more = Process32First(snapshot, &entry); more;
       more = Process32Next(snapshot, &entry))
    if (entry.th32ProcessID == process)
      parent = entry.th32ParentProcessID;
  CloseHandle(snapshot);
  return parent;
}

void FindOwnLine() {
  ownLine[0] = GetCurrentProcessId();
  for (ownCount = 1; ownCount < ANCESTORS_MAX; ++ownCount)
    if (!(ownLine[ownCount] = ParentOf(ownLine[ownCount - 1])))
      break;
}

int InOwnLine(DWORD process) {
  for (int i = 0; i < ownCount; ++i)
    if (ownLine[i] == process)
      return 1;
  return 0;
}

typedef BOOL(WINAPI* ImageNameCall)(HANDLE, DWORD, LPSTR, PDWORD);

// The program file of a running process, canonical; 0 when not to be had.
int ProgramOf(DWORD process, char* program) {
  auto imageName =
      reinterpret_cast<ImageNameCall>(reinterpret_cast<void*>(GetProcAddress(
          GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA")));
  const DWORD limitedQuery = 0x1000; // PROCESS_QUERY_LIMITED_INFORMATION
  HANDLE opened =
      imageName ? OpenProcess(limitedQuery, FALSE, process) : nullptr;
  DWORD size = PATH_SIZE;
  int known = opened && imageName(opened, 0, program, &size) &&
              Canonical(program, program);
  if (opened)
    CloseHandle(opened);
  if (!known)
    program[0] = '\0';
  return known;
}

FileHolder* Add(FileHolders* found, DWORD process, const char* file) {
  if (found->count >= HOLDERS_MAX)
    return nullptr;
  FileHolder* holder = &found->holder[found->count++];
  holder->processId = process;
  holder->restartManager = 0;
  holder->name[0] = '\0';
  holder->program[0] = '\0';
  lstrcpynA(holder->file, file, PATH_SIZE);
  if (process)
    ProgramOf(process, holder->program);
  return holder;
}

// The first file that is open elsewhere, else the first file.
const char* HeldFile() {
  for (int i = 0; i < fileCount; ++i)
    if (OpenedElsewhere(files[i]))
      return files[i];
  return files[0];
}

void AskRestartManager(FileHolders* found) {
  static RM_PROCESS_INFO apps[HOLDERS_MAX];
  const char* names[FILES_MAX];
  for (int i = 0; i < fileCount; ++i)
    names[i] = files[i];
  DWORD session;
  if (!fileCount || !OpenRestartSession(names, fileCount, &session))
    return;
  UINT count = ListFileHolders(session, apps, HOLDERS_MAX);
  CloseRestartSession(session);
  for (UINT i = 0; i < count; ++i) {
    if (InOwnLine(apps[i].Process.dwProcessId))
      continue;
    FileHolder* holder = Add(found, apps[i].Process.dwProcessId, HeldFile());
    if (!holder)
      return;
    holder->restartManager = 1;
    WideCharToMultiByte(CP_ACP, 0, apps[i].strAppName, -1, holder->name,
                        PATH_SIZE, nullptr, nullptr);
  }
}

// The running programs whose file lies in the folder.
void ScanProcesses(FileHolders* found) {
  char folder[PATH_SIZE], program[PATH_SIZE];
  if (!Canonical(state.destinationPath, folder))
    return;
  const int length = lstrlenA(folder);
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry;
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more;
       more = Process32Next(snapshot, &entry)) {
    if (InOwnLine(entry.th32ProcessID) ||
        !ProgramOf(entry.th32ProcessID, program) || lstrlenA(program) <= length)
      continue;
    char start[PATH_SIZE];
    lstrcpynA(start, program, length + 1);
    if (lstrcmpiA(start, folder) == 0 &&
        !Add(found, entry.th32ProcessID, program))
      break;
  }
  CloseHandle(snapshot);
}

} // namespace

int OpenedElsewhere(const char* path) {
  HANDLE file =
      CreateFileA(path, GENERIC_READ | DELETE, 0, nullptr, OPEN_EXISTING,
                  FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return 0;
  }
  DWORD error = GetLastError();
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

int FindFileHolders(FileHolders* found) {
  found->count = 0;
  ListInstallationFiles();
  FindOwnLine();
  AskRestartManager(found);
  if (found->count == 0)
    ScanProcesses(found);
  for (int i = 0; i < fileCount && found->count == 0; ++i)
    if (OpenedElsewhere(files[i]))
      Add(found, 0, files[i]);
  return found->count;
}
