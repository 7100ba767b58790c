// The main window as the keyboard and a screen reader reach it: the focus
// that Tab moves, Enter and Space, and the accessible tree read back
// through oleacc as a screen reader asks for it.
#include "resources/resource_ids.h"
#include "shell/keyboard_focus.h"
#include "shell/main_window.h"
#include "tests/shell/main_window_helper.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// IAccessible's id, spelled here: the 64-bit import library hands the
// linker a code stub for IID_IAccessible, not the id.
const IID kAccessibleId = {0x618736e0,
                           0x3c3d,
                           0x11cf,
                           {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

const std::vector<WPARAM> kBegin = {CMD_BEGIN};
const std::vector<WPARAM> kChange = {CMD_CHANGE_DESTINATION};

VARIANT Child(long id) {
  VARIANT child;
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

// "role|name|value|state" of a child.
std::string Read(IAccessible* client, long id) {
  VARIANT role, state;
  client->get_accRole(Child(id), &role);
  client->get_accState(Child(id), &state);
  BSTR texts[2] = {nullptr, nullptr};
  client->get_accName(Child(id), &texts[0]);
  client->get_accValue(Child(id), &texts[1]);
  std::string read = std::to_string(role.lVal);
  for (BSTR text : texts) {
    read += '|';
    for (BSTR c = text; c && *c; ++c)
      read += static_cast<char>(*c);
    SysFreeString(text);
  }
  return read + (state.lVal & STATE_SYSTEM_FOCUSED ? "|1" : "|0");
}

RECT Place(IAccessible* client, long id, HWND window) {
  long x = 0, y = 0, w = 0, h = 0;
  client->accLocation(&x, &y, &w, &h, Child(id));
  RECT place = {x, y, x + w, y + h};
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

bool operator==(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b);
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
      // No installation stands at the destination: the removal says so.
      {0, 1, "Orvel UN-INSTALL!", "UN-INSTALL !!", "UN-Install"},
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
                        main.window, OBJID_CLIENT, kAccessibleId,
                        reinterpret_cast<void**>(&client)));
    long count = 0;
    client->get_accChildCount(&count);
    const std::vector<std::string> tree = {
        "10|Install||1",
        "41|" + std::string(mode.title) + "||0",
        "41|Release Date: Sep 22 2012||0",
        "41|" + std::string(NOTICE_LINE) + "||0",
        "42|Destination Folder:|c:\\Orvel\\|0",
        "43|" + std::string(mode.begin) + "||1"};
    std::vector<std::string> read;
    for (long id = 0; id <= count; ++id)
      read.push_back(Read(client, id));
    EXPECT_EQ(tree, read);
    // Where the paint put them, where a click acts.
    EXPECT_TRUE(Place(client, ITEM_BEGIN, main.window) == beginHitRect);
    EXPECT_TRUE(Place(client, ITEM_DESTINATION, main.window) ==
                destinationHitRect);

    // The begin button's default action begins, as a click does.
    EXPECT_EQ(S_OK, client->accDoDefaultAction(Child(ITEM_BEGIN)));
    EXPECT_EQ(kBegin, main.TakePostedCommands());
    scripted::ScriptedUser user;
    user.Answer({scripted::Escape()}).Answer({scripted::Escape()});
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

// The pixels of the destination area's top edge that are not blue: those
// of the focus rectangle.
int FocusEdge(HWND window) {
  UpdateWindow(window);
  HDC dc = GetDC(window);
  int drawn = 0;
  for (int x = destinationHitRect.left; x < destinationHitRect.right; ++x)
    drawn += GetPixel(dc, x, destinationHitRect.top) != RGB(65, 105, 225);
  ReleaseDC(window, dc);
  return drawn;
}

void Key(HWND window, WPARAM key, LPARAM flags = 1) {
  SendMessageA(window, WM_KEYDOWN, key, flags);
}

TEST(AccessibleWindow, TabEnterAndSpaceMoveTheFocusAndActOnIt) {
  TestMainWindow main;
  main.ShowAndPaint();
  SetFocus(main.window);
  events.clear();
  HWINEVENTHOOK hook = SetWinEventHook(
      EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, RecordEvent,
      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  // No focus drawn before the keyboard moves it; Enter begins.
  EXPECT_EQ(0, FocusEdge(main.window));
  Key(main.window, VK_RETURN);
  EXPECT_EQ(kBegin, main.TakePostedCommands());
  Key(main.window, VK_TAB);
  EXPECT_GT(FocusEdge(main.window), 20);
  Key(main.window, VK_SPACE);
  EXPECT_EQ(kChange, main.TakePostedCommands());
  // A held key acts once.
  Key(main.window, VK_SPACE, 0x40000001);
  EXPECT_TRUE(main.TakePostedCommands().empty());

  // A new destination and the switch of mode are announced after the
  // paint that shows them.
  lstrcpyA(state.destinationPath, "c:\\Elsewhere\\");
  state.uninstallMode = 1;
  InvalidateRect(main.window, nullptr, FALSE);
  UpdateWindow(main.window);
  Key(main.window, VK_TAB);
  EXPECT_EQ(ITEM_BEGIN, focusedItem);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    if (message.message != WM_COMMAND)
      DispatchMessageA(&message);
  UnhookWinEvent(hook);
  const std::vector<std::pair<DWORD, LONG>> announced = {
      {EVENT_OBJECT_FOCUS, ITEM_DESTINATION},
      {EVENT_OBJECT_NAMECHANGE, ITEM_TITLE},
      {EVENT_OBJECT_NAMECHANGE, ITEM_BEGIN},
      {EVENT_OBJECT_VALUECHANGE, ITEM_DESTINATION},
      {EVENT_OBJECT_FOCUS, ITEM_BEGIN}};
  EXPECT_EQ(announced, events);
}

} // namespace
