// The decompression box of the installation run, as the user reads it.
#pragma once

#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// Caption "Error", every icon bit, the negative number, then the two
// temporary paths in `folder` on lines of their own.
inline void ExpectDecompressBox(const scripted::Shown& box,
                                const std::string& folder) {
  EXPECT_EQ("Error", box.caption);
  EXPECT_EQ(0xF0u, box.style);
  const std::string prefix = "Decompress Error = -";
  ASSERT_EQ(prefix, box.text.substr(0, prefix.size())) << box.text;
  size_t numberEnd = box.text.find('\n');
  EXPECT_LT(0, atoi(box.text.substr(prefix.size(), numberEnd).c_str()));
  EXPECT_EQ("\n" + folder + "$$cmp.tm$\n" + folder + "$$unc.tm$",
            box.text.substr(numberEnd));
}
