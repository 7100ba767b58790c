// One static object serves the window for the life of the process: it
// keeps no state of its own and counts no references. The interface is
// laid out by hand as its table of calls, the only object of the program.
#include "shell/accessible_window.h"

#include "resources/resource_ids.h"
#include "shell/keyboard_focus.h"
#include "shell/main_window.h"
#include "state/installer_state.h"
#include "state/system_library.h"

#include <oleacc.h>
#include <string.h>

MainWindowLayout paintedLayout;

namespace {

// Written out: the libraries that define them would import OLEACC by name.
const GUID kAccessibleId = {0x618736e0,
                            0x3c3d,
                            0x11cf,
                            {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
const GUID kDispatchId = {0x00020400, 0, 0, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID kUnknownId = {0, 0, 0, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};

struct Object;
typedef HRESULT(STDMETHODCALLTYPE* TextCall)(Object*, VARIANT, BSTR*);
typedef HRESULT(STDMETHODCALLTYPE* PutTextCall)(Object*, VARIANT, BSTR);
typedef HRESULT(STDMETHODCALLTYPE* PropertyCall)(Object*, VARIANT, VARIANT*);
typedef HRESULT(STDMETHODCALLTYPE* WhichCall)(Object*, VARIANT*);

// IUnknown, IDispatch and IAccessible, in their order.
struct Calls {
  HRESULT(STDMETHODCALLTYPE* queryInterface)(Object*, REFIID, void**);
  ULONG(STDMETHODCALLTYPE* addRef)(Object*);
  ULONG(STDMETHODCALLTYPE* release)(Object*);
  HRESULT(STDMETHODCALLTYPE* getTypeInfoCount)(Object*, UINT*);
  HRESULT(STDMETHODCALLTYPE* getTypeInfo)(Object*, UINT, LCID, ITypeInfo**);
  HRESULT(STDMETHODCALLTYPE* getIdsOfNames)
  (Object*, REFIID, LPOLESTR*, UINT, LCID, DISPID*);
  HRESULT(STDMETHODCALLTYPE* invoke)
  (Object*, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
   UINT*);
  HRESULT(STDMETHODCALLTYPE* getParent)(Object*, IDispatch**);
  HRESULT(STDMETHODCALLTYPE* getChildCount)(Object*, long*);
  HRESULT(STDMETHODCALLTYPE* getChild)(Object*, VARIANT, IDispatch**);
  TextCall getName, getValue, getDescription;
  PropertyCall getRole, getState;
  TextCall getHelp;
  HRESULT(STDMETHODCALLTYPE* getHelpTopic)(Object*, BSTR*, VARIANT, long*);
  TextCall getKeyboardShortcut;
  WhichCall getFocus, getSelection;
  TextCall getDefaultAction;
  HRESULT(STDMETHODCALLTYPE* select)(Object*, long, VARIANT);
  HRESULT(STDMETHODCALLTYPE* location)
  (Object*, long*, long*, long*, long*, VARIANT);
  HRESULT(STDMETHODCALLTYPE* navigate)(Object*, long, VARIANT, VARIANT*);
  HRESULT(STDMETHODCALLTYPE* hitTest)(Object*, long, long, VARIANT*);
  HRESULT(STDMETHODCALLTYPE* doDefaultAction)(Object*, VARIANT);
  PutTextCall putName, putValue;
};

struct Object {
  const Calls* calls;
};

// The child a VARIANT names (CHILDID_SELF for the client itself); -1 for
// anything else.
int ChildOf(const VARIANT& child) {
  if (child.vt != VT_I4 || child.lVal < CHILDID_SELF || child.lVal > ITEM_COUNT)
    return -1;
  return child.lVal;
}

HRESULT Which(int child, VARIANT* answer) {
  answer->vt = child < 0 ? VT_EMPTY : VT_I4;
  answer->lVal = child;
  return child < 0 ? S_FALSE : S_OK;
}

HRESULT Number(long value, VARIANT* answer) {
  answer->vt = VT_I4;
  answer->lVal = value;
  return S_OK;
}

HRESULT Text(const char* text, BSTR* answer) {
  *answer = nullptr;
  if (!text)
    return S_FALSE;
  WCHAR wide[PATH_TEXT_SIZE];
  if (!MultiByteToWideChar(CP_ACP, 0, text, -1, wide, PATH_TEXT_SIZE))
    return E_FAIL;
  typedef BSTR(WINAPI * AllocateCall)(const OLECHAR*);
  auto allocate = SystemCall<AllocateCall>("oleaut32.dll", "SysAllocString");
  *answer = allocate ? allocate(wide) : nullptr;
  return *answer ? S_OK : E_OUTOFMEMORY;
}

// Client coordinates of a child, as the paint placed it.
RECT PlaceOf(int child) {
  const MainWindowLayout& layout = paintedLayout;
  const PlacedText* lines[] = {&layout.title, &layout.releaseLine,
                               &layout.notice};
  RECT place;
  if (child == ITEM_DESTINATION)
    return destinationHitRect;
  if (child == ITEM_BEGIN)
    return beginHitRect;
  if (child == CHILDID_SELF) {
    GetClientRect(state.mainWindow, &place);
    return place;
  }
  const PlacedText& line = *lines[child - ITEM_TITLE];
  SetRect(&place, line.x, line.y, line.x + line.width,
          line.y + layout.textHeight);
  return place;
}

int HasFocus() {
  return GetFocus() == state.mainWindow;
}

HRESULT STDMETHODCALLTYPE QueryInterface(Object* self, REFIID id,
                                         void** answer) {
  int known = IsEqualGUID(id, kAccessibleId) || IsEqualGUID(id, kDispatchId) ||
              IsEqualGUID(id, kUnknownId);
  *answer = known ? self : nullptr;
  return known ? S_OK : E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE AddRef(Object*) {
  return 2;
}

ULONG STDMETHODCALLTYPE Release(Object*) {
  return 1;
}

HRESULT STDMETHODCALLTYPE GetTypeInfoCount(Object*, UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE GetTypeInfo(Object*, UINT, LCID, ITypeInfo** info) {
  *info = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE GetIdsOfNames(Object*, REFIID, LPOLESTR*, UINT, LCID,
                                        DISPID*) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Invoke(Object*, DISPID, REFIID, LCID, WORD,
                                 DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

// The window's own object (its frame) is the client's parent.
HRESULT STDMETHODCALLTYPE GetParent(Object*, IDispatch** parent) {
  typedef HRESULT(WINAPI * FromWindowCall)(HWND, DWORD, REFIID, void**);
  auto fromWindow =
      SystemCall<FromWindowCall>("oleacc.dll", "AccessibleObjectFromWindow");
  *parent = nullptr;
  if (!fromWindow)
    return S_FALSE;
  return fromWindow(state.mainWindow, static_cast<DWORD>(OBJID_WINDOW),
                    kDispatchId, reinterpret_cast<void**>(parent));
}

HRESULT STDMETHODCALLTYPE GetChildCount(Object*, long* count) {
  *count = ITEM_COUNT;
  return S_OK;
}

// The children are simple elements, answered by this object.
HRESULT STDMETHODCALLTYPE GetChild(Object*, VARIANT child, IDispatch** answer) {
  *answer = nullptr;
  return ChildOf(child) > 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT STDMETHODCALLTYPE GetName(Object*, VARIANT child, BSTR* answer) {
  const MainWindowLayout& layout = paintedLayout;
  const char* names[] = {nullptr,
                         layout.title.text,
                         layout.releaseLine.text,
                         layout.notice.text,
                         layout.destinationLabel.text,
                         layout.beginLabel.text};
  int which = ChildOf(child);
  if (which < 0)
    return E_INVALIDARG;
  char title[LINE_TEXT_SIZE];
  if (which == CHILDID_SELF) {
    GetWindowTextA(state.mainWindow, title, sizeof title);
    names[0] = title;
  }
  return Text(names[which], answer);
}

HRESULT STDMETHODCALLTYPE GetValue(Object*, VARIANT child, BSTR* answer) {
  return Text(ChildOf(child) == ITEM_DESTINATION ? state.destinationPath
                                                 : nullptr,
              answer);
}

HRESULT STDMETHODCALLTYPE GetDefaultAction(Object*, VARIANT child,
                                           BSTR* answer) {
  int which = ChildOf(child);
  return Text(which == ITEM_BEGIN         ? "Press"
              : which == ITEM_DESTINATION ? "Change Destination"
                                          : nullptr,
              answer);
}

HRESULT STDMETHODCALLTYPE NoText(Object*, VARIANT, BSTR* answer) {
  return Text(nullptr, answer);
}

HRESULT STDMETHODCALLTYPE GetRole(Object*, VARIANT child, VARIANT* answer) {
  const long roles[] = {ROLE_SYSTEM_CLIENT,     ROLE_SYSTEM_STATICTEXT,
                        ROLE_SYSTEM_STATICTEXT, ROLE_SYSTEM_STATICTEXT,
                        ROLE_SYSTEM_TEXT,       ROLE_SYSTEM_PUSHBUTTON};
  int which = ChildOf(child);
  return which < 0 ? E_INVALIDARG : Number(roles[which], answer);
}

HRESULT STDMETHODCALLTYPE GetState(Object*, VARIANT child, VARIANT* answer) {
  int which = ChildOf(child);
  if (which < 0)
    return E_INVALIDARG;
  long flags = STATE_SYSTEM_READONLY;
  if (which == CHILDID_SELF || which >= ITEM_DESTINATION)
    flags = which == ITEM_DESTINATION ? STATE_SYSTEM_FOCUSABLE | flags
                                      : STATE_SYSTEM_FOCUSABLE;
  int focused = which == CHILDID_SELF ? focusedItem : which;
  if (HasFocus() && focused == focusedItem)
    flags |= STATE_SYSTEM_FOCUSED;
  return Number(flags, answer);
}

HRESULT STDMETHODCALLTYPE GetHelpTopic(Object*, BSTR* file, VARIANT,
                                       long* topic) {
  *file = nullptr;
  *topic = -1;
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE GetFocus(Object*, VARIANT* answer) {
  return Which(HasFocus() ? focusedItem : -1, answer);
}

HRESULT STDMETHODCALLTYPE GetSelection(Object*, VARIANT* answer) {
  return Which(-1, answer);
}

HRESULT STDMETHODCALLTYPE Select(Object*, long flags, VARIANT child) {
  int which = ChildOf(child);
  if (which < ITEM_DESTINATION || !(flags & SELFLAG_TAKEFOCUS))
    return S_FALSE;
  MoveFocus(state.mainWindow, which);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE Location(Object*, long* left, long* top, long* width,
                                   long* height, VARIANT child) {
  int which = ChildOf(child);
  if (which < 0)
    return E_INVALIDARG;
  RECT place = PlaceOf(which);
  MapWindowPoints(state.mainWindow, nullptr, reinterpret_cast<POINT*>(&place),
                  2);
  *left = place.left;
  *top = place.top;
  *width = place.right - place.left;
  *height = place.bottom - place.top;
  return S_OK;
}

// The children follow one another from the top of the window down.
HRESULT STDMETHODCALLTYPE Navigate(Object*, long direction, VARIANT start,
                                   VARIANT* answer) {
  int which = ChildOf(start), target = -1;
  if (which == CHILDID_SELF && direction == NAVDIR_FIRSTCHILD)
    target = ITEM_TITLE;
  else if (which == CHILDID_SELF && direction == NAVDIR_LASTCHILD)
    target = ITEM_COUNT;
  else if (which > 0 && direction == NAVDIR_NEXT && which < ITEM_COUNT)
    target = which + 1;
  else if (which > 1 && direction == NAVDIR_PREVIOUS)
    target = which - 1;
  return Which(target, answer);
}

HRESULT STDMETHODCALLTYPE HitTest(Object*, long x, long y, VARIANT* answer) {
  POINT point = {x, y};
  ScreenToClient(state.mainWindow, &point);
  for (int child = ITEM_COUNT; child >= CHILDID_SELF; --child) {
    RECT place = PlaceOf(child);
    if (PtInRect(&place, point))
      return Which(child, answer);
  }
  return Which(-1, answer);
}

// As a click does: posted, and refused like one while a flow runs.
HRESULT STDMETHODCALLTYPE DoDefaultAction(Object*, VARIANT child) {
  int which = ChildOf(child);
  if (which < ITEM_DESTINATION)
    return which < 0 ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
  PostMessageA(state.mainWindow, WM_COMMAND,
               which == ITEM_BEGIN ? CMD_BEGIN : CMD_CHANGE_DESTINATION, 0);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PutText(Object*, VARIANT, BSTR) {
  return E_NOTIMPL;
}

const Calls kCalls = {
    QueryInterface,   AddRef,       Release,   GetTypeInfoCount, GetTypeInfo,
    GetIdsOfNames,    Invoke,       GetParent, GetChildCount,    GetChild,
    GetName,          GetValue,     NoText,    GetRole,          GetState,
    NoText,           GetHelpTopic, NoText,    GetFocus,         GetSelection,
    GetDefaultAction, Select,       Location,  Navigate,         HitTest,
    DoDefaultAction,  PutText,      PutText};

Object clientObject = {&kCalls};

} // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam) {
  typedef LRESULT(WINAPI * FromObjectCall)(REFIID, WPARAM, LPUNKNOWN);
  // Compared as a DWORD: a 64-bit lParam may carry it sign-extended or not.
  if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
    auto fromObject =
        SystemCall<FromObjectCall>("oleacc.dll", "LresultFromObject");
    if (fromObject)
      return fromObject(kAccessibleId, wParam,
                        reinterpret_cast<LPUNKNOWN>(&clientObject));
  }
  return DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
}

void KeepPaintedLayout(HWND window, const MainWindowLayout& layout) {
  // The first paint changes nothing anyone has heard yet.
  int heard = paintedLayout.textHeight != 0;
  int modeChanged = strcmp(layout.title.text, paintedLayout.title.text);
  int pathChanged = strcmp(layout.pathText, paintedLayout.pathText);
  paintedLayout = layout;
  if (heard && modeChanged) {
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, ITEM_TITLE);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, ITEM_BEGIN);
  }
  if (heard && pathChanged)
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT,
                   ITEM_DESTINATION);
}
