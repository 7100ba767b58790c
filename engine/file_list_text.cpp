#include "engine/file_list_text.h"

#include "engine/payload_table.h"
#include "shortcuts/shortcut_flags.h"

#include <string.h>

namespace {

// Windows 3.x has no shortcuts of the kind the script makes.
enum { WINDOWS_3X_CLASS = 3 };

struct Text {
  char* start;
  size_t size;
  size_t length;
};

void Append(Text& text, const char* part) {
  size_t room = text.size - 1 - text.length;
  size_t add = strlen(part);
  if (add > room)
    add = room;
  memcpy(text.start + text.length, part, add);
  text.length += add;
  text.start[text.length] = '\0';
}

void AppendWarning(Text& text, const char* destinationPath) {
  Append(text, "  WARNING!!!!!!!\n\nIf you UNINSTALL Orvel,\nALL FILES, "
               "FOLDERS, and SUBFOLDERS located in:\n\n");
  Append(text, destinationPath);
  Append(text, "\n\nwill be DESTROYED, (including the Shortcut Icons)\n");
}

void AppendPayloadNames(Text& text) {
  for (const PayloadSlot& slot : PayloadTable) {
    char name[260];
    if (strlen(slot.catalogueName) >= sizeof name ||
        MapPayloadName(name, slot.catalogueName) != 0)
      continue;
    Append(text, name);
    Append(text, "\n");
  }
}

void AppendShortcuts(Text& text, int shortcutFlags) {
  const int shown = SHORTCUT_DESKTOP | SHORTCUT_PROGRAMS | SHORTCUT_STARTUP;
  if (!(shortcutFlags & shown))
    return;
  Append(text, "\n");
  if (shortcutFlags & SHORTCUT_DESKTOP)
    Append(text, "Desktop Icon\n");
  if (shortcutFlags & SHORTCUT_PROGRAMS)
    Append(text, "Programs Menu Icon\n");
  if (shortcutFlags & SHORTCUT_UNINSTALL)
    Append(text, "Programs Menu Un-Install Icon\n");
  if (shortcutFlags & SHORTCUT_STARTUP)
    Append(text, "Programs Startup Icon\n");
}

} // namespace

void FormatFileList(char* start, size_t size, const FileListChoices& choices) {
  if (size == 0)
    return;
  Text text = {start, size, 0};
  start[0] = '\0';
  if (choices.mode == InstallMode::Uninstall) {
    AppendWarning(text, choices.destinationPath);
    return;
  }
  bool update = choices.mode == InstallMode::Update;
  if (update)
    Append(text, "<<  Orvel UPDATE  >>\n\n");
  Append(text, "Files Installed with this program:\n\n");
  AppendPayloadNames(text);
  if (choices.windowsVersionClass != WINDOWS_3X_CLASS)
    AppendShortcuts(text, choices.shortcutFlags);
  if (choices.agreementIncluded == 1)
    Append(text, update ? "\nNew Changes File: 'new.txt'"
                        : "\nUser Agreement File: 'eula.txt'");
}
