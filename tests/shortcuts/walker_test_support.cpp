#include "tests/shortcuts/walker_test_support.h"

namespace walkertest {

namespace {

typedef char*(CDECL* UnixFileName)(const WCHAR*);

UnixFileName WineUnixFileName() {
  return reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(GetProcAddress(
      GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
}

Recording* recording;

std::string Text(const char* text) {
  return text ? text : "";
}

void* RecordFindFirst(const char* findPath, WalkEntry* entry) {
  recording->calls.push_back("find " + Text(findPath));
  return realWalkPlatform.findFirst(findPath, entry);
}

int RecordFindNext(void* find, WalkEntry* entry) {
  return realWalkPlatform.findNext(find, entry);
}

void RecordFindClose(void* find) {
  recording->calls.push_back("close");
  realWalkPlatform.findClose(find);
}

int RecordSetAttributes(const char* path, unsigned long attributes) {
  recording->calls.push_back("attributes " + Text(path) + " " +
                             std::to_string(attributes));
  return realWalkPlatform.setAttributes(path, attributes);
}

int RecordDeleteFile(const char* path) {
  recording->calls.push_back("delete " + Text(path));
  return realWalkPlatform.deleteFile(path);
}

int RecordRemoveFolder(const char* path, unsigned long* error) {
  recording->calls.push_back("rmdir " + Text(path));
  return realWalkPlatform.removeFolder(path, error);
}

int RecordAddResultLine(const char* line) {
  recording->calls.push_back("add " + Text(line));
  return realWalkPlatform.addResultLine(line);
}

void RecordRepaint() {
  recording->calls.push_back("repaint");
  realWalkPlatform.repaint();
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

bool OnWine() {
  return WineUnixFileName() != nullptr;
}

std::string UnixPath(const std::string& windowsPath) {
  std::wstring wide(windowsPath.begin(), windowsPath.end());
  char* unix = WineUnixFileName()(wide.c_str());
  std::string path = unix ? unix : "";
  HeapFree(GetProcessHeap(), 0, unix);
  while (path.size() > 1 && path.back() == '/')
    path.pop_back();
  return path;
}

bool RunUnix(const std::string& program, const std::string& arguments,
             const std::function<bool()>& done) {
  std::string application = "Z:" + program;
  for (char& c : application)
    if (c == '/')
      c = '\\';
  std::string commandLine = program + " " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(application.c_str(), &commandLine[0], nullptr, nullptr,
                      FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  // The program must have finished, not only shown its first effect: an
  // rm -rf still running would take away what the test makes next.
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hProcess);
  for (int wait = 0; wait < 50 && !done(); ++wait)
    Sleep(100);
  return done();
}

bool MakeFolderLink(const std::string& link, const std::string& target) {
  if (!OnWine())
    return CreateSymbolicLinkA(link.c_str(), target.c_str(),
                               SYMBOLIC_LINK_FLAG_DIRECTORY | 0x2) != 0;
  return RunUnix("/bin/ln", "-sfn " + UnixPath(target) + " " + UnixPath(link),
                 [&] { return Exists(link); });
}

void RemoveFolderLink(const std::string& link) {
  if (!OnWine()) {
    RemoveDirectoryA(link.c_str());
    return;
  }
  // Wine follows a link for every removal call: remove it from the Unix
  // side.
  RunUnix("/bin/rm", "-f " + UnixPath(link), [&] { return !Exists(link); });
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

std::vector<std::string> Recording::changes() const {
  std::vector<std::string> result;
  for (const std::string& call : calls)
    if (call.rfind("find ", 0) != 0 && call != "close" && call != "repaint")
      result.push_back(call);
  return result;
}

RecordingPlatform::RecordingPlatform(Recording& into) {
  recording = &into;
  walkPlatform = {RecordFindFirst,     RecordFindNext,   RecordFindClose,
                  RecordSetAttributes, RecordDeleteFile, RecordRemoveFolder,
                  RecordAddResultLine, RecordRepaint};
}

RecordingPlatform::~RecordingPlatform() {
  walkPlatform = realWalkPlatform;
  recording = nullptr;
}

} // namespace walkertest
