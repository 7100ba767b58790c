#include "tests/support/unix_links.h"

#include "tests/support/disk_files.h"

#include <windows.h>

namespace disk {

namespace {

typedef char*(CDECL* UnixFileName)(const WCHAR*);

UnixFileName WineUnixFileName() {
  return reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(GetProcAddress(
      GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
}

} // namespace

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

bool MakeFolderLink(const std::string& link, const std::string& target,
                    bool isFile) {
  if (!OnWine())
    return CreateSymbolicLinkA(link.c_str(), target.c_str(),
                               (isFile ? 0 : SYMBOLIC_LINK_FLAG_DIRECTORY) |
                                   0x2) != 0;
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

} // namespace disk
