// Files and folders on Wine's disk as the tests read and prepare them.
// Every call takes paths past the 260-character limit too.
#pragma once

#include <map>
#include <set>
#include <string>

namespace disk {

// `path` as the wide calls take it: from near the limit on, in the form
// that passes it.
std::wstring LongPath(const std::string& path);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
// Names directly inside `folder` (which ends with a backslash).
std::set<std::string> FolderContents(const std::string& folder);
// Removes `folder` (ending with a backslash) and everything in it, read-only
// files included.
void RemoveTree(const std::string& folder);

// Every file and folder under `folder`, by path, with the bytes of a file
// and its read-only mark; a folder's value is "<folder>".
typedef std::map<std::string, std::string> Tree;
Tree Snapshot(const std::string& folder);
// The entries of `tree` whose path does not begin with `prefix`.
Tree Outside(const Tree& tree, const std::string& prefix);

} // namespace disk
