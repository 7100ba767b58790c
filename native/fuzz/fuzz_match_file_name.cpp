// The file name matcher: "*.*" takes every name, and a name without
// wildcards matches itself, in any case of its letters.
#include "native/fuzz/property.h"
#include "shortcuts/match_file_name.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string filter = in.ConsumeRandomLengthString(64);
  const std::string name = in.ConsumeRemainingBytesAsString();
  const char* nameText = name.c_str();

  PROPERTY(MatchFileName("*.*", nameText) == 1);
  if (name.find_first_of("*?") == std::string::npos) {
    PROPERTY(MatchFileName(nameText, nameText) == 1);
    std::string upper = nameText;
    for (char& c : upper)
      if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    PROPERTY(MatchFileName(upper.c_str(), nameText) == 1);
    // One question mark per character takes a name of that length only.
    std::string marks(strlen(nameText), '?');
    PROPERTY(MatchFileName(marks.c_str(), nameText) == 1);
    PROPERTY(MatchFileName((marks + "?").c_str(), nameText) == 0);
  }
  // Any filter answers, and answers only 0 or 1.
  int answer = MatchFileName(filter.c_str(), nameText);
  PROPERTY(answer == 0 || answer == 1);
  return 0;
}
