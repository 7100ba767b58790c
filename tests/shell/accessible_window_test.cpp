// The main window as the keyboard and a screen reader reach it: the focus
// that Tab moves, Enter and Space, the menu of Shift+F10, and the
// accessible tree read back through oleacc as a screen reader asks.
#include "resources/resource_ids.h"
#include "shell/commands.h"
#include "shell/keyboard_focus.h"
#include "shell/main_window.h"
#include "tests/shell/main_window_helper.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using scripted::Escape;
using scripted::ScriptedUser;

const std::vector<WPARAM> kBegin = {CMD_BEGIN};
const std::vector<WPARAM> kChange = {CMD_CHANGE_DESTINATION};

VARIANT Child(long id) {
  VARIANT child;
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

std::string Narrow(BSTR text) {
  std::string narrow;
  for (BSTR c = text; c && *c; ++c)
    narrow += static_cast<char>(*c);
  SysFreeString(text);
  return narrow;
}

std::string Name(IAccessible* client, long id) {
  BSTR text = nullptr;
  client->get_accName(Child(id), &text);
  return Narrow(text);
}

long Property(IAccessible* client, long id, bool role) {
  VARIANT answer;
  VariantInit(&answer);
  if (role)
    client->get_accRole(Child(id), &answer);
  else
    client->get_accState(Child(id), &answer);
  return answer.lVal;
}

RECT Place(IAccessible* client, long id) {
  long x = 0, y = 0, w = 0, h = 0;
  client->accLocation(&x, &y, &w, &h, Child(id));
  return {x, y, x + w, y + h};
}

RECT OnScreen(HWND window, RECT r) {
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ExpectSame(const RECT& a, const RECT& b) {
  EXPECT_EQ(a.left, b.left);
  EXPECT_EQ(a.top, b.top);
  EXPECT_EQ(a.right, b.right);
  EXPECT_EQ(a.bottom, b.bottom);
}

struct ModeCase {
  int updateMode, uninstallMode;
  const char* title;
  const char* begin;
  const char* firstWindow; // what the begin command shows first
};

TEST(AccessibleWindow, ScreenReaderReadsTheTreeAndBeginsInEveryMode) {
  const ModeCase cases[] = {
      {0, 0, "Orvel Full Installation!", "Begin Installation",
       "Choose Shortcut Icons"},
      // No installation to update: the flow's first check refuses.
      {1, 0, "Orvel Update!", "Begin Update", "Folder Error"},
      {0, 1, "Orvel UN-INSTALL!", "UN-INSTALL !!", "List of Files"},
  };
  CoInitialize(nullptr);
  for (const ModeCase& mode : cases) {
    SCOPED_TRACE(mode.title);
    TestMainWindow main;
    state.updateMode = mode.updateMode;
    state.uninstallMode = mode.uninstallMode;
    main.ShowAndPaint();
    SetFocus(main.window);
    IAccessible* client = nullptr;
    ASSERT_EQ(S_OK, AccessibleObjectFromWindow(
                        main.window, OBJID_CLIENT, IID_IAccessible,
                        reinterpret_cast<void**>(&client)));
    long count = 0;
    client->get_accChildCount(&count);
    EXPECT_EQ(5, count);
    const std::vector<std::string> names = {"Install",
                                            mode.title,
                                            "Release Date: Sep 22 2012",
                                            NOTICE_LINE,
                                            "Destination Folder:",
                                            mode.begin};
    const std::vector<long> roles = {
        ROLE_SYSTEM_CLIENT,     ROLE_SYSTEM_STATICTEXT, ROLE_SYSTEM_STATICTEXT,
        ROLE_SYSTEM_STATICTEXT, ROLE_SYSTEM_TEXT,       ROLE_SYSTEM_PUSHBUTTON};
    for (long id = 0; id <= 5; ++id) {
      EXPECT_EQ(names[id], Name(client, id)) << id;
      EXPECT_EQ(roles[id], Property(client, id, true)) << id;
    }
    BSTR value = nullptr;
    client->get_accValue(Child(ITEM_DESTINATION), &value);
    EXPECT_EQ("c:\\Orvel\\", Narrow(value));
    // Where the paint put them, and where a click acts.
    ExpectSame(OnScreen(main.window, beginHitRect), Place(client, ITEM_BEGIN));
    ExpectSame(OnScreen(main.window, destinationHitRect),
               Place(client, ITEM_DESTINATION));
    MeasuringDC m;
    const int tw = m.Width(mode.title), th = m.Height();
    RECT client_area;
    GetClientRect(main.window, &client_area);
    const int tx = (client_area.right + 1 - tw) / 2;
    ExpectSame(OnScreen(main.window, {tx, th, tx + tw, 2 * th}),
               Place(client, ITEM_TITLE));
    // The begin button has the focus first.
    EXPECT_TRUE(Property(client, ITEM_BEGIN, false) & STATE_SYSTEM_FOCUSED);
    EXPECT_FALSE(Property(client, ITEM_DESTINATION, false) &
                 STATE_SYSTEM_FOCUSED);
    VARIANT focus;
    client->get_accFocus(&focus);
    EXPECT_EQ(ITEM_BEGIN, focus.lVal);

    // Its default action begins, as a click does.
    EXPECT_EQ(S_OK, client->accDoDefaultAction(Child(ITEM_BEGIN)));
    std::vector<WPARAM> posted = main.TakePostedCommands();
    EXPECT_EQ(kBegin, posted);
    ScriptedUser user;
    user.Answer({Escape()}).Answer({Escape()});
    SendMessageA(main.window, WM_COMMAND, CMD_BEGIN, 0);
    ASSERT_FALSE(user.shown().empty());
    EXPECT_EQ(mode.firstWindow, user.shown()[0].caption);
    EXPECT_EQ(S_OK, client->accDoDefaultAction(Child(ITEM_DESTINATION)));
    EXPECT_EQ(kChange, main.TakePostedCommands());
    client->Release();
  }
  CoUninitialize();
}

std::vector<std::pair<DWORD, LONG>> events;

void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object,
                          LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT)
    events.push_back({event, child});
}

// The pixels of the focus rectangle's top edge on the destination's click
// area that are not blue: none until the keyboard is used.
int FocusEdge(HWND window) {
  UpdateWindow(window);
  HDC dc = GetDC(window);
  int drawn = 0;
  for (int x = destinationHitRect.left; x < destinationHitRect.right; ++x)
    drawn += GetPixel(dc, x, destinationHitRect.top) != RGB(65, 105, 225);
  ReleaseDC(window, dc);
  return drawn;
}

void Key(HWND window, WPARAM key) {
  SendMessageA(window, WM_KEYDOWN, key, 1);
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD))
    if (message.message != WM_COMMAND)
      DispatchMessageA(&message);
}

TEST(AccessibleWindow, TabEnterAndSpaceMoveTheFocusAndActOnIt) {
  TestMainWindow main;
  main.ShowAndPaint();
  SetFocus(main.window);
  Pump();
  events.clear();
  HWINEVENTHOOK hook = SetWinEventHook(
      EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, RecordEvent,
      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  EXPECT_EQ(0, FocusEdge(main.window));
  Key(main.window, VK_RETURN);
  EXPECT_EQ(kBegin, main.TakePostedCommands());
  Key(main.window, VK_TAB);
  EXPECT_EQ(ITEM_DESTINATION, focusedItem);
  EXPECT_GT(FocusEdge(main.window), 20);
  Key(main.window, VK_SPACE);
  EXPECT_EQ(kChange, main.TakePostedCommands());
  // A held key acts once.
  SendMessageA(main.window, WM_KEYDOWN, VK_SPACE, 0x40000001);
  EXPECT_TRUE(main.TakePostedCommands().empty());

  // A new destination and the switch of mode are announced after the
  // paint that shows them.
  lstrcpyA(state.destinationPath, "c:\\Elsewhere\\");
  state.uninstallMode = 1;
  InvalidateRect(main.window, nullptr, FALSE);
  UpdateWindow(main.window);
  Key(main.window, VK_TAB);
  EXPECT_EQ(ITEM_BEGIN, focusedItem);
  Pump();
  UnhookWinEvent(hook);
  const std::vector<std::pair<DWORD, LONG>> expected = {
      {EVENT_OBJECT_FOCUS, ITEM_DESTINATION},
      {EVENT_OBJECT_NAMECHANGE, ITEM_TITLE},
      {EVENT_OBJECT_NAMECHANGE, ITEM_BEGIN},
      {EVENT_OBJECT_VALUECHANGE, ITEM_DESTINATION},
      {EVENT_OBJECT_FOCUS, ITEM_BEGIN}};
  EXPECT_EQ(expected, events);
}

RECT menuShown;

// Notes where the open menu stands, then closes it as Esc would.
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
  HWND menu = FindWindowA("#32768", nullptr);
  if (menu && IsWindowVisible(menu))
    GetWindowRect(menu, &menuShown);
  EndMenu();
}

TEST(AccessibleWindow, ShiftF10OpensTheMenuAndNotOutsideTheClientArea) {
  TestMainWindow main;
  main.ShowAndPaint();
  SetRectEmpty(&menuShown);
  UINT_PTR closer = SetTimer(nullptr, 0, 100, CloseMenu);
  EXPECT_EQ(0, SendMessageA(main.window, WM_CONTEXTMENU,
                            reinterpret_cast<WPARAM>(main.window), -1));
  KillTimer(nullptr, closer);
  // At the centre of the begin icon (moved up if the screen ends below).
  POINT icon = {(beginHitRect.left + beginHitRect.right) / 2,
                (beginHitRect.top + beginHitRect.bottom) / 2};
  ClientToScreen(main.window, &icon);
  EXPECT_EQ(icon.x, menuShown.left);
  EXPECT_LE(menuShown.top, icon.y);
  EXPECT_GT(menuShown.bottom, icon.y);
  // A point on the title bar is the system menu's, the default procedure's.
  RECT frame;
  GetWindowRect(main.window, &frame);
  EXPECT_EQ(0, OnContextMenu(main.window,
                             MAKELPARAM(frame.left + 40, frame.top + 5)));
}

} // namespace
