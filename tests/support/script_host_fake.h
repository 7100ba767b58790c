// A script host start recorded instead of made: the command line, the
// script it names and the bytes of that script, and a finished process.
#pragma once

#include "shortcuts/shortcut_runner.h"
#include "tests/support/disk_files.h"

#include <windows.h>

#include <string>
#include <vector>

namespace script_host {

struct Launch {
  std::string program;
  std::string commandLine;
  std::string scriptPath; // the last quoted word of the command line
  std::string script;     // its bytes when the host was started
};

inline std::vector<Launch> launches;
// What the start answers: 0, or the launcher's error number.
inline unsigned startResult = 0;

// A host that has already ended: an event that is set.
inline unsigned RecordStart(const char* program, char* commandLine,
                            HANDLE* process) {
  Launch launch;
  launch.program = program;
  launch.commandLine = commandLine;
  std::string line = commandLine;
  size_t end = line.rfind('"');
  size_t start = end == std::string::npos ? end : line.rfind('"', end - 1);
  if (start != std::string::npos) {
    launch.scriptPath = line.substr(start + 1, end - start - 1);
    launch.script = disk::ReadBytes(launch.scriptPath);
  }
  launches.push_back(launch);
  if (startResult == 0)
    *process = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  return startResult;
}

// The script host started by `start` while it lives, by the product's own
// start again afterwards.
struct StartedBy {
  explicit StartedBy(decltype(ScriptHostCalls::start) start) {
    launches.clear();
    scriptHostCalls.start = start;
  }
  ~StartedBy() { scriptHostCalls = real; }
  const ScriptHostCalls real = scriptHostCalls;
};

} // namespace script_host
