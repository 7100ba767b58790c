#include "engine/install_files.h"

#include "engine/agreement_text.h"
#include "engine/destination.h"
#include "engine/file_holders.h"
#include "engine/fresh_file.h"
#include "engine/install_steps.h"
#include "engine/payload_check.h"
#include "engine/payload_crc.h"
#include "engine/payload_table.h"
#include "engine/previous_files.h"
#include "engine/version_info.h"
#include "shortcuts/shortcut_runner.h"
#include "state/installer_state.h"
#include "state/message_box.h"
#include "state/system_library.h"

#include <windows.h>
#include <lzexpand.h>

#include <errno.h>
#include <stdio.h>
#include <string.h>

int agreementCopyFailed = 0;

namespace {

int MoveIntoPlace(const char* from, const char* to) {
  return MoveFileExA(from, to,
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

} // namespace

int (*replaceFinalName)(const char* from, const char* to) = MoveIntoPlace;

namespace {

const char kCompressedTemp[] = "$$cmp.tm$";
const char kUncompressedTemp[] = "$$unc.tm$";

// The destination folder (it ends with a backslash) and a file name in it.
void InDestination(char* out, const char* name) {
  _snprintf(out, PATH_SIZE, "%s%s", state.destinationPath, name);
  out[PATH_SIZE - 1] = '\0';
}

bool Exists(const char* path) {
  return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// A temporary file of the destination, made anew: whatever stood under
// its name (a file left by a run that was cut short, or a link someone
// placed in a folder they could write to) is replaced, never written
// through.
HANDLE CreateTemporary(const char* path) {
  return CreateFreshFile(path);
}

// The resource's bytes, unchanged, as the compressed temporary file, in
// one write; its path is left in scratchText.
ErrorCode WriteCompressedTemp(HRSRC found, HGLOBAL loaded) {
  const void* bytes = LockResource(loaded);
  if (!bytes)
    return ERR_LOCK_MEMORY;
  DWORD size = SizeofResource(state.appInstance, found);
  if (size == 0)
    return ERR_IMAGE_SIZE;
  InDestination(state.scratchText, kCompressedTemp);
  HANDLE file = CreateTemporary(state.scratchText);
  if (file == INVALID_HANDLE_VALUE)
    return ERR_FILE_CREATE;
  DWORD written = 0;
  if (!WriteFile(file, bytes, size, &written, nullptr))
    written = 0;
  if (!CloseHandle(file))
    written = 0;
  return written < size ? ERR_DISK_WRITE : 0;
}

// The LZ functions treat a damaged header or a short data stream as
// success, and copy a file without the SZDD mark as it is. Every payload
// is packed, so a resource without the mark is damaged too, and would
// otherwise replace the program with its raw bytes. A payload counts as
// expanded only when it has the mark, the one method known, and every
// byte its header announces came out.
long CheckExpansion(const char* compressed, long copied) {
  static const unsigned char kMagic[8] = {'S',  'Z',  'D',  'D',
                                          0x88, 0xF0, 0x27, 0x33};
  unsigned char header[14];
  size_t got = 0;
  if (FILE* file = fopen(compressed, "rb")) {
    got = fread(header, 1, sizeof header, file);
    fclose(file);
  }
  if (got < sizeof kMagic || memcmp(header, kMagic, sizeof kMagic) != 0)
    return LZERROR_BADINHANDLE;
  if (got < sizeof header)
    return LZERROR_BADVALUE;
  if (header[8] != 'A')
    return LZERROR_UNKNOWNALG;
  unsigned long announced = header[10] | header[11] << 8 | header[12] << 16 |
                            static_cast<unsigned long>(header[13]) << 24;
  return static_cast<unsigned long>(copied) == announced ? copied
                                                         : LZERROR_BADVALUE;
}

typedef INT(WINAPI* LzInitCall)(INT);
typedef INT(WINAPI* LzReadCall)(INT, LPSTR, INT);
typedef void(WINAPI* LzCloseCall)(INT);

// The expander, from the system folder only.
INT LzInit(INT file) {
  auto call = SystemCall<LzInitCall>("lz32.dll", "LZInit");
  return call ? call(file) : LZERROR_GLOBALLOC;
}

INT LzRead(INT source, unsigned char* buffer, INT size) {
  auto call = SystemCall<LzReadCall>("lz32.dll", "LZRead");
  return call ? call(source, reinterpret_cast<LPSTR>(buffer), size)
              : LZERROR_GLOBALLOC;
}

void LzClose(INT handle) {
  if (auto call = SystemCall<LzCloseCall>("lz32.dll", "LZClose"))
    call(handle);
}

// The expanded data passes through here on its way to the disk, in
// pieces of 64 KB (in uninitialised data, off the one-page stack), so that
// its checksum is taken on the way rather than by reading the file again,
// and it is written in a few large writes rather than the LZ copy's
// thousand bytes at a time.
unsigned char expanded[0x10000];

// Returns the bytes written, or a negative LZ error.
long CopyExpanded(INT source, HANDLE target, uint32_t* crc) {
  long copied = 0;
  for (;;) {
    INT got = LzRead(source, expanded, sizeof expanded);
    if (got <= 0)
      return got < 0 ? got : copied;
    *crc = PayloadCrc(*crc, expanded, got);
    DWORD written = 0;
    if (!WriteFile(target, expanded, got, &written, nullptr) ||
        written != static_cast<DWORD>(got))
      return LZERROR_WRITE;
    copied += got;
  }
}

// LZOpenFileA keeps the path in an OFSTRUCT of 128 characters and fails
// on a longer one, which a long destination gives; the files are opened
// by their full path and the LZ reader is put on the open file instead.
INT OpenCompressed(const char* path) {
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR)
    return LZERROR_BADINHANDLE;
  INT handle = LzInit(file);
  if (handle < 0)
    _lclose(file);
  return handle;
}

// The final name with its extension replaced by "bak" (".bak" appended
// to a name without one).
void BackupName(char* out, const char* finalPath) {
  lstrcpynA(out, finalPath, PATH_SIZE - 4);
  size_t end = strlen(out);
  while (end > 0 && out[end - 1] != '.' && out[end - 1] != '\\')
    --end;
  if (end > 0 && out[end - 1] == '.')
    lstrcpyA(out + end, "bak");
  else
    lstrcatA(out, ".bak");
}

// Version data of a file that is there must be readable.
ErrorCode CheckVersionIfPresent(const char* path) {
  return Exists(path) ? ReadVersionInfo(path) : 0;
}

// The C library's number for a failed replace, as the error report shows
// it: a file that is not there, or one that may not be touched.
int ErrorNumberOf(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
             ? ENOENT
             : EACCES;
}

void SaveAgreement(const char* text, int size, void*) {
  agreementCopyFailed = SaveAgreementFile(text, size);
}

} // namespace

ErrorCode ExtractPayload(unsigned short resourceId) {
  state.scratchText[0] = '\0';
  HRSRC found =
      FindResourceA(state.appInstance, MAKEINTRESOURCEA(resourceId), RT_RCDATA);
  if (!found)
    return ERR_NO_RESOURCE;
  HGLOBAL loaded = LoadResource(state.appInstance, found);
  if (!loaded)
    return ERR_NO_MEMORY;
  ErrorCode result = WriteCompressedTemp(found, loaded);
  FreeResource(loaded);
  if (result != 0 && state.scratchText[0] != '\0')
    remove(state.scratchText);
  return result;
}

void FormPayloadPaths(const char* name, PayloadPaths* paths) {
  InDestination(paths->compressed, kCompressedTemp);
  InDestination(paths->uncompressed, kUncompressedTemp);
  InDestination(paths->finalPath, name);
}

long ExpandPayload(const PayloadPaths* paths, uint32_t* crc) {
  *crc = 0;
  INT source = OpenCompressed(paths->compressed);
  HANDLE created = CreateTemporary(paths->uncompressed);
  long copied = source;
  if (created == INVALID_HANDLE_VALUE)
    copied = LZERROR_BADOUTHANDLE;
  else if (source >= 0)
    copied = CopyExpanded(source, created, crc);
  if (source >= 0)
    LzClose(source);
  if (created != INVALID_HANDLE_VALUE)
    CloseHandle(created);
  return copied;
}

// SZDD carries no checksum, and damaged data (one literal byte changed, a
// copy pointing elsewhere) can expand without an error, so the result must
// also match the checksum recorded at build time.
long CheckExpandedPayload(const char* name, const PayloadPaths* paths,
                          long expanded, uint32_t crc) {
  if (expanded >= 0)
    expanded = CheckExpansion(paths->compressed, expanded);
  if (expanded >= 0 && !ExpandedPayloadIsIntact(name, crc))
    expanded = PAYLOAD_CRC_MISMATCH;
  return expanded;
}

ErrorCode ReportExpansion(long checked, const PayloadPaths* paths) {
  if (checked >= 0)
    return 0;
  _snprintf(state.scratchText, MESSAGE_SIZE, "Decompress Error = %ld\n%s\n%s",
            checked, paths->compressed, paths->uncompressed);
  state.scratchText[MESSAGE_SIZE - 1] = '\0';
  ShowMessageBox(state.mainWindow, state.scratchText, "Error", 0xF0);
  return ERR_DECOMPRESS;
}

ErrorCode CheckPayloadVersions(const PayloadPaths* paths) {
  ErrorCode result = ReadVersionInfo(paths->uncompressed);
  if (result == 0)
    result = CheckVersionIfPresent(paths->finalPath);
  if (result != 0)
    return result;
  char backup[PATH_SIZE];
  BackupName(backup, paths->finalPath);
  return CheckVersionIfPresent(backup);
}

// So that no crash leaves a program of the right name and no content.
void FlushPayload(const PayloadPaths* paths) {
  HANDLE file = CreateFileA(paths->uncompressed, GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return;
  FlushFileBuffers(file);
  CloseHandle(file);
}

// At every moment the final name holds the old file or the new one, also
// when the old one is held open by another program or the run is killed.
// When the old file cannot be replaced, it stays as it was and the
// expanded one waits beside it for the next run.
ErrorCode ReplaceFinalFile(const PayloadPaths* paths) {
  // A read-only file is not replaced (Windows refuses it; Wine would not).
  DWORD attributes = GetFileAttributesA(paths->finalPath);
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_READONLY))
    SetLastError(ERROR_ACCESS_DENIED);
  else if (replaceFinalName(paths->uncompressed, paths->finalPath))
    return 0;
  state.errorDetail = ErrorNumberOf(GetLastError());
  if (Exists(paths->finalPath))
    return ERR_DELETE_PREVIOUS;
  remove(paths->uncompressed);
  return ERR_RENAME_TEMP;
}

ErrorCode InstallPayloadFile(const char* name) {
  PayloadPaths paths;
  FormPayloadPaths(name, &paths);
  uint32_t crc;
  long expanded = ExpandPayload(&paths, &crc);
  ErrorCode result = ReportExpansion(
      CheckExpandedPayload(name, &paths, expanded, crc), &paths);
  remove(paths.compressed);
  if (result != 0) {
    remove(paths.uncompressed);
    return result;
  }
  // From here on a refusal leaves the expanded file for the next run to
  // overwrite.
  if ((result = CheckPayloadVersions(&paths)) != 0)
    return result;
  FlushPayload(&paths);
  return ReplaceFinalFile(&paths);
}

namespace {

// Before the first file is replaced, every one to replace must be free:
// not read-only, and open in no other program.
ErrorCode CheckReplaceable() {
  for (int slot = 0; slot < PAYLOAD_SLOT_COUNT; ++slot) {
    char name[PATH_SIZE], path[PATH_SIZE];
    if (MapPayloadName(name, PayloadTable[slot].catalogueName))
      continue;
    InDestination(path, name);
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
      continue;
    if ((attributes & FILE_ATTRIBUTE_READONLY) || OpenedElsewhere(path)) {
      lstrcpynA(state.errorPath, name, PATH_SIZE);
      state.errorDetail = EACCES;
      return ERR_DELETE_PREVIOUS;
    }
  }
  return 0;
}

// One slot: the previous file kept, the new one in its place.
ErrorCode InstallSlot(int slot) {
  char name[PATH_SIZE];
  if (MapPayloadName(name, PayloadTable[slot].catalogueName))
    return 0;
  lstrcpynA(state.errorPath, name, PATH_SIZE);
  state.errorDetail = 0;
  char finalPath[PATH_SIZE];
  InDestination(finalPath, name);
  ErrorCode result = KeepPrevious(finalPath);
  if (result == 0)
    result = ExtractPayload(
        static_cast<unsigned short>(PayloadTable[slot].resourceId));
  if (result == 0)
    result = InstallPayloadFile(name);
  if (result == 0)
    MarkReplaced();
  return result;
}

} // namespace

ErrorCode InstallFiles() {
  ErrorCode result = ValidateDestination(1);
  if (result == 0)
    result = CheckReplaceable();
  if (result != 0)
    return result;
  for (int slot = 0; slot < PAYLOAD_SLOT_COUNT && result == 0; ++slot)
    result = InstallSlot(slot);
  // All or nothing: a failure puts back every file replaced before it.
  if (result != 0) {
    PutPreviousBack();
    char temporary[PATH_SIZE];
    InDestination(temporary, kUncompressedTemp);
    DeleteFileA(temporary);
    return result;
  }
  DropPrevious();
  InDestination(state.scratchText, "orvel.exe");
  UpdateShortcuts(state.shortcutFlags, state.scratchText);
  agreementCopyFailed = 0;
  if (state.agreementIncluded == 1 && UseAgreementText(SaveAgreement, nullptr))
    agreementCopyFailed = 1;
  return 0;
}
