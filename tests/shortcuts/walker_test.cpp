// The walk itself, against a file system played by the test: the order of
// its calls, links, the path limit and a refusing result list.
#include "shortcuts/folder_walker.h"
#include "tests/support/installer_state_reset.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace scripted;

namespace {

const unsigned long FOLDER = 0x10, FILE_PLAIN = 0x20, LINK = 0x410;
const unsigned long JUNCTION_TAG = 0xA0000003, SYMLINK_TAG = 0xA000000C;

struct FakeEntry {
  std::string name;
  unsigned long attributes;
  unsigned long tag;
};

// A file system of folders (paths ending in a backslash, as the walker
// forms them) listing their entries in the order the platform gives them.
// Calls are recorded, and nothing is ever changed.
struct FakeDisk {
  std::map<std::string, std::vector<FakeEntry>> folders;
  std::vector<std::string> calls;
  int refuseAfter = -1; // lines the list takes before it refuses
  int linesTaken = 0;
  std::map<std::string, unsigned long> removeFails;
  int openFinds = 0;
  int mostOpenFinds = 0;

  void Folder(const std::string& path, std::vector<FakeEntry> entries,
              bool withDots = true) {
    if (withDots)
      entries.insert(entries.begin(), {{".", FOLDER, 0}, {"..", FOLDER, 0}});
    folders[path] = entries;
  }
};

FakeDisk* disk;

struct FakeFind {
  const std::vector<FakeEntry>* entries;
  size_t next;
};

void Fill(FakeFind* find, WalkEntry* entry) {
  const FakeEntry& from = (*find->entries)[find->next++];
  snprintf(entry->name, sizeof entry->name, "%s", from.name.c_str());
  entry->attributes = from.attributes;
  entry->reparseTag = from.tag;
}

void* FindFirst(const char* findPath, WalkEntry* entry) {
  std::string searched = findPath;
  disk->calls.push_back("find " + searched);
  EXPECT_LT(searched.size(), 260u);
  auto folder =
      disk->folders.find(searched.substr(0, searched.rfind('\\') + 1));
  if (folder == disk->folders.end() || folder->second.empty())
    return nullptr;
  FakeFind* find = new FakeFind{&folder->second, 0};
  Fill(find, entry);
  disk->mostOpenFinds = std::max(disk->mostOpenFinds, ++disk->openFinds);
  return find;
}

int FindNext(void* handle, WalkEntry* entry) {
  FakeFind* find = static_cast<FakeFind*>(handle);
  if (find->next >= find->entries->size())
    return 0;
  Fill(find, entry);
  return 1;
}

void FindClose(void* handle) {
  disk->calls.push_back("close");
  --disk->openFinds;
  delete static_cast<FakeFind*>(handle);
}

int SetAttributes(const char* path, unsigned long attributes) {
  disk->calls.push_back("attributes " + std::string(path) + " " +
                        std::to_string(attributes));
  return 1;
}

int DeleteOne(const char* path) {
  EXPECT_LT(strlen(path), 260u);
  disk->calls.push_back("delete " + std::string(path));
  return 1;
}

int RemoveFolder(const char* path, unsigned long* error) {
  EXPECT_LT(strlen(path), 260u);
  disk->calls.push_back("rmdir " + std::string(path));
  auto fail = disk->removeFails.find(path);
  if (fail == disk->removeFails.end())
    return 1;
  *error = fail->second;
  return 0;
}

int AddResultLine(const char* line) {
  disk->calls.push_back("add " + std::string(line));
  if (disk->refuseAfter >= 0 && disk->linesTaken >= disk->refuseAfter)
    return -2; // LB_ERRSPACE
  return disk->linesTaken++;
}

void Repaint() {
  disk->calls.push_back("repaint");
}

class WalkerOnAFakeDisk : public ::testing::Test {
protected:
  FakeDisk fake;
  void SetUp() override {
    ResetInstallerState();
    disk = &fake;
    walkPlatform = {FindFirst, FindNext,     FindClose,     SetAttributes,
                    DeleteOne, RemoveFolder, AddResultLine, Repaint};
  }
  void TearDown() override {
    walkPlatform = realWalkPlatform;
    disk = nullptr;
    EXPECT_EQ(0, fake.openFinds) << "a find was left open";
  }
  std::vector<std::string> Calls(const char* prefix) const {
    std::vector<std::string> result;
    for (const std::string& call : fake.calls)
      if (call.rfind(prefix, 0) == 0)
        result.push_back(call);
    return result;
  }
};

TEST_F(WalkerOnAFakeDisk, DeletesFilesFirstThenSubFoldersBottomUp) {
  fake.Folder("c:\\t\\", {{"zeta", FOLDER, 0},
                          {"b.txt", FILE_PLAIN, 0},
                          {"alpha", FOLDER, 0},
                          {"plain", 0, 0},
                          {"ro.txt", 0x01, 0}});
  fake.Folder("c:\\t\\zeta\\", {{"z.dat", 0x06, 0}});
  fake.Folder("c:\\t\\alpha\\", {{"inner", FOLDER, 0}, {"a.b.c", 0x20, 0}});
  fake.Folder("c:\\t\\alpha\\inner\\", {});

  EXPECT_EQ(0, WalkFolderTree("c:\\t\\", "*.*", "*.*", WALK_DELETE));

  EXPECT_EQ((std::vector<std::string>{
                "find c:\\t\\*.*",
                "attributes c:\\t\\b.txt 0",
                "delete c:\\t\\b.txt",
                "delete c:\\t\\plain",
                "attributes c:\\t\\ro.txt 0",
                "delete c:\\t\\ro.txt",
                "close",
                "find c:\\t\\zeta\\*.*",
                "attributes c:\\t\\zeta\\z.dat 0",
                "delete c:\\t\\zeta\\z.dat",
                "close",
                "rmdir c:\\t\\zeta\\",
                "find c:\\t\\alpha\\*.*",
                "attributes c:\\t\\alpha\\a.b.c 0",
                "delete c:\\t\\alpha\\a.b.c",
                "close",
                "find c:\\t\\alpha\\inner\\*.*",
                "close",
                "rmdir c:\\t\\alpha\\inner\\",
                "rmdir c:\\t\\alpha\\",
                "rmdir c:\\t\\",
            }),
            fake.calls);
  // Each folder is read once, and its find closed before its sub-folders
  // are walked.
  EXPECT_EQ(1, fake.mostOpenFinds);
}

// A folder with more sub-folders than the walker can note in one reading
// is read a second time for them: every one is still walked, in the order
// the platform gives them.
TEST_F(WalkerOnAFakeDisk, ManyLongSubFolderNamesAreAllWalkedInOrder) {
  std::vector<std::string> expected;
  std::vector<FakeEntry> entries;
  for (int i = 0; i < 300; ++i) {
    std::string name = std::string(200, 'a' + i % 26) + std::to_string(i);
    entries.push_back({name, FOLDER, 0});
    fake.Folder("c:\\w\\" + name + "\\", {});
    expected.push_back("rmdir c:\\w\\" + name + "\\");
  }
  fake.Folder("c:\\w\\", entries);
  expected.push_back("rmdir c:\\w\\");
  WalkFolderTree("c:\\w\\", "*.*", "*.*", WALK_DELETE);
  EXPECT_EQ(expected, Calls("rmdir"));
  EXPECT_EQ(
      2u, std::count(fake.calls.begin(), fake.calls.end(), "find c:\\w\\*.*"));
}

TEST_F(WalkerOnAFakeDisk, AddsTheBackslashAFolderLacks) {
  fake.Folder("c:\\t\\", {{"a", FILE_PLAIN, 0}});
  WalkFolderTree("c:\\t", "*.*", "*.*", WALK_DELETE);
  EXPECT_EQ(
      (std::vector<std::string>{"find c:\\t\\*.*", "attributes c:\\t\\a 0",
                                "delete c:\\t\\a", "close", "rmdir c:\\t\\"}),
      fake.calls);
}

TEST_F(WalkerOnAFakeDisk, AFolderThatCannotBeListedIsStillRemoved) {
  WalkFolderTree("c:\\gone\\", "*.*", "*.*", WALK_DELETE);
  EXPECT_EQ(
      (std::vector<std::string>{"find c:\\gone\\*.*", "rmdir c:\\gone\\"}),
      fake.calls);
}

TEST_F(WalkerOnAFakeDisk, AFailedRemovalShowsItsBoxAndTheWalkGoesOn) {
  fake.Folder("c:\\t\\", {{"one", FOLDER, 0}, {"two", FOLDER, 0}});
  fake.Folder("c:\\t\\one\\", {});
  fake.Folder("c:\\t\\two\\", {});
  fake.removeFails["c:\\t\\one\\"] = 5;
  fake.removeFails["c:\\t\\"] = 145;
  state.mainWindow = CreateWindowA("STATIC", "main", WS_POPUP, 0, 0, 10, 10,
                                   nullptr, nullptr, nullptr, nullptr);
  ScriptedUser user;
  user.Answer({Press(IDOK)}).Answer({Press(IDOK)});

  EXPECT_EQ(0, WalkFolderTree("c:\\t\\", "*.*", "*.*", WALK_DELETE));
  DestroyWindow(state.mainWindow);

  EXPECT_EQ((std::vector<std::string>{"rmdir c:\\t\\one\\",
                                      "rmdir c:\\t\\two\\", "rmdir c:\\t\\"}),
            Calls("rmdir"));
  ASSERT_EQ(2u, user.shown().size());
  EXPECT_EQ("Folder Delete Error", user.shown()[0].caption);
  EXPECT_EQ("<c:\\t\\one\\>\nlen= 9\nGetLastError was 5", user.shown()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_OK), user.shown()[0].style);
  EXPECT_EQ(state.mainWindow, user.shown()[0].owner);
  EXPECT_EQ("<c:\\t\\>\nlen= 5\nGetLastError was 145", user.shown()[1].text);
}

TEST_F(WalkerOnAFakeDisk, SearchListsMatchesFolderByFolderInWalkOrder) {
  fake.Folder("c:\\",
              {{"Zoo", FOLDER, 0},
               {"ORVEL.EXE", FILE_PLAIN, 0},
               {"Apps", FOLDER, 0},
               {"orvel.exe.bak", FILE_PLAIN, 0}},
              false);
  fake.Folder("c:\\Zoo\\", {{"A", FOLDER, 0}, {"orvel.exe", FILE_PLAIN, 0}});
  fake.Folder("c:\\Zoo\\A\\", {{"Orvel.Exe", 0x21, 0}});
  fake.Folder("c:\\Apps\\", {{"orvel.ex", FILE_PLAIN, 0}});

  EXPECT_EQ(0, WalkFolderTree("c:\\", "*.*", "orvel.exe", WALK_SEARCH));

  EXPECT_EQ(
      (std::vector<std::string>{"add c:\\ORVEL.EXE", "add c:\\Zoo\\orvel.exe",
                                "add c:\\Zoo\\A\\Orvel.Exe"}),
      Calls("add"));
  EXPECT_EQ(3u, Calls("repaint").size());
  // Searching changes nothing.
  EXPECT_TRUE(Calls("delete").empty());
  EXPECT_TRUE(Calls("attributes").empty());
  EXPECT_TRUE(Calls("rmdir").empty());
}

TEST_F(WalkerOnAFakeDisk, AnyModeButDeleteSearches) {
  fake.Folder("c:\\t\\", {{"orvel.exe", FILE_PLAIN, 0}});
  EXPECT_EQ(0, WalkFolderTree("c:\\t\\", "*.*", "orvel.exe", 1));
  EXPECT_EQ((std::vector<std::string>{"add c:\\t\\orvel.exe"}), Calls("add"));
  EXPECT_TRUE(Calls("rmdir").empty());
}

TEST_F(WalkerOnAFakeDisk, ARefusedLineStopsTheWholeSearch) {
  fake.Folder("c:\\", {{"a", FOLDER, 0}, {"b", FOLDER, 0}}, false);
  fake.Folder(
      "c:\\a\\",
      {{"x", FOLDER, 0}, {"orvel.exe", FILE_PLAIN, 0}, {"y", FOLDER, 0}});
  fake.Folder("c:\\a\\x\\", {{"orvel.exe", FILE_PLAIN, 0}});
  fake.Folder("c:\\a\\y\\", {{"orvel.exe", FILE_PLAIN, 0}});
  fake.Folder("c:\\b\\", {{"orvel.exe", FILE_PLAIN, 0}});
  fake.refuseAfter = 2;

  EXPECT_EQ(1, WalkFolderTree("c:\\", "*.*", "orvel.exe", WALK_SEARCH));

  EXPECT_EQ(2, fake.linesTaken);
  EXPECT_EQ((std::vector<std::string>{"add c:\\a\\orvel.exe",
                                      "add c:\\a\\x\\orvel.exe",
                                      "add c:\\a\\y\\orvel.exe"}),
            Calls("add"));
  // Neither c:\b\ nor anything after the refusal is looked at.
  EXPECT_EQ("add c:\\a\\y\\orvel.exe", Calls("add").back());
  for (const std::string& call : fake.calls)
    EXPECT_EQ(std::string::npos, call.find("c:\\b\\")) << call;
}

TEST_F(WalkerOnAFakeDisk, ALinkIsRemovedAsALinkAndNeverWalkedInto) {
  fake.Folder("c:\\d\\", {{"junction", LINK, JUNCTION_TAG},
                          {"symlink", LINK, SYMLINK_TAG},
                          {"a.txt", FILE_PLAIN, 0}});
  // What the links point to, which must not be touched.
  fake.Folder("c:\\d\\junction\\", {{"keep.txt", FILE_PLAIN, 0}});
  fake.Folder("c:\\d\\symlink\\", {{"keep.txt", FILE_PLAIN, 0}});

  WalkFolderTree("c:\\d\\", "*.*", "*.*", WALK_DELETE);

  EXPECT_EQ(
      (std::vector<std::string>{"attributes c:\\d\\a.txt 0",
                                "delete c:\\d\\a.txt", "rmdir c:\\d\\junction",
                                "rmdir c:\\d\\symlink", "rmdir c:\\d\\"}),
      [&] {
        std::vector<std::string> changes;
        for (const std::string& call : fake.calls)
          if (call.rfind("find", 0) != 0 && call != "close")
            changes.push_back(call);
        return changes;
      }());
  for (const std::string& call : Calls("find"))
    EXPECT_EQ("find c:\\d\\*.*", call);
}

TEST_F(WalkerOnAFakeDisk, AReparsePointThatIsNoLinkIsLeftAlone) {
  // Wine reports a Unix link with the reparse attribute but no tag.
  fake.Folder("c:\\d\\", {{"unknown", LINK, 0}});
  fake.Folder("c:\\d\\unknown\\", {{"keep.txt", FILE_PLAIN, 0}});
  WalkFolderTree("c:\\d\\", "*.*", "*.*", WALK_DELETE);
  EXPECT_EQ((std::vector<std::string>{"rmdir c:\\d\\"}), Calls("rmdir"));
  EXPECT_TRUE(Calls("delete").empty());
}

TEST_F(WalkerOnAFakeDisk, AFileLinkIsDeletedWithoutTouchingItsAttributes) {
  fake.Folder("c:\\d\\", {{"link.txt", 0x421, SYMLINK_TAG}});
  WalkFolderTree("c:\\d\\", "*.*", "*.*", WALK_DELETE);
  EXPECT_EQ((std::vector<std::string>{"delete c:\\d\\link.txt"}),
            Calls("delete"));
  EXPECT_TRUE(Calls("attributes").empty());
}

TEST_F(WalkerOnAFakeDisk, ASearchPassesOverAJunctionLoop) {
  // c:\loop\back points to c:\loop\: walked into, it would never end.
  std::vector<FakeEntry> loop = {{"orvel.exe", FILE_PLAIN, 0},
                                 {"back", LINK, JUNCTION_TAG}};
  fake.Folder("c:\\loop\\", loop);
  fake.Folder("c:\\loop\\back\\", loop);
  EXPECT_EQ(0, WalkFolderTree("c:\\loop\\", "*.*", "orvel.exe", WALK_SEARCH));
  EXPECT_EQ((std::vector<std::string>{"add c:\\loop\\orvel.exe"}),
            Calls("add"));
  EXPECT_TRUE(Calls("rmdir").empty());
}

TEST_F(WalkerOnAFakeDisk, PathsBeyondThePlatformLimitAreSkipped) {
  // "c:\t\" is 5 characters: a name of 254 makes a path of 259, which
  // fits; one of 255 makes 260, which does not.
  std::string fits(254, 'f'), tooLong(255, 'g');
  std::string folderFits(253, 'd'), folderTooLong(254, 'e');
  fake.Folder("c:\\t\\", {{fits, FILE_PLAIN, 0},
                          {tooLong, FILE_PLAIN, 0},
                          {folderFits, FOLDER, 0},
                          {folderTooLong, FOLDER, 0}});
  // 5 + 253 + "\" is 259: the folder fits, but its find path
  // (259 + "*.*") does not, so it is only removed.
  fake.Folder("c:\\t\\" + folderFits + "\\", {{"x", FILE_PLAIN, 0}});

  WalkFolderTree("c:\\t\\", "*.*", "*.*", WALK_DELETE);

  EXPECT_EQ((std::vector<std::string>{"delete c:\\t\\" + fits}),
            Calls("delete"));
  EXPECT_EQ((std::vector<std::string>{"rmdir c:\\t\\" + folderFits + "\\",
                                      "rmdir c:\\t\\"}),
            Calls("rmdir"));
  for (const std::string& call : fake.calls)
    EXPECT_EQ(std::string::npos, call.find(folderTooLong)) << call;
}

TEST_F(WalkerOnAFakeDisk, AFolderBeyondTheLimitIsNotWalkedAtAll) {
  std::string folder = "c:\\" + std::string(300, 'x') + "\\";
  EXPECT_EQ(0, WalkFolderTree(folder.c_str(), "*.*", "*.*", WALK_DELETE));
  EXPECT_TRUE(fake.calls.empty());
}

} // namespace
