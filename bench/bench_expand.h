// Expansion of SZDD files by the system's LZ32 functions.
#pragma once

#include <string>
#include <vector>

// Expands each packed file into `folder` with LZOpenFileA and LZCopy;
// prints one run per file and round as "<file name> <milliseconds>".
int TimeExpansion(int runs, const std::string& folder,
                  const std::vector<std::string>& packedFiles);
