// Writing a line into the longest run of blanks: the text keeps its
// length, and only blanks are overwritten.
#include "dialogs/message_table.h"
#include "native/fuzz/property.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string insert = in.ConsumeRandomLengthString(200);
  const std::string original = in.ConsumeRemainingBytesAsString();
  std::vector<char> text(original.c_str(),
                         original.c_str() + strlen(original.c_str()) + 1);
  const std::string before = text.data();

  InsertAtLongestBlankRun(text.data(), insert.c_str());
  const std::string after(text.data(), text.size() - 1);
  PROPERTY(text.back() == '\0');
  PROPERTY(after.size() == before.size());
  PROPERTY(strlen(text.data()) == before.size());
  size_t changed = 0;
  for (size_t k = 0; k < before.size(); ++k) {
    if (after[k] != before[k]) {
      PROPERTY(before[k] == ' ');
      ++changed;
    }
  }
  PROPERTY(changed <= strlen(insert.c_str()));
  return 0;
}
