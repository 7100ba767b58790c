#include "bench/bench_clock.h"

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
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        DeleteFileA((folder + found.cFileName).c_str());
    while (FindNextFileA(find, &found));
    FindClose(find);
  }
  CreateDirectoryA(folder.c_str(), nullptr);
}
