// Which shortcuts the shortcut script removes and makes.
#pragma once

typedef int ShortcutFlags;
typedef int ShortcutStatus;

enum {
  SHORTCUT_REMOVE_ONLY = 0x01,
  SHORTCUT_DESKTOP = 0x02,
  SHORTCUT_PROGRAMS = 0x04,
  SHORTCUT_STARTUP = 0x08,
  SHORTCUT_UNINSTALL = 0x10,
  SHORTCUT_DELETE_SCRIPT = 0x80,
};
