// The e2e script's eyes: what a person sees on the Wine desktop, printed
// one line per window so that a shell script can find where to click.
//
//   probe windows     every visible top-level window and its controls:
//                     W|title|class|left top right bottom|client left top w h
//                     C|id|class|text|left top right bottom|visible|checked
//   probe processes   the executable name of every running process
//   probe beginpoint TITLE
//                     the screen point of the begin icon and of the
//                     "Destination Folder:" label in the installer window
//                     called TITLE, from the window font's line height
#include <windows.h>
#include <tlhelp32.h>

#include <stdio.h>
#include <string.h>

namespace {

void TextOf(HWND window, char* text, int size) {
  DWORD_PTR copied = 0;
  text[0] = '\0';
  SendMessageTimeoutA(window, WM_GETTEXT, size, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  text[size - 1] = '\0';
  // One line per control: the script reads line breaks as \n.
  for (char* c = text; *c; ++c)
    if (*c == '\n')
      *c = '~';
    else if (*c == '\r')
      *c = ' ';
}

BOOL CALLBACK PrintControl(HWND child, LPARAM) {
  char className[64], text[2048];
  GetClassNameA(child, className, sizeof className);
  TextOf(child, text, sizeof text);
  RECT r;
  GetWindowRect(child, &r);
  DWORD_PTR checked = 0;
  if (lstrcmpiA(className, "Button") == 0)
    SendMessageTimeoutA(child, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000,
                        &checked);
  printf("C|%d|%s|%s|%d %d %d %d|%d|%d\n",
         static_cast<int>(static_cast<short>(GetDlgCtrlID(child))), className,
         text, int(r.left), int(r.top), int(r.right), int(r.bottom),
         IsWindowVisible(child) ? 1 : 0, static_cast<int>(checked));
  return TRUE;
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM) {
  if (!IsWindowVisible(window))
    return TRUE;
  char className[64], title[256];
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  RECT r, client;
  GetWindowRect(window, &r);
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  printf("W|%s|%s|%d %d %d %d|%d %d %d %d\n", title, className, int(r.left),
         int(r.top), int(r.right), int(r.bottom), int(origin.x), int(origin.y),
         int(client.right), int(client.bottom));
  EnumChildWindows(window, PrintControl, 0);
  return TRUE;
}

int PrintProcesses() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more;
       more = Process32Next(snapshot, &entry))
    printf("%s\n", entry.szExeFile);
  CloseHandle(snapshot);
  return 0;
}

// The installer paints in Arial of 14 points; its lines are spaced by the
// height of that font's text.
int PrintBeginPoint(const char* title) {
  HWND window = FindWindowA("Installation", title);
  if (!window)
    return 1;
  HDC dc = GetDC(window);
  int pixels = GetDeviceCaps(dc, LOGPIXELSY) * 14 / 72;
  HFONT font =
      CreateFontA(-pixels, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Arial");
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE extent;
  GetTextExtentPoint32A(dc, "Destination Folder:", 19, &extent);
  SelectObject(dc, previous);
  DeleteObject(font);
  ReleaseDC(window, dc);
  RECT client;
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  int centre = int(origin.x + (client.right + 1) / 2);
  int top = int(origin.y), line = int(extent.cy);
  printf("%d %d %d %d\n", centre, top + 16 * line + 16, centre,
         top + 11 * line + line / 2);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  // The installer runs on the virtual desktop "e2e"; look there.
  if (HDESK desktop = OpenDesktopA("e2e", 0, FALSE, GENERIC_ALL))
    SetThreadDesktop(desktop);
  if (argc >= 2 && strcmp(argv[1], "windows") == 0) {
    EnumWindows(PrintWindow, 0);
    return 0;
  }
  if (argc >= 2 && strcmp(argv[1], "processes") == 0)
    return PrintProcesses();
  if (argc >= 3 && strcmp(argv[1], "beginpoint") == 0)
    return PrintBeginPoint(argv[2]);
  fprintf(stderr, "usage: probe windows | processes | beginpoint TITLE\n");
  return 2;
}
