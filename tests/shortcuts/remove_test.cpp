// RemoveInstallation: the destination check first, then the delete walk.
#include "engine/drive_table.h"
#include "engine/remove_installation.h"
#include "shortcuts/folder_walker.h"
#include "tests/shortcuts/walker_test_support.h"
#include "tests/support/installer_state_reset.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

using namespace scripted;
using namespace walkertest;

namespace {

const std::string kRoot = "c:\\orvel-tests\\remove\\";

std::vector<std::string> attempted;

// Records what the walker would do, and does none of it: a refused
// destination must not reach the disk even if the check let it through.
void* NoFind(const char* findPath, WalkEntry*) {
  attempted.push_back(std::string("find ") + findPath);
  return nullptr;
}
int NoNext(void*, WalkEntry*) {
  return 0;
}
void NoClose(void*) {}
int NoAttributes(const char* path, unsigned long) {
  attempted.push_back(std::string("attributes ") + path);
  return 0;
}
int NoDelete(const char* path) {
  attempted.push_back(std::string("delete ") + path);
  return 0;
}
int NoRemove(const char* path, unsigned long* error) {
  attempted.push_back(std::string("rmdir ") + path);
  *error = 5;
  return 0;
}
int NoLine(const char*) {
  return -1;
}
void NoRepaint() {}

class RemoveInstallationTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetInstallerState();
    ClearTree(kRoot);
    attempted.clear();
  }
  void TearDown() override {
    walkPlatform = realWalkPlatform;
    driveTable = realDriveTable;
    ClearTree(kRoot);
  }
};

TEST_F(RemoveInstallationTest, ADriveRootIsRefusedSilentlyAndNothingIsTouched) {
  walkPlatform = {NoFind,   NoNext,   NoClose, NoAttributes,
                  NoDelete, NoRemove, NoLine,  NoRepaint};
  strcpy(state.destinationPath, "c:\\");
  ScriptedUser user;
  EXPECT_EQ(0, RemoveInstallation());
  EXPECT_TRUE(attempted.empty()) << attempted[0];
  EXPECT_TRUE(user.shown().empty());
}

// One byte short of the space the check demands.
BOOL WINAPI NearlyFull(LPCSTR, LPDWORD sectorsPerCluster,
                       LPDWORD bytesPerSector, LPDWORD freeClusters,
                       LPDWORD totalClusters) {
  *sectorsPerCluster = 1;
  *bytesPerSector = 1;
  *freeClusters = 9999999;
  *totalClusters = 20000000;
  return TRUE;
}

TEST_F(RemoveInstallationTest, ADiskTooFullForTheCheckKeepsEverything) {
  driveTable.getDiskFreeSpace = NearlyFull;
  MakeFile(kRoot + "full\\orvel.exe");
  MakeFile(kRoot + "full\\sub\\orvel.chm");
  strcpy(state.destinationPath, "c:\\orvel-tests\\remove\\full\\");
  ScriptedUser user;
  EXPECT_EQ(0, RemoveInstallation());
  EXPECT_TRUE(Exists(kRoot + "full\\orvel.exe"));
  EXPECT_TRUE(Exists(kRoot + "full\\sub\\orvel.chm"));
  EXPECT_TRUE(user.shown().empty());
}

TEST_F(RemoveInstallationTest, RemovesTheCheckedDestinationTree) {
  MakeFile(kRoot + "orvel\\orvel.exe", FILE_ATTRIBUTE_READONLY);
  MakeFile(kRoot + "orvel\\orvel.chm");
  MakeFile(kRoot + "orvel\\eula.txt", FILE_ATTRIBUTE_HIDDEN);
  MakeFile(kRoot + "orvel\\data\\notes");
  MakeFile(kRoot + "beside.txt");
  // Typed without the final backslash: the check adds it.
  strcpy(state.destinationPath, "c:\\orvel-tests\\remove\\orvel");
  HCURSOR before = SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  ScriptedUser user;

  EXPECT_EQ(0, RemoveInstallation());

  EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), GetCursor());
  SetCursor(before);
  EXPECT_STREQ("c:\\orvel-tests\\remove\\orvel\\", state.destinationPath);
  EXPECT_FALSE(Exists(kRoot + "orvel"));
  EXPECT_TRUE(Exists(kRoot + "beside.txt"));
  EXPECT_TRUE(user.shown().empty());
}

} // namespace
