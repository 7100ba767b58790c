// Helpers of the walker, removal and search tests: real trees on Wine's
// disk, Unix links made beside Wine, and a recording platform table.
#pragma once

#include "shortcuts/folder_walker.h"

#include <windows.h>

#include <functional>
#include "tests/support/disk_files.h"
#include "tests/support/unix_links.h"

#include <string>
#include <vector>

namespace walkertest {

using disk::Exists;
using disk::MakeFolderLink;
using disk::OnWine;
using disk::RemoveFolderLink;
using disk::RunUnix;
using disk::UnixPath;

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

// Gives `folder` a drive letter of its own ("d:"); false when it cannot.
bool MapDrive(const std::string& drive, const std::string& folder);
void UnmapDrive(const std::string& drive);

// While alive, every entry the removal opens is noted by its path, in
// order, and `before` (when set) runs first with that path: the moment
// between listing an entry and acting on it, at which a test may change
// the disk.
class RemovalRecording {
public:
  RemovalRecording();
  ~RemovalRecording();
  RemovalRecording(const RemovalRecording&) = delete;
  RemovalRecording& operator=(const RemovalRecording&) = delete;
  std::vector<std::string> opened;
  std::function<void(const std::string& path)> before;
};

} // namespace walkertest
