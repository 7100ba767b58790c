#include "shortcuts/shortcut_script.h"

namespace {

// What takes the place of a %s in a line.
enum Arg : unsigned char { NONE, NAME, TARGET, FOLDER, UNINSTALL_WORD };

struct ScriptLine {
  const char* pattern;
  Arg first = NONE;
  Arg second = NONE;
};

#define COUNT(lines) (sizeof(lines) / sizeof(lines[0]))

const ScriptLine kHeaderStart[] = {
    {"Dim WSHShell, MyShortcut, DesktopPath, folderspec, FSO, f, ALL"},
    {"Set WSHShell=WScript.CreateObject(\"WScript.Shell\")"},
    {"Set FSO=CreateObject(\"Scripting.FileSystemObject\")"},
    {"DesktopPath=WSHShell.SpecialFolders(\"AllUsersDesktop\")"},
    {"If FSO.FolderExists(DesktopPath) Then"},
    {"ALL=\"Y\""},
    {"Else"},
    {"ALL=\"N\""},
    {"End If"},
};

// Without the right to the all-users folders the script keeps to the
// current user's, whatever exists.
const ScriptLine kCurrentUserOnly[] = {{"ALL=\"N\""}};

const ScriptLine kHeaderEnd[] = {
    {"If ALL=\"N\" Then"},
    {"DesktopPath=WSHShell.SpecialFolders(\"Desktop\")"},
    {"End If"},
};

const ScriptLine kDesktopRemove[] = {
    {"If FSO.FileExists(DesktopPath & \"\\%s.lnk\") Then", NAME},
    {"FSO.DeleteFile(DesktopPath & \"\\%s.lnk\")", NAME},
    {"End If"},
};

const ScriptLine kDesktopCreate[] = {
    {"Set MyShortcut=WSHShell.CreateShortcut(DesktopPath & \"\\%s.lnk\")",
     NAME},
    {"MyShortcut.TargetPath=\"%s\"", TARGET},
    {"MyShortcut.WorkingDirectory=\"%s\"", FOLDER},
    {"MyShortcut.WindowStyle=4"},
    {"MyShortcut.HotKey= \"CTRL+ALT+O\""},
    {"MyShortcut.IconLocation=\"%s, 0\"", TARGET},
    {"MyShortcut.Save"},
};

const ScriptLine kChooseProgramsFolder[] = {
    {"If ALL=\"Y\" Then"},
    {"folderspec=WSHShell.SpecialFolders(\"AllUsersPrograms\")"},
    {"Else "},
    {"folderspec=WSHShell.SpecialFolders(\"Programs\")"},
    {"End If"},
};

const ScriptLine kGroupFolder[] = {
    {"folderspec=(folderspec & \"\\%s\")", NAME}};

const ScriptLine kStartupFolder[] = {
    {"folderspec=(folderspec & \"\\StartUp\")"}};

const ScriptLine kShortcutRemove[] = {
    {"If FSO.FileExists(folderspec & \"\\%s.lnk\") Then", NAME},
    {"FSO.DeleteFile(folderspec & \"\\%s.lnk\")", NAME},
    {"End If"},
};

const ScriptLine kUninstallRemove[] = {
    {"If FSO.FileExists(folderspec & \"\\%s %s.lnk\") Then", UNINSTALL_WORD,
     NAME},
    {"FSO.DeleteFile(folderspec & \"\\%s %s.lnk\")", UNINSTALL_WORD, NAME},
    {"End If"},
};

// The program group goes once nothing in it holds data.
const ScriptLine kEmptyGroupRemove[] = {
    {"If FSO.FolderExists(folderspec) Then"},
    {"Set f=FSO.GetFolder(folderspec)"},
    {"If f.size=0 Then"},
    {"FSO.DeleteFolder(folderspec)"},
    {"End If"},
    {"End If"},
};

const ScriptLine kFolderCreate[] = {
    {"If Not FSO.FolderExists(folderspec) Then"},
    {"FSO.CreateFolder(folderspec)"},
    {"End If"},
};

const ScriptLine kShortcutCreate[] = {
    {"Set MyShortcut=WSHShell.CreateShortcut(folderspec & \"\\%s.lnk\")", NAME},
    {"MyShortcut.TargetPath=\"%s\"", TARGET},
    {"MyShortcut.WorkingDirectory=\"%s\"", FOLDER},
    {"MyShortcut.WindowStyle=4"},
    {"MyShortcut.IconLocation=\"%s, 0\"", TARGET},
    {"MyShortcut.Save"},
};

// The folder already ends with a backslash; the switch stands inside the
// target string.
const ScriptLine kUninstallCreate[] = {
    {"Set MyShortcut=WSHShell.CreateShortcut(folderspec & \"\\%s %s.lnk\")",
     UNINSTALL_WORD, NAME},
    {"MyShortcut.TargetPath=\"%s\\install.exe /UN\"", FOLDER},
    {"MyShortcut.WorkingDirectory=\"%s\"", FOLDER},
    {"MyShortcut.WindowStyle=4"},
    {"MyShortcut.IconLocation=\"%sinstall.exe, 0\"", FOLDER},
    {"MyShortcut.Save"},
};

struct Emitter {
  const ShortcutScriptInputs& inputs;
  ScriptLineWriter writer;
  void* context;
  int stopped;
};

const char* ArgText(const ShortcutScriptInputs& inputs, Arg arg) {
  switch (arg) {
  case NAME:
    return inputs.shortcutName;
  case TARGET:
    return inputs.targetPath;
  case FOLDER:
    return inputs.workingFolder;
  case UNINSTALL_WORD:
    return "UN-INSTALL";
  default:
    return "";
  }
}

// Replaces each %s of the pattern by the next argument and ends the line
// with a line feed; what does not fit the buffer is cut, the line feed kept.
void FormatLine(char* out, const char* pattern, const char* first,
                const char* second) {
  const int room = SCRIPT_LINE_SIZE - 2;
  const char* args[2] = {first, second};
  int used = 0;
  int nextArg = 0;
  for (const char* p = pattern; *p && used < room; ++p) {
    if (p[0] == '%' && p[1] == 's' && nextArg < 2) {
      for (const char* a = args[nextArg++]; *a && used < room; ++a)
        out[used++] = *a;
      ++p;
    } else {
      out[used++] = *p;
    }
  }
  out[used++] = '\n';
  out[used] = '\0';
}

void Emit(Emitter& e, const ScriptLine* lines, unsigned count) {
  char line[SCRIPT_LINE_SIZE];
  for (unsigned i = 0; i < count && !e.stopped; ++i) {
    FormatLine(line, lines[i].pattern, ArgText(e.inputs, lines[i].first),
               ArgText(e.inputs, lines[i].second));
    if (!e.writer(line, e.context))
      e.stopped = 1;
  }
}

#define EMIT(e, lines) Emit(e, lines, COUNT(lines))

} // namespace

int BuildShortcutScript(const ShortcutScriptInputs& inputs,
                        ScriptLineWriter writer, void* context) {
  const int flags = inputs.flags & 0xFF;
  const int removeOnly = flags & SHORTCUT_REMOVE_ONLY;
  Emitter e = {inputs, writer, context, 0};

  EMIT(e, kHeaderStart);
  if (inputs.allUsersShortcuts == 0)
    EMIT(e, kCurrentUserOnly);
  EMIT(e, kHeaderEnd);

  if (flags & (SHORTCUT_REMOVE_ONLY | SHORTCUT_DESKTOP)) {
    EMIT(e, kDesktopRemove);
    if ((flags & SHORTCUT_DESKTOP) && !removeOnly)
      EMIT(e, kDesktopCreate);
  }
  if (flags & (SHORTCUT_REMOVE_ONLY | SHORTCUT_PROGRAMS)) {
    EMIT(e, kChooseProgramsFolder);
    EMIT(e, kGroupFolder);
    EMIT(e, kShortcutRemove);
    EMIT(e, kEmptyGroupRemove);
    if ((flags & SHORTCUT_PROGRAMS) && !removeOnly) {
      EMIT(e, kFolderCreate);
      EMIT(e, kShortcutCreate);
    }
  }
  if (flags & (SHORTCUT_REMOVE_ONLY | SHORTCUT_UNINSTALL)) {
    EMIT(e, kChooseProgramsFolder);
    EMIT(e, kGroupFolder);
    EMIT(e, kUninstallRemove);
    EMIT(e, kEmptyGroupRemove);
    if ((flags & SHORTCUT_UNINSTALL) && !removeOnly) {
      EMIT(e, kFolderCreate);
      EMIT(e, kUninstallCreate);
    }
  }
  if (flags & (SHORTCUT_REMOVE_ONLY | SHORTCUT_STARTUP)) {
    EMIT(e, kChooseProgramsFolder);
    EMIT(e, kStartupFolder);
    EMIT(e, kShortcutRemove);
    if ((flags & SHORTCUT_STARTUP) && !removeOnly) {
      EMIT(e, kFolderCreate);
      EMIT(e, kShortcutCreate);
    }
  }
  return !e.stopped;
}
