// The resources read back from the module and checked against the tables
// the installer is built to: dialog templates, menu bar, accelerators,
// the agreement text, the payload and the version strings.
#include "resources/resource_ids.h"
#include "tests/support/disk_files.h"
#include "tests/support/dialog_template.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <lzexpand.h>

#include <fstream>
#include <iterator>

using scripted::DialogTemplate;
using scripted::LoadDialogTemplate;
using scripted::TemplateItem;

namespace {

const DWORD kChild = WS_CHILD | WS_VISIBLE;

struct ExpectedItem {
  int id;
  const char* className;
  DWORD style;
  const char* text;
  int x, y, cx, cy;
};

struct ExpectedDialog {
  const char* name;
  const char* caption;
  DWORD style;
  int x, y, cx, cy;
  std::vector<ExpectedItem> items;
};

void ExpectTemplate(const ExpectedDialog& want) {
  SCOPED_TRACE(want.name);
  DialogTemplate got;
  ASSERT_TRUE(LoadDialogTemplate(GetModuleHandleA(nullptr), want.name, got));
  EXPECT_EQ(want.caption, got.caption);
  EXPECT_EQ(want.style, got.style);
  EXPECT_FALSE(got.hasFont);
  EXPECT_EQ(want.x, got.x);
  EXPECT_EQ(want.y, got.y);
  EXPECT_EQ(want.cx, got.cx);
  EXPECT_EQ(want.cy, got.cy);
  ASSERT_EQ(want.items.size(), got.items.size());
  for (size_t i = 0; i < want.items.size(); ++i) {
    const ExpectedItem& w = want.items[i];
    const TemplateItem& g = got.items[i];
    SCOPED_TRACE("control " + std::to_string(i));
    EXPECT_EQ(w.id, g.id);
    EXPECT_EQ(w.className, g.className);
    EXPECT_EQ(w.style, g.style);
    EXPECT_EQ(w.text, g.text);
    EXPECT_EQ(w.x, g.x);
    EXPECT_EQ(w.y, g.y);
    EXPECT_EQ(w.cx, g.cx);
    EXPECT_EQ(w.cy, g.cy);
  }
}

TEST(DialogTemplates, Agree) {
  ExpectTemplate(
      {"AGREE",
       "End User License Agreement",
       WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
       30,
       20,
       280,
       199,
       {{123, "STATIC", kChild | SS_LEFT | WS_GROUP,
         "Please Check 'I Agree' or Decline", 120, 3, 110, 8},
        {122, "LISTBOX",
         kChild | LBS_NOTIFY | LBS_DISABLENOSCROLL | WS_BORDER | WS_VSCROLL, "",
         10, 15, 104, 82},
        {124, "BUTTON", kChild | BS_AUTOCHECKBOX | WS_TABSTOP, " I Agree", 15,
         151, 35, 14},
        {115, "BUTTON", kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, "Accept", 5,
         101, 30, 14},
        {116, "BUTTON", kChild | BS_PUSHBUTTON | WS_TABSTOP, "Decline", 89, 101,
         30, 14}}});
}

TEST(DialogTemplates, ChangeDestination) {
  ExpectTemplate(
      {"CHANGEIT",
       "Change Destination Folder:",
       WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
       18,
       64,
       145,
       80,
       {{-1, "STATIC", kChild | SS_ICON, "", 1, 1, 0, 0},
        {-1, "STATIC", kChild | SS_LEFT, "Enter the New Folder Location", 8, 28,
         0, 0},
        {114, "EDIT", kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, "", 8,
         28, 129, 12},
        {120, "BUTTON", kChild | BS_PUSHBUTTON | BS_BITMAP | WS_TABSTOP,
         "Default Destination", 12, 47, 5, 5},
        {128, "BUTTON", kChild | BS_PUSHBUTTON | BS_BITMAP | WS_TABSTOP,
         "Search", 102, 47, 5, 5},
        {121, "BUTTON", kChild | BS_PUSHBUTTON | WS_TABSTOP, "&Browse", 57, 59,
         31, 14},
        {116, "BUTTON", kChild | BS_PUSHBUTTON | WS_TABSTOP, "&Cancel", 12, 59,
         31, 14},
        {115, "BUTTON", kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, " &OK ", 102,
         59, 31, 14}}});
}

TEST(DialogTemplates, ChangeDestinationIconIsTheApplicationIcon) {
  DialogTemplate got;
  ASSERT_TRUE(LoadDialogTemplate(GetModuleHandleA(nullptr), "CHANGEIT", got));
  ASSERT_FALSE(got.items.empty());
  EXPECT_EQ(600, got.items[0].textOrdinal);
}

TEST(DialogTemplates, HelpPager) {
  ExpectTemplate({"DTLINFO",
                  "Information and Details",
                  WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                  30,
                  20,
                  280,
                  199,
                  {{118, "BUTTON", kChild | BS_PUSHBUTTON | WS_TABSTOP,
                    "<< &Back", 85, 178, 40, 12},
                   {115, "BUTTON", kChild | BS_PUSHBUTTON | WS_TABSTOP,
                    "&Return", 141, 178, 40, 12},
                   {119, "BUTTON", kChild | BS_DEFPUSHBUTTON | WS_TABSTOP,
                    "&Forward >>", 196, 178, 40, 12}}});
}

TEST(DialogTemplates, Icons) {
  ExpectTemplate({"ICONS",
                  "Choose Shortcut Icons",
                  WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                  21,
                  32,
                  97,
                  92,
                  {{-1, "STATIC", kChild | SS_LEFT | WS_GROUP,
                    "Create Shortcut Icons :", 11, 5, 76, 8},
                   {126, "BUTTON", kChild | BS_AUTOCHECKBOX | WS_TABSTOP,
                    " On Desktop?", 12, 18, 56, 8},
                   {125, "BUTTON", kChild | BS_AUTOCHECKBOX | WS_TABSTOP,
                    " On Programs Menu?", 12, 30, 76, 8},
                   {127, "BUTTON", kChild | BS_AUTOCHECKBOX | WS_TABSTOP,
                    " On Startup Menu?", 12, 42, 68, 8},
                   {115, "BUTTON", kChild | BS_DEFPUSHBUTTON | WS_TABSTOP,
                    " OK ", 34, 71, 28, 14}}});
}

TEST(DialogTemplates, Search) {
  ExpectTemplate(
      {"SEARCH",
       "Searching Entire Drive for Application",
       0x10C80080,
       14,
       21,
       270,
       123,
       {{-1, "STATIC", 0x50020000,
         "Double Click on the Desired Choice, or Select and Press Enter", 34,
         110, 201, 10},
        {200, "LISTBOX", 0x50A00001, "", 2, 4, 266, 105},
        {115, "BUTTON", 0x50010001, "OK", 2, 110, 0, 0}}});
}

// What a screen reader reads of each control: a button its text, an edit
// box or list its label, the static text just before it.
TEST(DialogTemplates, EveryControlHasAName) {
  for (const char* name : {"AGREE", "CHANGEIT", "DTLINFO", "ICONS", "SEARCH"}) {
    DialogTemplate got;
    ASSERT_TRUE(LoadDialogTemplate(GetModuleHandleA(nullptr), name, got));
    for (size_t i = 0; i < got.items.size(); ++i) {
      const TemplateItem& item = got.items[i];
      SCOPED_TRACE(std::string(name) + " control " + std::to_string(i));
      if (item.className == "BUTTON") {
        EXPECT_NE("", item.text);
      }
      if (item.className == "EDIT" || item.className == "LISTBOX") {
        ASSERT_GT(i, 0u);
        EXPECT_EQ("STATIC", got.items[i - 1].className);
        EXPECT_NE("", got.items[i - 1].text);
      }
    }
  }
}

TEST(DialogTemplates, NamesAreFoundInAnyCase) {
  DialogTemplate got;
  EXPECT_TRUE(LoadDialogTemplate(GetModuleHandleA(nullptr), "changeit", got));
  EXPECT_TRUE(LoadDialogTemplate(GetModuleHandleA(nullptr), "agree", got));
  EXPECT_TRUE(LoadDialogTemplate(GetModuleHandleA(nullptr), "search", got));
}

TEST(MenuBar, HasTheFiveCommandsInOrder) {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "INSTALLMENU");
  ASSERT_NE(nullptr, menu);
  struct {
    const char* text;
    UINT id;
  } want[] = {{"  E&xit  ", 1},
              {"&Change Destination", 2},
              {"&List of Files", 7},
              {"   &Help   ", 3},
              {"&About Install", 18}};
  ASSERT_EQ(5, GetMenuItemCount(menu));
  for (int i = 0; i < 5; ++i) {
    char text[64] = "";
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_SUBMENU | MIIM_FTYPE;
    info.dwTypeData = text;
    info.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &info));
    EXPECT_STREQ(want[i].text, text);
    EXPECT_EQ(want[i].id, info.wID);
    EXPECT_EQ(nullptr, info.hSubMenu);
  }
  DestroyMenu(menu);
}

TEST(Accelerators, ThirteenKeysWithoutModifiers) {
  HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), "acceltable");
  ASSERT_NE(nullptr, table);
  ACCEL keys[32];
  int count = CopyAcceleratorTableA(table, keys, 32);
  ASSERT_EQ(13, count);
  struct {
    WORD key;
    bool virtualKey;
    WORD command;
  } want[] = {{'c', false, 2}, {'C', false, 2},  {'h', false, 3},
              {'H', false, 3}, {VK_F1, true, 3}, {'l', false, 7},
              {'L', false, 7}, {'a', false, 18}, {'A', false, 18},
              {'q', false, 1}, {'Q', false, 1},  {'x', false, 1},
              {'X', false, 1}};
  for (int i = 0; i < 13; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(want[i].key, keys[i].key);
    EXPECT_EQ(want[i].command, keys[i].cmd);
    const BYTE modifiers = FSHIFT | FCONTROL | FALT;
    EXPECT_EQ(0, keys[i].fVirt & modifiers);
    EXPECT_EQ(want[i].virtualKey, (keys[i].fVirt & FVIRTKEY) != 0);
  }
}

std::string ResourceBytes(int id) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_RCDATA);
  if (!found)
    return "<missing>";
  const char* bytes =
      static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(bytes, SizeofResource(module, found));
}

TEST(AgreementText, IsTheLicenceOf61LinesEndingWithEnd) {
  std::string text = ResourceBytes(AGREEMENT_TEXT_ID);
  ASSERT_EQ(5092u, text.size());
  EXPECT_EQ("End\r\n", text.substr(text.size() - 5));
  int lines = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\r') {
      ASSERT_EQ('\n', text[i + 1]) << "at " << i;
      ++lines;
      ++i;
      continue;
    }
    ASSERT_TRUE(c >= 0x20 && c < 0x7F) << "byte " << int(c) << " at " << i;
  }
  EXPECT_EQ(61, lines);
  EXPECT_EQ(std::string::npos, text.find('\x02'));
}

// The agreement list stops at any row that begins with "end", also one
// that a cut for width begins: no word of the licence may begin so before
// its closing line, or the text would stop short wherever rows break.
TEST(AgreementText, NoWordBeginsWithEndBeforeTheClosingLine) {
  std::string text = ResourceBytes(AGREEMENT_TEXT_ID);
  const size_t closing = text.rfind("\r\nEnd\r\n");
  ASSERT_NE(std::string::npos, closing);
  for (size_t i = 0; i + 3 <= closing + 2; ++i) {
    bool wordStart = i == 0 || text[i - 1] == ' ' || text[i - 1] == '\n';
    if (wordStart && _strnicmp(text.c_str() + i, "end", 3) == 0)
      ADD_FAILURE() << "a word begins with \"end\" at " << i;
  }
}

TEST(Payload, PlaceholderSlotsHoldTheStubText) {
  for (int id = 902; id <= 909; ++id)
    EXPECT_EQ(std::string("Stub file\r\n(NULL)\r\n"), ResourceBytes(id))
        << "resource " << id;
}

// Writes a payload resource to disk and expands it with the platform's
// LZ functions, as the installer does.
std::string ExpandWithLz32(int id) {
  CreateDirectoryA("c:\\orvel-tests", nullptr);
  const char* packed = "c:\\orvel-tests\\payload.tm$";
  const char* expanded = "c:\\orvel-tests\\payload.out";
  {
    std::ofstream out(packed, std::ios::binary);
    out << ResourceBytes(id);
  }
  OFSTRUCT ofIn = {}, ofOut = {};
  INT source = LZOpenFileA(const_cast<char*>(packed), &ofIn, OF_READ);
  INT target = LZOpenFileA(const_cast<char*>(expanded), &ofOut, OF_CREATE);
  LONG copied = LZCopy(source, target);
  LZClose(source);
  LZClose(target);
  std::string bytes = disk::ReadBytes(expanded);
  DeleteFileA(packed);
  DeleteFileA(expanded);
  return copied < 0 ? "<LZCopy error " + std::to_string(copied) + ">" : bytes;
}

TEST(Payload, ExpandsToTheProductFilesByteForByte) {
  std::string exe = disk::ReadBytes(ORVEL_EXE_PATH);
  std::string chm = disk::ReadBytes(ORVEL_CHM_PATH);
  ASSERT_FALSE(exe.empty());
  ASSERT_FALSE(chm.empty());
  EXPECT_TRUE(ExpandWithLz32(900) == exe);
  EXPECT_TRUE(ExpandWithLz32(901) == chm);
}

TEST(Payload, HeadersNameTheReplacedCharacterAndTheSize) {
  std::string exe = ResourceBytes(900);
  std::string chm = ResourceBytes(901);
  ASSERT_GE(exe.size(), 14u);
  ASSERT_GE(chm.size(), 14u);
  const std::string magic("SZDD\x88\xF0\x27\x33", 8);
  EXPECT_EQ(magic, exe.substr(0, 8));
  EXPECT_EQ(magic, chm.substr(0, 8));
  EXPECT_EQ('A', exe[8]);
  EXPECT_EQ('e', exe[9]);
  EXPECT_EQ('m', chm[9]);
  uint32_t size = 0;
  memcpy(&size, exe.data() + 10, 4);
  EXPECT_EQ(disk::ReadBytes(ORVEL_EXE_PATH).size(), size);
}

// Title and FileVersion under the translation 0409 / 1252.
struct VersionStrings {
  std::string title, fileVersion;
  DWORD translation = 0;
};

VersionStrings ReadVersionStrings(const char* path) {
  VersionStrings v;
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &handle);
  if (!size)
    return v;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path, 0, size, block.data()))
    return v;
  void* value = nullptr;
  UINT length = 0;
  if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value,
                     &length) &&
      length >= 4)
    memcpy(&v.translation, value, 4);
  if (VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\Title", &value,
                     &length))
    v.title = static_cast<const char*>(value);
  if (VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\FileVersion",
                     &value, &length))
    v.fileVersion = static_cast<const char*>(value);
  return v;
}

TEST(VersionResource, InstallerHasTitleAndFileVersion104) {
  VersionStrings v = ReadVersionStrings(INSTALL_EXE_PATH);
  EXPECT_EQ("1.04", v.fileVersion);
  EXPECT_FALSE(v.title.empty());
  EXPECT_EQ(0x04E40409u, v.translation);
}

TEST(VersionResource, ProductProgramHasTitleAndFileVersion) {
  VersionStrings v = ReadVersionStrings(ORVEL_EXE_PATH);
  EXPECT_FALSE(v.fileVersion.empty());
  EXPECT_FALSE(v.title.empty());
  EXPECT_EQ(0x04E40409u, v.translation);
}

TEST(VersionResource, HelpFileHasNone) {
  DWORD handle = 0;
  EXPECT_EQ(0u, GetFileVersionInfoSizeA(ORVEL_CHM_PATH, &handle));
}

TEST(Icon, Group600IsOne32By32ImageOf16Colours) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC group =
      FindResourceA(module, MAKEINTRESOURCEA(ICON_APP), RT_GROUP_ICON);
  ASSERT_NE(nullptr, group);
  const BYTE* dir =
      static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
  WORD count = 0;
  memcpy(&count, dir + 4, 2);
  EXPECT_EQ(1, count);
  EXPECT_EQ(32, dir[6]); // width
  EXPECT_EQ(32, dir[7]); // height
  EXPECT_EQ(16, dir[8]); // colours
}

} // namespace
