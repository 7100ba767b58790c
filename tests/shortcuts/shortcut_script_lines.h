// The shortcut script's lines as its line tables give them, written out by
// hand for a program c:\orvel-tests\Orvel\orvel.exe, for the tests to
// compare with what the generator and the runner produce.
#pragma once

#include <string>
#include <vector>

namespace script_lines {

using Lines = std::vector<std::string>;

inline Lines operator+(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline std::string Joined(const Lines& lines, const char* lineEnd) {
  std::string text;
  for (const std::string& line : lines)
    text += line + lineEnd;
  return text;
}

const char kTarget[] = "c:\\orvel-tests\\Orvel\\orvel.exe";
const char kFolder[] = "c:\\orvel-tests\\Orvel\\";

// H1 to H9.
const Lines kHeaderStart = {
    "Dim WSHShell, MyShortcut, DesktopPath, folderspec, FSO, f, ALL",
    "Set WSHShell=WScript.CreateObject(\"WScript.Shell\")",
    "Set FSO=CreateObject(\"Scripting.FileSystemObject\")",
    "DesktopPath=WSHShell.SpecialFolders(\"AllUsersDesktop\")",
    "If FSO.FolderExists(DesktopPath) Then",
    "ALL=\"Y\"",
    "Else",
    "ALL=\"N\"",
    "End If",
};
// H10, only without the right to the all-users folders.
const Lines kH10 = {"ALL=\"N\""};
// H11 to H13.
const Lines kHeaderEnd = {
    "If ALL=\"N\" Then",
    "DesktopPath=WSHShell.SpecialFolders(\"Desktop\")",
    "End If",
};
const Lines kHeaderAllUsers = kHeaderStart + kHeaderEnd;
const Lines kHeaderCurrentUser = kHeaderStart + kH10 + kHeaderEnd;

const Lines kD1toD3 = {
    "If FSO.FileExists(DesktopPath & \"\\Orvel.lnk\") Then",
    "FSO.DeleteFile(DesktopPath & \"\\Orvel.lnk\")",
    "End If",
};
const Lines kD4toD10 = {
    "Set MyShortcut=WSHShell.CreateShortcut(DesktopPath & \"\\Orvel.lnk\")",
    "MyShortcut.TargetPath=\"c:\\orvel-tests\\Orvel\\orvel.exe\"",
    "MyShortcut.WorkingDirectory=\"c:\\orvel-tests\\Orvel\\\"",
    "MyShortcut.WindowStyle=4",
    "MyShortcut.HotKey= \"CTRL+ALT+O\"",
    "MyShortcut.IconLocation=\"c:\\orvel-tests\\Orvel\\orvel.exe, 0\"",
    "MyShortcut.Save",
};

// P1 to P5, also U1 to U5 and S1 to S5; "Else " carries one blank.
const Lines kP1toP5 = {
    "If ALL=\"Y\" Then",
    "folderspec=WSHShell.SpecialFolders(\"AllUsersPrograms\")",
    "Else ",
    "folderspec=WSHShell.SpecialFolders(\"Programs\")",
    "End If",
};
const Lines kP6 = {"folderspec=(folderspec & \"\\Orvel\")"};
const Lines kP7toP9 = {
    "If FSO.FileExists(folderspec & \"\\Orvel.lnk\") Then",
    "FSO.DeleteFile(folderspec & \"\\Orvel.lnk\")",
    "End If",
};
const Lines kP10toP15 = {
    "If FSO.FolderExists(folderspec) Then",
    "Set f=FSO.GetFolder(folderspec)",
    "If f.size=0 Then",
    "FSO.DeleteFolder(folderspec)",
    "End If",
    "End If",
};
const Lines kP16toP18 = {
    "If Not FSO.FolderExists(folderspec) Then",
    "FSO.CreateFolder(folderspec)",
    "End If",
};
const Lines kP19toP24 = {
    "Set MyShortcut=WSHShell.CreateShortcut(folderspec & \"\\Orvel.lnk\")",
    "MyShortcut.TargetPath=\"c:\\orvel-tests\\Orvel\\orvel.exe\"",
    "MyShortcut.WorkingDirectory=\"c:\\orvel-tests\\Orvel\\\"",
    "MyShortcut.WindowStyle=4",
    "MyShortcut.IconLocation=\"c:\\orvel-tests\\Orvel\\orvel.exe, 0\"",
    "MyShortcut.Save",
};
const Lines kP1toP15 = kP1toP5 + kP6 + kP7toP9 + kP10toP15;
const Lines kP1toP24 = kP1toP15 + kP16toP18 + kP19toP24;

const Lines kU7toU8 = {
    "If FSO.FileExists(folderspec & \"\\UN-INSTALL Orvel.lnk\") Then",
    "FSO.DeleteFile(folderspec & \"\\UN-INSTALL Orvel.lnk\")",
};
// Two backslashes before install.exe: the folder ends with one.
const Lines kU19toU24 = {
    "Set MyShortcut=WSHShell.CreateShortcut(folderspec & \"\\UN-INSTALL "
    "Orvel.lnk\")",
    "MyShortcut.TargetPath=\"c:\\orvel-tests\\Orvel\\\\install.exe /UN\"",
    "MyShortcut.WorkingDirectory=\"c:\\orvel-tests\\Orvel\\\"",
    "MyShortcut.WindowStyle=4",
    "MyShortcut.IconLocation=\"c:\\orvel-tests\\Orvel\\install.exe, 0\"",
    "MyShortcut.Save",
};
const Lines kU1toU15 = kP1toP5 + kP6 + kU7toU8 + Lines{"End If"} + kP10toP15;
const Lines kU1toU24 = kU1toU15 + kP16toP18 + kU19toU24;

const Lines kS1toS9 =
    kP1toP5 + Lines{"folderspec=(folderspec & \"\\StartUp\")"} + kP7toP9;
const Lines kS1toS18 = kS1toS9 + kP16toP18 + kP19toP24;

} // namespace script_lines
