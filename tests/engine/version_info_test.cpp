// The version reader against real files: small DLLs built with their own
// version resources, a plain text file and the installer itself.
#include "engine/version_info.h"
#include "tests/support/installer_state_reset.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string VersionFile(const char* name) {
  return std::string(VERSION_FILES_DIR) + "/" + name + ".dll";
}

// Reads a file's version data and what the reader left behind; the field
// starts dirty so that a reader that forgets to clear it is caught.
struct Reading {
  ErrorCode result;
  std::string fileVersion;
};

Reading Read(const std::string& file) {
  ResetInstallerState();
  lstrcpyA(state.versionFileVersion, "left over");
  Reading reading;
  reading.result = ReadVersionInfo(file.c_str());
  reading.fileVersion = state.versionFileVersion;
  return reading;
}

TEST(ReadVersionInfo, FilesWithoutVersionDataPass) {
  Reading dll = Read(VersionFile("no_version"));
  EXPECT_EQ(0, dll.result);
  EXPECT_EQ("", dll.fileVersion);

  CreateDirectoryA("c:\\orvel-tests", nullptr);
  CreateDirectoryA("c:\\orvel-tests\\version", nullptr);
  const char* text = "c:\\orvel-tests\\version\\readme.txt";
  HANDLE file = CreateFileA(text, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  DWORD written = 0;
  WriteFile(file, "plain text\r\n", 12, &written, nullptr);
  CloseHandle(file);
  Reading plain = Read(text);
  EXPECT_EQ(0, plain.result);
  EXPECT_EQ("", plain.fileVersion);
  DeleteFileA(text);
}

TEST(ReadVersionInfo, InstallerAndProductCarryTitleAndVersion) {
  Reading installer = Read(INSTALL_EXE_PATH);
  EXPECT_EQ(0, installer.result);
  EXPECT_EQ("1.04", installer.fileVersion);
  Reading product = Read(ORVEL_EXE_PATH);
  EXPECT_EQ(0, product.result);
  EXPECT_EQ("1.04", product.fileVersion);
}

// The installer's own file, in a folder the 8-bit calls cannot spell.
TEST(ReadVersionInfo, AFileNamedInWideCharacters) {
  const std::wstring folder = L"c:\\orvel-tests\\Загрузки";
  const std::wstring copy = folder + L"\\version.exe";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::string from = INSTALL_EXE_PATH;
  ASSERT_TRUE(CopyFileW(std::wstring(from.begin(), from.end()).c_str(),
                        copy.c_str(), FALSE));
  lstrcpyA(state.versionFileVersion, "left over");
  EXPECT_EQ(0, ReadVersionInfoW(copy.c_str()));
  EXPECT_STREQ("1.04", state.versionFileVersion);
  DeleteFileW(copy.c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST(ReadVersionInfo, FileVersionWithoutTitleIsIncomplete) {
  Reading reading = Read(VersionFile("no_title"));
  EXPECT_EQ(ERR_VERSION_DATA, reading.result);
  EXPECT_EQ("", reading.fileVersion);
}

TEST(ReadVersionInfo, TranslationNamingAMissingTableIsIncomplete) {
  Reading reading = Read(VersionFile("missing_table"));
  EXPECT_EQ(ERR_VERSION_DATA, reading.result);
  EXPECT_EQ("", reading.fileVersion);
}

TEST(ReadVersionInfo, LongFileVersionKeepsItsFirstFortyCharacters) {
  Reading reading = Read(VersionFile("long_version"));
  EXPECT_EQ(0, reading.result);
  EXPECT_EQ("0123456789abcdefghijklmnopqrstuvwxyzABCD", reading.fileVersion);
}

TEST(ReadVersionInfo, BlockOf2500BytesOrMoreIsNotRead) {
  std::string file = VersionFile("large_block");
  DWORD unused = 0;
  // The file's version data is complete; only its size keeps it unread.
  ASSERT_GE(GetFileVersionInfoSizeA(file.c_str(), &unused), 2500u);
  Reading reading = Read(file);
  EXPECT_EQ(0, reading.result);
  EXPECT_EQ("", reading.fileVersion);
}

TEST(ReadVersionInfo, OnlyTheFirstTranslationCounts) {
  Reading first = Read(VersionFile("two_translations"));
  EXPECT_EQ(0, first.result);
  EXPECT_EQ("2.01", first.fileVersion);

  Reading incomplete = Read(VersionFile("first_translation_incomplete"));
  EXPECT_EQ(ERR_VERSION_DATA, incomplete.result);
  EXPECT_EQ("", incomplete.fileVersion);
}

} // namespace
