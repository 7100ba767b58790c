// Timing and folder helpers shared by the measurements of orvel_bench.
#pragma once

#include <windows.h>

#include <string>

// Milliseconds since an arbitrary start, from the performance counter.
double NowMs();

// Prints one measured run as "<key> <milliseconds>".
void PrintRun(const std::string& key, double ms);

// Deletes the files of a folder (not its sub-folders) and makes sure the
// folder exists. The folder ends in a backslash.
void EmptyFolder(const std::string& folder);
