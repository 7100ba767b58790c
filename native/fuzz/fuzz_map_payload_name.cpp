// The installed name of a catalogue name is never longer than the
// catalogue name, mapped in place or into a buffer of its own.
#include "engine/payload_table.h"
#include "native/fuzz/property.h"

#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string catalogueName(
      reinterpret_cast<const char*>(data),
      strnlen(reinterpret_cast<const char*>(data), size));
  // Buffers exactly as long as the input: a longer output is caught.
  std::vector<char> name(catalogueName.c_str(),
                         catalogueName.c_str() + catalogueName.size() + 1);
  std::vector<char> apart(name.size());
  int placeholder = MapPayloadName(apart.data(), name.data());
  PROPERTY(std::string(name.data()) == catalogueName);
  PROPERTY(strlen(apart.data()) <= catalogueName.size());
  PROPERTY(!placeholder || apart[0] == '\0');

  int inPlace = MapPayloadName(name.data(), name.data());
  PROPERTY(inPlace == placeholder);
  PROPERTY(strcmp(name.data(), apart.data()) == 0);
  return 0;
}
