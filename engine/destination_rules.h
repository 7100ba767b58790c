// How a typed destination is brought into its normal form and which
// places are refused. No Windows header: these are rules.
#pragma once

#include <stddef.h>

#include "engine/error_codes.h"

enum {
  DESTINATION_LONGEST = 256, // characters, after normalisation
  DESTINATION_SHORTEST = 4,  // "c:\" alone is the root
  // The longest destination the files can be made in: the file calls take
  // paths of at most 259 characters (MAX_PATH less the terminating zero),
  // and the longest name written there is nine ("$$cmp.tm$").
  DESTINATION_LONGEST_MADE = 259 - 9,
};

// Copies `from` into `to` (`size` bytes), cut short and always terminated.
void CopyBounded(char* to, size_t size, const char* from);

// Normalises `path` (a buffer of `size` bytes) in place: leading spaces
// go, an empty path becomes `defaultFolder` in lower case, forward slashes
// become backslashes, a trailing backslash is added, and the folder names
// are resolved as Windows resolves them (doubled backslashes, "." and
// "..", the dots and blanks that end a name), so that the path names its
// folder in one way only. Returns ERR_BAD_DRIVE for a malformed drive (the path
// then stops being normalised), ERR_NO_DRIVE when no drive is named,
// ERR_PATH_TOO_LONG when the path does not fit its buffer, or 0.
ErrorCode NormaliseDestination(char* path, size_t size,
                               const char* defaultFolder);

// The tests of a normalised path that need no disk: its length, then
// those of CheckDestinationFolder.
ErrorCode CheckDestinationPlace(const char* path, const char* windowsDirectory);

// The root folder, the Windows directory (skipped when empty) and the
// compile path.
ErrorCode CheckDestinationFolder(const char* path,
                                 const char* windowsDirectory);

// Whether `text` begins with `prefix`, letters compared without regard to
// case.
int StartsWithIgnoringCase(const char* text, const char* prefix);

// The folder levels of `path` in order, from the left: the length of the
// next prefix that ends just before a backslash at or after `from`,
// skipping empty prefixes and the drive itself ("c:"). 0 when no level
// is left. Walk with from = 0, then from = the last level + 1.
size_t NextFolderLevel(const char* path, size_t from);
