#include "shortcuts/shell_links.h"

#include "state/installer_state.h"
#include "state/same_folder.h"
#include "state/system_library.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <stdio.h>
#include <string.h>

namespace {

// The shell's folder numbers.
enum {
  FOLDER_PROGRAMS = 0x02,
  FOLDER_DESKTOP = 0x10,
  FOLDER_ALL_USERS_PROGRAMS = 0x17,
  FOLDER_ALL_USERS_DESKTOP = 0x19,
};
// The script's WindowStyle=4 and its hot key CTRL+ALT+O.
const int kWindowStyle = 4;
const WORD kHotKey = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'O';

const CLSID kShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

typedef BOOL(WINAPI* FolderPathCall)(HWND, LPSTR, int, BOOL);
typedef HRESULT(WINAPI* InitialiseCall)(LPVOID);
typedef void(WINAPI* UninitialiseCall)();
typedef HRESULT(WINAPI* CreateCall)(REFCLSID, LPUNKNOWN, DWORD, REFIID,
                                    LPVOID*);

// One shortcut as the script writes it.
struct Shortcut {
  int flag;
  bool inGroup;   // in the program group folder "Orvel"
  bool inStartUp; // in the programs menu's "StartUp"
  const char* name;
};

const Shortcut kShortcuts[] = {
    {SHORTCUT_DESKTOP, false, false, "Orvel.lnk"},
    {SHORTCUT_PROGRAMS, true, false, "Orvel.lnk"},
    {SHORTCUT_UNINSTALL, true, false, "UN-INSTALL Orvel.lnk"},
    {SHORTCUT_STARTUP, false, true, "Orvel.lnk"},
};

int SpecialFolder(int folder, char* path) {
  auto call =
      SystemCall<FolderPathCall>("shell32.dll", "SHGetSpecialFolderPathA");
  return call && call(nullptr, path, folder, FALSE);
}

bool Exists(const char* path) {
  return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// The script uses the all-users folders when their desktop is there and
// the installer holds the right to them.
int FolderOf(const Shortcut& shortcut, char* folder) {
  char allUsersDesktop[MAX_PATH];
  bool allUsers = state.allUsersShortcuts == 1 &&
                  SpecialFolder(FOLDER_ALL_USERS_DESKTOP, allUsersDesktop) &&
                  Exists(allUsersDesktop);
  if (shortcut.flag == SHORTCUT_DESKTOP)
    return SpecialFolder(allUsers ? FOLDER_ALL_USERS_DESKTOP : FOLDER_DESKTOP,
                         folder);
  if (!SpecialFolder(allUsers ? FOLDER_ALL_USERS_PROGRAMS : FOLDER_PROGRAMS,
                     folder))
    return 0;
  lstrcatA(folder, shortcut.inGroup ? "\\Orvel" : "\\StartUp");
  return 1;
}

IShellLinkA* NewLink() {
  auto create = SystemCall<CreateCall>("ole32.dll", "CoCreateInstance");
  IShellLinkA* link = nullptr;
  if (!create || FAILED(create(kShellLink, nullptr, CLSCTX_INPROC_SERVER,
                               kShellLinkA, reinterpret_cast<void**>(&link))))
    return nullptr;
  return link;
}

// Saves the link as the file `path`, or loads it from there.
bool SaveOrLoad(IShellLinkA* link, const char* path, bool save) {
  IPersistFile* file = nullptr;
  if (FAILED(
          link->QueryInterface(kPersistFile, reinterpret_cast<void**>(&file))))
    return false;
  wchar_t widePath[MAX_PATH];
  bool done = MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) &&
              SUCCEEDED(save ? file->Save(widePath, TRUE)
                             : file->Load(widePath, STGM_READ));
  file->Release();
  return done;
}

bool MakeLink(const Shortcut& shortcut, const char* path,
              const char* targetPath, const char* workingFolder) {
  IShellLinkA* link = NewLink();
  if (!link)
    return false;
  // The uninstall shortcut starts the installer beside the program with
  // its uninstall switch.
  char installer[PATH_SIZE];
  _snprintf(installer, sizeof installer, "%sinstall.exe", workingFolder);
  installer[sizeof installer - 1] = '\0';
  const bool uninstall = shortcut.flag == SHORTCUT_UNINSTALL;
  const char* program = uninstall ? installer : targetPath;
  link->SetPath(program);
  if (uninstall)
    link->SetArguments("/UN");
  link->SetWorkingDirectory(workingFolder);
  link->SetShowCmd(kWindowStyle);
  link->SetIconLocation(program, 0);
  if (shortcut.flag == SHORTCUT_DESKTOP)
    link->SetHotkey(kHotKey);
  bool saved = SaveOrLoad(link, path, true);
  link->Release();
  return saved;
}

// Whether the shortcut file `path` starts a program in `folder`; false
// when it cannot be read as a shell link.
bool StartsIn(const char* path, const char* folder) {
  IShellLinkA* link = NewLink();
  if (!link)
    return false;
  char program[PATH_SIZE] = "";
  bool read = SaveOrLoad(link, path, false) &&
              link->GetPath(program, sizeof program, nullptr, 0) == S_OK;
  link->Release();
  // The script writes the uninstall shortcut's switch into its target, so
  // only what comes before the last backslash counts.
  char* lastSlash = strrchr(program, '\\');
  if (!read || !lastSlash)
    return false;
  lastSlash[1] = '\0';
  return SameFolder(program, folder);
}

// The path of one shortcut's file; 0 when its folder cannot be found.
int LinkPath(const Shortcut& shortcut, char* folder, char* path) {
  if (!FolderOf(shortcut, folder))
    return 0;
  wsprintfA(path, "%s\\%s", folder, shortcut.name);
  return 1;
}

// Brings one shortcut to what the flags ask; whether it is so now.
bool Complete(const Shortcut& shortcut, bool removeOnly, const char* targetPath,
              const char* workingFolder) {
  char folder[MAX_PATH + 16];
  char path[MAX_PATH + 40];
  if (!LinkPath(shortcut, folder, path))
    return false;
  if (removeOnly) {
    if (Exists(path))
      DeleteFileA(path);
    // An emptied program group goes, as the script would delete it.
    if (shortcut.inGroup)
      RemoveDirectoryA(folder);
    return !Exists(path);
  }
  // One that starts another folder's program is taken over, as the
  // script would have done.
  if (Exists(path) && StartsIn(path, workingFolder))
    return true;
  CreateDirectoryA(folder, nullptr);
  return MakeLink(shortcut, path, targetPath, workingFolder);
}

// The shell link objects need COM on this thread; 1 when this call
// started it and EndCom must end it.
int StartCom() {
  auto initialise = SystemCall<InitialiseCall>("ole32.dll", "CoInitialize");
  return initialise && SUCCEEDED(initialise(nullptr));
}

void EndCom(int started) {
  auto uninitialise =
      SystemCall<UninitialiseCall>("ole32.dll", "CoUninitialize");
  if (started && uninitialise)
    uninitialise();
}

} // namespace

// A frame of its own: inlined at -O2 into UpdateShortcuts, its buffers
// and the caller's would make one frame larger than the stack page that a
// build without stack probes allows.
[[gnu::noinline]] int CompleteShortcuts(ShortcutFlags flags,
                                        const char* targetPath,
                                        const char* workingFolder) {
  const bool removeOnly = (flags & SHORTCUT_REMOVE_ONLY) != 0;
  int started = StartCom();
  int complete = 1;
  for (const Shortcut& shortcut : kShortcuts)
    if ((flags & shortcut.flag) &&
        !Complete(shortcut, removeOnly, targetPath, workingFolder))
      complete = 0;
  EndCom(started);
  return complete;
}

[[gnu::noinline]] ShortcutFlags ShortcutsOfFolder(const char* folder,
                                                  ShortcutFlags* others) {
  int started = StartCom();
  ShortcutFlags own = 0;
  *others = 0;
  for (const Shortcut& shortcut : kShortcuts) {
    char linkFolder[MAX_PATH + 16];
    char path[MAX_PATH + 40];
    if (!LinkPath(shortcut, linkFolder, path) || !Exists(path))
      continue;
    if (StartsIn(path, folder))
      own |= shortcut.flag;
    else
      *others |= shortcut.flag;
  }
  EndCom(started);
  return own;
}
