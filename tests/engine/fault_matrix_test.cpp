// The fault matrix: destinations a person may type and disks, files and
// resources as they may present themselves, each run through the real
// installation on Wine's disk (the drive table only where Wine cannot
// present the disk). Each case checks what the person is shown, that
// nothing outside the destination changed and that no file meant to stay
// was lost.
#include "dialogs/agreement_dialog.h"
#include "engine/destination.h"
#include "engine/drive_table.h"
#include "engine/error_report.h"
#include "engine/install_files.h"
#include "engine/version_info.h"
#include "resources/resource_ids.h"
#include "tests/engine/decompress_box.h"
#include "tests/support/disk_files.h"
#include "tests/support/installer_state_reset.h"
#include "tests/support/scripted_user.h"
#include "tools/szdd/szdd_pack.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <errno.h>
#include <lzexpand.h>

#include <memory>

using namespace disk;
using namespace scripted;

namespace {

const std::string kRoot = "c:\\orvel-tests\\fault\\";
// Destinations go below this folder, which holds files named like every
// file the installer makes, so that a write one level too high shows.
const std::string kParent = kRoot + "dest\\";
const std::string kFaultFiles = FAULT_FILES_DIR "\\";

const std::set<std::string> kInstalled = {"eula.txt", "orvel.chm", "orvel.exe"};

// What the drive table answers for the free space.
unsigned long long freeBytes = 0;
BOOL WINAPI FreeSpace(LPCSTR, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector,
                      LPDWORD freeClusters, LPDWORD totalClusters) {
  *sectorsPerCluster = 1;
  *bytesPerSector = 1;
  *freeClusters = static_cast<DWORD>(freeBytes);
  *totalClusters = static_cast<DWORD>(freeBytes);
  return freeBytes != 0;
}

void MakeSentinels() {
  CreateDirectoryA("c:\\orvel-tests", nullptr);
  CreateDirectoryA(kRoot.c_str(), nullptr);
  CreateDirectoryA(kParent.c_str(), nullptr);
  for (const char* name : {"orvel.exe", "orvel.chm", "orvel.bak", "eula.txt",
                           "new.txt", "$$cmp.tm$", "$$unc.tm$"})
    WriteBytes(kParent + name, std::string("sentinel ") + name);
  CreateDirectoryA((kRoot + "sentinel").c_str(), nullptr);
  WriteBytes(kRoot + "sentinel\\kept.txt", "kept");
  WriteBytes(kRoot + "sentinel\\read-only.txt", "read-only");
  SetFileAttributesA((kRoot + "sentinel\\read-only.txt").c_str(),
                     FILE_ATTRIBUTE_READONLY);
}

class FaultMatrix : public testing::Test {
protected:
  void SetUp() override {
    ResetInstallerState();
    state.agreementIncluded = 1;
    driveTable = realDriveTable;
    RemoveTree(kRoot);
    MakeSentinels();
    before = Snapshot(kRoot);
    productExe = ReadBytes(ORVEL_EXE_PATH);
    productChm = ReadBytes(ORVEL_CHM_PATH);
    licence = ReadBytes(LICENCE_PATH);
    ASSERT_FALSE(productExe.empty());
    user = std::make_unique<ScriptedUser>();
  }
  void TearDown() override {
    driveTable = realDriveTable;
    if (module)
      FreeLibrary(module);
    for (const Shown& shown : user->shown())
      EXPECT_FALSE(shown.unexpected) << shown.caption << ": " << shown.text;
    user.reset();
    RemoveTree(kRoot);
  }

  // A destination below kParent, not yet on disk.
  std::string Destination(const std::string& name) {
    std::string folder = kParent + name + "\\";
    lstrcpynA(state.destinationPath, folder.c_str(), PATH_SIZE);
    return folder;
  }

  // A destination holding an earlier installation.
  std::string Installed(const std::string& name) {
    std::string folder = Destination(name);
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteBytes(folder + "orvel.exe", "previous program");
    WriteBytes(folder + "orvel.chm", "previous help");
    WriteBytes(folder + "eula.txt", "previous licence");
    return folder;
  }

  // The earlier installation that Installed() made is still there.
  void ExpectPreviousKept(const std::string& folder) {
    EXPECT_EQ("previous program", ReadBytes(folder + "orvel.exe"));
    EXPECT_EQ("previous help", ReadBytes(folder + "orvel.chm"));
    EXPECT_EQ("previous licence", ReadBytes(folder + "eula.txt"));
  }

  void UseModule(const std::string& file) {
    module = LoadLibraryExA((kFaultFiles + file).c_str(), nullptr,
                            LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module) << file;
    state.appInstance = module;
  }

  // Everything outside `prefix` is as it was before the test.
  void ExpectNothingElseChanged(const std::string& prefix) {
    EXPECT_EQ(Outside(before, prefix), Outside(Snapshot(kRoot), prefix));
  }

  void ExpectInstalled(const std::string& folder) {
    EXPECT_TRUE(productExe == ReadBytes(folder + "orvel.exe"))
        << "differs: " << folder + "orvel.exe";
    EXPECT_TRUE(productChm == ReadBytes(folder + "orvel.chm"))
        << "differs: " << folder + "orvel.chm";
    EXPECT_TRUE(licence == ReadBytes(folder + "eula.txt"))
        << "differs: " << folder + "eula.txt";
    EXPECT_EQ(kInstalled, FolderContents(folder));
  }

  // The report of `code` as the person reads it: caption, then text.
  std::string Report(ErrorCode code) {
    size_t seen = user->shown().size();
    user->Answer({Press(IDOK)});
    ReportError(nullptr, code);
    if (user->shown().size() != seen + 1)
      return "(no box)";
    const Shown& box = user->shown().back();
    return box.caption + ": " + box.text;
  }

  void ExpectDecompressBox(const std::string& folder) {
    ASSERT_FALSE(user->shown().empty());
    ::ExpectDecompressBox(user->shown().back(), folder);
  }

  Tree before;
  std::string productExe, productChm, licence;
  std::unique_ptr<ScriptedUser> user;
  HMODULE module = nullptr;
};

// --- Folders and disks ---

TEST_F(FaultMatrix, ReadOnlyDestinationFolderStillTakesTheProduct) {
  // Windows ignores the read-only mark of a folder for what goes into it.
  std::string folder = Installed("read-only folder");
  SetFileAttributesA(folder.substr(0, folder.size() - 1).c_str(),
                     FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(0, InstallFiles());
  ExpectInstalled(folder);
  ExpectNothingElseChanged(folder);
  EXPECT_TRUE(user->shown().empty());
}

TEST_F(FaultMatrix, NewFolderBelowAReadOnlyFolder) {
  std::string parent = Destination("read-only parent");
  CreateDirectoryA(parent.c_str(), nullptr);
  SetFileAttributesA(parent.substr(0, parent.size() - 1).c_str(),
                     FILE_ATTRIBUTE_READONLY);
  std::string folder = Destination("read-only parent\\new");
  EXPECT_EQ(0, InstallFiles());
  ExpectInstalled(folder);
  ExpectNothingElseChanged(parent);
}

TEST_F(FaultMatrix, TooLittleFreeSpaceIsRefusedBeforeAnythingIsMade) {
  driveTable.getDiskFreeSpace = FreeSpace;
  std::string folder = Destination("full disk\\new");
  freeBytes = 9999999;
  EXPECT_EQ(ERR_LOW_DISK_SPACE, InstallFiles());
  EXPECT_EQ("Folder Error: Error #28\n\nNot Enough Free Space on Hard "
            "Drive\n(min 10 MB needed -- NOT 10 Gig, but 10 Meg!)\n\n" +
                folder + "\n",
            Report(ERR_LOW_DISK_SPACE));
  freeBytes = 0; // the free space cannot be read at all
  EXPECT_EQ(ERR_LOW_DISK_SPACE, InstallFiles());
  EXPECT_FALSE(Exists(kParent + "full disk"));
  ExpectNothingElseChanged(folder);

  freeBytes = 10000000;
  EXPECT_EQ(0, InstallFiles());
  ExpectInstalled(folder);
}

TEST_F(FaultMatrix, FullDiskKeepsAnEarlierInstallation) {
  driveTable.getDiskFreeSpace = FreeSpace;
  freeBytes = 4096;
  std::string folder = Installed("full disk update");
  Tree installed = Snapshot(folder);
  state.updateMode = 1;
  EXPECT_EQ(ERR_LOW_DISK_SPACE, InstallFiles());
  EXPECT_EQ(installed, Snapshot(folder));
  ExpectNothingElseChanged(folder);
}

// --- Previous files that cannot be replaced ---

TEST_F(FaultMatrix, PreviousProgramHeldOpenWithoutDeleteSharing) {
  std::string folder = Installed("held open");
  HANDLE held = CreateFileA((folder + "orvel.exe").c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  EXPECT_EQ(ERR_DELETE_PREVIOUS, InstallFiles());
  EXPECT_EQ("File Error: Error #70\n\nCouldn't Delete Previous File!\n\n"
            "Extended Error # 13\nNo Permission\norvel.exe\n",
            Report(ERR_DELETE_PREVIOUS));
  ExpectPreviousKept(folder);
  EXPECT_FALSE(Exists(folder + "$$unc.tm$"));
  ExpectNothingElseChanged(folder);
  CloseHandle(held);

  // Once the program is closed, the next run completes and tidies up.
  EXPECT_EQ(0, InstallFiles());
  ExpectInstalled(folder);
}

// A scanner or an indexer holds the old program open and lets it be
// deleted: there is never a moment without orvel.exe, and once it lets go
// the next run completes.
TEST_F(FaultMatrix, PreviousProgramHeldOpenWithDeleteSharing) {
  std::string folder = Installed("held with delete sharing");
  HANDLE held =
      CreateFileA((folder + "orvel.exe").c_str(), GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  ErrorCode result = InstallFiles();
  EXPECT_TRUE(result == 0 || result == ERR_DELETE_PREVIOUS) << result;
  CloseHandle(held);
  std::string program = ReadBytes(folder + "orvel.exe");
  EXPECT_TRUE(program == productExe || program == "previous program")
      << "no working orvel.exe: " << program.size() << " bytes";
  EXPECT_EQ(0, InstallFiles());
  ExpectInstalled(folder);
}

TEST_F(FaultMatrix, UpdateWithTheHelpFileHeldOpen) {
  std::string folder = Installed("update held open");
  state.updateMode = 1;
  HANDLE held =
      CreateFileA((folder + "orvel.chm").c_str(), GENERIC_READ, FILE_SHARE_READ,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  EXPECT_EQ(ERR_DELETE_PREVIOUS, InstallFiles());
  CloseHandle(held);
  EXPECT_STREQ("orvel.chm", state.errorPath);
  EXPECT_EQ(EACCES, state.errorDetail);
  // Nothing was replaced: no mix of two releases.
  ExpectPreviousKept(folder);
  EXPECT_FALSE(Exists(folder + "new.txt"));
  ExpectNothingElseChanged(folder);
}

TEST_F(FaultMatrix, ReadOnlyPreviousProgram) {
  std::string folder = Installed("read-only program");
  SetFileAttributesA((folder + "orvel.exe").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(ERR_DELETE_PREVIOUS, InstallFiles());
  EXPECT_EQ("File Error: Error #70\n\nCouldn't Delete Previous File!\n\n"
            "Extended Error # 13\nNo Permission\norvel.exe\n",
            Report(ERR_DELETE_PREVIOUS));
  EXPECT_EQ("previous program", ReadBytes(folder + "orvel.exe"));
  EXPECT_TRUE(GetFileAttributesA((folder + "orvel.exe").c_str()) &
              FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ("previous help", ReadBytes(folder + "orvel.chm"));
  EXPECT_EQ("previous licence", ReadBytes(folder + "eula.txt"));
  ExpectNothingElseChanged(folder);
}

// --- Damaged payload resources ---

struct DamagedPayload {
  int id;
  const char* what;
  int shown; // the number in the decompression box
};

TEST_F(FaultMatrix, DamagedPayloadsNeverReplaceThePreviousProgram) {
  UseModule("fault_payloads.dll");
  const DamagedPayload damaged[] = {
      {910, "cut inside the magic", LZERROR_BADINHANDLE},
      {911, "header alone", LZERROR_BADVALUE},
      {912, "garbage after the header", LZERROR_BADVALUE},
      {913, "wrong magic", LZERROR_BADINHANDLE},
      {914, "one byte", LZERROR_BADINHANDLE},
      {915, "junk after the data", LZERROR_BADVALUE},
  };
  std::string folder = Installed("damaged payload");
  for (const DamagedPayload& payload : damaged) {
    SCOPED_TRACE(payload.what);
    user->Answer({Press(IDOK)});
    ASSERT_EQ(0, ExtractPayload(static_cast<unsigned short>(payload.id)));
    EXPECT_EQ(ERR_DECOMPRESS, InstallPayloadFile("orvel.exe"));
    ExpectDecompressBox(folder);
    EXPECT_EQ(0u, user->shown().back().text.find(
                      "Decompress Error = " + std::to_string(payload.shown)));
    EXPECT_EQ("previous program", ReadBytes(folder + "orvel.exe"));
    EXPECT_EQ(kInstalled, FolderContents(folder));
  }
  ExpectNothingElseChanged(folder);

  // The same stream with a sound header expands to its eight bytes, which
  // are the ones recorded for orvel.exe but for no other file.
  for (const char* name : {"orvel.chm", "other.exe"}) {
    SCOPED_TRACE(name);
    user->Answer({Press(IDOK)});
    ASSERT_EQ(0, ExtractPayload(916));
    EXPECT_EQ(ERR_DECOMPRESS, InstallPayloadFile(name));
    EXPECT_EQ(0u, user->shown().back().text.find("Decompress Error = -9\n"));
    EXPECT_EQ(kInstalled, FolderContents(folder));
  }
  ASSERT_EQ(0, ExtractPayload(916));
  EXPECT_EQ(0, InstallPayloadFile("orvel.exe"));
  EXPECT_EQ("ORVELEXE", ReadBytes(folder + "orvel.exe"));
}

// The offset in an SZDD file of the first byte at or after `from` that the
// LZ data carries as it is (a literal), or 0.
size_t LiteralFrom(const std::string& packed, size_t from) {
  for (size_t at = 14; at < packed.size();) {
    unsigned flags = static_cast<unsigned char>(packed[at++]);
    for (int bit = 0; bit < 8 && at < packed.size(); ++bit) {
      if (!(flags >> bit & 1))
        at += 2;
      else if (at >= from)
        return at;
      else
        ++at;
    }
  }
  return 0;
}

std::string ResourceBytes(int id) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_RCDATA);
  if (!found)
    return "";
  const char* bytes =
      static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(bytes, SizeofResource(module, found));
}

TEST_F(FaultMatrix, PayloadChangedInsideItsDataIsRefusedByItsChecksum) {
  // One byte of the program's packed data, changed where the stream stays
  // sound: it expands without an LZ error, to the announced size.
  std::string folder = Installed("changed payload byte");
  const std::string packed = ResourceBytes(PAYLOAD_FIRST_ID);
  std::string changed = packed;
  size_t at = LiteralFrom(changed, changed.size() / 2);
  ASSERT_NE(0u, at);
  changed[at] ^= 0x20;
  WriteBytes(folder + "$$cmp.tm$", changed);
  user->Answer({Press(IDOK)});
  EXPECT_EQ(ERR_DECOMPRESS, InstallPayloadFile("orvel.exe"));
  ExpectDecompressBox(folder);
  EXPECT_EQ(0u, user->shown().back().text.find("Decompress Error = -9\n"));
  ExpectPreviousKept(folder);
  EXPECT_EQ(kInstalled, FolderContents(folder));
  ExpectNothingElseChanged(folder);

  // The data as built passes.
  WriteBytes(folder + "$$cmp.tm$", packed);
  EXPECT_EQ(0, InstallPayloadFile("orvel.exe"));
  EXPECT_TRUE(productExe == ReadBytes(folder + "orvel.exe"));
}

TEST_F(FaultMatrix, UnpackedPayloadIsADecompressError) {
  UseModule("fault_payloads.dll");
  std::string folder = Installed("unpacked payload");
  user->Answer({Press(IDOK)});
  EXPECT_EQ(ERR_DECOMPRESS, InstallFiles());
  ExpectDecompressBox(folder);
  EXPECT_EQ("Memory Error: Error #5\n\nDecompress Write\n\norvel.exe\n",
            Report(ERR_DECOMPRESS));
  ExpectPreviousKept(folder);
  EXPECT_EQ(kInstalled, FolderContents(folder));
  ExpectNothingElseChanged(folder);
}

// --- Version resources cut short ---

TEST_F(FaultMatrix, VersionResourcesCutShortAreMissingVersionData) {
  for (const char* file :
       {"fault_version_overlong.dll", "fault_version_cut.dll"}) {
    SCOPED_TRACE(file);
    lstrcpyA(state.versionFileVersion, "stale");
    EXPECT_EQ(ERR_VERSION_DATA, ReadVersionInfo((kFaultFiles + file).c_str()));
    EXPECT_STREQ("", state.versionFileVersion);
  }
}

TEST_F(FaultMatrix, PreviousProgramWithAnOverlongVersionResourceStays) {
  std::string folder = Installed("overlong version");
  std::string previous = ReadBytes(kFaultFiles + "fault_version_overlong.dll");
  WriteBytes(folder + "orvel.exe", previous);
  EXPECT_EQ(ERR_VERSION_DATA, InstallFiles());
  EXPECT_EQ("Memory Error: Error #7\n\nVersion Data is missing data in "
            ".RC\n\norvel.exe\n",
            Report(ERR_VERSION_DATA));
  EXPECT_TRUE(previous == ReadBytes(folder + "orvel.exe"))
      << "differs: " << folder + "orvel.exe";
  EXPECT_EQ("previous help", ReadBytes(folder + "orvel.chm"));
  ExpectNothingElseChanged(folder);
}

TEST_F(FaultMatrix, NewProgramWithAVersionResourceCutShortIsNotInstalled) {
  // An installer built with that program, so its checksum passes.
  UseModule("fault_version_cut_record.dll");
  std::string folder = Installed("cut version");
  std::string program = ReadBytes(kFaultFiles + "fault_version_cut.dll");
  std::vector<unsigned char> packed =
      PackSzdd(reinterpret_cast<const unsigned char*>(program.data()),
               program.size(), 'e');
  WriteBytes(folder + "$$cmp.tm$", std::string(packed.begin(), packed.end()));
  EXPECT_EQ(ERR_VERSION_DATA, InstallPayloadFile("orvel.exe"));
  EXPECT_EQ("previous program", ReadBytes(folder + "orvel.exe"));
  EXPECT_TRUE(program == ReadBytes(folder + "$$unc.tm$"))
      << "differs: " << folder + "$$unc.tm$";
  EXPECT_FALSE(Exists(folder + "$$cmp.tm$"));
  ExpectNothingElseChanged(folder);
}

// --- Agreement texts ---

std::vector<std::string> AgreementRows(ScriptedUser& user) {
  user.Answer({Escape()});
  RunAgreementDialog(nullptr);
  const Control* list = user.shown().back().control(IDC_AGREE_TEXT);
  return list ? list->rows : std::vector<std::string>{"(no list)"};
}

TEST_F(FaultMatrix, AgreementTextWithoutAFinalLineEnd) {
  UseModule("fault_text_no_crlf.dll");
  EXPECT_EQ((std::vector<std::string>{"Licence for the fault tests", "",
                                      "The last line has no line end"}),
            AgreementRows(*user));
  std::string folder = Installed("no final line end");
  EXPECT_EQ(0, InstallFiles());
  EXPECT_EQ("Licence for the fault tests\r\n\r\nThe last line has no line end",
            ReadBytes(folder + "eula.txt"));
  EXPECT_TRUE(productExe == ReadBytes(folder + "orvel.exe"))
      << "differs: " << folder + "orvel.exe";
  ExpectNothingElseChanged(folder);
}

TEST_F(FaultMatrix, AgreementTextWithAZeroByte) {
  UseModule("fault_text_nul.dll");
  // The row with the zero byte ends there; the lines after it still show.
  EXPECT_EQ((std::vector<std::string>{"Before the zero byte", "A line with a ",
                                      "After it"}),
            AgreementRows(*user));
  std::string folder = Installed("zero byte");
  EXPECT_EQ(0, InstallFiles());
  // The copy is written up to the zero byte only.
  EXPECT_EQ("Before the zero byte\r\nA line with a ",
            ReadBytes(folder + "eula.txt"));
  ExpectNothingElseChanged(folder);
}

// --- Destinations a person may type ---

// A destination of exactly `length` characters, backslash included.
std::string DestinationOfLength(size_t length) {
  std::string path = kParent + "long\\";
  while (path.size() < length) {
    size_t left = length - path.size();
    size_t name = left > 201 ? std::min<size_t>(200, left - 3) : left - 1;
    path += std::string(name, 'x') + "\\";
  }
  return path;
}

TEST_F(FaultMatrix, DestinationsPastTheRoomForFileNamesAreTooLong) {
  // The check the dialog makes takes up to 256 characters; the
  // installation itself needs room behind them for its file names, and
  // refuses before it makes a folder.
  const struct {
    size_t length;
    ErrorCode checked;
  } cases[] = {{257, ERR_PATH_TOO_LONG}, {256, 0}, {251, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    std::string path = DestinationOfLength(c.length);
    ASSERT_EQ(c.length, path.size());
    lstrcpyA(state.destinationPath, path.c_str());
    EXPECT_EQ(c.checked, ValidateDestination(0));
    EXPECT_EQ(ERR_PATH_TOO_LONG, InstallFiles());
    EXPECT_EQ("Folder Error: Error #12\n\nDestination Path Too Long\n\n" +
                  path + "\n",
              Report(ERR_PATH_TOO_LONG));
    EXPECT_FALSE(Exists(kParent + "long"));
  }
  ExpectNothingElseChanged(kParent + "long");
}

TEST_F(FaultMatrix, LongDestinationsInstall) {
  // 120 and more pass the 128 characters that LZOpenFileA keeps of a path.
  for (size_t length : {120u, 130u, 200u, 250u}) {
    SCOPED_TRACE(length);
    std::string path = DestinationOfLength(length);
    lstrcpyA(state.destinationPath, path.c_str());
    ErrorCode result = InstallFiles();
    EXPECT_EQ(0, result) << Report(result);
    ExpectInstalled(path);
    RemoveTree(kParent + "long\\");
  }
  ExpectNothingElseChanged(kParent + "long");
}

// What a folder name with this character in it leads to.
ErrorCode ExpectedFor(char c) {
  if (c == ':')
    return ERR_BAD_DRIVE; // a colon after the drive's
  if (c == '?')
    return ERR_NAME_NOT_SPELLED; // what a letter outside the code page becomes
  if (strchr("*<>\"|", c))
    return ERR_CREATE_FOLDER; // no folder name may hold it
  return 0;                   // "a/b" is a and b in it, as Windows reads it
}

TEST_F(FaultMatrix, EveryPrintableCharacterInAFolderName) {
  const std::string top = kParent + "chars\\";
  for (char c = ' '; c <= '~'; ++c) {
    SCOPED_TRACE(std::string("character ") + c);
    std::string typed = top + "a" + c + "b";
    lstrcpyA(state.destinationPath, typed.c_str());
    ErrorCode result = InstallFiles();
    ASSERT_EQ(ExpectedFor(c), result) << Report(result);
    if (result == 0) {
      ExpectInstalled(state.destinationPath);
    } else {
      std::string shown = Report(result);
      EXPECT_NE(std::string::npos, shown.find("\n" + typed)) << shown;
    }
    ExpectNothingElseChanged(top);
    RemoveTree(top);
  }
  EXPECT_EQ(before, Snapshot(kRoot));
}

TEST_F(FaultMatrix, FormatDirectivesInADestinationAreShownAsTyped) {
  std::string folder = Destination("100%s %n %x");
  EXPECT_EQ(0, InstallFiles());
  ExpectInstalled(folder);
  state.errorDetail = EACCES;
  lstrcpyA(state.errorPath, folder.c_str());
  EXPECT_EQ("File Error: Error #71\n\nRenaming Temp File to Final File!\n\n"
            "Extended Error # 13\nNo Permission\n" +
                folder + "\n",
            Report(ERR_RENAME_TEMP));
  ExpectNothingElseChanged(folder);
}

} // namespace
