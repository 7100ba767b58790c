// Links made as the platform makes them or, under Wine, where a Unix link
// stands for a junction or a symbolic link, from the Unix side.
#pragma once

#include <functional>
#include <string>

namespace disk {

// Running under Wine: the Unix side is there to make links with.
bool OnWine();
std::string UnixPath(const std::string& windowsPath);
// Runs a Unix program with its arguments and waits (up to five seconds)
// for `done` to hold: Wine gives no end or exit code of a Unix program.
bool RunUnix(const std::string& program, const std::string& arguments,
             const std::function<bool()>& done);
// A link to a folder (or, with `isFile`, to a file), as the platform or
// (under Wine) the Unix side makes it. Returns false when it cannot be
// made here.
bool MakeFolderLink(const std::string& link, const std::string& target,
                    bool isFile = false);
void RemoveFolderLink(const std::string& link);

} // namespace disk
