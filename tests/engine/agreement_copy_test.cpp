// The agreement text resource and its copy in the destination folder.
#include "engine/agreement_text.h"
#include "tests/support/disk_files.h"
#include "tests/support/installer_state_reset.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>

namespace {

const char kFolder[] = "c:\\orvel-tests\\agreement\\";

using disk::Exists;
using disk::ReadBytes;

struct Received {
  int calls = 0;
  std::string text;
  void* context = nullptr;
};

void Receive(const char* text, int size, void* context) {
  Received& r = *static_cast<Received*>(context);
  ++r.calls;
  r.text.assign(text, size);
  r.context = context;
}

void Save(const char* text, int size, void*) {
  SaveAgreementFile(text, size);
}

class AgreementCopy : public testing::Test {
protected:
  void SetUp() override {
    ResetInstallerState();
    CreateDirectoryA("c:\\orvel-tests", nullptr);
    CreateDirectoryA(kFolder, nullptr);
    for (const char* name : {"eula.txt", "new.txt"}) {
      SetFileAttributesA((std::string(kFolder) + name).c_str(),
                         FILE_ATTRIBUTE_NORMAL);
      DeleteFileA((std::string(kFolder) + name).c_str());
    }
    lstrcpyA(state.destinationPath, kFolder);
  }
};

TEST_F(AgreementCopy, ConsumerGetsTheWholeLicenceText) {
  Received r;
  EXPECT_EQ(0, UseAgreementText(Receive, &r));
  EXPECT_EQ(1, r.calls);
  EXPECT_EQ(&r, r.context);
  EXPECT_EQ(5092u, r.text.size());
  EXPECT_EQ(ReadBytes(LICENCE_PATH), r.text);
}

TEST_F(AgreementCopy, WithoutTheResourceTheConsumerDoesNotRun) {
  state.appInstance = GetModuleHandleA("kernel32.dll");
  Received r;
  EXPECT_EQ(1, UseAgreementText(Receive, &r));
  EXPECT_EQ(0, r.calls);
}

TEST_F(AgreementCopy, EulaHoldsEveryByteUpToTheEndLine) {
  EXPECT_EQ(0, UseAgreementText(Save, nullptr));
  std::string copy = ReadBytes(std::string(kFolder) + "eula.txt");
  EXPECT_EQ(5092u, copy.size());
  EXPECT_EQ(ReadBytes(LICENCE_PATH), copy);
  EXPECT_EQ("\r\nEnd\r\n", copy.substr(copy.size() - 7));
  EXPECT_FALSE(Exists(std::string(kFolder) + "new.txt"));
}

TEST_F(AgreementCopy, SecondRunTruncatesAndRewrites) {
  std::ofstream(std::string(kFolder) + "eula.txt", std::ios::binary)
      << std::string(9000, 'x');
  EXPECT_EQ(0, UseAgreementText(Save, nullptr));
  EXPECT_EQ(ReadBytes(LICENCE_PATH),
            ReadBytes(std::string(kFolder) + "eula.txt"));
}

TEST_F(AgreementCopy, UpdateWritesNewTxtOverAnOldOne) {
  state.updateMode = 1;
  std::ofstream(std::string(kFolder) + "new.txt", std::ios::binary)
      << std::string(6000, 'o');
  EXPECT_EQ(0, UseAgreementText(Save, nullptr));
  EXPECT_EQ(ReadBytes(LICENCE_PATH),
            ReadBytes(std::string(kFolder) + "new.txt"));
  EXPECT_FALSE(Exists(std::string(kFolder) + "eula.txt"));
}

TEST_F(AgreementCopy, CopyEndsAtANulByte) {
  EXPECT_EQ(0, SaveAgreementFile("ab\0cd", 5));
  EXPECT_EQ("ab", ReadBytes(std::string(kFolder) + "eula.txt"));
}

TEST_F(AgreementCopy, FileThatCannotBeMadeGives1) {
  lstrcpyA(state.destinationPath, "c:\\orvel-tests\\agreement\\gone\\");
  EXPECT_EQ(1, SaveAgreementFile("text", 4));
  // A folder standing where the copy should go.
  std::string eula = std::string(kFolder) + "eula.txt";
  CreateDirectoryA(eula.c_str(), nullptr);
  lstrcpyA(state.destinationPath, kFolder);
  EXPECT_EQ(1, SaveAgreementFile("text", 4));
  RemoveDirectoryA(eula.c_str());
}

} // namespace
