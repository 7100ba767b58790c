// Unattended runs of the real install.exe and install-update.exe: the
// exit code, what lands on disk, the log, and that no window appears.
#include "tests/shell/installer_process.h"
#include "tests/support/disk_files.h"
#include "tests/support/unix_links.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

using namespace disk;

namespace {

const std::string kRoot = "c:\\orvel-tests\\unattended\\";
// Forward slashes: "/unattended-logs" holds "/un", which the interactive
// scan would take for the uninstall switch.
const std::string kLogs = "c:/orvel-tests/unattended-logs/";

// FOREIGN: a folder of other files, without the product's program.
enum Before {
  NOTHING,
  EARLIER,
  EARLIER_HELD,
  INSTALLED,
  INSTALLED_HELD,
  // Installed, with a folder whose name the 8-bit calls spell "..\victim".
  INSTALLED_FULL_WIDTH,
  FOREIGN,
  // The destination a link to a folder elsewhere that holds orvel.exe.
  LINKED_ELSEWHERE,
  // Links in the destination where eula.txt and the temporary files go,
  // to a file elsewhere and to a read-only one.
  LINKS_PLANTED,
  // A folder named eula.txt in the destination, where the copy goes.
  EULA_FOLDER,
  // Someone's Downloads: an unpacked archive with the installer, the
  // program and a licence, beside the person's own files.
  DOWNLOADS,
  // The product's files and a record of an installation, made by someone
  // else in a folder of their own.
  FORGED,
  // Installed with an earlier help file; Orvel running from the folder,
  // or the help file held open by another program.
  ORVEL_RUNNING,
  HELP_HELD,
  // Installed by a real run, then into "<folder>-second", which took the
  // shortcuts over.
  SECOND_INSTALLED,
  // The temporary folder missing for the run; before it, nothing, or an
  // installation by a real run.
  NO_TEMP,
  INSTALLED_NO_TEMP,
  // The installer run from a copy in a folder named outside the code page.
  FROM_CYRILLIC_FOLDER
};
enum After {
  PAYLOAD,
  NOTHING_MADE,
  EARLIER_KEPT,
  GONE,
  HELD_FILE_LEFT,
  AS_IT_WAS,
  // Gone, but the shortcuts of "<folder>-second" and that folder stay.
  GONE_SECOND_KEPT
};

struct Case {
  const char* folder; // under kRoot, or a full path
  const char* program;
  Before before;
  // %D: the folder without its trailing backslash; %L: the log file, %N:
  // a log file named relative to the current folder;
  // %X: 300 characters, %Y: 800.
  const char* tail;
  long exitCode;
  After after;
  const char* logged; // part of the log, with %D; null: no log to read
};

const char kEntry[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvel";

// A value of the Apps & features entry in the given view of the
// registry; "-" when the entry or the value is missing.
std::string EntryValue(const char* name, REGSAM view = KEY_WOW64_32KEY) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEntry, 0, KEY_QUERY_VALUE | view,
                    &key))
    return "-";
  char value[1024] = "";
  DWORD type = 0, size = sizeof value - 1;
  LONG error = RegQueryValueExA(key, name, nullptr, &type,
                                reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (error)
    return "-";
  if (type == REG_DWORD)
    return std::to_string(*reinterpret_cast<DWORD*>(value));
  return value;
}

// Sets an environment variable for the test's children, and back.
struct Environment {
  Environment(const char* name, const std::string& value) : name(name) {
    char old[2048];
    DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
    had = length > 0 && length < sizeof old;
    if (had)
      before = old;
    SetEnvironmentVariableA(name, value.c_str());
  }
  ~Environment() {
    SetEnvironmentVariableA(name, had ? before.c_str() : nullptr);
  }
  const char* name;
  bool had = false;
  std::string before;
};

const char* const kInstall = INSTALL_EXE_PATH;
// A Downloads folder as a Russian Windows names it, which the code page
// of a Western one cannot spell; the copy of the installer there, in
// UTF-8 for the Installer helper.
const wchar_t kCyrillicFolder[] = L"c:\\orvel-tests\\Загрузки";
const char kCyrillicCopy[] = "c:\\orvel-tests\\Загрузки\\install.exe";
const char* const kUpdate = INSTALL_UPDATE_EXE_PATH;
// The copy of install.exe in the folder.
const char* const kInFolder = "install.exe in the folder";

const char kOrvelRunning[] = "Files in Use: Orvel is running. | %D\\orvel.exe";
const char kHelpHeld[] =
    "Files in Use: Another program is using a file of Orvel: | "
    "%D\\orvel.chm";

const Case kCases[] = {
    {"fresh", kInstall, NOTHING, "/S /LOG=%L /D=%D", 0, PAYLOAD,
     "Installed: %D\\"},
    {"with blanks in its name", kInstall, NOTHING, "/LOG=%L /s /D=%D", 0,
     PAYLOAD, "Agreement: accepted by /S"},
    {"earlier", kInstall, EARLIER, "/S /LOG=%L /D=%D", 0, PAYLOAD,
     "Installing: %D\\"},
    {"unused", kInstall, NOTHING,
     "/S /LOG=%L /D=c:\\orvel-tests\\unattended/unused", 0, PAYLOAD,
     "Installed: "},
    {"c:\\windows\\orvel-unattended", kInstall, NOTHING, "/S /LOG=%L /D=%D", 41,
     NOTHING_MADE,
     "Folder Error: Error #41 | Installation not allowed in Windows Path | "
     "%D\\"},
    {"held", kInstall, EARLIER_HELD, "/S /LOG=%L /D=%D", 75, EARLIER_KEPT,
     "Files in Use: Another program is using a file of Orvel: | "
     "%D\\orvel.exe"},
    // A program that holds a file of the installation: answered at once
    // with nothing changed, or asked to close first (and Orvel started
    // again after an update).
    {"orvel running", kUpdate, ORVEL_RUNNING, "/S /LOG=%L /D=%D", 75, AS_IT_WAS,
     kOrvelRunning},
    {"orvel running", kInstall, ORVEL_RUNNING, "/S /LOG=%L /D=%D", 75,
     AS_IT_WAS, kOrvelRunning},
    {"orvel running", kInstall, ORVEL_RUNNING, "/UN /S /LOG=%L /D=%D", 75,
     AS_IT_WAS, kOrvelRunning},
    {"orvel running", kUpdate, ORVEL_RUNNING,
     "/S /CLOSEAPPLICATIONS /LOG=%L /D=%D", 0, PAYLOAD,
     "Asked to close: orvel.exe"},
    {"orvel running", kInstall, ORVEL_RUNNING,
     "/UN /S /closeapplications /LOG=%L /D=%D", 0, GONE,
     "Asked to close: orvel.exe"},
    {"help held", kUpdate, HELP_HELD, "/S /LOG=%L /D=%D", 75, AS_IT_WAS,
     kHelpHeld},
    {"help held", kInstall, HELP_HELD, "/S /CLOSEAPPLICATIONS /LOG=%L /D=%D",
     75, AS_IT_WAS, kHelpHeld},
    {"help held", kInstall, HELP_HELD, "/UN /S /LOG=%L /D=%D", 75, AS_IT_WAS,
     kHelpHeld},
    {"too long", kInstall, NOTHING, "/S /LOG=%L /D=%D\\%X", 12, NOTHING_MADE,
     "Error #12 | Destination Path Too Long"},
    {"longer than its buffer", kInstall, NOTHING, "/S /LOG=%L /D=%D\\%Y", 12,
     NOTHING_MADE, "Error #12 | Destination Path Too Long"},
    {"unknown switch", kInstall, NOTHING, "/S /LOG=%L /DIR=%D", 1639,
     NOTHING_MADE, "Unknown switch: /DIR=c:\\orvel-tests"},
    {"no folder", kInstall, NOTHING, "/S /LOG=%L /D=", 1639, NOTHING_MADE,
     "No folder after: /D="},
    {"switch after", kInstall, NOTHING, "/S /LOG=%L /D=%D /UN", 1639,
     NOTHING_MADE, "Switch after /D=: /UN"},
    {"switch after", kInstall, NOTHING, "/S /D=%D /LOG=%L", 1639, NOTHING_MADE,
     nullptr},
    {"no licence copy", kInstall, EULA_FOLDER, "/S /LOG=%L /D=%D", 73, PAYLOAD,
     "Agreement copy not written: %D\\eula.txt"},
    {"relative log", kInstall, NOTHING, "/S /LOG=%N /D=%D", 0, PAYLOAD,
     "Installed: %D\\"},
    {"log not writable", kInstall, NOTHING,
     "/S /LOG=c:\\orvel-tests\\no-such-folder\\x.log /D=%D", 0, PAYLOAD,
     nullptr},
    {"removed", kInstall, INSTALLED, "/UN /S /LOG=%L /D=%D", 0, GONE,
     "Removed: %D\\"},
    {"removal held", kInstall, INSTALLED_HELD, "/un /s /LOG=%L /D=%D", 1603,
     HELD_FILE_LEFT, "Folder Delete Error: <%D\\data\\>"},
    // Removed by its exact name, whatever the 8-bit calls would read.
    {"full width", kInstall, INSTALLED_FULL_WIDTH, "/UN /S /LOG=%L /D=%D", 0,
     GONE, "Removed: %D\\"},
    // Links where the installer creates, writes or removes: refused, or
    // replaced as names; nothing they point to changes (the outside is
    // compared whole for every row).
    {"linked", kInstall, LINKED_ELSEWHERE, "/UN /S /LOG=%L /D=%D", 13,
     AS_IT_WAS, "Folder Error: Error #13"},
    {"linked", kInstall, LINKED_ELSEWHERE, "/S /LOG=%L /D=%D", 13, AS_IT_WAS,
     "Folder Error: Error #13"},
    {"planted", kInstall, LINKS_PLANTED, "/S /LOG=%L /D=%D", 0, PAYLOAD,
     "Installed: %D\\"},
    // Files of the same names make no installation: nothing is taken.
    {"downloads", kInFolder, DOWNLOADS, "/UN /S /LOG=%L", 1605, AS_IT_WAS,
     "(no record of an installation made by this installer): c:\\Orvel\\"},
    {"forged", kInstall, FORGED, "/UN /S /LOG=%L /D=%D", 1605, AS_IT_WAS,
     "Not installed, nothing removed"},
    {"not installed", kInstall, FOREIGN, "/S /UN /LOG=%L /D=%D", 1605,
     AS_IT_WAS, "Not installed, nothing removed"},
    {"updated", kUpdate, INSTALLED, "/S /LOG=%L /D=%D", 0, PAYLOAD,
     "Updating: %D\\"},
    {"update of nothing", kUpdate, NOTHING, "/S /LOG=%L /D=%D", 50,
     NOTHING_MADE, "Error #50"},
    // Other spellings of the root and of the Windows folder: refused, and
    // nothing is made or removed anywhere.
    {"hostile", kInstall, NOTHING,
     "/S /LOG=%L /D=c:\\orvel-tests\\unattended\\x\\..\\..\\..\\", 40,
     NOTHING_MADE, "Folder Error: Error #40"},
    {"hostile", kInstall, NOTHING,
     "/UN /S /LOG=%L /D=c:\\orvel-tests\\unattended\\x\\..\\..\\..\\", 40,
     NOTHING_MADE, "Folder Error: Error #40"},
    {"hostile", kInstall, NOTHING, "/S /LOG=%L /D=c:\\.\\windows\\orvel\\", 41,
     NOTHING_MADE, "| c:\\windows\\orvel\\"},
    {"hostile", kInstall, NOTHING, "/S /LOG=%L /D=c:/Windows./orvel", 41,
     NOTHING_MADE, "| c:\\Windows\\orvel\\"},
    {"hostile", kInstall, NOTHING,
     "/S /LOG=%L /D=c:\\orvel-tests\\..\\windows \\system32\\..\\orvel", 41,
     NOTHING_MADE, "| c:\\windows\\orvel\\"},
    {"hostile", kUpdate, NOTHING, "/S /LOG=%L /D=\\\\?\\c:\\windows\\orvel", 26,
     NOTHING_MADE, "Error #26"},
    // Only the removed folder's shortcuts go.
    {"first of two", kInstall, SECOND_INSTALLED, "/UN /S /LOG=%L /D=%D", 0,
     GONE_SECOND_KEPT, "Removed: %D\\"},
    // No script without a temporary folder; the shell links still work.
    {"no temp", kInstall, NO_TEMP, "/S /LOG=%L /D=%D", 0, PAYLOAD,
     "Temp Path Error"},
    {"no temp", kInstall, INSTALLED_NO_TEMP, "/UN /S /LOG=%L /D=%D", 0, GONE,
     "Temp Path Error"},
    {"from a Cyrillic folder", kInstall, FROM_CYRILLIC_FOLDER,
     "/S /LOG=%L /D=%D", 0, PAYLOAD, "Installed: %D\\"},
    {"not spelled", kInstall, NOTHING, "/S /LOG=%L /D=%D\\Орвел", 15,
     NOTHING_MADE, "Folder Error: Error #15"},
};

// The Apps & features entry, naming `folder` as the installation's.
void NameInEntry(const std::string& folder) {
  HKEY key;
  ASSERT_EQ(0, RegCreateKeyExA(HKEY_LOCAL_MACHINE,
                               "Software\\Microsoft\\Windows\\CurrentVersion\\"
                               "Uninstall\\Orvel",
                               0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY,
                               nullptr, &key, nullptr));
  RegSetValueExA(key, "InstallLocation", 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(folder.c_str()),
                 static_cast<DWORD>(folder.size() + 1));
  RegCloseKey(key);
}

void PrintTo(const Case& c, std::ostream* out) {
  *out << c.folder << " with \"" << c.tail << "\"";
}

std::string Replaced(std::string text, const std::string& mark,
                     const std::string& by) {
  for (size_t at = text.find(mark); at != std::string::npos;
       at = text.find(mark, at + by.size()))
    text.replace(at, mark.size(), by);
  return text;
}

// The desktop and programs shortcuts of an installation, in all users'
// or in the user's folders, as the installer chose.
std::string DesktopLink(bool allUsers) {
  char folder[MAX_PATH] = "";
  SHGetSpecialFolderPathA(
      nullptr, folder,
      allUsers ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOPDIRECTORY, FALSE);
  return std::string(folder) + "\\Orvel.lnk";
}

std::string ProgramsLink(bool allUsers) {
  char folder[MAX_PATH] = "";
  SHGetSpecialFolderPathA(nullptr, folder,
                          allUsers ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS,
                          FALSE);
  return std::string(folder) + "\\Orvel\\Orvel.lnk";
}

bool ShortcutsMade() {
  for (bool allUsers : {true, false})
    if (Exists(DesktopLink(allUsers)) && Exists(ProgramsLink(allUsers)))
      return true;
  return false;
}

// Shortcuts that earlier tests left, so that each run shows its own.
void RemoveShortcuts() {
  for (bool allUsers : {true, false}) {
    DeleteFileA(DesktopLink(allUsers).c_str());
    DeleteFileA(ProgramsLink(allUsers).c_str());
  }
}

class Unattended : public testing::TestWithParam<Case> {
protected:
  void SetUp() override {
    CreateDirectoryA("c:\\orvel-tests", nullptr);
    CreateDirectoryA(kRoot.c_str(), nullptr);
    CreateDirectoryA("c:\\orvel-tests\\unattended-logs", nullptr);
    const Case& c = GetParam();
    folder = c.folder[1] == ':' ? c.folder : kRoot + c.folder;
    const std::string number = std::to_string(&c - kCases);
    log = strstr(c.tail, "%N") ? "unattended-" + number + ".log"
                               : kLogs + number + ".log";
    RemoveTree(folder + "\\");
    DeleteFileA(log.c_str());
    RemoveShortcuts();
    product = {{"orvel.exe", ReadBytes(ORVEL_EXE_PATH)},
               {"orvel.chm", ReadBytes(ORVEL_CHM_PATH)}};
  }

  // Installs into `dest` as a deployer would.
  static void InstallInto(const std::string& dest) {
    Installer run("/S /D=" + dest);
    ASSERT_EQ(0, run.ExitCodeWithin(60000)) << dest;
  }

  void Prepare(Before before) {
    if (before == SECOND_INSTALLED || before == INSTALLED_NO_TEMP)
      InstallInto(folder);
    if (before == SECOND_INSTALLED) {
      InstallInto(folder + "-second");
      // Under Wine the first one's record does not count (no folder reads
      // as one only administrators may change): the entry names it again.
      NameInEntry(folder + "\\");
    }
    if (before == FROM_CYRILLIC_FOLDER) {
      CreateDirectoryW(kCyrillicFolder, nullptr);
      ASSERT_TRUE(CopyFileW(
          LongPath(kInstall).c_str(),
          (std::wstring(kCyrillicFolder) + L"\\install.exe").c_str(), FALSE));
    }
    if (before == NOTHING || before >= SECOND_INSTALLED)
      return;
    if (before == LINKED_ELSEWHERE) {
      CreateDirectoryA((kRoot + "elsewhere").c_str(), nullptr);
      WriteBytes(kRoot + "elsewhere\\orvel.exe", "not the installation");
      ASSERT_TRUE(MakeFolderLink(folder, kRoot + "elsewhere"));
      return;
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    if (before == FOREIGN) {
      WriteBytes(folder + "\\notes.txt", "someone else's");
    } else if (before == DOWNLOADS || before == FORGED) {
      WriteBytes(folder + "\\install.exe", ReadBytes(kInstall));
      WriteBytes(folder + "\\orvel.exe", "from an archive");
      WriteBytes(folder + "\\eula.txt", "the archive's licence");
      WriteBytes(folder + "\\taxes-2025.pdf", "the person's");
      CreateDirectoryA((folder + "\\photos").c_str(), nullptr);
      WriteBytes(folder + "\\photos\\img1.jpg", "the person's");
      if (before == FORGED)
        WriteBytes(folder + "\\install.rec", "Orvel installation record\r\n");
    } else if (before == EULA_FOLDER) {
      CreateDirectoryA((folder + "\\eula.txt").c_str(), nullptr);
    } else if (before == EARLIER || before == EARLIER_HELD) {
      WriteBytes(folder + "\\orvel.exe", "an earlier orvel");
      WriteBytes(folder + "\\notes.txt", "kept");
    } else {
      for (const auto& [name, bytes] : product)
        WriteBytes(folder + "\\" + name, bytes);
      WriteBytes(folder + "\\install.exe", ReadBytes(kInstall));
      WriteBytes(folder + "\\eula.txt", "the licence");
      // Under Wine no folder reads as one only administrators may change,
      // so the entry is what makes it an installation here.
      NameInEntry(folder + "\\");
      CreateDirectoryA((folder + "\\data").c_str(), nullptr);
      WriteBytes(folder + "\\data\\notes.txt", "made by the user");
    }
    if (before == LINKS_PLANTED) {
      WriteBytes(kRoot + "victim.txt", "someone else's");
      WriteBytes(kRoot + "victim-ro.txt", "read-only");
      SetFileAttributesA((kRoot + "victim-ro.txt").c_str(),
                         FILE_ATTRIBUTE_READONLY);
      ASSERT_TRUE(
          MakeFolderLink(folder + "\\eula.txt", kRoot + "victim.txt", true));
      for (const char* name : {"\\$$cmp.tm$", "\\$$unc.tm$"})
        ASSERT_TRUE(
            MakeFolderLink(folder + name, kRoot + "victim-ro.txt", true));
    }
    if (before == INSTALLED_FULL_WIDTH) {
      CreateDirectoryA((kRoot + "victim").c_str(), nullptr);
      WriteBytes(kRoot + "victim\\precious.txt", "outside the installation");
      ASSERT_TRUE(CreateDirectoryW(FullWidthFolder().c_str(), nullptr));
    }
    if (before == ORVEL_RUNNING || before == HELP_HELD)
      WriteBytes(folder + "\\orvel.chm", "an earlier help file");
    if (before == ORVEL_RUNNING)
      StartOrvel();
    if (before == EARLIER_HELD || before == INSTALLED_HELD ||
        before == HELP_HELD) {
      std::string path = folder + (before == EARLIER_HELD ? "\\orvel.exe"
                                   : before == HELP_HELD  ? "\\orvel.chm"
                                                         : "\\data\\notes.txt");
      held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(INVALID_HANDLE_VALUE, held);
    }
  }

  void StartOrvel() {
    std::string command = "\"" + folder + "\\orvel.exe\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0,
                               nullptr, folder.c_str(), &startup, &orvel));
    ASSERT_NE(nullptr, OrvelWindow(orvel.dwProcessId, true));
  }

  // Orvel's window, of process `id` or (`own` false) of any other.
  static HWND OrvelWindow(DWORD id, bool own) {
    for (int i = 0; i < 300; ++i) {
      for (HWND window = FindWindowExA(nullptr, nullptr, "OrvelDemo", nullptr);
           window;
           window = FindWindowExA(nullptr, window, "OrvelDemo", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if ((owner == id) == own)
          return window;
      }
      Sleep(100);
    }
    return nullptr;
  }

  // Orvel still running where the run changed nothing; closed by the run
  // and, after an update, started again.
  void ExpectOrvel(const Case& c) {
    const bool closed = strstr(c.tail, "/CLOSE") || strstr(c.tail, "/close");
    EXPECT_EQ(closed, WaitForSingleObject(orvel.hProcess, 0) == WAIT_OBJECT_0);
    if (closed && c.after == PAYLOAD) {
      HWND again = OrvelWindow(orvel.dwProcessId, false);
      EXPECT_NE(nullptr, again) << "Orvel not started again";
      PostMessageA(again, WM_CLOSE, 0, 0);
    }
    TerminateProcess(orvel.hProcess, 1);
    WaitForSingleObject(orvel.hProcess, 10000);
    CloseHandle(orvel.hThread);
    CloseHandle(orvel.hProcess);
  }

  std::wstring FullWidthFolder() const {
    return LongPath(folder + "\\").append(L"\uFF0E\uFF0E\uFF3Cvictim");
  }

  std::string Tail(const char* tail) const {
    std::string text = Replaced(tail, "%D", folder);
    text = Replaced(text, "%L", log);
    text = Replaced(text, "%N", log);
    text = Replaced(text, "%X", std::string(300, 'x'));
    return Replaced(text, "%Y", std::string(800, 'y'));
  }

  void ExpectAfter(After after, const char* program) {
    const std::string inside = folder + "\\";
    const bool update = program == kUpdate;
    switch (after) {
    case PAYLOAD:
      for (const auto& [name, bytes] : product)
        EXPECT_EQ(bytes, ReadBytes(inside + name)) << name;
      // The uninstaller: the installer that ran, byte for byte.
      EXPECT_EQ(ReadBytes(program), ReadBytes(inside + "install.exe"));
      EXPECT_TRUE(Exists(inside + (update ? "new.txt" : "eula.txt")));
      EXPECT_TRUE(Exists(inside + "install.rec"));
      EXPECT_FALSE(Exists(inside + "$$cmp.tm$"));
      EXPECT_FALSE(Exists(inside + "$$unc.tm$"));
      EXPECT_TRUE(ShortcutsMade());
      break;
    case NOTHING_MADE:
      EXPECT_FALSE(Exists("c:\\windows\\orvel\\"));
      EXPECT_FALSE(Exists(inside));
      break;
    case GONE:
      EXPECT_FALSE(Exists(inside));
      EXPECT_FALSE(ShortcutsMade());
      break;
    case EARLIER_KEPT:
      EXPECT_EQ("an earlier orvel", ReadBytes(inside + "orvel.exe"));
      EXPECT_EQ("kept", ReadBytes(inside + "notes.txt"));
      break;
    case HELD_FILE_LEFT:
      EXPECT_EQ("made by the user", ReadBytes(inside + "data\\notes.txt"));
      // Kept for the next run, which finishes the removal, from the
      // entry's uninstaller too.
      EXPECT_TRUE(Exists(inside + "orvel.exe"));
      EXPECT_TRUE(Exists(inside + "install.exe"));
      EXPECT_FALSE(Exists(inside + "eula.txt"));
      EXPECT_FALSE(Exists(inside + "orvel.chm"));
      break;
    case AS_IT_WAS:
      EXPECT_EQ(foundBefore, Snapshot(inside));
      break;
    case GONE_SECOND_KEPT:
      EXPECT_FALSE(Exists(inside));
      EXPECT_TRUE(ShortcutsMade());
      EXPECT_EQ(product[0].second, ReadBytes(folder + "-second\\orvel.exe"));
      break;
    }
  }

  std::string folder, log;
  Tree foundBefore;
  std::vector<std::pair<std::string, std::string>> product;
  HANDLE held = INVALID_HANDLE_VALUE;
  PROCESS_INFORMATION orvel = {};
};

TEST_P(Unattended, ExitCodeDiskAndLog) {
  const Case& c = GetParam();
  Prepare(c.before);
  const Tree before = Snapshot(kRoot);
  foundBefore = Snapshot(folder + "\\");
  const std::string entryBefore = EntryValue("InstallLocation");

  std::vector<std::string> windows;
  long exitCode;
  {
    std::optional<Environment> tmp, temp;
    if (c.before == NO_TEMP || c.before == INSTALLED_NO_TEMP) {
      tmp.emplace("TMP", kRoot + "no-such-temp\\");
      temp.emplace("TEMP", kRoot + "no-such-temp\\");
    }
    const std::string program = c.before == FROM_CYRILLIC_FOLDER ? kCyrillicCopy
                                : c.program == kInFolder
                                    ? folder + "\\install.exe"
                                    : c.program;
    Installer run(Tail(c.tail), program.c_str());
    ASSERT_TRUE(run.started) << run.Describe();
    exitCode = run.ExitCodeNotingWindows(60000, &windows);
  }
  if (held != INVALID_HANDLE_VALUE)
    CloseHandle(held);

  EXPECT_EQ(c.exitCode, exitCode) << "the log:\n" << ReadBytes(log);
  EXPECT_EQ(std::vector<std::string>{}, windows) << "no window, no box";
  ExpectAfter(c.after, c.program);
  if (c.before == ORVEL_RUNNING)
    ExpectOrvel(c);
  // The entry names the installation made, and stays where nothing was.
  if (c.after == PAYLOAD) {
    EXPECT_EQ(folder + "\\", EntryValue("InstallLocation"));
  } else if (c.exitCode == 75) {
    EXPECT_EQ(entryBefore, EntryValue("InstallLocation"));
  }
  // Nothing outside the destination changed.
  EXPECT_EQ(Outside(before, folder), Outside(Snapshot(kRoot), folder));
  if (c.logged) {
    const std::string written = ReadBytes(log);
    EXPECT_NE(std::string::npos, written.find(Replaced(c.logged, "%D", folder)))
        << written;
    EXPECT_NE(std::string::npos,
              written.find("Exit code: " + std::to_string(c.exitCode) + "\r\n"))
        << written;
  }
  if (c.before == LINKS_PLANTED) {
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY),
              GetFileAttributesA((kRoot + "victim-ro.txt").c_str()) &
                  FILE_ATTRIBUTE_READONLY);
  }
  if (c.before == LINKED_ELSEWHERE)
    RemoveFolderLink(folder);
  RemoveDirectoryW(FullWidthFolder().c_str());
  RemoveTree(folder + "\\");
  RemoveTree(folder + "-second\\");
  DeleteFileW((std::wstring(kCyrillicFolder) + L"\\install.exe").c_str());
  RemoveDirectoryW(kCyrillicFolder);
  RemoveTree(kRoot + "victim\\");
  RemoveTree(kRoot + "elsewhere\\");
  for (const char* name : {"victim.txt", "victim-ro.txt"}) {
    SetFileAttributesA((kRoot + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((kRoot + name).c_str());
  }
  DeleteFileA(log.c_str());
}

INSTANTIATE_TEST_SUITE_P(Runs, Unattended, testing::ValuesIn(kCases));

} // namespace

namespace {

using disk::Exists;
using disk::FolderContents;

// Wine's library choices for the test's children: those it was started
// with, and `more`.
std::string WineOverrides(const char* more) {
  char now[1024] = "";
  GetEnvironmentVariableA("WINEDLLOVERRIDES", now, sizeof now);
  return std::string(now) + ";" + more;
}

// Wine told to prefer libraries found by the search to its own, for one
// program, as Windows' search order does for libraries that are not on
// its known list; taken back when the test ends.
struct PreferPlanted {
  explicit PreferPlanted(const char* program) {
    path = std::string("Software\\Wine\\AppDefaults\\") + program +
           "\\DllOverrides";
    HKEY key;
    RegCreateKeyA(HKEY_CURRENT_USER, path.c_str(), &key);
    for (const char* library : {"version", "lz32"})
      RegSetValueExA(key, library, 0, REG_SZ,
                     reinterpret_cast<const BYTE*>("native,builtin"), 15);
    RegCloseKey(key);
  }
  ~PreferPlanted() { RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str()); }
  std::string path;
};

// Libraries named like the installer's and a script host, placed by
// someone else beside the installer, in the temporary folder and in the
// current folder, are never loaded or started, by an installation or a
// removal. (No version.dll beside it: Wine's own user32 imports VERSION
// and would load it from there, which Windows, with user32 a known
// library, does not; that the installer imports neither VERSION nor LZ32
// by name is checked on its import table.)
TEST(PlantedFiles, AreNeverLoadedOrStarted) {
  const std::string root = "c:\\orvel-tests\\planted\\";
  const std::string temp = root + "temp\\";
  disk::RemoveTree(root);
  CreateDirectoryA("c:\\orvel-tests", nullptr);
  CreateDirectoryA(root.c_str(), nullptr);
  CreateDirectoryA(temp.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(INSTALL_EXE_PATH, (root + "install.exe").c_str(), 0));
  ASSERT_TRUE(
      CopyFileA(PLANTED_PROGRAM_PATH, (root + "lz32user.exe").c_str(), 0));
  const std::vector<std::string> planted = {
      root + "lz32.dll", root + "wscript.exe", temp + "lz32.dll",
      temp + "version.dll", temp + "wscript.exe"};
  for (const std::string& file : planted)
    ASSERT_TRUE(CopyFileA(file.find(".exe") != std::string::npos
                              ? PLANTED_PROGRAM_PATH
                              : PLANTED_LIBRARY_PATH,
                          file.c_str(), 0));
  {
    PreferPlanted prefer("install.exe"), preferToo("lz32user.exe");
    Environment tmp("TMP", temp), tempVariable("TEMP", temp);
    char saved[MAX_PATH];
    GetCurrentDirectoryA(sizeof saved, saved);
    SetCurrentDirectoryA(temp.c_str());
    const std::string dest = "/D=" + root + "dest";
    for (const std::string& tail : {"/S " + dest, "/UN /S " + dest}) {
      Installer run(tail, (root + "install.exe").c_str());
      EXPECT_EQ(0, run.ExitCodeWithin(60000)) << tail;
    }
    SetCurrentDirectoryA(saved);
    EXPECT_FALSE(Exists(root + "dest"));
    for (const std::string& file : planted)
      EXPECT_FALSE(Exists(file + ".ran")) << file;

    // A program that imports LZ32 by name does load the planted one.
    Installer control("", (root + "lz32user.exe").c_str());
    control.ExitCodeWithin(20000);
    EXPECT_TRUE(Exists(root + "lz32.dll.ran"));
  }
  disk::RemoveTree(root);
}

} // namespace

namespace {

// With VBScript switched off (an optional feature of Windows now) the
// installation still ends with its shortcuts, and the removal without.
TEST(ScriptHostWithoutVbscript, ShortcutsAreStillMadeAndRemoved) {
  const std::string dest = "/D=c:\\orvel-tests\\no-vbscript";
  Environment overrides("WINEDLLOVERRIDES", WineOverrides("vbscript=d"));
  RemoveShortcuts();
  {
    Installer run("/S " + dest);
    EXPECT_EQ(0, run.ExitCodeWithin(90000)) << run.Describe();
  }
  EXPECT_TRUE(ShortcutsMade());
  {
    Installer run("/UN /S " + dest);
    EXPECT_EQ(0, run.ExitCodeWithin(90000)) << run.Describe();
  }
  EXPECT_FALSE(ShortcutsMade());
  EXPECT_FALSE(disk::Exists("c:\\orvel-tests\\no-vbscript"));
}

} // namespace

namespace {

void EndScriptHostsNow() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry;
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32First(snapshot, &entry); ok;
       ok = Process32Next(snapshot, &entry))
    if (lstrcmpiA(entry.szExeFile, "wscript.exe") == 0)
      if (HANDLE host =
              OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)) {
        TerminateProcess(host, 1);
        CloseHandle(host);
      }
  CloseHandle(snapshot);
}

// A script host whose installer was killed has nobody to wait for it; one
// started just before the kill may show up a little later, and would hold
// the test's output open for ever.
void EndOrphanedScriptHosts() {
  for (int round = 0; round < 5; ++round) {
    if (round)
      Sleep(100);
    EndScriptHostsNow();
  }
}

// A run killed at any moment leaves the earlier program or the new one
// under its name, never neither; the update installer still recognises
// the folder, and the next run completes.
TEST(KilledRun, LeavesAProgramAndTheNextRunCompletes) {
  const std::string folder = "c:\\orvel-tests\\killed\\";
  const std::string product = disk::ReadBytes(ORVEL_EXE_PATH);
  disk::RemoveTree(folder);
  CreateDirectoryA("c:\\orvel-tests", nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  disk::WriteBytes(folder + "orvel.exe", "an earlier orvel");
  for (DWORD after = 0; after <= 400; after += 40) {
    {
      Installer run("/S /D=" + folder);
      Sleep(after);
      TerminateProcess(run.process.hProcess, 9);
      run.ExitCodeWithin(10000);
    }
    EndOrphanedScriptHosts();
    const std::string left = disk::ReadBytes(folder + "orvel.exe");
    EXPECT_TRUE(left == product || left == "an earlier orvel")
        << "killed after " << after << " ms: " << left.size() << " bytes";
  }
  Installer update("/S /D=" + folder, INSTALL_UPDATE_EXE_PATH);
  EXPECT_EQ(0, update.ExitCodeWithin(60000)) << update.Describe();
  EXPECT_EQ(product, disk::ReadBytes(folder + "orvel.exe"));
  // A removal killed at any moment leaves the uninstaller, which the
  // entry starts, until all else is gone: the next one finishes it.
  for (int i = 0; i < 2000; ++i) {
    const std::string sub = folder + "data" + std::to_string(i / 100) + "\\";
    CreateDirectoryA(sub.c_str(), nullptr);
    disk::WriteBytes(sub + std::to_string(i) + ".txt", "made by the user");
  }
  for (DWORD after = 0; after <= 300; after += 60) {
    {
      Installer removal("/UN /S /D=" + folder);
      Sleep(after);
      TerminateProcess(removal.process.hProcess, 9);
      removal.ExitCodeWithin(10000);
    }
    EndOrphanedScriptHosts();
    EXPECT_TRUE(disk::Exists(folder + "install.exe") || !disk::Exists(folder))
        << "killed after " << after << " ms";
  }
  Installer removal("/UN /S /D=" + folder);
  EXPECT_EQ(0, removal.ExitCodeWithin(60000)) << removal.Describe();
  EXPECT_FALSE(disk::Exists(folder));
}

} // namespace

namespace {

// A mutex made by another program, with `access` as its access list.
HANDLE Squat(const char* name, const char* access) {
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, FALSE};
  ConvertStringSecurityDescriptorToSecurityDescriptorA(
      access, SDDL_REVISION_1, &attributes.lpSecurityDescriptor, nullptr);
  HANDLE mutex = CreateMutexA(&attributes, TRUE, name);
  LocalFree(attributes.lpSecurityDescriptor);
  return mutex;
}

// Only another installer's run makes a run wait. A program holding the
// name that installers once used, with an empty access list too, holds
// nothing back; while a real run works (here stopped half-way), a second
// one, a deployment tool's retry say, answers 1618; the first then ends
// as it would have.
TEST(OverlappingRuns, OnlyAnotherInstallerMakesOneWait) {
  const std::string folder = "c:\\orvel-tests\\overlap";
  const std::string tail = "/S /D=" + folder;
  disk::RemoveTree(folder + "\\");
  HANDLE squatter = Squat("Global\\Orvel Installer Unattended", "D:");
  ASSERT_NE(nullptr, squatter);
  {
    Installer first(tail);
    for (int wait = 0; wait < 20000 && !disk::Exists(folder); ++wait)
      Sleep(1);
    ASSERT_TRUE(disk::Exists(folder)) << "the first run did not begin";
    SuspendThread(first.process.hThread);
    {
      Installer retry(tail);
      EXPECT_EQ(1618, retry.ExitCodeWithin(60000)) << retry.Describe();
    }
    ResumeThread(first.process.hThread);
    EXPECT_EQ(0, first.ExitCodeWithin(60000)) << first.Describe();
  }
  CloseHandle(squatter);
  Installer removal("/UN " + tail);
  EXPECT_EQ(0, removal.ExitCodeWithin(60000)) << removal.Describe();
  EXPECT_FALSE(disk::Exists(folder));
}

// Where Windows has no private namespaces (Wine), the mark has a global
// name that any program can make first; made with an empty access list,
// a run cannot take it and says so, instead of running beside another.
TEST(OverlappingRuns, AMarkThatCannotBeTakenIsReported) {
  const std::string log = kLogs + "mark.log";
  CreateDirectoryA("c:\\orvel-tests", nullptr);
  CreateDirectoryA(kLogs.c_str(), nullptr);
  DeleteFileA(log.c_str());
  const bool namespaces = GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                         "CreatePrivateNamespaceA") != nullptr;
  HANDLE squatter = Squat("Global\\Orvel Installer Run", "D:");
  ASSERT_NE(nullptr, squatter);
  {
    Installer run("/S /LOG=" + log + " /D=c:\\orvel-tests\\no-mark");
    EXPECT_EQ(namespaces ? 0 : 74, run.ExitCodeWithin(60000)) << run.Describe();
  }
  CloseHandle(squatter);
  if (!namespaces) {
    EXPECT_NE(std::string::npos,
              disk::ReadBytes(log).find("The mark of a running installer: "
                                        "cannot be made (error 5)"))
        << disk::ReadBytes(log);
    EXPECT_FALSE(disk::Exists("c:\\orvel-tests\\no-mark"));
  }
  Installer removal("/UN /S /D=c:\\orvel-tests\\no-mark");
  removal.ExitCodeWithin(60000);
  DeleteFileA(log.c_str());
}

} // namespace

namespace {

// Links at the log's name, made as Windows makes them or, under Wine, on
// the Unix side.
bool MakeHardLink(const std::string& link, const std::string& target) {
  if (!disk::OnWine())
    return CreateHardLinkA(link.c_str(), target.c_str(), nullptr) != 0;
  return disk::RunUnix(
      "/bin/ln", "-f " + disk::UnixPath(target) + " " + disk::UnixPath(link),
      [&] { return disk::Exists(link); });
}

// The log is appended to a plain file only: a name that is a hard link
// to another file, a link to a folder, or a folder, gets no line, and the
// run goes on. (Wine shows a link to a file as the file itself, so that
// one it cannot show.)
TEST(UnattendedLog, IsAppendedToAPlainFileNeverThroughALink) {
  const std::string logs = "c:\\orvel-tests\\unattended-logs\\";
  const std::string target = logs + "target.txt", folder = logs + "folder";
  const std::string plain = logs + "plain.log", hard = logs + "hard.log",
                    toFolder = logs + "to-folder.log";
  CreateDirectoryA("c:\\orvel-tests", nullptr);
  CreateDirectoryA(logs.c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  disk::WriteBytes(target, "someone else's\r\n");
  disk::WriteBytes(plain, "an earlier run\r\n");
  ASSERT_TRUE(MakeHardLink(hard, target));
  ASSERT_TRUE(disk::MakeFolderLink(toFolder, folder));
  const std::string dest = " /D=c:\\orvel-tests\\log-links";
  for (const std::string& log : {plain, hard, toFolder, folder}) {
    Installer run("/S /LOG=" + log + dest);
    EXPECT_EQ(0, run.ExitCodeWithin(60000)) << log;
  }
  EXPECT_EQ("someone else's\r\n", disk::ReadBytes(target));
  EXPECT_TRUE(disk::FolderContents(folder + "\\").empty());
  const std::string written = disk::ReadBytes(plain);
  EXPECT_EQ(0u, written.find("an earlier run\r\n")) << written;
  EXPECT_NE(std::string::npos, written.find("Exit code: 0\r\n")) << written;
  disk::RemoveFolderLink(toFolder);
  for (const std::string& file : {hard, target, plain})
    DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
  Installer removal("/UN /S" + dest);
  EXPECT_EQ(0, removal.ExitCodeWithin(60000)) << removal.Describe();
}

} // namespace

namespace {

void DeleteEntryValue(const char* name) {
  HKEY key;
  ASSERT_EQ(0, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEntry, 0,
                             KEY_SET_VALUE | KEY_WOW64_32KEY, &key));
  RegDeleteValueA(key, name);
  RegCloseKey(key);
}

// Runs a command line as a deployment tool would, exactly as given; its
// exit code, or -1.
long RunCommandLine(std::string command) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return -1;
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, 90000) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<long>(code);
}

// Copies of the installer left in the temporary folder by removals
// started from inside an installation: only what runs is left there, for
// the next restart.
int LeftCopiesToRun() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  int copies = 0;
  for (const std::string& name : FolderContents(temp))
    if (name.rfind("orvel-", 0) == 0)
      copies += Exists(temp + name + "\\remove.exe");
  return copies;
}

const std::string kRegistered = "c:\\orvel-tests\\registered\\";

// What the system deletes at the next restart, in lower case.
std::string PendingDeletions() {
  char names[32768] = "";
  DWORD size = sizeof names - 2;
  RegGetValueA(HKEY_LOCAL_MACHINE,
               "System\\CurrentControlSet\\Control\\Session Manager",
               "PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr,
               names, &size);
  std::string all(names, size);
  CharLowerBuffA(&all[0], static_cast<DWORD>(all.size()));
  return all;
}

// Whether a copy that the installer `parent` started runs.
bool CopyOfRuns(DWORD parent) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry;
  entry.dwSize = sizeof entry;
  bool running = false;
  for (BOOL ok = Process32First(snapshot, &entry); ok;
       ok = Process32Next(snapshot, &entry))
    running |= entry.th32ParentProcessID == parent &&
               lstrcmpiA(entry.szExeFile, "remove.exe") == 0;
  CloseHandle(snapshot);
  return running;
}

// Polls up to a minute until the copy runs (`runs`) or has ended.
bool WaitUntilCopyOf(DWORD parent, bool runs) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < 60000; Sleep(5))
    if (CopyOfRuns(parent) == runs)
      return true;
  return false;
}

// The uninstaller of the folder, killed at any moment of its removal: its
// copy outside is scheduled for deletion at the next restart before it
// runs, and the folder keeps its uninstaller until all else is gone.
TEST(AppsAndFeatures, AKilledRemovalFromInsideLeavesNothingUnscheduled) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  for (DWORD after = 0; after <= 160; after += 40) {
    disk::RemoveTree(kRegistered);
    {
      Installer run("/S /D=" + kRegistered);
      ASSERT_EQ(0, run.ExitCodeWithin(60000)) << run.Describe();
    }
    {
      // Killed once the copy runs: under Wine, a process killed while it
      // starts another leaves that one half made, outside any job, and
      // holding the test's output open.
      Installer removal("/UN /S", (kRegistered + "install.exe").c_str());
      ASSERT_TRUE(WaitUntilCopyOf(removal.process.dwProcessId, true));
      Sleep(after);
      TerminateProcess(removal.process.hProcess, 9);
      removal.ExitCodeWithin(10000);
      // The copy ends with it.
      EXPECT_TRUE(WaitUntilCopyOf(removal.process.dwProcessId, false));
    }
    EndOrphanedScriptHosts();
    EXPECT_TRUE(Exists(kRegistered + "install.exe") || !Exists(kRegistered))
        << "killed after " << after << " ms";
    const std::string pending = PendingDeletions();
    for (const std::string& name : FolderContents(temp))
      if (name.rfind("orvel-", 0) == 0 &&
          Exists(temp + name + "\\remove.exe")) {
        std::string copy = name + "\\remove.exe";
        CharLowerBuffA(&copy[0], static_cast<DWORD>(copy.size()));
        EXPECT_NE(std::string::npos, pending.find(copy)) << copy;
      }
  }
  if (Exists(kRegistered)) {
    EXPECT_EQ(0, RunCommandLine(EntryValue("QuietUninstallString")));
  }
  EXPECT_FALSE(Exists(kRegistered));
}

// Installed, updated and removed as Settings or a deployment tool would:
// the entry's values, its refresh by the update, and its quiet uninstall
// command, which removes everything, the uninstaller and the entry
// included, before its process ends with 0.
TEST(AppsAndFeatures, EntryFromInstallationToRemoval) {
  disk::RemoveTree(kRegistered);
  {
    Installer run("/S /D=" + kRegistered);
    ASSERT_EQ(0, run.ExitCodeWithin(60000)) << run.Describe();
  }
  EXPECT_EQ("Orvel", EntryValue("DisplayName"));
  EXPECT_EQ("1.04", EntryValue("DisplayVersion"));
  EXPECT_EQ("Quillmere Software", EntryValue("Publisher"));
  EXPECT_EQ(kRegistered, EntryValue("InstallLocation"));
  EXPECT_EQ(kRegistered + "orvel.exe", EntryValue("DisplayIcon"));
  const std::string uninstall = "\"" + kRegistered + "install.exe\" /UN";
  EXPECT_EQ(uninstall, EntryValue("UninstallString"));
  EXPECT_EQ(uninstall + " /S", EntryValue("QuietUninstallString"));
  EXPECT_EQ("1", EntryValue("NoModify"));
  EXPECT_EQ("1", EntryValue("NoRepair"));
  const size_t bytes = ReadBytes(kRegistered + "orvel.exe").size() +
                       ReadBytes(kRegistered + "orvel.chm").size() +
                       ReadBytes(kRegistered + "eula.txt").size() +
                       ReadBytes(INSTALL_EXE_PATH).size();
  EXPECT_EQ(std::to_string((bytes + 1023) / 1024), EntryValue("EstimatedSize"));
  SYSTEMTIME today;
  GetLocalTime(&today);
  char date[16];
  wsprintfA(date, "%04u%02u%02u", today.wYear, today.wMonth, today.wDay);
  EXPECT_EQ(date, EntryValue("InstallDate"));
  // Only the 32-bit view, whichever build wrote it.
  if (sizeof(void*) == 8) {
    EXPECT_EQ("-", EntryValue("DisplayName", KEY_WOW64_64KEY));
  }

  // The update writes its values anew.
  DeleteEntryValue("DisplayVersion");
  {
    Installer update("/S /D=" + kRegistered, INSTALL_UPDATE_EXE_PATH);
    ASSERT_EQ(0, update.ExitCodeWithin(60000)) << update.Describe();
  }
  EXPECT_EQ("1.04", EntryValue("DisplayVersion"));
  EXPECT_EQ(ReadBytes(INSTALL_UPDATE_EXE_PATH),
            ReadBytes(kRegistered + "install.exe"));
  // Both agreement copies are the installers' files.
  const size_t updated = bytes - ReadBytes(INSTALL_EXE_PATH).size() +
                         ReadBytes(INSTALL_UPDATE_EXE_PATH).size() +
                         ReadBytes(kRegistered + "new.txt").size();
  EXPECT_EQ(std::to_string((updated + 1023) / 1024),
            EntryValue("EstimatedSize"));

  const int copiesBefore = LeftCopiesToRun();
  // With a log name too long to be made, which must not stop the run: the
  // copy is handed the whole command line, more than 1,024 characters.
  EXPECT_EQ(0, RunCommandLine(EntryValue("QuietUninstallString") +
                              " /LOG=c:\\" + std::string(1100, 'l')));
  // Looked at the moment its process has ended.
  EXPECT_FALSE(Exists(kRegistered));
  EXPECT_EQ("-", EntryValue("DisplayName"));
  EXPECT_EQ(copiesBefore, LeftCopiesToRun());
}

// A top-level window of another process than `process` with this class
// and title, waited for.
HWND OthersWindow(DWORD process, const char* className, const char* title) {
  for (int i = 0; i < 300; ++i) {
    HWND window = FindWindowA(className, title);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (window && owner != process && IsWindowVisible(window))
      return window;
    Sleep(100);
  }
  return nullptr;
}

// Settings' UninstallString opens the removal's window from a copy outside
// the folder, with the folder as its destination; closed without
// removing, the folder gets its uninstaller back and the entry stays.
TEST(AppsAndFeatures, UninstallStringOpensTheWindowFromOutside) {
  disk::RemoveTree(kRegistered);
  {
    Installer run("/S /D=" + kRegistered);
    ASSERT_EQ(0, run.ExitCodeWithin(60000)) << run.Describe();
  }
  std::string command = EntryValue("UninstallString");
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION first;
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0,
                             nullptr, nullptr, &startup, &first));
  HWND window = OthersWindow(first.dwProcessId, "Installation", "UN-Install");
  ASSERT_NE(nullptr, window);
  // The uninstaller stays with the folder while the window is open.
  EXPECT_TRUE(Exists(kRegistered + "install.exe"));
  PostMessageA(window, WM_COMMAND, 7, 0); // List of Files
  HWND box = OthersWindow(first.dwProcessId, nullptr, "List of Files");
  ASSERT_NE(nullptr, box);
  char text[1400] = "";
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  CharLowerA(text); // the drive letter as the start spelled it
  EXPECT_NE(nullptr, strstr(text, kRegistered.c_str())) << text;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  for (DWORD start = GetTickCount();
       IsWindow(box) && GetTickCount() - start < 20000;)
    Sleep(20);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(first.hProcess, 30000));
  DWORD code = 1;
  GetExitCodeProcess(first.hProcess, &code);
  CloseHandle(first.hThread);
  CloseHandle(first.hProcess);
  EXPECT_EQ(0u, code);
  EXPECT_EQ(ReadBytes(INSTALL_EXE_PATH),
            ReadBytes(kRegistered + "install.exe"));
  EXPECT_EQ("Orvel", EntryValue("DisplayName"));
  EXPECT_EQ(0, RunCommandLine(EntryValue("QuietUninstallString")));
}

// Answers the box of this caption with the button `id`; false when no
// such box came up.
bool Answer(const char* caption, int id) {
  HWND box = OthersWindow(GetCurrentProcessId(), "#32770", caption);
  return box && PostMessageA(box, WM_COMMAND, id, 0);
}

// The uninstaller opened as a program (no /UN) and switched to removal by
// its menu removes its folder too, its own running file included.
TEST(AppsAndFeatures, SwitchedToRemovalTheUninstallerTakesItsOwnFolder) {
  disk::RemoveTree(kRegistered);
  {
    Installer run("/S /D=" + kRegistered);
    ASSERT_EQ(0, run.ExitCodeWithin(60000)) << run.Describe();
  }
  Installer person("", (kRegistered + "install.exe").c_str());
  HWND window = person.WaitForWindow("Install");
  ASSERT_NE(nullptr, window);
  PostMessageA(window, WM_COMMAND, 11, 0); // Switch to Un-Install
  ASSERT_TRUE(Answer("WARNING!", IDYES));
  ASSERT_NE(nullptr, person.WaitForWindow("UN-Install"));
  PostMessageA(window, WM_COMMAND, 6, 0); // begin
  ASSERT_TRUE(Answer("List of Files", IDOK));
  ASSERT_TRUE(Answer("DESTROY Warning!", IDYES));
  ASSERT_TRUE(Answer("COMPLETED!", IDOK));
  EXPECT_EQ(0, person.ExitCodeWithin(30000)) << person.Describe();
  EXPECT_FALSE(Exists(kRegistered));
  EXPECT_EQ("-", EntryValue("DisplayName"));
}

// A removal that cannot finish keeps the entry and the uninstaller, so
// that Settings can run it again; the run after finishes it.
TEST(AppsAndFeatures, IncompleteRemovalKeepsTheEntry) {
  disk::RemoveTree(kRegistered);
  {
    Installer run("/S /D=" + kRegistered);
    ASSERT_EQ(0, run.ExitCodeWithin(60000)) << run.Describe();
  }
  CreateDirectoryA((kRegistered + "data").c_str(), nullptr);
  WriteBytes(kRegistered + "data\\notes.txt", "made by the user");
  HANDLE held =
      CreateFileA((kRegistered + "data\\notes.txt").c_str(), GENERIC_READ,
                  FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  const std::string quiet = EntryValue("QuietUninstallString");
  EXPECT_EQ(1603, RunCommandLine(quiet));
  CloseHandle(held);
  EXPECT_EQ(quiet, EntryValue("QuietUninstallString"));
  EXPECT_EQ(ReadBytes(INSTALL_EXE_PATH),
            ReadBytes(kRegistered + "install.exe"));
  EXPECT_EQ(0, RunCommandLine(quiet));
  EXPECT_FALSE(Exists(kRegistered));
  EXPECT_EQ("-", EntryValue("DisplayName"));
}

// A removal from the window, begun while an unattended installation holds
// the run mark (stopped half-way here), says so and changes nothing; the
// installation then completes.
TEST(OverlappingRuns, TheWindowWaitsForAnUnattendedRun) {
  const std::string folder = "c:\\orvel-tests\\overlap-window";
  disk::RemoveTree(folder + "\\");
  Installer first("/S /D=" + folder);
  for (int wait = 0; wait < 20000 && !Exists(folder); ++wait)
    Sleep(1);
  ASSERT_TRUE(Exists(folder)) << "the first run did not begin";
  SuspendThread(first.process.hThread);
  {
    Installer person("/UN /D=" + folder);
    HWND window = person.WaitForWindow("UN-Install");
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_COMMAND, 6, 0); // begin
    HWND box = OthersWindow(GetCurrentProcessId(), "#32770", "Install");
    ResumeThread(first.process.hThread);
    ASSERT_NE(nullptr, box);
    char text[1400] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_NE(nullptr, strstr(text, "in progress")) << text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  EXPECT_EQ(0, first.ExitCodeWithin(60000));
  EXPECT_EQ(ReadBytes(ORVEL_EXE_PATH), ReadBytes(folder + "\\orvel.exe"));
  Installer removal("/UN /S /D=" + folder);
  EXPECT_EQ(0, removal.ExitCodeWithin(60000));
}

} // namespace
