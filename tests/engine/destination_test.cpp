// Destination validation against Wine's real drive c:, with the drive
// table replaced only where Wine cannot present the drive a test needs.
#include "engine/destination.h"
#include "engine/drive_table.h"
#include "engine/error_report.h"
#include "engine/folder_security.h"

#include <gtest/gtest.h>
#include <aclapi.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/disk_files.h"
#include "tests/support/installer_state_reset.h"
#include "tests/support/scripted_user.h"

namespace {

const std::string testFolder = "c:\\orvel-tests\\dest\\";

// What the replaced drive calls answer, and what they were asked.
struct FakeDrive {
  std::vector<std::string> typeRoots;
  std::vector<std::string> spaceRoots;
  DWORD sectorsPerCluster = 8;
  DWORD bytesPerSector = 512;
  DWORD freeClusters = 1000000;
  BOOL spaceAnswer = TRUE;
  const char* windowsDirectory = "C:\\WINDOWS";
} fake;

UINT WINAPI FloppyA(LPCSTR root) {
  fake.typeRoots.push_back(root);
  std::string drive(root);
  if (drive == "a:\\" || drive == "A:\\")
    return DRIVE_REMOVABLE;
  return realDriveTable.getDriveType(root);
}

BOOL WINAPI FakeFreeSpace(LPCSTR root, LPDWORD sectorsPerCluster,
                          LPDWORD bytesPerSector, LPDWORD freeClusters,
                          LPDWORD totalClusters) {
  fake.spaceRoots.push_back(root);
  *sectorsPerCluster = fake.sectorsPerCluster;
  *bytesPerSector = fake.bytesPerSector;
  *freeClusters = fake.freeClusters;
  *totalClusters = fake.freeClusters;
  return fake.spaceAnswer;
}

UINT WINAPI FakeWindowsDirectory(LPSTR buffer, UINT size) {
  std::string directory = fake.windowsDirectory;
  if (directory.empty())
    return 0;
  if (directory.size() >= size)
    return static_cast<UINT>(directory.size() + 1);
  strcpy(buffer, directory.c_str());
  return static_cast<UINT>(directory.size());
}

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

using disk::Exists;

void MakeFile(const std::string& path) {
  std::filesystem::create_directories(
      std::filesystem::path(path).parent_path());
  std::ofstream(path) << "not a folder";
}

class ValidateDestinationTest : public testing::Test {
protected:
  void SetUp() override {
    ResetInstallerState();
    driveTable = realDriveTable;
    fake = FakeDrive();
    std::error_code ignored;
    std::filesystem::remove_all(testFolder, ignored);
  }
  void TearDown() override {
    driveTable = realDriveTable;
    std::error_code ignored;
    std::filesystem::remove_all(testFolder, ignored);
  }

  ErrorCode Validate(const std::string& destination, int createFolders = 0) {
    strcpy(state.destinationPath, destination.c_str());
    return ValidateDestination(createFolders);
  }

  std::string destination() const { return state.destinationPath; }
  std::string errorPath() const { return state.errorPath; }
};

TEST_F(ValidateDestinationTest, LeadingBlanksGoAndABackslashIsAdded) {
  EXPECT_EQ(0, Validate("   c:\\orvel"));
  EXPECT_EQ("c:\\orvel\\", destination());
  EXPECT_EQ("c:\\orvel\\", errorPath());
  EXPECT_EQ(0, state.errorDetail);
}

TEST_F(ValidateDestinationTest, EmptyDestinationIsTheInstallersOwnFolder) {
  strcpy(state.installerFolder, "C:\\Orvel-Tests\\Setup Disk\\");
  EXPECT_EQ(0, Validate(""));
  EXPECT_EQ("c:\\orvel-tests\\setup disk\\", destination());
  EXPECT_EQ(0, Validate("    "));
  EXPECT_EQ("c:\\orvel-tests\\setup disk\\", destination());
}

TEST_F(ValidateDestinationTest, ADriveIsASingleCharacterAndABackslash) {
  EXPECT_EQ(26, Validate("c:"));
  EXPECT_EQ("c:", destination());
  EXPECT_EQ("c:", errorPath());

  EXPECT_EQ(26, Validate("cd:\\x"));
  EXPECT_EQ("cd:\\x\\", destination());
  EXPECT_EQ("cd:\\x", errorPath());

  // The path the user typed, blanks and all, is what the report shows.
  EXPECT_EQ(26, Validate("  c:x"));
  EXPECT_EQ("c:x\\", destination());
  EXPECT_EQ("  c:x", errorPath());

  EXPECT_EQ(26, Validate("c:\\orvel:2"));

  // Any single character passes; only the drive test refuses a digit.
  EXPECT_EQ(29, Validate("1:\\x"));
  EXPECT_EQ("1:\\x\\", destination());
  EXPECT_EQ("1:\\x\\", errorPath());
}

TEST_F(ValidateDestinationTest, APathWithoutDriveIsRefused) {
  EXPECT_EQ(27, Validate("orvel"));
  EXPECT_EQ("orvel\\", destination());
  EXPECT_EQ("orvel\\", errorPath());

  EXPECT_EQ(27, Validate("\\\\server\\share"));
  EXPECT_EQ("\\\\server\\share\\", destination());
  EXPECT_EQ("\\\\server\\share\\", errorPath());

  EXPECT_EQ(27, Validate(":\\orvel"));
}

TEST_F(ValidateDestinationTest, TheRootIsRefusedAfterTheDriveTests) {
  EXPECT_EQ(40, Validate("c:\\"));
  EXPECT_EQ("c:\\", errorPath());

  driveTable.getDriveType = FloppyA;
  EXPECT_EQ(29, Validate("a:\\"));
  EXPECT_EQ((std::vector<std::string>{"a:\\"}), fake.typeRoots);
  EXPECT_EQ(29, Validate("a:\\orvel\\"));
  EXPECT_EQ("a:\\", fake.typeRoots.back());

  driveTable.getDiskFreeSpace = FakeFreeSpace;
  fake.freeClusters = 1;
  EXPECT_EQ(28, Validate("c:\\"));
}

TEST_F(ValidateDestinationTest, OneDoubledBackslashAfterTheDriveIsRemoved) {
  EXPECT_EQ(0, Validate("c:\\\\orvel\\"));
  EXPECT_EQ("c:\\orvel\\", destination());
  EXPECT_EQ("c:\\orvel\\", errorPath());

  // More than two go as well: what is checked is the folder Windows uses.
  EXPECT_EQ(0, Validate("c:\\\\\\orvel"));
  EXPECT_EQ("c:\\orvel\\", destination());
}

TEST_F(ValidateDestinationTest, TheWindowsDirectoryAndWhatBeginsLikeIt) {
  driveTable.getWindowsDirectory = FakeWindowsDirectory;
  EXPECT_EQ(41, Validate("c:\\windows\\orvel\\"));
  EXPECT_EQ("c:\\windows\\orvel\\", errorPath());
  EXPECT_EQ(41, Validate("c:\\windowsapps\\"));
  EXPECT_EQ(0, Validate("c:\\window\\"));
  // Extra backslashes after the drive do not hide the Windows folder.
  EXPECT_EQ(41, Validate("c:\\\\\\windows\\orvel"));
  EXPECT_EQ("c:\\windows\\orvel\\", errorPath());

  fake.windowsDirectory = "D:\\WINNT";
  EXPECT_EQ(0, Validate("c:\\windows\\orvel\\"));

  // A Windows directory that cannot be read refuses nothing.
  fake.windowsDirectory = "";
  EXPECT_EQ(0, Validate("c:\\orvel\\"));

  // And the real one, as Wine reports it.
  driveTable = realDriveTable;
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  EXPECT_EQ(41, Validate(std::string(windows) + "\\orvel"));
}

TEST_F(ValidateDestinationTest, TheCompilePathIsRefused) {
  EXPECT_EQ(42, Validate("c:\\mysource\\x\\"));
  EXPECT_EQ("c:\\mysource\\x\\", errorPath());
  EXPECT_EQ(42, Validate("c:\\mysources\\"));
  EXPECT_EQ(42, Validate("C:\\MySource"));
  EXPECT_EQ("C:\\MySource\\", errorPath());
  EXPECT_EQ(0, Validate("c:\\mysourc\\"));
}

TEST_F(ValidateDestinationTest, AtMost256Characters) {
  // Ends without a backslash: normalised, it is one character longer.
  std::string path = testFolder;
  while (path.size() < 256)
    path += 'n';
  EXPECT_EQ(12, Validate(path));
  EXPECT_EQ(257u, destination().size());
  EXPECT_EQ(path + "\\", errorPath());

  path.pop_back();
  EXPECT_EQ(0, Validate(path));
  EXPECT_EQ(256u, destination().size());
}

TEST_F(ValidateDestinationTest, AnOverlongTypedPathStaysInsideItsBuffer) {
  strcpy(state.installerFolder, "c:\\guard\\");
  std::string path = "c:\\" + std::string(PATH_SIZE - 4, 'x');
  ASSERT_EQ(774u, path.size());
  EXPECT_EQ(12, Validate(path));
  EXPECT_EQ(path, destination());
  EXPECT_EQ(path, errorPath());
  EXPECT_STREQ("c:\\guard\\", state.installerFolder);

  // A buffer filled to its very end, without a terminator.
  memset(state.destinationPath, 'y', PATH_SIZE);
  state.destinationPath[0] = 'c';
  state.destinationPath[1] = ':';
  state.destinationPath[2] = '\\';
  EXPECT_EQ(12, ValidateDestination(0));
  EXPECT_EQ('\0', state.destinationPath[PATH_SIZE - 1]);
  EXPECT_EQ(PATH_SIZE - 1u, errorPath().size());
  EXPECT_STREQ("c:\\guard\\", state.installerFolder);
}

TEST_F(ValidateDestinationTest, NeedsTenMillionFreeBytes) {
  driveTable.getDiskFreeSpace = FakeFreeSpace;
  fake.sectorsPerCluster = 1;
  fake.bytesPerSector = 1;
  fake.freeClusters = 9999999;
  EXPECT_EQ(28, Validate("c:\\orvel\\"));
  EXPECT_EQ("c:\\", fake.spaceRoots.back());
  EXPECT_EQ("c:\\orvel\\", errorPath());

  fake.freeClusters = 10000000;
  EXPECT_EQ(0, Validate("c:\\orvel\\"));

  // 4 GiB and 4 KiB: 4096 bytes if the product wrapped at 32 bits.
  fake.sectorsPerCluster = 8;
  fake.bytesPerSector = 512;
  fake.freeClusters = 1048577;
  EXPECT_EQ(0, Validate("c:\\orvel\\"));

  fake.spaceAnswer = FALSE;
  EXPECT_EQ(28, Validate("c:\\orvel\\"));
}

TEST_F(ValidateDestinationTest, AnUpdateNeedsTheEarlierInstallation) {
  state.updateMode = 1;
  std::string folder = testFolder + "update";
  EXPECT_EQ(50, Validate(folder, 1));
  EXPECT_EQ(folder + "\\", errorPath());
  EXPECT_FALSE(Exists(folder));

  std::filesystem::create_directories(folder);
  EXPECT_EQ(51, Validate(folder, 1));
  EXPECT_EQ(folder + "\\", errorPath());

  MakeFile(folder + "\\orvel.exe");
  EXPECT_EQ(0, Validate(folder, 1));

  state.updateMode = 0;
  EXPECT_EQ(0, Validate(testFolder + "elsewhere"));
}

TEST_F(ValidateDestinationTest, CheckingCreatesNothing) {
  EXPECT_EQ(0, Validate(testFolder + "a\\b\\c\\"));
  EXPECT_FALSE(Exists(testFolder));
}

// What a folder's permissions, read back, let others do: the accounts
// other than SYSTEM, Administrators and its owner that may change it, and
// whether everyone may so much as look into it.
struct OthersRights {
  int mayChange = 0;
  bool everyoneListed = false;
};

OthersRights RightsOfOthers(const std::string& folder) {
  PSID owner;
  PACL permissions;
  PSECURITY_DESCRIPTOR security;
  OthersRights rights;
  if (GetNamedSecurityInfoA(
          folder.c_str(), SE_FILE_OBJECT,
          OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
          nullptr, &permissions, nullptr, &security) != ERROR_SUCCESS) {
    rights.mayChange = -1;
    return rights;
  }
  for (DWORD i = 0; permissions && i < permissions->AceCount; ++i) {
    ACCESS_ALLOWED_ACE* entry;
    GetAce(permissions, i, reinterpret_cast<void**>(&entry));
    PSID who = &entry->SidStart;
    rights.everyoneListed |= IsWellKnownSid(who, WinWorldSid) != 0;
    if (!IsWellKnownSid(who, WinLocalSystemSid) &&
        !IsWellKnownSid(who, WinBuiltinAdministratorsSid) &&
        !EqualSid(who, owner) && (entry->Mask & ~0x1200a9u))
      ++rights.mayChange;
  }
  LocalFree(security);
  return rights;
}

TEST_F(ValidateDestinationTest, CreatingMakesEveryMissingLevel) {
  EXPECT_EQ(0, Validate(testFolder + "a\\b\\c", 1));
  EXPECT_EQ(testFolder + "a\\b\\c\\", destination());
  // Each level made is program files: no account but SYSTEM and the
  // administrators may change it, and not everyone may even list it.
  for (const char* level : {"a", "a\\b", "a\\b\\c"}) {
    EXPECT_TRUE(IsFolder(testFolder + level)) << level;
    OthersRights rights = RightsOfOthers(testFolder + level);
    EXPECT_EQ(0, rights.mayChange) << level;
    EXPECT_FALSE(rights.everyoneListed) << level;
  }
  // Again, with everything in place.
  EXPECT_EQ(0, Validate(testFolder + "a\\b\\c", 1));
}

struct Takeover {
  int calls = 0;
  bool ownerIsAdministrators = false;
  std::vector<std::pair<WELL_KNOWN_SID_TYPE, DWORD>> granted;
} takeover;

DWORD RecordTakeover(HANDLE, PSID owner, PACL permissions) {
  ++takeover.calls;
  takeover.ownerIsAdministrators =
      IsWellKnownSid(owner, WinBuiltinAdministratorsSid);
  for (DWORD i = 0; i < permissions->AceCount; ++i) {
    ACCESS_ALLOWED_ACE* entry;
    GetAce(permissions, i, reinterpret_cast<void**>(&entry));
    for (WELL_KNOWN_SID_TYPE who :
         {WinLocalSystemSid, WinBuiltinAdministratorsSid, WinBuiltinUsersSid})
      if (IsWellKnownSid(&entry->SidStart, who) &&
          entry->Header.AceFlags ==
              (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE))
        takeover.granted.push_back({who, entry->Mask});
  }
  return ERROR_SUCCESS;
}

// A destination someone else made first (under Wine every folder reads
// back owned by the user, not by the administrators) is taken over before
// anything is written into it. Wine keeps no access lists, so what is set
// is read from the call.
TEST_F(ValidateDestinationTest, AnExistingFolderOthersOwnIsTakenOver) {
  std::filesystem::create_directories(testFolder + "theirs");
  const FolderSecurityCalls real = folderSecurityCalls;
  takeover = {};
  folderSecurityCalls.setOwnerAndPermissions = RecordTakeover;
  EXPECT_EQ(0, Validate(testFolder + "theirs", 1));
  folderSecurityCalls = real;
  EXPECT_EQ(1, takeover.calls);
  EXPECT_TRUE(takeover.ownerIsAdministrators);
  EXPECT_EQ(
      (std::vector<std::pair<WELL_KNOWN_SID_TYPE, DWORD>>{
          {WinLocalSystemSid, FILE_ALL_ACCESS},
          {WinBuiltinAdministratorsSid, FILE_ALL_ACCESS},
          {WinBuiltinUsersSid, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE}}),
      takeover.granted);
  // Checking alone changes nothing.
  takeover = {};
  folderSecurityCalls.setOwnerAndPermissions = RecordTakeover;
  EXPECT_EQ(0, Validate(testFolder + "theirs", 0));
  folderSecurityCalls = real;
  EXPECT_EQ(0, takeover.calls);
}

// A file where a level must go stops the walk there: the levels to its
// left were made first and stay, nothing to its right is attempted.
TEST_F(ValidateDestinationTest, CreatingStopsAtALevelThatCannotBeMade) {
  MakeFile(testFolder + "a\\b");
  EXPECT_EQ(13, Validate(testFolder + "a\\b\\c", 1));
  EXPECT_EQ(testFolder + "a\\b\\c\\", errorPath());
  EXPECT_TRUE(IsFolder(testFolder + "a"));
  EXPECT_FALSE(IsFolder(testFolder + "a\\b"));

  MakeFile(testFolder + "x\\y\\z");
  EXPECT_EQ(13, Validate(testFolder + "x\\y\\z\\", 1));
  EXPECT_TRUE(IsFolder(testFolder + "x\\y"));
  EXPECT_FALSE(IsFolder(testFolder + "x\\y\\z"));

  // Levels are made left to right: with the top level blocked, none of
  // the deeper ones appears.
  MakeFile(testFolder + "p");
  EXPECT_EQ(13, Validate(testFolder + "p\\q\\r\\", 1));
  EXPECT_FALSE(Exists(testFolder + "p\\q"));
}

TEST_F(ValidateDestinationTest, LongNamesAndSpacesInsideThePathPass) {
  std::string path = testFolder +
                     "A Rather Long Folder Name, With Spaces In It\\"
                     "and another level  with two blanks\\";
  EXPECT_EQ(0, Validate(path, 1));
  EXPECT_EQ(path, destination());
  EXPECT_TRUE(IsFolder(path));
}

// What the Begin flow shows for a refused destination: the path as
// typed for a bad drive, and never an extended error left from before.
TEST_F(ValidateDestinationTest, ReportsTheRefusalWithoutExtendedLines) {
  state.errorDetail = 13;
  ErrorCode code = Validate(" c:x");
  scripted::ScriptedUser user;
  user.Answer({scripted::Press(IDOK)});
  ReportError(nullptr, code);
  ASSERT_EQ(1u, user.shown().size());
  EXPECT_EQ("Folder Error", user.shown()[0].caption);
  EXPECT_EQ("Error #26\n\nInvalid Drive Specification\n"
            "(must be only a single letter)\n\n c:x\n",
            user.shown()[0].text);
}

} // namespace
