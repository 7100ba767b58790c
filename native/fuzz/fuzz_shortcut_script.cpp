// The shortcut script's text for any flags and inputs: every %s of the
// lines is filled, and every line ends with one line feed, which the text
// mode file turns into CR LF, so every line of the script file ends with
// CR LF. A writer that stops ends the script there.
#include "native/fuzz/property.h"
#include "shortcuts/shortcut_script.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>

namespace {

struct Script {
  size_t stopAfter = 0; // 0: take every line
  size_t lines = 0;
  std::string file; // as a text mode file stores it
  bool inputsHaveMarks = false;
};

int Take(const char* line, void* context) {
  Script* script = static_cast<Script*>(context);
  const size_t length = strlen(line);
  PROPERTY(length >= 1 && length < SCRIPT_LINE_SIZE);
  PROPERTY(line[length - 1] == '\n');
  if (!script->inputsHaveMarks)
    PROPERTY(strstr(line, "%s") == nullptr);
  for (const char* p = line; *p; ++p)
    script->file += *p == '\n' ? std::string("\r\n") : std::string(1, *p);
  ++script->lines;
  PROPERTY(script->stopAfter == 0 || script->lines <= script->stopAfter);
  return script->stopAfter == 0 || script->lines < script->stopAfter;
}

// The line breaks of the inputs are their own; the check below counts
// only those that the script makes.
std::string Input(FuzzedDataProvider& in) {
  std::string text = in.ConsumeRandomLengthString(1000);
  for (char& c : text)
    if (c == '\n' || c == '\r')
      c = ' ';
  return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const ShortcutFlags flags = in.ConsumeIntegral<int>();
  const int allUsers = in.ConsumeIntegralInRange<int>(0, 1);
  Script script;
  script.stopAfter = in.ConsumeIntegralInRange<size_t>(0, 60);
  const std::string name = Input(in), target = Input(in), folder = Input(in);
  script.inputsHaveMarks =
      (name + target + folder).find('%') != std::string::npos;

  ShortcutScriptInputs inputs = {flags, allUsers, name.c_str(), target.c_str(),
                                 folder.c_str()};
  const int complete = BuildShortcutScript(inputs, Take, &script);
  PROPERTY(complete ==
           (script.stopAfter == 0 || script.lines < script.stopAfter));
  PROPERTY(script.lines >= 1);

  // Every line of the file ends with CR LF, and no CR or LF stands alone.
  size_t breaks = 0;
  for (size_t k = 0; k < script.file.size(); ++k) {
    if (script.file[k] == '\r') {
      PROPERTY(k + 1 < script.file.size() && script.file[k + 1] == '\n');
      ++breaks;
    } else if (script.file[k] == '\n') {
      PROPERTY(k > 0 && script.file[k - 1] == '\r');
    }
  }
  PROPERTY(breaks == script.lines);
  PROPERTY(script.file.size() >= 2 &&
           script.file.compare(script.file.size() - 2, 2, "\r\n") == 0);
  return 0;
}
