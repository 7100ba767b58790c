// How long the installation run takes, next to a plain copy of the same
// bytes on the same disk. The 32 MB measurement needs its payload built
// first (target install_big_payload) and runs only when asked:
//   engine_test --gtest_also_run_disabled_tests --gtest_filter=*Timing*
#include "engine/install_files.h"
#include "tests/support/installer_state_reset.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::string kRoot = "c:\\orvel-tests\\timing\\";

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return (to.QuadPart - from.QuadPart) * 1000.0 / frequency.QuadPart;
}

void EmptyFolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do
      DeleteFileA((folder + found.cFileName).c_str());
    while (FindNextFileA(find, &found));
    FindClose(find);
  }
  CreateDirectoryA(folder.c_str(), nullptr);
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// Median of several runs of InstallFiles into an emptied folder, without
// shortcuts (whose fixed wait of 1.8 s would come on top).
double TimeInstallFiles(const std::string& folder, int runs) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    EmptyFolder(folder);
    lstrcpyA(state.destinationPath, folder.c_str());
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    ErrorCode result = InstallFiles();
    QueryPerformanceCounter(&end);
    EXPECT_EQ(0, result);
    times.push_back(Milliseconds(start, end));
  }
  return Median(times);
}

// Median of several plain copies of the given files, from a folder on
// the same disk.
double TimePlainCopy(const std::vector<std::string>& files,
                     const std::string& folder, int runs) {
  std::string source = kRoot + "source\\";
  EmptyFolder(source);
  for (size_t i = 0; i < files.size(); ++i)
    CopyFileA(files[i].c_str(), (source + std::to_string(i)).c_str(), FALSE);
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    EmptyFolder(folder);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (size_t i = 0; i < files.size(); ++i)
      EXPECT_TRUE(CopyFileA((source + std::to_string(i)).c_str(),
                            (folder + std::to_string(i)).c_str(), FALSE));
    QueryPerformanceCounter(&end);
    times.push_back(Milliseconds(start, end));
  }
  return Median(times);
}

class InstallTiming : public testing::Test {
protected:
  void SetUp() override {
    ResetInstallerState();
    state.agreementIncluded = 1;
    CreateDirectoryA("c:\\orvel-tests", nullptr);
    CreateDirectoryA(kRoot.c_str(), nullptr);
  }
  void Report(const char* what, double install, double copy) {
    printf("%s: InstallFiles %.1f ms, plain copy %.1f ms\n", what, install,
           copy);
    RecordProperty("InstallFilesMs", std::to_string(install));
    RecordProperty("PlainCopyMs", std::to_string(copy));
  }
};

TEST_F(InstallTiming, DemoProduct) {
  double install = TimeInstallFiles(kRoot + "demo\\", 5);
  double copy =
      TimePlainCopy({ORVEL_EXE_PATH, ORVEL_CHM_PATH}, kRoot + "demo-copy\\", 5);
  Report("demo product", install, copy);
  EXPECT_LT(install, 5000.0);
}

TEST_F(InstallTiming, DISABLED_ThirtyTwoMegabyteProgram) {
  HMODULE payload =
      LoadLibraryExA(BIG_PAYLOAD_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, payload) << "build the target install_big_payload";
  state.appInstance = payload;
  double install = TimeInstallFiles(kRoot + "big\\", 3);
  // The program's slot alone, stage by stage.
  LARGE_INTEGER start, extracted, installed;
  QueryPerformanceCounter(&start);
  EXPECT_EQ(0, ExtractPayload(900));
  QueryPerformanceCounter(&extracted);
  EXPECT_EQ(0, InstallPayloadFile("orvel.exe"));
  QueryPerformanceCounter(&installed);
  printf("32 MB program: resource to file %.1f ms, expansion and "
         "replacement %.1f ms\n",
         Milliseconds(start, extracted), Milliseconds(extracted, installed));
  FreeLibrary(payload);
  double copy = TimePlainCopy({BIG_PROGRAM_PATH, ORVEL_CHM_PATH},
                              kRoot + "big-copy\\", 3);
  Report("32 MB program", install, copy);
  EmptyFolder(kRoot + "big\\");
  EmptyFolder(kRoot + "big-copy\\");
  EmptyFolder(kRoot + "source\\");
}

} // namespace
