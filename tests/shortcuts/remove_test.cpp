// RemoveInstallation: the destination check first, then the removal.
#include "engine/drive_table.h"
#include "engine/remove_installation.h"
#include "tests/shortcuts/walker_test_support.h"
#include "tests/support/installer_state_reset.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

using namespace scripted;
using namespace walkertest;

namespace {

const std::string kRoot = "c:\\orvel-tests\\remove\\";

class RemoveInstallationTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetInstallerState();
    ClearTree(kRoot);
  }
  void TearDown() override {
    driveTable = realDriveTable;
    ClearTree(kRoot);
  }
};

TEST_F(RemoveInstallationTest, ADriveRootIsRefusedSilentlyAndNothingIsTouched) {
  RemovalRecording recording;
  strcpy(state.destinationPath, "c:\\");
  ScriptedUser user;
  EXPECT_EQ(0, RemoveInstallation());
  EXPECT_EQ(std::vector<std::string>{}, recording.opened);
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

// A removal frees space and needs none: a full disk must not keep the
// installation for ever.
TEST_F(RemoveInstallationTest, ADiskTooFullToInstallOnStillLetsItGo) {
  driveTable.getDiskFreeSpace = NearlyFull;
  MakeFile(kRoot + "full\\orvel.exe");
  MakeFile(kRoot + "full\\sub\\orvel.chm");
  strcpy(state.destinationPath, "c:\\orvel-tests\\remove\\full\\");
  state.uninstallMode = 1;
  ScriptedUser user;
  EXPECT_EQ(0, RemoveInstallation());
  EXPECT_FALSE(Exists(kRoot + "full"));
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
