// The folder tree walker, in delete and in search mode.
#pragma once

enum { WALK_SEARCH = 0, WALK_DELETE = 86 };

// Returns the stop flag: 1 when, searching, the result list refused a line.
int WalkFolderTree(const char* folder, const char* findPattern,
                   const char* nameFilter, int mode);

// The longest path the walker forms, terminator included: the limit of the
// platform's 8-bit find and file calls.
enum { WALK_PATH_SIZE = 260 };

// One entry of a folder as the platform's find service gives it.
struct WalkEntry {
  char name[WALK_PATH_SIZE];
  unsigned long attributes;
  // For an entry with the reparse-point attribute, what kind of point it is.
  unsigned long reparseTag;
};

enum : unsigned long {
  WALK_ATTRIBUTE_DIRECTORY = 0x10,
  WALK_ATTRIBUTE_REPARSE_POINT = 0x400,
  // Junctions and symbolic links carry this bit in their tag.
  WALK_REPARSE_NAME_SURROGATE = 0x20000000,
};

// What the walker asks of the platform. The real calls by default; a test
// may put in its own to record the walk or to play a file system.
struct WalkPlatform {
  // A find handle, or null when the find fails.
  void* (*findFirst)(const char* findPath, WalkEntry* entry);
  int (*findNext)(void* find, WalkEntry* entry);
  void (*findClose)(void* find);
  int (*setAttributes)(const char* path, unsigned long attributes);
  int (*deleteFile)(const char* path);
  // 1 on success; on failure 0 with the platform's error code.
  int (*removeFolder)(const char* path, unsigned long* error);
  // The result list's answer: negative when it refuses the line.
  int (*addResultLine)(const char* line);
  void (*repaint)();
};

extern WalkPlatform walkPlatform;
extern const WalkPlatform realWalkPlatform;
