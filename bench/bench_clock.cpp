#include "bench/bench_clock.h"

#include "tests/support/disk_files.h"

#include <cstdio>

double NowMs() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return now.QuadPart * 1000.0 / frequency.QuadPart;
}

void PrintRun(const std::string& key, double ms) {
  printf("%s %.3f\n", key.c_str(), ms);
  fflush(stdout);
}

void EmptyFolder(const std::string& folder) {
  disk::RemoveTree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
}
