// The installation run on Wine's real disk: the product files from the
// real resources, through real LZ expansion and version resources.
#include "engine/install_files.h"
#include "engine/install_steps.h"
#include "engine/payload_check.h"
#include "shortcuts/shortcut_runner.h"
#include "tests/engine/decompress_box.h"
#include "tests/support/disk_files.h"
#include "tests/support/installer_state_reset.h"
#include "tests/support/script_host_fake.h"
#include "tests/support/scripted_user.h"
#include "tools/szdd/szdd_pack.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <errno.h>

using namespace disk;
using namespace scripted;

namespace {

const std::string kRoot = "c:\\orvel-tests\\install\\";
// FileVersion without Title.
const std::string kNoTitle = VERSION_FILES_DIR "\\no_title.dll";

using script_host::launches;

class InstallFilesTest : public testing::Test {
protected:
  void SetUp() override {
    ResetInstallerState();
    state.agreementIncluded = 1;
    state.allUsersShortcuts = 1;
    CreateDirectoryA("c:\\orvel-tests", nullptr);
    CreateDirectoryA(kRoot.c_str(), nullptr);
    CreateDirectoryA((kRoot + "temp").c_str(), nullptr);
    SetEnvironmentVariableA("TMP", (kRoot + "temp\\").c_str());
    SetEnvironmentVariableA("TEMP", (kRoot + "temp\\").c_str());
    GetCurrentDirectoryA(sizeof savedFolder, savedFolder);
    launches.clear();
    realCalls = scriptHostCalls;
    scriptHostCalls.start = script_host::RecordStart;
    productExe = ReadBytes(ORVEL_EXE_PATH);
    productChm = ReadBytes(ORVEL_CHM_PATH);
    ASSERT_FALSE(productExe.empty());
    ASSERT_FALSE(productChm.empty());
  }
  void TearDown() override {
    scriptHostCalls = realCalls;
    SetCurrentDirectoryA(savedFolder);
    if (module)
      FreeLibrary(module);
  }

  // A fresh destination folder of this test, not yet on disk.
  std::string Destination(const std::string& name) {
    std::string folder = kRoot + name + "\\";
    RemoveTree(folder);
    lstrcpyA(state.destinationPath, folder.c_str());
    return folder;
  }

  std::string Prepared(const std::string& name) {
    std::string folder = Destination(name);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
  }

  void UsePayloadOf(const char* path) {
    module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module) << path;
    state.appInstance = module;
  }

  std::string productExe, productChm;
  ScriptHostCalls realCalls = scriptHostCalls;
  HMODULE module = nullptr;
  char savedFolder[MAX_PATH];
};

TEST_F(InstallFilesTest, FirstInstallationMakesTheFoldersAndExactFiles) {
  RemoveTree(kRoot + "new\\");
  std::string folder = Destination("new\\level one\\level two");
  ASSERT_FALSE(Exists(kRoot + "new"));
  EXPECT_EQ(0, InstallFiles());
  EXPECT_EQ(productExe, ReadBytes(folder + "orvel.exe"));
  EXPECT_EQ(productChm, ReadBytes(folder + "orvel.chm"));
  EXPECT_EQ(ReadBytes(LICENCE_PATH), ReadBytes(folder + "eula.txt"));
  // No temporary or backup file is left.
  EXPECT_EQ((std::set<std::string>{"eula.txt", "orvel.chm", "orvel.exe"}),
            FolderContents(folder));
  EXPECT_EQ(0, state.errorDetail);
  EXPECT_EQ(0u, launches.size()); // no shortcut was asked for
}

TEST_F(InstallFilesTest, ShortcutsAreMadeForTheInstalledProgram) {
  std::string folder = Destination("shortcuts");
  state.shortcutFlags = SHORTCUT_DESKTOP;
  ScriptedUser user;
  EXPECT_EQ(0, InstallFiles());
  ASSERT_EQ(1u, launches.size());
  EXPECT_NE(
      std::string::npos,
      launches[0].script.find("MyShortcut.TargetPath=\"" + folder +
                              "orvel.exe\"\r\nMyShortcut.WorkingDirectory=\"" +
                              folder + "\"\r\n"));
  EXPECT_TRUE(user.shown().empty());
  EXPECT_TRUE(Exists(folder + "eula.txt"));
}

TEST_F(InstallFilesTest, UpdateWritesNewTxt) {
  std::string folder = Prepared("update");
  WriteBytes(folder + "orvel.exe", productExe);
  state.updateMode = 1;
  EXPECT_EQ(0, InstallFiles());
  EXPECT_EQ(ReadBytes(LICENCE_PATH), ReadBytes(folder + "new.txt"));
  EXPECT_FALSE(Exists(folder + "eula.txt"));
}

TEST_F(InstallFilesTest, ReinstallationReplacesEvenANewerProgram) {
  std::string folder = Prepared("again");
  std::string newer = ReadBytes(NEWER_ORVEL_PATH);
  ASSERT_FALSE(newer.empty());
  WriteBytes(folder + "orvel.exe", newer);
  WriteBytes(folder + "orvel.chm", "old help");
  EXPECT_EQ(0, InstallFiles());
  EXPECT_EQ(productExe, ReadBytes(folder + "orvel.exe"));
  EXPECT_EQ(productChm, ReadBytes(folder + "orvel.chm"));
  EXPECT_EQ((std::set<std::string>{"eula.txt", "orvel.chm", "orvel.exe"}),
            FolderContents(folder));
}

TEST_F(InstallFilesTest, ReadOnlyPreviousProgramIsNotReplaced) {
  std::string folder = Prepared("read-only");
  WriteBytes(folder + "orvel.exe", "previous");
  SetFileAttributesA((folder + "orvel.exe").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(ERR_DELETE_PREVIOUS, InstallFiles());
  EXPECT_EQ(EACCES, state.errorDetail);
  EXPECT_STREQ("orvel.exe", state.errorPath);
  EXPECT_EQ("previous", ReadBytes(folder + "orvel.exe"));
  // Refused before anything was unpacked.
  EXPECT_EQ((std::set<std::string>{"orvel.exe"}), FolderContents(folder));
}

TEST_F(InstallFilesTest, BackupNamedFileWithoutTitleStopsBeforeTheProgram) {
  std::string folder = Prepared("backup");
  std::string newer = ReadBytes(NEWER_ORVEL_PATH);
  WriteBytes(folder + "orvel.exe", newer);
  WriteBytes(folder + "orvel.bak", ReadBytes(kNoTitle));
  EXPECT_EQ(ERR_VERSION_DATA, InstallFiles());
  EXPECT_STREQ("orvel.exe", state.errorPath);
  EXPECT_EQ(newer, ReadBytes(folder + "orvel.exe"));
  EXPECT_EQ((std::set<std::string>{"orvel.bak", "orvel.exe"}),
            FolderContents(folder));
}

TEST_F(InstallFilesTest, PreviousProgramWithoutTitleStopsTheRun) {
  std::string folder = Prepared("no-title");
  std::string previous = ReadBytes(kNoTitle);
  WriteBytes(folder + "orvel.exe", previous);
  EXPECT_EQ(ERR_VERSION_DATA, InstallFiles());
  EXPECT_EQ(previous, ReadBytes(folder + "orvel.exe"));
  EXPECT_FALSE(Exists(folder + "$$unc.tm$"));
}

// The decompression box, the only window of the run.
void ExpectDecompressBox(const ScriptedUser& user, const std::string& folder) {
  ASSERT_EQ(1u, user.shown().size());
  ::ExpectDecompressBox(user.shown()[0], folder);
}

TEST_F(InstallFilesTest, CorruptPayloadShowsTheDecompressBoxThenFails) {
  std::string folder = Destination("corrupt");
  UsePayloadOf(CORRUPT_PAYLOAD_PATH);
  ScriptedUser user;
  user.Answer({Press(IDOK)});
  EXPECT_EQ(ERR_DECOMPRESS, InstallFiles());
  ExpectDecompressBox(user, folder);
  EXPECT_STREQ("orvel.exe", state.errorPath);
  EXPECT_TRUE(FolderContents(folder).empty());
}

TEST_F(InstallFilesTest, UnknownCompressionMethodIsADecompressError) {
  std::string folder = Prepared("method");
  UsePayloadOf(CORRUPT_PAYLOAD_PATH);
  ScriptedUser user;
  user.Answer({Press(IDOK)});
  ASSERT_EQ(0, ExtractPayload(901));
  EXPECT_EQ(ERR_DECOMPRESS, InstallPayloadFile("orvel.chm"));
  ExpectDecompressBox(user, folder);
  EXPECT_TRUE(FolderContents(folder).empty());
}

TEST_F(InstallFilesTest, ResourcesThatCannotBeCopiedLeaveNothing) {
  std::string folder = Prepared("resources");
  EXPECT_EQ(ERR_NO_RESOURCE, ExtractPayload(950));
  UsePayloadOf(CORRUPT_PAYLOAD_PATH);
  EXPECT_EQ(ERR_IMAGE_SIZE, ExtractPayload(902));
  EXPECT_TRUE(FolderContents(folder).empty());
  // A folder where the compressed file must go.
  CreateDirectoryA((folder + "$$cmp.tm$").c_str(), nullptr);
  EXPECT_EQ(ERR_FILE_CREATE, ExtractPayload(900));
}

// The help file cannot take its name (a full disk, say) after the program
// took its own: the program goes back, and nothing of the run stays.
int FailForTheHelpFile(const char* from, const char* to) {
  if (strstr(to, "orvel.chm")) {
    SetLastError(ERROR_DISK_FULL);
    return 0;
  }
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING);
}

TEST_F(InstallFilesTest, FailureAtTheSecondSlotPutsTheFirstBack) {
  auto real = replaceFinalName;
  replaceFinalName = FailForTheHelpFile;
  state.shortcutFlags = 6;
  for (bool earlier : {true, false}) {
    std::string folder = Prepared(earlier ? "second" : "second-fresh");
    if (earlier) {
      WriteBytes(folder + "orvel.exe", "previous");
      WriteBytes(folder + "orvel.chm", "old help");
    }
    const Tree before = Snapshot(folder);
    EXPECT_EQ(earlier ? ERR_DELETE_PREVIOUS : ERR_RENAME_TEMP, InstallFiles());
    EXPECT_STREQ("orvel.chm", state.errorPath);
    EXPECT_EQ(before, Snapshot(folder)) << "earlier: " << earlier;
  }
  replaceFinalName = real;
  EXPECT_EQ(0u, launches.size());
  EXPECT_TRUE(FolderContents(kRoot + "temp\\").empty());
}

TEST_F(InstallFilesTest, RefusedDestinationWritesNothing) {
  // A file stands where a folder of the chain must go.
  std::string folder = Prepared("blocked");
  WriteBytes(folder + "file", "x");
  lstrcpyA(state.destinationPath, (folder + "file\\sub\\").c_str());
  EXPECT_EQ(ERR_CREATE_FOLDER, InstallFiles());
  EXPECT_EQ((std::set<std::string>{"file"}), FolderContents(folder));

  // An update needs the earlier installation.
  std::string missing = Destination("no-earlier");
  state.updateMode = 1;
  EXPECT_EQ(ERR_UPDATE_NO_FOLDER, InstallFiles());
  EXPECT_FALSE(Exists(missing));
  EXPECT_EQ(0u, launches.size());
}

} // namespace

// A file many times larger than the pieces in which the expanded data
// passes through the installer lands whole, and the checksum taken on the
// way is that of the whole file (zlib's CRC-32 of these bytes).
TEST_F(InstallFilesTest, LargeExpansionLandsWholeWithItsChecksum) {
  std::string folder = Destination("pieces");
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string data;
  for (unsigned i = 0; i < 300000; ++i)
    data += static_cast<char>((i * 7919) >> 5);
  std::vector<unsigned char> packed = PackSzdd(
      reinterpret_cast<const unsigned char*>(data.data()), data.size(), 'e');
  PayloadPaths paths;
  FormPayloadPaths("orvel.exe", &paths);
  WriteBytes(paths.compressed, std::string(packed.begin(), packed.end()));
  uint32_t crc = 0;
  EXPECT_EQ(300000, ExpandPayload(&paths, &crc));
  EXPECT_EQ(0x2D95EEB9u, crc);
  EXPECT_TRUE(ReadBytes(paths.uncompressed) == data);
  // Against another file's recorded checksum it is refused.
  EXPECT_EQ(PAYLOAD_CRC_MISMATCH,
            CheckExpandedPayload("orvel.exe", &paths, 300000, crc));
}
