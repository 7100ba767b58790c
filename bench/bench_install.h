// The installation measurements: our InstallFiles, another installer run
// as a process, and a plain copy of the expanded files.
#pragma once

#include <string>
#include <vector>

// Empties `folder` and sets the installer state as for a person's run
// into it, with the payload of `payloadModule` (a resource-only DLL, loaded
// once) or, when empty, of this program. Returns false when it cannot.
bool PrepareInstallRun(const std::string& folder,
                       const std::string& payloadModule);

// InstallFiles into `folder`, with the payload of `payloadModule` (a
// resource-only DLL) or, when empty, of this program. Returns 0 on success.
int TimeInstallFiles(int runs, const std::string& folder,
                     const std::string& payloadModule);

// Runs `commandLine` and waits for it to end; `folder` is emptied first.
int TimeProcess(int runs, const std::string& folder,
                const std::string& commandLine);

// Copies `files` to a source folder beside `folder`, then times copying
// them from there into `folder`.
int TimePlainCopy(int runs, const std::string& folder,
                  const std::vector<std::string>& files);
