#include "tests/shortcuts/walker_test_support.h"

#include "engine/remove_installation.h"

#include <ctype.h>

namespace walkertest {

namespace {

RemovalRecording* recording;

// The path of a held folder, as the tests spell it: "c:\...\".
std::string HeldPath(HANDLE folder) {
  wchar_t path[1024];
  DWORD length = GetFinalPathNameByHandleW(folder, path, 1024, 0);
  std::string text;
  for (DWORD i = length > 4 ? 4 : 0; i < length && i < 1024; ++i)
    text += static_cast<char>(path[i]);
  if (!text.empty())
    text[0] = static_cast<char>(tolower(text[0]));
  return text.back() == '\\' ? text : text + "\\";
}

NativeStatus RecordOpen(HANDLE folder, const wchar_t* name, unsigned nameBytes,
                        ACCESS_MASK access, HANDLE* entry) {
  std::string path = HeldPath(folder);
  for (unsigned i = 0; i < nameBytes / 2; ++i)
    path += static_cast<char>(name[i]);
  recording->opened.push_back(path);
  if (recording->before)
    recording->before(path);
  return OpenInFolder(folder, name, nameBytes, access, entry);
}

} // namespace

void ClearTree(const std::string& folder) {
  std::string base = folder.back() == '\\' ? folder : folder + "\\";
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((base + "*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..")
        continue;
      std::string path = base + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        RemoveFolderLink(path);
      } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        ClearTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(base.c_str());
}

namespace {

// Wine keeps its drive letters as links in the prefix's "dosdevices".
std::string DosDevice(const std::string& drive) {
  std::string c = UnixPath("c:\\");
  return c.substr(0, c.rfind('/') + 1) + drive;
}

} // namespace

bool MapDrive(const std::string& drive, const std::string& folder) {
  std::string root = drive + "\\";
  if (!OnWine())
    return DefineDosDeviceA(0, drive.c_str(), folder.c_str()) && Exists(root);
  return RunUnix("/bin/ln", "-sfn " + UnixPath(folder) + " " + DosDevice(drive),
                 [&] { return Exists(root); });
}

void UnmapDrive(const std::string& drive) {
  if (!OnWine()) {
    DefineDosDeviceA(DDD_REMOVE_DEFINITION, drive.c_str(), nullptr);
    return;
  }
  std::string root = drive + "\\";
  RunUnix("/bin/rm", "-f " + DosDevice(drive), [&] { return !Exists(root); });
}

RemovalRecording::RemovalRecording() {
  recording = this;
  removalCalls.openEntry = RecordOpen;
}

RemovalRecording::~RemovalRecording() {
  removalCalls.openEntry = OpenInFolder;
  recording = nullptr;
}

} // namespace walkertest
