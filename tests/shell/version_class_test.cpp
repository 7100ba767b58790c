// The Windows version class from GetVersion's major and minor numbers.
#include "shell/version_class.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  unsigned major, minor;
  int versionClass;
};

TEST(WindowsVersionClass, FamiliesOfWindows) {
  const Case cases[] = {
      {3, 10, 3}, {3, 0, 3},  {2, 94, 3}, {3, 95, 4}, {2, 95, 4}, {4, 0, 4},
      {4, 10, 4}, {4, 90, 4}, {5, 0, 5},  {5, 1, 5},  {5, 2, 5},  {6, 0, 6},
      {6, 1, 6},  {6, 2, 6},  {6, 3, 6},  {7, 0, 0},  {10, 0, 0}, {255, 255, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.versionClass, WindowsVersionClass(c.major, c.minor))
        << c.major << "." << c.minor;
}

} // namespace
