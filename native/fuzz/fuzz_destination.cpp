// The normalisation of a typed destination: it stays inside its buffer,
// and normalising its own result changes nothing more.
#include "engine/destination_rules.h"
#include "native/fuzz/property.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const size_t bufferSize = in.ConsumeIntegralInRange<size_t>(1, 300);
  // The folder the installer was started from, as the system names its
  // module: a full path, which never begins with a blank.
  std::string defaultFolder = in.ConsumeRandomLengthString(300);
  defaultFolder.erase(0, defaultFolder.find_first_not_of(' '));
  // The typed text, which may fill the buffer without a terminator.
  std::string typed = in.ConsumeRemainingBytesAsString();
  typed.resize(std::min(typed.size(), bufferSize));

  // Exactly the buffer's size: a write past it is caught.
  std::vector<char> path(bufferSize, '\0');
  memcpy(path.data(), typed.data(), typed.size());
  ErrorCode first =
      NormaliseDestination(path.data(), bufferSize, defaultFolder.c_str());
  PROPERTY(strnlen(path.data(), bufferSize) < bufferSize);
  const std::string once = path.data();

  ErrorCode second =
      NormaliseDestination(path.data(), bufferSize, defaultFolder.c_str());
  PROPERTY(second == first);
  PROPERTY(once == path.data());
  return 0;
}
