#include "bench/bench_install.h"

#include "bench/bench_clock.h"
#include "engine/install_files.h"
#include "state/installer_state.h"
#include "tests/support/disk_files.h"
#include "tests/support/installer_state_reset.h"

#include <cstdio>

bool PrepareInstallRun(const std::string& folder,
                       const std::string& payloadModule) {
  static HMODULE payload = nullptr;
  if (!payload)
    payload = payloadModule.empty()
                  ? GetModuleHandleA(nullptr)
                  : LoadLibraryExA(payloadModule.c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE);
  if (!payload) {
    fprintf(stderr, "cannot load %s\n", payloadModule.c_str());
    return false;
  }
  EmptyFolder(folder);
  // As a person leaves it: agreement accepted, no shortcuts, whose
  // script's wait would come on top.
  ResetInstallerState();
  state.appInstance = payload;
  state.agreementIncluded = 1;
  lstrcpynA(state.destinationPath, folder.c_str(), PATH_SIZE);
  return true;
}

int TimeInstallFiles(int runs, const std::string& folder,
                     const std::string& payloadModule) {
  for (int i = 0; i < runs; ++i) {
    if (!PrepareInstallRun(folder, payloadModule))
      return 1;
    double start = NowMs();
    ErrorCode result = InstallFiles();
    double end = NowMs();
    if (result != 0) {
      fprintf(stderr, "InstallFiles failed with %d\n", result);
      return 1;
    }
    PrintRun("run", end - start);
  }
  return 0;
}

int TimeProcess(int runs, const std::string& folder,
                const std::string& commandLine) {
  for (int i = 0; i < runs; ++i) {
    EmptyFolder(folder);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    std::string line = commandLine;
    double start = NowMs();
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
      fprintf(stderr, "cannot start %s\n", commandLine.c_str());
      return 1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    double end = NowMs();
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (code != 0) {
      fprintf(stderr, "%s ended with %lu\n", commandLine.c_str(), code);
      return 1;
    }
    PrintRun("run", end - start);
  }
  return 0;
}

int TimePlainCopy(int runs, const std::string& folder,
                  const std::vector<std::string>& files) {
  std::string source = folder.substr(0, folder.size() - 1) + "-source\\";
  EmptyFolder(source);
  std::vector<std::string> names;
  for (const std::string& file : files) {
    std::string name = file.substr(file.find_last_of("\\/") + 1);
    if (!CopyFileA(file.c_str(), (source + name).c_str(), FALSE)) {
      fprintf(stderr, "cannot copy %s\n", file.c_str());
      return 1;
    }
    names.push_back(name);
  }
  for (int i = 0; i < runs; ++i) {
    EmptyFolder(folder);
    double start = NowMs();
    for (const std::string& name : names)
      CopyFileA((source + name).c_str(), (folder + name).c_str(), FALSE);
    PrintRun("run", NowMs() - start);
  }
  disk::RemoveTree(source);
  return 0;
}
