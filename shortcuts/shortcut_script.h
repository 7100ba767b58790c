// The text of the shortcut script: which lines the script host runs to
// remove and make the product's shortcuts, as a function of its inputs.
#pragma once

#include "shortcuts/shortcut_flags.h"

// Each line is formatted into a buffer of this size, its line feed
// included.
enum { SCRIPT_LINE_SIZE = 828 };

struct ShortcutScriptInputs {
  ShortcutFlags flags;
  int allUsersShortcuts;
  const char* shortcutName;
  const char* targetPath;
  const char* workingFolder;
};

// Takes one line, ended by "\n"; returns 0 to stop the script there.
typedef int (*ScriptLineWriter)(const char* line, void* context);

// Hands every line of the script to the writer, in order. Returns 1 when
// the writer took them all, 0 when it stopped early.
int BuildShortcutScript(const ShortcutScriptInputs& inputs,
                        ScriptLineWriter writer, void* context);
