// Timing and folder helpers shared by the measurements of orvel_bench.
#pragma once

#include <windows.h>

#include <string>

// Milliseconds since an arbitrary start, from the performance counter.
double NowMs();

// Prints one measured run as "<key> <milliseconds>".
void PrintRun(const std::string& key, double ms);

// Leaves an existing, empty folder (ending in a backslash).
void EmptyFolder(const std::string& folder);
