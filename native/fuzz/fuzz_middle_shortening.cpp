// The middle shortening of the destination text: it writes only inside
// the text, keeps length x (limit / width) characters as floating point
// gives it, truncated (so the exact quotient or one less where it lands just
// below a whole number), never fewer than the five dots, and keeps both
// ends of the text around the dots.
#include "native/fuzz/property.h"
#include "shell/middle_shortening.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int limit = in.ConsumeIntegral<int>();
  const int width = in.ConsumeIntegral<int>();
  std::string original = in.ConsumeRemainingBytesAsString();
  original.resize(strlen(original.c_str()));
  // Exactly the text and its terminator: a write outside is caught.
  std::vector<char> text(original.c_str(),
                         original.c_str() + original.size() + 1);

  ShortenInMiddle(text.data(), limit, width);
  PROPERTY(text.back() == '\0');
  const std::string result = text.data();
  const long long length = static_cast<long long>(original.size());

  // A width that is not positive measures nothing to shorten; a text of
  // five characters or fewer is never longer than the dots.
  if (width <= 0 || width <= limit || length <= 5) {
    PROPERTY(result == original);
    return 0;
  }
  // limit < width, so the exact quotient is below length: always shortened.
  long long exact = length * limit / width;
  if (length * limit % width != 0 && length * limit < 0)
    --exact; // floor, not truncation toward zero
  const long long keep = static_cast<long long>(result.size());
  PROPERTY(keep == (exact < 5 ? 5 : exact) ||
           keep == (exact - 1 < 5 ? 5 : exact - 1));
  PROPERTY(keep < length);
  const size_t head = static_cast<size_t>((keep - 5) / 2);
  const size_t tail = static_cast<size_t>(keep - 5) - head;
  PROPERTY(result.compare(0, head, original, 0, head) == 0);
  PROPERTY(result.compare(head, 5, ".....") == 0);
  PROPERTY(result.compare(head + 5, tail, original, original.size() - tail,
                          tail) == 0);
  return 0;
}
