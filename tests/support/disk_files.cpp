#include "tests/support/disk_files.h"

#include <windows.h>

namespace disk {

namespace {

std::string Narrow(const wchar_t* text) {
  std::string narrow;
  for (; *text; ++text)
    narrow += static_cast<char>(*text);
  return narrow;
}

DWORD Attributes(const std::string& path) {
  return GetFileAttributesW(LongPath(path).c_str());
}

bool IsFolder(const std::string& path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void AddTree(Tree& tree, const std::string& folder) {
  for (const std::string& name : FolderContents(folder)) {
    std::string path = folder + name;
    if (IsFolder(path)) {
      tree[path + "\\"] = "<folder>";
      AddTree(tree, path + "\\");
    } else {
      bool readOnly = Attributes(path) & FILE_ATTRIBUTE_READONLY;
      tree[path] = (readOnly ? "<read-only>" : "") + ReadBytes(path);
    }
  }
}

} // namespace

std::wstring LongPath(const std::string& path) {
  const bool past = path.size() >= MAX_PATH - 12;
  std::wstring wide = past ? L"\\\\?\\" : L"";
  for (char c : path)
    wide += static_cast<wchar_t>(
        past && c == '/' ? '\\' : static_cast<unsigned char>(c));
  return wide;
}

std::string ReadBytes(const std::string& path) {
  HANDLE file = CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return "";
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
            nullptr);
  CloseHandle(file);
}

bool Exists(const std::string& path) {
  return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

std::set<std::string> FolderContents(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(LongPath(folder + "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE)
    return names;
  do {
    std::string name = Narrow(found.cFileName);
    if (name != "." && name != "..")
      names.insert(name);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return names;
}

void RemoveTree(const std::string& folder) {
  for (const std::string& name : FolderContents(folder)) {
    std::string path = folder + name;
    SetFileAttributesW(LongPath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    if (IsFolder(path))
      RemoveTree(path + "\\");
    else
      DeleteFileW(LongPath(path).c_str());
  }
  SetFileAttributesW(LongPath(folder).c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(LongPath(folder).c_str());
}

Tree Snapshot(const std::string& folder) {
  Tree tree;
  AddTree(tree, folder);
  return tree;
}

Tree Outside(const Tree& tree, const std::string& prefix) {
  Tree outside;
  for (const auto& [path, value] : tree)
    if (path.compare(0, prefix.size(), prefix) != 0)
      outside[path] = value;
  return outside;
}

} // namespace disk
