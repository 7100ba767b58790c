// Helpers of the walker, removal and search tests: real trees on Wine's
// disk, Unix links made beside Wine, and a recording platform table.
#pragma once

#include "shortcuts/folder_walker.h"

#include <windows.h>

#include <functional>
#include "tests/support/disk_files.h"

#include <string>
#include <vector>

namespace walkertest {

using disk::Exists;

// Makes every missing folder of `path` (which ends in a backslash).
inline void MakeFolders(const std::string& path) {
  for (size_t at = path.find('\\', 3); at != std::string::npos;
       at = path.find('\\', at + 1))
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
}

inline void MakeFile(const std::string& path, DWORD attributes = 0,
                     const std::string& content = "Orvel test file\r\n") {
  MakeFolders(path.substr(0, path.rfind('\\') + 1));
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written,
            nullptr);
  CloseHandle(file);
  if (attributes)
    SetFileAttributesA(path.c_str(), attributes);
}

// Clears a test tree without the walker under test. Links are removed as
// links, never followed.
void ClearTree(const std::string& folder);

// Running under Wine: the Unix side is there to make links with.
bool OnWine();
std::string UnixPath(const std::string& windowsPath);
// Runs a Unix program with its arguments and waits (up to five seconds)
// for `done` to hold: Wine gives no end or exit code of a Unix program.
bool RunUnix(const std::string& program, const std::string& arguments,
             const std::function<bool()>& done);
// A link to a folder, as the platform or (under Wine) the Unix side
// makes it. Returns false when it cannot be made here.
bool MakeFolderLink(const std::string& link, const std::string& target);
void RemoveFolderLink(const std::string& link);
// Gives `folder` a drive letter of its own ("d:"); false when it cannot.
bool MapDrive(const std::string& drive, const std::string& folder);
void UnmapDrive(const std::string& drive);

// What the walker asked of the platform, one line per call:
// "find <path>", "close", "attributes <path> <value>", "delete <path>",
// "rmdir <path>", "add <line>", "repaint".
struct Recording {
  std::vector<std::string> calls;
  // Only the calls that change the disk or the list.
  std::vector<std::string> changes() const;
};

// While alive, the walker's calls are recorded and passed on to the real
// platform.
class RecordingPlatform {
public:
  explicit RecordingPlatform(Recording& recording);
  ~RecordingPlatform();
  RecordingPlatform(const RecordingPlatform&) = delete;
  RecordingPlatform& operator=(const RecordingPlatform&) = delete;
};

} // namespace walkertest
