#include "shell/popup_menu.h"

#include "resources/resource_ids.h"

const PopupEntry UtilitiesEntries[UTILITIES_ENTRY_COUNT] = {
    {"Monitor Setup", CMD_MONITOR_SETUP, 1, 0},
    {"Backup Data", CMD_BACKUP_DATA, 1, 0},
    {0, 0, 0, 0},
    {"Switch to Un-Install", CMD_SWITCH_TO_UNINSTALL, 0, 0},
};

namespace {

struct PopupBuilder {
  PopupEntry* entries;
  int count;

  void Add(const char* text, int id, int opensSubmenu = 0) {
    if (count < POPUP_MAX_ENTRIES)
      entries[count++] = {text, id, 0, opensSubmenu};
  }
  void AddWithSeparator(const char* text, int id, int opensSubmenu = 0) {
    Add(text, id, opensSubmenu);
    Add(0, 0);
  }
};

const char* BeginEntryText(int uninstallMode, int updateMode) {
  if (uninstallMode == 1)
    return " UN-INSTALL Orvel";
  if (updateMode == 1)
    return "Begin Update";
  return "Begin Installation";
}

} // namespace

int DescribePopupMenu(int uninstallMode, int updateMode, int agreementIncluded,
                      int iconChoiceOffered, PopupEntry* entries) {
  PopupBuilder menu = {entries, 0};
  menu.AddWithSeparator("Help", CMD_HELP);
  if (agreementIncluded == 1)
    menu.AddWithSeparator(updateMode == 1 ? "Read New Changes" : "Read EULA",
                          CMD_READ_AGREEMENT);
  if (iconChoiceOffered == 1)
    menu.AddWithSeparator("Choose Icons", CMD_CHOOSE_ICONS);
  menu.AddWithSeparator("Change Destination", CMD_CHANGE_DESTINATION);
  menu.AddWithSeparator("List of Files", CMD_LIST_FILES);
  // The begin entry sits between two empty ones, so a hurried click near
  // it still begins.
  menu.Add("", CMD_BEGIN);
  menu.Add(BeginEntryText(uninstallMode, updateMode), CMD_BEGIN);
  menu.AddWithSeparator("", CMD_BEGIN);
  menu.AddWithSeparator("Exit", CMD_EXIT);
  menu.AddWithSeparator("Utilities", 0, 1);
  menu.Add("About...", CMD_ABOUT);
  return menu.count;
}
