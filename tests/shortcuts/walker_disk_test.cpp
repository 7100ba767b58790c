// The removal of an installation and the drive search, over real trees on
// Wine's disk: what the removal opens and in which order, what stays, and
// what happens when the disk is changed between listing and acting.
#include "engine/remove_installation.h"
#include "shortcuts/folder_walker.h"
#include "tests/shortcuts/walker_test_support.h"
#include "tests/support/installer_state_reset.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace scripted;
using namespace walkertest;

namespace {

const std::string kRoot = "c:\\orvel-tests\\walker\\";

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
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
  // The removal of `dest`, answering each box with OK; the boxes' texts.
  std::vector<std::string> Remove(const std::string& dest) {
    strcpy(state.destinationPath, dest.c_str());
    ScriptedUser user;
    for (int box = 0; box < 8; ++box)
      user.Answer({Press(IDOK)});
    EXPECT_EQ(0, RemoveInstallation());
    std::vector<std::string> texts;
    for (const Shown& shown : user.shown())
      texts.push_back(shown.caption + ": " + shown.text);
    return texts;
  }
};

std::string Box(const std::string& folder, int error) {
  return "Folder Delete Error: <" + folder +
         ">\nlen= " + std::to_string(folder.size()) + "\nGetLastError was " +
         std::to_string(error);
}

TEST_F(WalkerOnWinesDisk, RemovesFilesBeforeSubFoldersAndTheProgramLast) {
  const std::string dest = kRoot + "tree\\";
  const std::vector<std::pair<std::string, DWORD>> files = {
      {"orvel.exe", FILE_ATTRIBUTE_READONLY},
      {"install.exe", 0},
      {"install.rec", FILE_ATTRIBUTE_READONLY},
      {"README", 0},
      {"several.full.stops.in.it.txt", 0},
      {"all.three",
       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
      {".cache\\cached.bin", FILE_ATTRIBUTE_HIDDEN},
      {".cache\\nested\\x.y.z", 0},
      {"sub\\file.txt", 0},
      {"sub\\deeper\\NOSTOP", FILE_ATTRIBUTE_READONLY},
  };
  for (const auto& [path, attributes] : files)
    MakeFile(dest + path, attributes);
  RemovalRecording recording;

  EXPECT_EQ(std::vector<std::string>{}, Remove(dest));

  EXPECT_FALSE(Exists(dest));
  const std::vector<std::string>& opened = recording.opened;
  ASSERT_FALSE(opened.empty());
  // The marks of an installation last: the program, the record, the
  // uninstaller.
  ASSERT_LE(3u, opened.size());
  EXPECT_EQ((std::vector<std::string>{dest + "orvel.exe", dest + "install.rec",
                                      dest + "install.exe"}),
            std::vector<std::string>(opened.end() - 3, opened.end()));
  for (const auto& [path, attributes] : files)
    EXPECT_EQ(1, std::count(opened.begin(), opened.end(), dest + path)) << path;
  // Within each folder, its own files come before anything below it (the
  // marks aside, which go last of all).
  const std::vector<std::string> subFolders = {
      dest + ".cache", dest + ".cache\\nested", dest + "sub",
      dest + "sub\\deeper"};
  for (const std::string& folder : {dest, dest + ".cache\\", dest + "sub\\"}) {
    int lastOwnFile = -1, firstBelow = static_cast<int>(opened.size());
    for (int at = 0; at + 3 < static_cast<int>(opened.size()); ++at) {
      const std::string& path = opened[at];
      if (!StartsWith(path, folder))
        continue;
      if (path.find('\\', folder.size()) != std::string::npos)
        firstBelow = std::min(firstBelow, at);
      else if (std::count(subFolders.begin(), subFolders.end(), path) == 0)
        lastOwnFile = at;
    }
    EXPECT_LT(lastOwnFile, firstBelow) << folder;
  }
}

TEST_F(WalkerOnWinesDisk, AnEmptyDestinationIsOnlyRemoved) {
  const std::string dest = kRoot + "empty\\";
  MakeFolders(dest);
  RemovalRecording recording;
  EXPECT_EQ(std::vector<std::string>{}, Remove(dest));
  EXPECT_EQ(std::vector<std::string>{}, recording.opened);
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

  EXPECT_EQ(
      (std::vector<std::string>{Box(dest + "sub\\deeper\\", 145),
                                Box(dest + "sub\\", 145), Box(dest, 145)}),
      Remove(dest));
  CloseHandle(file);

  EXPECT_TRUE(Exists(held));
  for (const char* path :
       {"top.txt", "other\\", "sub\\s.txt", "sub\\deeper\\gone.txt"})
    EXPECT_FALSE(Exists(dest + path)) << path;
}

// A destination that cannot be held (another program has it open without
// sharing its deletion) is not touched, and the box says so.
TEST_F(WalkerOnWinesDisk, ADestinationThatCannotBeHeldIsLeftAndSaysSo) {
  const std::string dest = kRoot + "busy\\";
  MakeFile(dest + "orvel.exe");
  HANDLE busy = CreateFileA(dest.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, busy);
  EXPECT_EQ(std::vector<std::string>{Box(dest, ERROR_SHARING_VIOLATION)},
            Remove(dest));
  CloseHandle(busy);
  EXPECT_TRUE(Exists(dest + "orvel.exe"));
}

// The tree outside the destination that links and swaps aim at.
struct Victim {
  explicit Victim(const std::string& folder) : folder(folder) {
    MakeFile(folder + "keep.txt");
    MakeFile(folder + "inner\\keep.too");
  }
  void ExpectWhole() const {
    EXPECT_TRUE(Exists(folder + "keep.txt"));
    EXPECT_TRUE(Exists(folder + "inner\\keep.too"));
  }
  std::string folder;
};

TEST_F(WalkerOnWinesDisk, ALinkToAFolderOutsideLeavesThatFolderWhole) {
  const std::string dest = kRoot + "linked\\";
  Victim victim(kRoot + "outside\\");
  MakeFile(dest + "mine.txt");
  if (!MakeFolderLink(dest + "link", kRoot + "outside"))
    GTEST_SKIP() << "no folder link can be made here";
  ASSERT_TRUE(Exists(dest + "link\\keep.txt"));
  RemovalRecording recording;

  std::vector<std::string> boxes = Remove(dest);

  victim.ExpectWhole();
  EXPECT_FALSE(Exists(dest + "mine.txt"));
  for (const std::string& path : recording.opened)
    EXPECT_FALSE(StartsWith(path, dest + "link\\")) << path;
  if (Exists(dest + "link")) {
    // Wine opens a Unix link as the folder it points to, whatever it is
    // asked: the handle does not match the listing, so the link is left,
    // and so is the destination.
    EXPECT_EQ(std::vector<std::string>{Box(dest, 145)}, boxes);
    RemoveFolderLink(dest + "link");
  } else {
    EXPECT_FALSE(Exists(dest));
    EXPECT_EQ(std::vector<std::string>{}, boxes);
  }
}

// The disk changed at the worst moment, after a folder was listed and
// before its entry is opened; and a folder whose name the path rules read
// as a link beside it ("sub." for "sub"). Nothing outside is touched.
TEST_F(WalkerOnWinesDisk, NothingOutsideIsReachedWhateverChangesMeanwhile) {
  struct Case {
    const char* name;
    const char* link; // below the destination; "" for the destination
    bool duringWalk;  // swapped for the link once the walk reaches it
  };
  const Case cases[] = {
      {"the destination, swapped once the walk began", "", true},
      {"a sub-folder, swapped after its parent was listed", "sub", true},
      {"a link beside a folder the path rules read as it", "sub", false},
  };
  const std::string dest = kRoot + "swap\\";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string link = c.link[0] ? dest + c.link : kRoot + "swap";
    Victim victim(kRoot + "victim\\");
    for (const char* path : {"orvel.exe", "a.txt", "sub.\\t.txt"})
      MakeFile(dest + path);
    if (c.duringWalk)
      MakeFile(dest + "sub\\s.txt");
    else if (!MakeFolderLink(link, kRoot + "victim"))
      GTEST_SKIP() << "no folder link can be made here";
    RemovalRecording recording;
    bool moved = false;
    recording.before = [&](const std::string& path) {
      if (!c.duringWalk || moved || (c.link[0] && path != link))
        return;
      moved = MoveFileA(link.c_str(), (link + ".old").c_str()) &&
              MakeFolderLink(link, kRoot + "victim");
    };

    Remove(dest);

    victim.ExpectWhole();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES,
              GetFileAttributesW(disk::LongPath(dest + "sub.\\t.txt").c_str()));
    // The folder the removal held is the one it empties, wherever it was
    // moved meanwhile.
    EXPECT_FALSE(moved && Exists(link + ".old\\a.txt"));
    if (Exists(link) &&
        (GetFileAttributesA(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT))
      RemoveFolderLink(link);
    ClearTree(link + ".old\\");
    ClearTree(dest);
    ClearTree(kRoot + "victim\\");
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
  EXPECT_EQ(0, WalkFolderTree(dest.c_str(), "*.*", "orvel.exe"));
  EXPECT_EQ((std::vector<std::string>{dest + "ORVEL.EXE"}), listed);
  RemoveFolderLink(dest + "again");
}

TEST_F(WalkerOnWinesDisk, PathsPastThePlatformLimitAreNotSearchedButRemoved) {
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
  EXPECT_EQ(0, WalkFolderTree(dest.c_str(), "*.*", "orvel.exe"));
  EXPECT_EQ((std::vector<std::string>{a + "orvel.exe", b + "orvel.exe"}),
            listed);
  walkPlatform = realWalkPlatform;

  // The removal opens each name inside its held folder, which no path
  // limit bounds: the whole tree goes.
  EXPECT_EQ(std::vector<std::string>{}, Remove(dest));
  EXPECT_FALSE(Exists(dest));
}

} // namespace
