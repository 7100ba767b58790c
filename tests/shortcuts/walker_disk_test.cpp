// Delete and search walks over real trees on Wine's disk, with the order of
// the calls taken from a recording platform table.
#include "shortcuts/folder_walker.h"
#include "tests/shortcuts/walker_test_support.h"
#include "tests/support/installer_state_reset.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace scripted;
using namespace walkertest;

namespace {

const std::string kRoot = "c:\\orvel-tests\\walker\\";

struct TestFile {
  std::string path; // below the destination
  DWORD attributes;
};

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// The position of a call, or -1.
int Position(const std::vector<std::string>& calls, const std::string& call) {
  auto at = std::find(calls.begin(), calls.end(), call);
  return at == calls.end() ? -1 : static_cast<int>(at - calls.begin());
}

// The path a change acts on.
std::string PathOf(const std::string& change) {
  std::string path = change.substr(change.find(' ') + 1);
  if (StartsWith(change, "attributes "))
    path = path.substr(0, path.rfind(' '));
  return path;
}

class WalkerOnWinesDisk : public ::testing::Test {
protected:
  void SetUp() override {
    ResetInstallerState();
    ClearTree(kRoot);
    MakeFolders(kRoot);
  }
  void TearDown() override {
    walkPlatform = realWalkPlatform;
    ClearTree(kRoot);
  }
};

TEST_F(WalkerOnWinesDisk, DeletesATreeFilesFirstAndFoldersBottomUp) {
  const std::string dest = kRoot + "tree\\";
  const std::vector<TestFile> files = {
      {"plain.txt", 0},
      {"README", 0},
      {"several.full.stops.in.it.txt", 0},
      {"readonly.txt", FILE_ATTRIBUTE_READONLY},
      {"hidden.dat", FILE_ATTRIBUTE_HIDDEN},
      {"system.sys", FILE_ATTRIBUTE_SYSTEM},
      {"all.three",
       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
      {".cache\\cached.bin", FILE_ATTRIBUTE_HIDDEN},
      {".cache\\nested\\x.y.z", 0},
      {"sub\\file.txt", 0},
      {"sub\\deeper\\NOSTOP", FILE_ATTRIBUTE_READONLY},
  };
  const std::vector<std::string> folders = {
      dest, dest + ".cache\\", dest + ".cache\\nested\\", dest + "sub\\",
      dest + "sub\\deeper\\"};
  for (const TestFile& file : files)
    MakeFile(dest + file.path, file.attributes);
  ASSERT_EQ(FILE_ATTRIBUTE_READONLY,
            GetFileAttributesA((dest + "readonly.txt").c_str()) &
                FILE_ATTRIBUTE_READONLY);

  ScriptedUser user;
  Recording recording;
  {
    RecordingPlatform record(recording);
    EXPECT_EQ(0, WalkFolderTree(dest.c_str(), "*.*", "*.*", WALK_DELETE));
  }

  EXPECT_FALSE(Exists(dest));
  EXPECT_TRUE(user.shown().empty()) << user.shown()[0].text;
  const std::vector<std::string> changes = recording.changes();
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ("rmdir " + dest, changes.back());
  for (const TestFile& file : files) {
    int deleted = Position(changes, "delete " + dest + file.path);
    EXPECT_GE(deleted, 0) << file.path;
    if (file.attributes) {
      int cleared = Position(changes, "attributes " + dest + file.path + " 0");
      EXPECT_GE(cleared, 0) << file.path;
      EXPECT_LT(cleared, deleted) << file.path;
    }
  }
  for (const std::string& folder : folders) {
    int removed = Position(changes, "rmdir " + folder);
    ASSERT_GE(removed, 0) << folder;
    int lastOwnFile = -1, firstInSubFolder = -1;
    for (int at = 0; at < static_cast<int>(changes.size()); ++at) {
      std::string path = PathOf(changes[at]);
      if (path == folder || !StartsWith(path, folder))
        continue;
      EXPECT_LT(at, removed) << changes[at] << " after its folder went";
      bool own = path.find('\\', folder.size()) == std::string::npos;
      if (own)
        lastOwnFile = at;
      else if (firstInSubFolder < 0)
        firstInSubFolder = at;
    }
    if (firstInSubFolder >= 0) {
      EXPECT_LT(lastOwnFile, firstInSubFolder) << folder;
    }
  }
}

TEST_F(WalkerOnWinesDisk, AnEmptyDestinationIsOnlyRemoved) {
  const std::string dest = kRoot + "empty\\";
  MakeFolders(dest);
  Recording recording;
  {
    RecordingPlatform record(recording);
    WalkFolderTree(dest.c_str(), "*.*", "*.*", WALK_DELETE);
  }
  EXPECT_EQ((std::vector<std::string>{"rmdir " + dest}), recording.changes());
  EXPECT_FALSE(Exists(dest));
}

TEST_F(WalkerOnWinesDisk, AFileHeldOpenStaysAndEachFolderAboveItSaysSo) {
  const std::string dest = kRoot + "held\\";
  for (const char* path : {"top.txt", "other\\o.txt", "sub\\s.txt",
                           "sub\\deeper\\gone.txt", "sub\\deeper\\held.txt"})
    MakeFile(dest + path);
  const std::string held = dest + "sub\\deeper\\held.txt";
  // Open without delete sharing, as another program might hold it.
  HANDLE file = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);

  ScriptedUser user;
  user.Answer({Press(IDOK)}).Answer({Press(IDOK)}).Answer({Press(IDOK)});
  EXPECT_EQ(0, WalkFolderTree(dest.c_str(), "*.*", "*.*", WALK_DELETE));
  CloseHandle(file);

  const std::vector<std::string> refused = {dest + "sub\\deeper\\",
                                            dest + "sub\\", dest};
  ASSERT_EQ(3u, user.shown().size());
  for (size_t box = 0; box < 3; ++box) {
    const Shown& shown = user.shown()[box];
    EXPECT_TRUE(shown.isMessageBox);
    EXPECT_EQ("Folder Delete Error", shown.caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), shown.style);
    EXPECT_EQ("<" + refused[box] +
                  ">\nlen= " + std::to_string(refused[box].size()) +
                  "\nGetLastError was 145",
              shown.text);
  }
  EXPECT_TRUE(Exists(held));
  for (const char* path :
       {"top.txt", "other\\", "sub\\s.txt", "sub\\deeper\\gone.txt"})
    EXPECT_FALSE(Exists(dest + path)) << path;
}

TEST_F(WalkerOnWinesDisk, ALinkToAFolderOutsideLeavesThatFolderWhole) {
  const std::string dest = kRoot + "linked\\", outside = kRoot + "outside\\";
  MakeFile(outside + "keep.txt");
  MakeFile(outside + "inner\\keep.too");
  MakeFile(dest + "mine.txt");
  if (!MakeFolderLink(dest + "link", kRoot + "outside"))
    GTEST_SKIP() << "no folder link can be made here";
  ASSERT_TRUE(Exists(dest + "link\\keep.txt"));

  // The boxes the walk shows; the user's hook is gone again before a
  // Unix program is started to remove the link.
  std::vector<Shown> shown;
  Recording recording;
  {
    ScriptedUser user;
    user.Answer({Press(IDOK)});
    RecordingPlatform record(recording);
    WalkFolderTree(dest.c_str(), "*.*", "*.*", WALK_DELETE);
    shown = user.shown();
  }

  EXPECT_TRUE(Exists(outside + "keep.txt"));
  EXPECT_TRUE(Exists(outside + "inner\\keep.too"));
  EXPECT_FALSE(Exists(dest + "mine.txt"));
  for (const std::string& call : recording.calls)
    EXPECT_EQ(std::string::npos, call.find(dest + "link\\")) << call;
  if (Exists(dest + "link")) {
    // Wine tells a Unix link from a folder by the reparse attribute only,
    // with no tag: the link is left, and so is the destination.
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("<" + dest + ">\nlen= " + std::to_string(dest.size()) +
                  "\nGetLastError was 145",
              shown[0].text);
    RemoveFolderLink(dest + "link");
  } else {
    EXPECT_FALSE(Exists(dest));
    EXPECT_TRUE(shown.empty());
  }
}

std::vector<std::string> listed;

int ListLine(const char* line) {
  listed.push_back(line);
  return static_cast<int>(listed.size()) - 1;
}

void NoRepaint() {}

TEST_F(WalkerOnWinesDisk, ASearchPassesOverALinkBackToItsOwnFolder) {
  const std::string dest = kRoot + "loop\\";
  MakeFile(dest + "ORVEL.EXE");
  if (!MakeFolderLink(dest + "again", kRoot + "loop"))
    GTEST_SKIP() << "no folder link can be made here";
  ASSERT_TRUE(Exists(dest + "again\\again\\ORVEL.EXE"));

  listed.clear();
  walkPlatform.addResultLine = ListLine;
  walkPlatform.repaint = NoRepaint;
  EXPECT_EQ(0, WalkFolderTree(dest.c_str(), "*.*", "orvel.exe", WALK_SEARCH));
  EXPECT_EQ((std::vector<std::string>{dest + "ORVEL.EXE"}), listed);
  RemoveFolderLink(dest + "again");
}

TEST_F(WalkerOnWinesDisk, PathsPastThePlatformLimitAreLeftAlone) {
  const std::string dest = kRoot + "long\\";
  const std::string a = dest + std::string(100, 'a') + "\\";
  const std::string b = a + std::string(100, 'b') + "\\";
  const std::string c = b + std::string(100, 'c') + "\\"; // past 260
  disk::RemoveTree(dest);
  MakeFile(a + "orvel.exe");
  MakeFile(b + "orvel.exe");
  // Made with the wide calls: the 8-bit ones cannot reach that far.
  ASSERT_TRUE(CreateDirectoryW(disk::LongPath(c).c_str(), nullptr));
  disk::WriteBytes(c + "orvel.exe", "");
  ASSERT_TRUE(Exists(c + "orvel.exe"));

  listed.clear();
  walkPlatform.addResultLine = ListLine;
  walkPlatform.repaint = NoRepaint;
  EXPECT_EQ(0, WalkFolderTree(dest.c_str(), "*.*", "orvel.exe", WALK_SEARCH));
  EXPECT_EQ((std::vector<std::string>{a + "orvel.exe", b + "orvel.exe"}),
            listed);
  walkPlatform = realWalkPlatform;

  ScriptedUser user;
  user.Answer({Press(IDOK)}).Answer({Press(IDOK)}).Answer({Press(IDOK)});
  WalkFolderTree(dest.c_str(), "*.*", "*.*", WALK_DELETE);
  ASSERT_EQ(3u, user.shown().size());
  EXPECT_EQ("<" + b + ">\nlen= 229\nGetLastError was 145",
            user.shown()[0].text);
  EXPECT_FALSE(Exists(a + "orvel.exe"));
  EXPECT_FALSE(Exists(b + "orvel.exe"));
  EXPECT_TRUE(Exists(c + "orvel.exe"));
  disk::RemoveTree(dest);
}

} // namespace
