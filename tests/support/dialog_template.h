// Reads a dialog template resource (DLGTEMPLATE) as it is stored.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace scripted {

struct TemplateItem {
  DWORD style = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  int id = 0;
  std::string className; // upper case: BUTTON, EDIT, STATIC, LISTBOX, ...
  std::string text;
  int textOrdinal = -1; // a resource id given instead of a text
};

struct DialogTemplate {
  DWORD style = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::string menu;
  std::string className;
  std::string caption;
  bool hasFont = false;
  std::vector<TemplateItem> items;
};

bool LoadDialogTemplate(HMODULE module, const char* name, DialogTemplate& out);

} // namespace scripted
