// The installation run taken apart: the time of each step of the pipeline,
// summed over the payload files.
#pragma once

#include <string>

// Runs the steps of InstallFiles into `folder`, with the payload of
// `payloadModule` (this program's when empty), and prints one line per
// step and run. Returns 0 on success.
int TimeInstallSteps(int runs, const std::string& folder,
                     const std::string& payloadModule);
