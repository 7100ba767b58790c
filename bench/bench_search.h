// The drive search of the SEARCH dialog.
#pragma once

#include <string>

// Opens the search dialog with the destination on the drive of `root`
// (such as r:\) and closes it once the search has listed its results.
int TimeSearch(int runs, const std::string& root);
