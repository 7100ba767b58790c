// The search walk itself, against a file system played by the test: the
// order of its calls, links, the path limit and a refusing result list.
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

struct FakeEntry {
  std::string name;
  unsigned long attributes;
};

// A file system of folders (paths ending in a backslash, as the walker
// forms them) listing their entries in the order the platform gives them.
// Calls are recorded, and nothing is ever changed.
struct FakeDisk {
  std::map<std::string, std::vector<FakeEntry>> folders;
  std::vector<std::string> calls;
  int refuseAfter = -1; // lines the list takes before it refuses
  int linesTaken = 0;
  int openFinds = 0;
  int mostOpenFinds = 0;

  void Folder(const std::string& path, std::vector<FakeEntry> entries,
              bool withDots = true) {
    if (withDots)
      entries.insert(entries.begin(), {{".", FOLDER}, {"..", FOLDER}});
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
    walkPlatform = {FindFirst, FindNext, FindClose, AddResultLine, Repaint};
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

TEST_F(WalkerOnAFakeDisk,
       ListsAFoldersFilesBeforeItsSubFoldersReadingEachOnce) {
  fake.Folder("c:\\t\\", {{"zeta", FOLDER},
                          {"b.txt", FILE_PLAIN},
                          {"alpha", FOLDER},
                          {"plain", 0},
                          {"ro.txt", 0x01}});
  fake.Folder("c:\\t\\zeta\\", {{"z.dat", 0x06}});
  fake.Folder("c:\\t\\alpha\\", {{"inner", FOLDER}, {"a.b.c", 0x20}});
  fake.Folder("c:\\t\\alpha\\inner\\", {});

  EXPECT_EQ(0, WalkFolderTree("c:\\t\\", "*.*", "*.*"));

  EXPECT_EQ((std::vector<std::string>{
                "find c:\\t\\*.*",
                "add c:\\t\\b.txt",
                "add c:\\t\\plain",
                "add c:\\t\\ro.txt",
                "close",
                "find c:\\t\\zeta\\*.*",
                "add c:\\t\\zeta\\z.dat",
                "close",
                "find c:\\t\\alpha\\*.*",
                "add c:\\t\\alpha\\a.b.c",
                "close",
                "find c:\\t\\alpha\\inner\\*.*",
                "close",
            }),
            [&] {
              std::vector<std::string> calls;
              for (const std::string& call : fake.calls)
                if (call != "repaint")
                  calls.push_back(call);
              return calls;
            }());
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
    entries.push_back({name, FOLDER});
    fake.Folder("c:\\w\\" + name + "\\", {{"orvel.exe", FILE_PLAIN}});
    expected.push_back("add c:\\w\\" + name + "\\orvel.exe");
  }
  fake.Folder("c:\\w\\", entries);
  WalkFolderTree("c:\\w\\", "*.*", "orvel.exe");
  EXPECT_EQ(expected, Calls("add"));
  EXPECT_EQ(
      2u, std::count(fake.calls.begin(), fake.calls.end(), "find c:\\w\\*.*"));
}

TEST_F(WalkerOnAFakeDisk, AddsTheBackslashAFolderLacks) {
  fake.Folder("c:\\t\\", {{"a", FILE_PLAIN}});
  WalkFolderTree("c:\\t", "*.*", "*.*");
  EXPECT_EQ((std::vector<std::string>{"find c:\\t\\*.*", "add c:\\t\\a",
                                      "repaint", "close"}),
            fake.calls);
}

TEST_F(WalkerOnAFakeDisk, SearchListsMatchesFolderByFolderInWalkOrder) {
  fake.Folder("c:\\",
              {{"Zoo", FOLDER},
               {"ORVEL.EXE", FILE_PLAIN},
               {"Apps", FOLDER},
               {"orvel.exe.bak", FILE_PLAIN}},
              false);
  fake.Folder("c:\\Zoo\\", {{"A", FOLDER}, {"orvel.exe", FILE_PLAIN}});
  fake.Folder("c:\\Zoo\\A\\", {{"Orvel.Exe", 0x21}});
  fake.Folder("c:\\Apps\\", {{"orvel.ex", FILE_PLAIN}});

  EXPECT_EQ(0, WalkFolderTree("c:\\", "*.*", "orvel.exe"));

  EXPECT_EQ(
      (std::vector<std::string>{"add c:\\ORVEL.EXE", "add c:\\Zoo\\orvel.exe",
                                "add c:\\Zoo\\A\\Orvel.Exe"}),
      Calls("add"));
  EXPECT_EQ(3u, Calls("repaint").size());
}

TEST_F(WalkerOnAFakeDisk, ARefusedLineStopsTheWholeSearch) {
  fake.Folder("c:\\", {{"a", FOLDER}, {"b", FOLDER}}, false);
  fake.Folder("c:\\a\\",
              {{"x", FOLDER}, {"orvel.exe", FILE_PLAIN}, {"y", FOLDER}});
  fake.Folder("c:\\a\\x\\", {{"orvel.exe", FILE_PLAIN}});
  fake.Folder("c:\\a\\y\\", {{"orvel.exe", FILE_PLAIN}});
  fake.Folder("c:\\b\\", {{"orvel.exe", FILE_PLAIN}});
  fake.refuseAfter = 2;

  EXPECT_EQ(1, WalkFolderTree("c:\\", "*.*", "orvel.exe"));

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

TEST_F(WalkerOnAFakeDisk, ALinkIsNeverWalkedInto) {
  fake.Folder("c:\\d\\", {{"junction", LINK}, {"a.txt", FILE_PLAIN}});
  fake.Folder("c:\\d\\junction\\", {{"elsewhere.txt", FILE_PLAIN}});
  WalkFolderTree("c:\\d\\", "*.*", "*.*");
  EXPECT_EQ((std::vector<std::string>{"add c:\\d\\a.txt"}), Calls("add"));
  EXPECT_EQ((std::vector<std::string>{"find c:\\d\\*.*"}), Calls("find"));
}

TEST_F(WalkerOnAFakeDisk, ASearchPassesOverAJunctionLoop) {
  // c:\loop\back points to c:\loop\: walked into, it would never end.
  std::vector<FakeEntry> loop = {{"orvel.exe", FILE_PLAIN}, {"back", LINK}};
  fake.Folder("c:\\loop\\", loop);
  fake.Folder("c:\\loop\\back\\", loop);
  EXPECT_EQ(0, WalkFolderTree("c:\\loop\\", "*.*", "orvel.exe"));
  EXPECT_EQ((std::vector<std::string>{"add c:\\loop\\orvel.exe"}),
            Calls("add"));
}

TEST_F(WalkerOnAFakeDisk, PathsBeyondThePlatformLimitAreSkipped) {
  // "c:\t\" is 5 characters: a name of 254 makes a path of 259, which
  // fits; one of 255 makes 260, which does not.
  std::string fits(254, 'f'), tooLong(255, 'g');
  std::string folderFits(253, 'd'), folderTooLong(254, 'e');
  fake.Folder("c:\\t\\", {{fits, FILE_PLAIN},
                          {tooLong, FILE_PLAIN},
                          {folderFits, FOLDER},
                          {folderTooLong, FOLDER}});
  // 5 + 253 + "\" is 259: the folder fits, but its find path
  // (259 + "*.*") does not, so it is not read.
  fake.Folder("c:\\t\\" + folderFits + "\\", {{"x", FILE_PLAIN}});

  WalkFolderTree("c:\\t\\", "*.*", "*.*");

  EXPECT_EQ((std::vector<std::string>{"add c:\\t\\" + fits}), Calls("add"));
  for (const std::string& call : fake.calls)
    EXPECT_EQ(std::string::npos, call.find(folderTooLong)) << call;
}

TEST_F(WalkerOnAFakeDisk, AFolderBeyondTheLimitIsNotWalkedAtAll) {
  std::string folder = "c:\\" + std::string(300, 'x') + "\\";
  EXPECT_EQ(0, WalkFolderTree(folder.c_str(), "*.*", "*.*"));
  EXPECT_TRUE(fake.calls.empty());
}

} // namespace
