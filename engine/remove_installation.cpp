#include "engine/remove_installation.h"

#include "engine/destination.h"
#include "engine/uninstaller_aside.h"
#include "state/installer_state.h"
#include "state/message_box.h"

#include <string.h>
#include <wchar.h>

RemovalCalls removalCalls = {OpenInFolder};

namespace {

// Deeper folders than this stay, and so does the tree above them: an
// endless chain of folders must not exhaust the stack.
enum { DEPTH_LIMIT = 128 };

enum : ACCESS_MASK {
  ENTRY_ACCESS = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
  FOLDER_ACCESS = ENTRY_ACCESS | FILE_LIST_DIRECTORY | FILE_TRAVERSE,
};

// Junctions and symbolic links carry this bit in their tag.
const DWORD kNameSurrogate = 0x20000000;

// The folder at hand as a person reads it, for the box of a folder that
// stays; it is never used to reach anything.
char shown[PATH_SIZE];

// One batch of a folder's entries. A folder's files and links are all
// deleted before any of its sub-folders is walked, so the levels take
// turns with it. The system wants its answers aligned to their largest
// field.
alignas(8) unsigned char batch[0x10000];

int IsDotEntry(const ListedEntry& entry) {
  return entry.name[0] == L'.' &&
         (entry.nameBytes == 2 ||
          (entry.nameBytes == 4 && entry.name[1] == L'.'));
}

// A name with a separator would be read as a path by the open.
int NamesOneEntry(const ListedEntry& entry) {
  return entry.nameBytes > 0 &&
         !wmemchr(entry.name, L'\\', entry.nameBytes / 2) &&
         !wmemchr(entry.name, L'/', entry.nameBytes / 2);
}

int IsPlainFolder(DWORD attributes) {
  return (attributes &
          (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
         FILE_ATTRIBUTE_DIRECTORY;
}

int IsNamed(const ListedEntry& entry, const wchar_t* name) {
  const size_t length = wcslen(name);
  return entry.nameBytes == length * sizeof(wchar_t) &&
         _wcsnicmp(entry.name, name, length) == 0;
}

// The marks of an installation, in the order they go: the program, the
// record that tells the folder is an installation, and the uninstaller,
// which the Apps & features entry starts. They stay while anything else
// of the folder does, so that a removal cut short, or refused by a file
// in use, is finished by the next one, from the entry too.
const wchar_t* const kMarks[] = {L"orvel.exe", L"install.rec", L"install.exe"};

// The mark's bit (1, 2 or 4), or 0 for any other entry.
int MarkBit(const ListedEntry& entry) {
  for (int i = 0; i < 3; ++i)
    if (IsNamed(entry, kMarks[i]))
      return 1 << i;
  return 0;
}

int IsMark(const ListedEntry& entry) {
  return MarkBit(entry) != 0;
}

// The box of a folder that stays, with the system's reason.
void ReportFolder(DWORD error) {
  // The path is shorter than PATH_SIZE, below wsprintfA's limit.
  wsprintfA(state.scratchText, "<%s>\nlen= %d\nGetLastError was %ld", shown,
            static_cast<int>(strlen(shown)), static_cast<long>(error));
  ShowMessageBox(state.mainWindow, state.scratchText, "Folder Delete Error",
                 MB_OK);
}

// Adds the entry's name and a backslash to the shown path; returns the
// length to cut it back to.
size_t ShowEntered(const ListedEntry& entry) {
  size_t length = strlen(shown);
  int room = static_cast<int>(sizeof shown - length) - 2;
  int added =
      room > 0 ? WideCharToMultiByte(CP_ACP, 0, entry.name, entry.nameBytes / 2,
                                     shown + length, room, nullptr, nullptr)
               : 0;
  shown[length + added] = '\\';
  shown[length + added + 1] = '\0';
  return length;
}

// Whether a listing gave entries: not at its end, and no error.
int Listed(NativeStatus status) {
  return status != NATIVE_NO_MORE_FILES && !NativeFailed(status);
}

void EmptyFolder(HANDLE folder, int depth);

// A held folder, emptied, then deleted through its handle.
void RemoveHeldFolder(HANDLE folder, int depth) {
  EmptyFolder(folder, depth);
  NativeStatus status = DeleteHeld(folder);
  if (NativeFailed(status))
    ReportFolder(NativeError(status));
}

// The entry as its handle tells it must be the one listed: the same kind,
// and the same file where the file system numbers them. Otherwise its name
// was given to another entry meanwhile, or the open followed a link, and
// the entry is left alone.
int IsAsListed(const HeldEntry& held, const ListedEntry& listed) {
  const DWORD kind = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  return (held.attributes & kind) == (listed.attributes & kind) &&
         (held.id == listed.id || held.id == 0 || listed.id == 0);
}

void RemoveEntry(HANDLE folder, const ListedEntry& listed, int depth) {
  int isFolder = IsPlainFolder(listed.attributes);
  HANDLE entry;
  if (NativeFailed(removalCalls.openEntry(
          folder, listed.name, listed.nameBytes,
          isFolder ? FOLDER_ACCESS : ENTRY_ACCESS, &entry)))
    return;
  HeldEntry held;
  if (!NativeFailed(DescribeHeld(entry, &held)) && IsAsListed(held, listed)) {
    if (isFolder)
      RemoveHeldFolder(entry, depth + 1);
    // A link goes as a link; any other reparse point that is a folder
    // stays, and so does its folder.
    else if (!(held.attributes & FILE_ATTRIBUTE_DIRECTORY) ||
             (held.reparseTag & kNameSurrogate))
      DeleteHeld(entry);
  }
  CloseHandle(entry);
}

// The first pass over a folder: everything that is not a folder to walk.
void RemoveFilesAndLinks(HANDLE folder, int keepMarks) {
  for (int restart = 1;; restart = 0) {
    if (!Listed(ListFolder(folder, batch, sizeof batch, 0, restart)))
      return;
    ListedEntry entry;
    for (const unsigned char* at = batch; at;) {
      at = ReadListed(at, &entry);
      if (!IsDotEntry(entry) && NamesOneEntry(entry) &&
          !IsPlainFolder(entry.attributes) && !(keepMarks && IsMark(entry)))
        RemoveEntry(folder, entry, 0);
    }
  }
}

// The second pass: each sub-folder, walked as it is listed, one at a time.
void RemoveSubFolders(HANDLE folder, int depth) {
  // Room for one entry with the longest name.
  alignas(8) unsigned char one[104 + 256 * sizeof(wchar_t)];
  for (int restart = 1;; restart = 0) {
    if (!Listed(ListFolder(folder, one, sizeof one, 1, restart)))
      return;
    ListedEntry entry;
    ReadListed(one, &entry);
    if (IsDotEntry(entry) || !NamesOneEntry(entry) ||
        !IsPlainFolder(entry.attributes))
      continue;
    size_t length = ShowEntered(entry);
    RemoveEntry(folder, entry, depth);
    shown[length] = '\0';
  }
}

void EmptyFolder(HANDLE folder, int depth) {
  if (depth > DEPTH_LIMIT)
    return;
  RemoveFilesAndLinks(folder, 0);
  RemoveSubFolders(folder, depth);
}

// 1 when the held folder holds nothing but the marks of an installation;
// those it holds go into `found`, a bit each.
int OnlyMarksLeft(HANDLE folder, int* found) {
  *found = 0;
  for (int restart = 1;; restart = 0) {
    NativeStatus status = ListFolder(folder, batch, sizeof batch, 0, restart);
    if (!Listed(status))
      return status == NATIVE_NO_MORE_FILES;
    ListedEntry entry;
    for (const unsigned char* at = batch; at;) {
      at = ReadListed(at, &entry);
      if (!IsDotEntry(entry) && !IsMark(entry))
        return 0;
      *found |= MarkBit(entry);
    }
  }
}

// Deletes the marks one after the other, stopping at one that stays
// (the program still running, say): what follows it keeps the folder an
// installation. The uninstaller that runs the removal is moved out.
void RemoveMarks(HANDLE folder, int found) {
  for (int i = 0; i < 3; ++i) {
    if (!(found & (1 << i)))
      continue;
    const wchar_t* mark = kMarks[i];
    HANDLE entry;
    if (NativeFailed(removalCalls.openEntry(
            folder, mark, static_cast<unsigned>(wcslen(mark) * sizeof(wchar_t)),
            ENTRY_ACCESS, &entry)))
      return;
    HeldEntry held;
    int gone = !NativeFailed(DescribeHeld(entry, &held)) &&
               !(held.attributes & FILE_ATTRIBUTE_DIRECTORY) &&
               (!NativeFailed(DeleteHeld(entry)) ||
                (mark == kMarks[2] && MoveUninstallerAside(entry)));
    CloseHandle(entry);
    if (!gone)
      return;
  }
}

void RemoveDestinationTree() {
  lstrcpynA(shown, state.destinationPath, sizeof shown);
  // Held without delete sharing: nobody renames it away while it is
  // emptied. Opened as itself, never through a link; one that cannot be
  // held so is not touched, and says so.
  HANDLE folder = CreateFileA(
      state.destinationPath, FOLDER_ACCESS | SYNCHRONIZE,
      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (folder == INVALID_HANDLE_VALUE) {
    ReportFolder(GetLastError());
    return;
  }
  HeldEntry held;
  if (NativeFailed(DescribeHeld(folder, &held)) ||
      !IsPlainFolder(held.attributes)) {
    ReportFolder(ERROR_DIRECTORY);
  } else {
    RemoveFilesAndLinks(folder, 1);
    RemoveSubFolders(folder, 0);
    int found;
    if (OnlyMarksLeft(folder, &found))
      RemoveMarks(folder, found);
    NativeStatus status = DeleteHeld(folder);
    if (NativeFailed(status))
      ReportFolder(NativeError(status));
  }
  CloseHandle(folder);
}

} // namespace

int RemoveInstallation() {
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  if (ValidateDestination(0) == 0)
    RemoveDestinationTree();
  SetCursor(previous);
  return 0;
}
