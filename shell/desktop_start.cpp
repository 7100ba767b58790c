#include "shell/desktop_start.h"

#include "state/installer_state.h"
#include "state/system_library.h"

#include <windows.h>
#include <exdisp.h>
#include <shldisp.h>
#include <shlobj.h>

namespace {

const CLSID kShellWindows = {0x9BA05972,
                             0xF6A8,
                             0x11CF,
                             {0xA4, 0x42, 0x00, 0xA0, 0xC9, 0x0A, 0x8F, 0x39}};
const IID kShellWindowsIid = {0x85CB6900,
                              0x4D95,
                              0x11CF,
                              {0x96, 0x0C, 0x00, 0x80, 0xC7, 0xF4, 0xEE, 0x85}};
const IID kServiceProvider = {0x6D5140C1,
                              0x7436,
                              0x11CE,
                              {0x80, 0x34, 0x00, 0xAA, 0x00, 0x60, 0x09, 0xFA}};
const GUID kTopLevelBrowser = {
    0x4C96BE40,
    0x915C,
    0x11CF,
    {0x99, 0xD3, 0x00, 0xAA, 0x00, 0x4A, 0xE8, 0x37}};
const IID kShellBrowser = {0x000214E2, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kDispatch = {0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kFolderViewDual = {0xE7A1AF80,
                             0x4D96,
                             0x11CF,
                             {0x96, 0x0C, 0x00, 0x80, 0xC7, 0xF4, 0xEE, 0x85}};
const IID kShellDispatch2 = {0xA4C6892C,
                             0x3BA9,
                             0x11D2,
                             {0x9D, 0xEA, 0x00, 0xC0, 0x4F, 0xB1, 0x61, 0x62}};

typedef HRESULT(WINAPI* InitialiseCall)(LPVOID);
typedef void(WINAPI* UninitialiseCall)();
typedef HRESULT(WINAPI* CreateCall)(REFCLSID, LPUNKNOWN, DWORD, REFIID,
                                    LPVOID*);
typedef BSTR(WINAPI* AllocateStringCall)(const OLECHAR*);
typedef void(WINAPI* FreeStringCall)(BSTR);

// Another interface of the object behind `from`, which is let go.
void* Then(IUnknown* from, const IID& iid) {
  void* next = nullptr;
  if (from) {
    from->QueryInterface(iid, &next);
    from->Release();
  }
  return next;
}

// The desktop window of the shell's window list.
IUnknown* Desktop() {
  auto create = SystemCall<CreateCall>("ole32.dll", "CoCreateInstance");
  IShellWindows* windows = nullptr;
  if (!create ||
      FAILED(create(kShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                    kShellWindowsIid, reinterpret_cast<void**>(&windows))))
    return nullptr;
  VARIANT where = {}, root = {};
  where.vt = VT_I4; // CSIDL_DESKTOP, 0
  LONG window = 0;
  IDispatch* desktop = nullptr;
  if (windows->FindWindowSW(&where, &root, SWC_DESKTOP, &window,
                            SWFO_NEEDDISPATCH, &desktop) != S_OK)
    desktop = nullptr;
  windows->Release();
  return desktop;
}

// The shell's automation object, reached through the desktop's view.
IShellDispatch2* DesktopShell() {
  auto* services =
      static_cast<IServiceProvider*>(Then(Desktop(), kServiceProvider));
  IShellBrowser* browser = nullptr;
  IShellView* view = nullptr;
  if (services &&
      SUCCEEDED(services->QueryService(kTopLevelBrowser, kShellBrowser,
                                       reinterpret_cast<void**>(&browser)))) {
    browser->QueryActiveShellView(&view);
    browser->Release();
  }
  if (services)
    services->Release();
  IDispatch* background = nullptr;
  if (view) {
    view->GetItemObject(SVGIO_BACKGROUND, kDispatch,
                        reinterpret_cast<void**>(&background));
    view->Release();
  }
  auto* folderView =
      static_cast<IShellFolderViewDual*>(Then(background, kFolderViewDual));
  IDispatch* application = nullptr;
  if (folderView) {
    folderView->get_Application(&application);
    folderView->Release();
  }
  return static_cast<IShellDispatch2*>(Then(application, kShellDispatch2));
}

// A text for the shell, which lives in another process: a BSTR.
VARIANT Text(const char* text) {
  auto allocate =
      SystemCall<AllocateStringCall>("oleaut32.dll", "SysAllocString");
  wchar_t wide[PATH_SIZE];
  VARIANT value = {};
  if (allocate && MultiByteToWideChar(CP_ACP, 0, text, -1, wide, PATH_SIZE)) {
    value.vt = VT_BSTR;
    value.bstrVal = allocate(wide);
  }
  return value;
}

int Open(IShellDispatch2* shell, const char* program, const char* folder) {
  VARIANT file = Text(program), working = Text(folder), verb = Text("open");
  VARIANT none = {}, show = {};
  show.vt = VT_I4;
  show.lVal = SW_SHOWNORMAL;
  int opened =
      file.bstrVal && working.bstrVal && verb.bstrVal &&
      SUCCEEDED(shell->ShellExecute(file.bstrVal, none, working, verb, show));
  auto release = SystemCall<FreeStringCall>("oleaut32.dll", "SysFreeString");
  VARIANT* texts[] = {&file, &working, &verb};
  for (VARIANT* text : texts)
    if (text->bstrVal && release)
      release(text->bstrVal);
  return opened;
}

} // namespace

int StartThroughDesktopShell(const char* program, const char* folder) {
  auto initialise = SystemCall<InitialiseCall>("ole32.dll", "CoInitialize");
  auto uninitialise =
      SystemCall<UninitialiseCall>("ole32.dll", "CoUninitialize");
  if (!initialise || !uninitialise || FAILED(initialise(nullptr)))
    return 0;
  int started = 0;
  if (IShellDispatch2* shell = DesktopShell()) {
    started = Open(shell, program, folder);
    shell->Release();
  }
  uninitialise();
  return started;
}

int RunsElevated() {
  HANDLE token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
    return 1;
  TOKEN_ELEVATION elevation = {1};
  DWORD size = 0;
  if (!GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation,
                           &size))
    elevation.TokenIsElevated = 1;
  CloseHandle(token);
  return elevation.TokenIsElevated != 0;
}
