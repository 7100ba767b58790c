#include "engine/registration.h"

#include "engine/installation_record.h"
#include "engine/payload_table.h"
#include "engine/version_info.h"
#include "state/installer_state.h"
#include "state/same_folder.h"
#include "state/system_library.h"

namespace {

const char kEntryKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvel";

LONG SetText(HKEY key, const char* name, const char* text) {
  return RegSetValueExA(key, name, 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>(lstrlenA(text) + 1));
}

LONG SetNumber(HKEY key, const char* name, DWORD number) {
  return RegSetValueExA(key, name, 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&number), sizeof number);
}

void AddSize(const char*, ULONGLONG size, void* total) {
  *static_cast<ULONGLONG*>(total) += size;
}

// What the installers put there, not what the user added since.
DWORD InstalledKilobytes() {
  ULONGLONG bytes = 0;
  VisitInstalledFiles(AddSize, &bytes);
  return static_cast<DWORD>((bytes + 1023) / 1024);
}

// The values that name files of the installation.
LONG SetPaths(HKEY key) {
  char text[PATH_SIZE + 32];
  LONG error = SetText(key, "InstallLocation", state.destinationPath);
  wsprintfA(text, "%sorvel.exe", state.destinationPath);
  if (!error)
    error = SetText(key, "DisplayIcon", text);
  wsprintfA(text, "\"%sinstall.exe\" /UN", state.destinationPath);
  if (!error)
    error = SetText(key, "UninstallString", text);
  lstrcatA(text, " /S");
  if (!error)
    error = SetText(key, "QuietUninstallString", text);
  return error;
}

LONG SetValues(HKEY key) {
  char text[PATH_SIZE + 16];
  wsprintfA(text, "%sorvel.exe", state.destinationPath);
  ReadVersionInfo(text);
  SYSTEMTIME today;
  GetLocalTime(&today);
  char date[16];
  wsprintfA(date, "%04u%02u%02u", today.wYear, today.wMonth, today.wDay);
  LONG error = SetText(key, "DisplayName", "Orvel");
  if (!error)
    error = SetText(key, "DisplayVersion", state.versionFileVersion);
  if (!error)
    error = SetText(key, "Publisher", PUBLISHER_NAME);
  if (!error)
    error = SetPaths(key);
  if (!error)
    error = SetNumber(key, "EstimatedSize", InstalledKilobytes());
  if (!error)
    error = SetText(key, "InstallDate", date);
  if (!error)
    error = SetNumber(key, "NoModify", 1);
  if (!error)
    error = SetNumber(key, "NoRepair", 1);
  return error;
}

} // namespace

LONG RegisterInstallation() {
  HKEY key;
  LONG error =
      RegCreateKeyExA(HKEY_LOCAL_MACHINE, kEntryKey, 0, nullptr, 0,
                      KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr);
  if (error)
    return error;
  error = SetValues(key);
  RegCloseKey(key);
  return error;
}

int ReadEntryLocation(char* location, DWORD size) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEntryKey, 0,
                    KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key))
    return 0;
  DWORD type = 0, bytes = size - 1;
  LONG error = RegQueryValueExA(key, "InstallLocation", nullptr, &type,
                                reinterpret_cast<BYTE*>(location), &bytes);
  RegCloseKey(key);
  if (error || type != REG_SZ || bytes == 0)
    return 0;
  location[bytes] = '\0';
  return location[0] != '\0';
}

void UnregisterInstallation() {
  // Another installation's entry, or one that names no folder, stays.
  char location[PATH_SIZE];
  if (!ReadEntryLocation(location, sizeof location) ||
      !SameFolder(location, state.destinationPath))
    return;
  typedef LONG(WINAPI * DeleteKeyCall)(HKEY, LPCSTR, REGSAM, DWORD);
  auto deleteKey = SystemCall<DeleteKeyCall>("advapi32.dll", "RegDeleteKeyExA");
  if (deleteKey)
    deleteKey(HKEY_LOCAL_MACHINE, kEntryKey, KEY_WOW64_32KEY, 0);
}
