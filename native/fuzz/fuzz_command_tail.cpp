// The command tail: an interactive tail reads as it always did (but for
// the window's destination of a /D= at its end), what is
// read stays inside the tail, and behind /S the values of /LOG= and /D=
// select nothing, whatever they hold (a switch word in the folder refuses
// the run). A log line stays inside its buffer
// and on one line.
#include "native/fuzz/property.h"
#include "shell/start_up_rules.h"
#include "shell/unattended_rules.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

bool Inside(TailSpan span, const std::string& tail) {
  if (span.length == 0)
    return true;
  return span.start >= tail.c_str() &&
         span.start + span.length <= tail.c_str() + tail.size();
}

void CheckAnyTail(const std::string& tail) {
  CommandTail read;
  ReadCommandTail(tail.c_str(), &read);
  PROPERTY(Inside(read.logFile, tail));
  PROPERTY(Inside(read.destination, tail));
  PROPERTY(Inside(read.problemWord, tail));
  if (!read.unattended) {
    PROPERTY(read.uninstall == TailSelectsUninstall(tail.c_str()));
    // Only a /D= at the end, the window's destination, counts beside /UN.
    PROPERTY(read.problem == TAIL_FINE);
    PROPERTY(read.destinationGiven == (read.destination.length > 0));
    PROPERTY(read.logFile.length == 0);
  }
}

// "[/UN ]/S /LOG=<word> /D=<anything>".
void CheckValuesSelectNothing(bool uninstall, const std::string& logWord,
                              const std::string& folder) {
  const std::string tail = std::string(uninstall ? "/UN " : "") +
                           "/S /LOG=" + logWord + " /D=" + folder;
  CommandTail read;
  ReadCommandTail(tail.c_str(), &read);
  PROPERTY(read.unattended == 1);
  PROPERTY(read.uninstall == (uninstall ? 1 : 0));
  PROPERTY(read.destinationGiven == 1);
  PROPERTY(std::string(read.logFile.start, read.logFile.length) == logWord);
  const char* folderStart = tail.c_str() + tail.size() - folder.size();
  PROPERTY(read.destination.length == 0 ||
           read.destination.start >= folderStart);
  PROPERTY(read.problem == TAIL_FINE || read.destination.length == 0 ||
           read.problem == TAIL_SWITCH_IN_DESTINATION);
  PROPERTY(read.destination.length > 0 || read.problem != TAIL_FINE);
  // A switch found in the folder lies inside it.
  if (read.problem == TAIL_SWITCH_IN_DESTINATION)
    PROPERTY(read.problemWord.start >= read.destination.start &&
             read.problemWord.start + read.problemWord.length <=
                 read.destination.start + read.destination.length);
}

void CheckLogLine(const std::string& caption, const std::string& text,
                  size_t size) {
  std::vector<char> line(size, 'x'); // exactly the buffer: ASan sees past it
  FormatLogLine(line.data(), size, caption.c_str(), text.c_str());
  const size_t length = strnlen(line.data(), size);
  PROPERTY(length < size);
  PROPERTY(memchr(line.data(), '\n', length) == nullptr);
  PROPERTY(memchr(line.data(), '\r', length) == nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const bool uninstall = in.ConsumeBool();
  const size_t lineSize = in.ConsumeIntegralInRange<size_t>(1, 300);
  std::string logWord = in.ConsumeRandomLengthString(64);
  std::string text = in.ConsumeRemainingBytesAsString();
  text = text.c_str(); // the tail ends at its first NUL, as a C string does
  logWord = logWord.c_str();

  CheckAnyTail(text);
  CheckLogLine(logWord, text, lineSize);
  // A log file named by one word without blanks or quotes.
  if (!logWord.empty() && logWord.find_first_of(" \t\"") == std::string::npos)
    CheckValuesSelectNothing(uninstall, logWord, text);
  return 0;
}
