// The e2e script's eyes: what a person sees on the Wine desktop, printed
// one line per window so that a shell script can find where to click.
//
//   probe windows     every visible top-level window and its controls:
//                     W|title|class|left top right bottom|client left top w h
//                     C|id|class|text|left top right bottom|visible|checked
//   probe processes   the executable name of every running process
//   probe beginpoint TITLE
//                     the screen point of the begin icon's centre and of
//                     the "Destination Folder:" label in the installer
//                     window called TITLE, from the window font's line
//                     height and the display scale
//   probe accessible TITLE
//                     the accessible tree of that installer window's client
//                     area, as a screen reader reads it from outside:
//                     A|child|role|name|value|state|left top width height
//   probe line TITLE N TEXT
//                     compares the painted line N of that window with TEXT
//                     drawn in the window's font and colours; prints the
//                     pixels that differ and the pixels of the text
#include <windows.h>
#include <oleacc.h>
#include <tlhelp32.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// IAccessible's id, spelled here: the 64-bit import library hands the
// linker a code stub for IID_IAccessible, not the id.
const IID kAccessibleId = {0x618736e0,
                           0x3c3d,
                           0x11cf,
                           {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

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
HFONT CreateWindowFont(HDC dc) {
  int pixels = GetDeviceCaps(dc, LOGPIXELSY) * 14 / 72;
  return CreateFontA(-pixels, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, FF_SWISS,
                     "Arial");
}

// Nearer the white of the text than the blue behind it.
bool IsBright(COLORREF colour) {
  return GetRValue(colour) + GetGValue(colour) + GetBValue(colour) > 580;
}

// Reads a painted, centred line of the installer window as a person reads
// it: by comparing it with the text expected there, drawn alike.
int CompareLine(const char* title, int line, const char* text) {
  HWND window = FindWindowA("Installation", title);
  if (!window)
    return 1;
  HDC dc = GetDC(window);
  HFONT font = CreateWindowFont(dc);
  HGDIOBJ previousFont = SelectObject(dc, font);
  int length = lstrlenA(text);
  SIZE extent;
  GetTextExtentPoint32A(dc, text, length, &extent);
  RECT client;
  GetClientRect(window, &client);
  int x = (client.right + 1 - extent.cx) / 2, y = line * extent.cy;

  // What the screen shows there.
  HDC screen = GetDC(nullptr);
  POINT corner = {x, y};
  ClientToScreen(window, &corner);
  HDC shown = CreateCompatibleDC(screen), drawn = CreateCompatibleDC(screen);
  HBITMAP shownBits = CreateCompatibleBitmap(screen, extent.cx, extent.cy);
  HBITMAP drawnBits = CreateCompatibleBitmap(screen, extent.cx, extent.cy);
  SelectObject(shown, shownBits);
  SelectObject(drawn, drawnBits);
  BitBlt(shown, 0, 0, extent.cx, extent.cy, screen, corner.x, corner.y,
         SRCCOPY);
  ReleaseDC(nullptr, screen);
  COLORREF background = GetNearestColor(dc, RGB(65, 105, 225));
  RECT all = {0, 0, extent.cx, extent.cy};
  HBRUSH brush = CreateSolidBrush(background);
  FillRect(drawn, &all, brush);
  DeleteObject(brush);
  SelectObject(drawn, font);
  SetBkColor(drawn, background);
  SetTextColor(drawn, GetNearestColor(dc, RGB(255, 255, 255)));
  TextOutA(drawn, 0, 0, text, length);

  int differing = 0, textPixels = 0;
  for (int py = 0; py < extent.cy; ++py)
    for (int px = 0; px < extent.cx; ++px) {
      bool expected = IsBright(GetPixel(drawn, px, py));
      textPixels += expected;
      differing += expected != IsBright(GetPixel(shown, px, py));
    }
  printf("%d %d\n", differing, textPixels);

  DeleteDC(shown);
  DeleteDC(drawn);
  DeleteObject(shownBits);
  DeleteObject(drawnBits);
  SelectObject(dc, previousFont);
  DeleteObject(font);
  ReleaseDC(window, dc);
  return 0;
}

int PrintBeginPoint(const char* title) {
  HWND window = FindWindowA("Installation", title);
  if (!window)
    return 1;
  HDC dc = GetDC(window);
  HFONT font = CreateWindowFont(dc);
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE extent;
  GetTextExtentPoint32A(dc, "Destination Folder:", 19, &extent);
  // The icon is 32 pixels square at 96 dots per inch, scaled with them.
  int halfIcon = MulDiv(16, GetDeviceCaps(dc, LOGPIXELSY), 96);
  SelectObject(dc, previous);
  DeleteObject(font);
  ReleaseDC(window, dc);
  RECT client;
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  int centre = int(origin.x + (client.right + 1) / 2);
  int top = int(origin.y), line = int(extent.cy);
  printf("%d %d %d %d\n", centre, top + 16 * line + halfIcon, centre,
         top + 11 * line + line / 2);
  return 0;
}

void PrintWide(BSTR text) {
  for (BSTR c = text; c && *c; ++c)
    putchar(*c < 128 ? static_cast<char>(*c) : '?');
  SysFreeString(text);
}

int PrintAccessible(const char* title) {
  HWND window = FindWindowA("Installation", title);
  IAccessible* client = nullptr;
  CoInitialize(nullptr);
  if (!window ||
      AccessibleObjectFromWindow(window, OBJID_CLIENT, kAccessibleId,
                                 reinterpret_cast<void**>(&client)) != S_OK)
    return 1;
  long count = 0;
  client->get_accChildCount(&count);
  for (long id = 0; id <= count; ++id) {
    VARIANT child, role, state;
    child.vt = VT_I4;
    child.lVal = id;
    VariantInit(&role);
    VariantInit(&state);
    client->get_accRole(child, &role);
    client->get_accState(child, &state);
    BSTR name = nullptr, value = nullptr;
    client->get_accName(child, &name);
    client->get_accValue(child, &value);
    long x = 0, y = 0, w = 0, h = 0;
    client->accLocation(&x, &y, &w, &h, child);
    printf("A|%ld|%ld|", id, role.lVal);
    PrintWide(name);
    putchar('|');
    PrintWide(value);
    printf("|%ld|%ld %ld %ld %ld\n", state.lVal, x, y, w, h);
  }
  client->Release();
  CoUninitialize();
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  // Measures as the installer, which its manifest declares DPI aware.
  SetProcessDPIAware();
  // The installer runs on the virtual desktop "Default", as this probe.
  if (argc >= 2 && strcmp(argv[1], "windows") == 0) {
    EnumWindows(PrintWindow, 0);
    return 0;
  }
  if (argc >= 2 && strcmp(argv[1], "processes") == 0)
    return PrintProcesses();
  if (argc >= 3 && strcmp(argv[1], "beginpoint") == 0)
    return PrintBeginPoint(argv[2]);
  if (argc >= 3 && strcmp(argv[1], "accessible") == 0)
    return PrintAccessible(argv[2]);
  if (argc >= 5 && strcmp(argv[1], "line") == 0)
    return CompareLine(argv[2], atoi(argv[3]), argv[4]);
  fprintf(stderr, "usage: probe windows | processes | beginpoint TITLE | "
                  "accessible TITLE | line TITLE N TEXT\n");
  return 2;
}
