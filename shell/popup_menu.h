// What the right-click menu holds, entry by entry, for a given mode. A rule
// without system calls: the window code turns it into a real menu.
#pragma once

struct PopupEntry {
  const char* text; // 0 for a separator
  int id;           // the command; 0 for separators and the submenu
  int greyed;
  int opensSubmenu; // 1: this entry opens the "Utilities" submenu
};

enum { POPUP_MAX_ENTRIES = 24, UTILITIES_ENTRY_COUNT = 4 };

// The "Utilities" submenu, the same in every mode.
extern const PopupEntry UtilitiesEntries[UTILITIES_ENTRY_COUNT];

// Fills `entries` (room for POPUP_MAX_ENTRIES) with the main popup in
// order and returns their count.
int DescribePopupMenu(int uninstallMode, int updateMode, int agreementIncluded,
                      int iconChoiceOffered, PopupEntry* entries);
