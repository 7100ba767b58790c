// The folder tree walker of the drive search: every file below a folder
// whose name matches a filter, listed folder by folder. (The removal of an
// installation walks its tree its own way: engine/remove_installation.)
#pragma once

// Returns the stop flag: 1 when the result list refused a line.
int WalkFolderTree(const char* folder, const char* findPattern,
                   const char* nameFilter);

// The longest path the walker forms, terminator included: the limit of the
// platform's 8-bit find and file calls.
enum { WALK_PATH_SIZE = 260 };

// One entry of a folder as the platform's find service gives it.
struct WalkEntry {
  char name[WALK_PATH_SIZE];
  unsigned long attributes;
};

enum : unsigned long {
  WALK_ATTRIBUTE_DIRECTORY = 0x10,
  WALK_ATTRIBUTE_REPARSE_POINT = 0x400,
};

// What the walker asks of the platform. The real calls by default; a test
// may put in its own to record the walk or to play a file system.
struct WalkPlatform {
  // A find handle, or null when the find fails.
  void* (*findFirst)(const char* findPath, WalkEntry* entry);
  int (*findNext)(void* find, WalkEntry* entry);
  void (*findClose)(void* find);
  // The result list's answer: negative when it refuses the line.
  int (*addResultLine)(const char* line);
  void (*repaint)();
};

extern WalkPlatform walkPlatform;
extern const WalkPlatform realWalkPlatform;
